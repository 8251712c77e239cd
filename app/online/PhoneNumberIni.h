#pragma once

#include <QMap>
#include <QString>

// The support-phone file: sections of key = value lines.
using IniSections = QMap<QString, QMap<QString, QString>>;

// Reading the support-phone file and choosing the number to show from it.
class PhoneNumberIni {
  public:
    // Lines end at "\n"; names, keys and values lose surrounding white space (so "\r\n" files read the same).
    // A header holds one "[" and, after it, one "]"; inside a section a line with exactly one "=" is a key and
    // a value. Anything else, and every line before the first header, is ignored. A repeated header starts
    // its section afresh; a repeated key replaces the earlier value.
    static IniSections parse(const QString& text);

    // [default] "fennacle" when present; else [phone] keyed by the number shown so far; else "".
    static QString checkAndGetNewPhoneNumberForAppStoreApp(const IniSections& file, const QString& current);

    // Whether text can be shown as the support number: short, with digits, and nothing but the characters
    // numbers are written with (digits, blanks, + - ( ) . /). The file comes from a server; what it names
    // as the number must not become a message in the title bar.
    static bool isPhoneNumber(const QString& text);
};
