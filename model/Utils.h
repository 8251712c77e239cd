#pragma once

#include <QColor>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <optional>

#include "model/DateTimeConfiguration.h"
#include "platform/WallClock.h"

// The utility object every layer reaches through one shared instance. It holds no state.
// Its operations are grouped by source file: dates (Utils.cpp), the date-time rule engine
// (UtilsRuleEngine.cpp), formatting and paths (UtilsFormatting.cpp), images (UtilsImage.cpp).
class Utils {
  public:
    static Utils& sharedUtils();

    // ---- Dates ----
    // Re-formats a date text from one pattern to another; "" when the text is empty or unreadable.
    // Machine patterns (numbers only) are read and written in the POSIX locale; patterns with month names or
    // an AM/PM marker are texts for people and use the user's locale (Gregorian calendar forced).
    QString convertedDate(const QString& text, const QString& inFormat, const QString& convertedFormat) const;

    // ---- Date-time rule engine ----
    QString getUpdatedOutputDateTimeStringWithConfig(const DateTimeConfiguration& config,
                                                     const QString& inputDateString) const;
    QString dateByUpdatingDay(int day, int month, int year, int hour, int minute, int second, const QString& inDate,
                              const QString& dateFormat, bool isUpdateTime) const;
    QString dateByIncOrDecDay(int day, int month, int year, int hour, int minute, int second, const QString& inDate,
                              const QString& dateFormat) const;

    // The pattern of every date inside metadata values.
    static QString exifDateFormat() { return QStringLiteral("yyyy:MM:dd HH:mm:ss"); }

    // ---- Images ----
    // A picture of the file fitted to the box width (the height follows the aspect and may exceed the box; a
    // picture smaller than the box keeps its size), on white. A file with no readable size gives its icon.
    QImage getThumbnailImageAtFilePath(const QString& path, QSizeF size) const;
    QImage getImageFromFile(const QString& path, float minWidth, float minHeight) const;
    // Stretched to the size (aspect not kept); a null image comes back as it is.
    QImage scaleImage(const QImage& image, QSizeF newSize) const;
    // The size scaled to the width, in single precision.
    QSizeF aspectFitSizeWithMaxSize(QSizeF size, double scaledWidth) const;
    // The image properties of the file's first image (see MetadataReading); nothing for no readable image.
    std::optional<QVariantMap> exifForFile(const QString& path) const;
    // The upright pixel size (width and height swapped for orientations 5 to 8); 0 where unreadable.
    QSizeF getImageOriginalSizeAtFilePathUrl(const QString& path) const;
    QImage addBackgroundToImage(const QImage& image, const QColor& color) const;
    // The size an EPS or PICT file reports, by exact extension ("eps", "EPS", "pict", "PICT", "pct", "PCT");
    // logs "epsDict = ..." for such a file. Nothing for other files.
    std::optional<QSizeF> vectorImageSize(const QString& path) const;

    // ---- Formatting, paths and texts (UtilsFormatting.cpp) ----
    // The path itself when nothing exists there; otherwise the first free "stem (n).ext", n counting from 1
    // and always built from the given name ("name (n)" for a name without an extension).
    static QString stringToAvoidNameCollisionForPath(const QString& path);
    // The same with the caller's idea of "taken" (a run also counts the names its unfinished copies hold).
    static QString stringToAvoidNameCollisionForPath(const QString& path,
                                                     const std::function<bool(const QString&)>& isTaken);
    // A byte count in steps of 1000 up to "TB", cut (not rounded) to two decimals: "512 bytes", "1.53 KB",
    // and "0.97 MB" for a value just under a unit. The flags are ignored.
    QString unitStringFromBytes(double bytes, quint8 flags) const;
    // "2 hours 2 minutes 2 seconds", " 1 minute 5 seconds", " 59 seconds"; "" for 0 or less.
    QString timeFormattedString(qint64 seconds) const;
    // Whole seconds from date to afterDate, truncated toward zero (negative when afterDate is earlier).
    static qint64 getDurationBetweenDate(platform::WallTime date, platform::WallTime afterDate);
    // The date as the user reads it, in the user's locale.
    static QString getDateStringFromDate(platform::WallTime date, const QString& format);
    // A flat JSON object in the order given: numbers and booleans (1 / 0) bare, anything else as escaped text.
    using JsonFields = QList<std::pair<QString, QVariant>>;
    static QString getJSONFromDict(const JsonFields& dict);

  private:
    Utils() = default;
};
