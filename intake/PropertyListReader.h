#pragma once

#include <QString>
#include <QVariant>

#include <atomic>

// Reads an XML property list (the album lists of iPhoto and Aperture libraries) into plain values:
// dict → QVariantMap, array → QVariantList, string → QString, integer → qlonglong, real → double,
// true/false → bool, date → QString as written, data → QByteArray.
class PropertyListReader {
  public:
    // An invalid QVariant when the file cannot be read, is no well-formed property list, or stop was set
    // during the parse (album lists can be hundreds of megabytes); *error says why.
    static QVariant readFile(const QString& path, QString* error = nullptr, const std::atomic<bool>* stop = nullptr);
    static QVariant readData(const QByteArray& xml, QString* error = nullptr, const std::atomic<bool>* stop = nullptr);
};
