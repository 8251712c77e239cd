#pragma once

#include <QList>
#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>

#include <ostream>

// Files the Helper tests build in a temporary folder, with exiftool as the independent writer.
namespace helperfixtures {

// Installs the Exiv2 reader for MetaDataObject, PhotoFile and the thumbnails (once).
void installReader();

bool exiftoolAvailable();
// A plain JPEG (no metadata) of the given size.
QString makeJpeg(const QString& folder, const QString& name, const QSize& size);
// Runs exiftool on the file, overwriting it in place; true when exiftool reports success.
bool exiftoolWrite(const QString& path, const QStringList& arguments);
// exiftool's value of one tag ("-n" numbers), trimmed; "" when absent.
QString exiftoolValue(const QString& path, const QString& tag, bool numeric = true);

// The rows of the sample camera files' MANIFEST.tsv, each as column name -> cell; none when it is absent.
QList<QMap<QString, QString>> corpusManifest();

}  // namespace helperfixtures
