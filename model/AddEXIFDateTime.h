#pragma once

#include <QString>

// Where and how a photo's date goes into its new name.
class AddEXIFDateTime {
  public:
    // ExifDatePosition
    enum ExifDatePosition { Prefix = 0, Suffix = 1 };
    // ExifDateSource: the date field the text is taken from.
    enum ExifDateSource { OriginalDateTime = 0, CreationDate = 1, ModifyDate = 2 };
    // ExifDateFormatIndex: 5 × date form + time form.
    static constexpr int formatCount = 20;

    int asValue = Prefix;
    int typeValue = OriginalDateTime;
    int formatValue = 0;

    // The page's labels of the three choices ("Prefix", "Original Date/Time", "DD-MM-YYYY_HH-MM", ...);
    // "" outside the table.
    static QString positionLabel(int position);
    static QString sourceLabel(int source);
    static QString formatLabel(int formatIndex);
    // The date pattern of a format index; "" outside the table.
    static QString formatPattern(int formatIndex);

    // A date text in "yyyy:MM:dd HH:mm:ss" written with this record's format; "" when the date cannot be
    // read or the format index is outside the table.
    QString formattedDate(const QString& exifDateText) const;
};
