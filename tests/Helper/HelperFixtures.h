#pragma once

#include <QList>
#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>

#include <ostream>

// Files the Helper tests build in a temporary folder, with exiftool as the independent writer.
namespace helperfixtures {

// Installs the reader for MetaDataObject, PhotoFile and the thumbnails (once): the metadata library itself
// in the Helper tests, which run on one thread; the worker processes everywhere else. Each test program
// links one of the two definitions.
void installReader();

bool exiftoolAvailable();
// A plain JPEG (no metadata) of the given size.
QString makeJpeg(const QString& folder, const QString& name, const QSize& size);
// A JPEG whose first directory holds an XResolution entry with no value at all (a damaged camera file).
QString makeJpegWithEmptyResolution(const QString& folder, const QString& name);
// Runs exiftool on the file, overwriting it in place; true when exiftool reports success.
bool exiftoolWrite(const QString& path, const QStringList& arguments);
// exiftool's value of one tag ("-n" numbers), trimmed; "" when absent.
QString exiftoolValue(const QString& path, const QString& tag, bool numeric = true);

// The rows of the sample camera files' MANIFEST.tsv, each as column name -> cell; none when it is absent.
QList<QMap<QString, QString>> corpusManifest();

}  // namespace helperfixtures
