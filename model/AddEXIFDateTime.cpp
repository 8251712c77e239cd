#include "model/AddEXIFDateTime.h"

#include "model/Utils.h"

namespace {

struct DateFormatEntry {
    const char* label;
    const char* pattern;
};

constexpr DateFormatEntry kFormats[AddEXIFDateTime::formatCount] = {
    {"DDMMYYYY", "ddMMyyyy"},
    {"DDMMYYYY_HHMM", "ddMMyyyy_HHmm"},
    {"DDMMYYYY_HH-MM", "ddMMyyyy_HH-mm"},
    {"DDMMYYYY_HHMMSS", "ddMMyyyy_HHmmss"},
    {"DDMMYYYY_HH-MM-SS", "ddMMyyyy_HH-mm-ss"},
    {"DD-MM-YYYY", "dd-MM-yyyy"},
    {"DD-MM-YYYY_HHMM", "dd-MM-yyyy_HHmm"},
    {"DD-MM-YYYY_HH-MM", "dd-MM-yyyy_HH-mm"},
    {"DD-MM-YYYY_HHMMSS", "dd-MM-yyyy_HHmmss"},
    {"DD-MM-YYYY_HH-MM-SS", "dd-MM-yyyy_HH-mm-ss"},
    {"MM-DD-YYYY", "MM-dd-yyyy"},
    {"MM-DD-YYYY_HHMM", "MM-dd-yyyy_HHmm"},
    {"MM-DD-YYYY_HH-MM", "MM-dd-yyyy_HH-mm"},
    {"MM-DD-YYYY_HHMMSS", "MM-dd-yyyy_HHmmss"},
    {"MM-DD-YYYY_HH-MM-SS", "MM-dd-yyyy_HH-mm-ss"},
    {"YYYY-MM-DD", "yyyy-MM-dd"},
    {"YYYY-MM-DD_HHMM", "yyyy-MM-dd_HHmm"},
    {"YYYY-MM-DD_HH-MM", "yyyy-MM-dd_HH-mm"},
    {"YYYY-MM-DD_HHMMSS", "yyyy-MM-dd_HHmmss"},
    {"YYYY-MM-DD_HH-MM-SS", "yyyy-MM-dd_HH-mm-ss"},
};

bool inTable(int formatIndex) {
    return formatIndex >= 0 && formatIndex < AddEXIFDateTime::formatCount;
}

}  // namespace

QString AddEXIFDateTime::positionLabel(int position) {
    switch (position) {
        case Prefix:
            return QStringLiteral("Prefix");
        case Suffix:
            return QStringLiteral("Suffix");
    }
    return {};
}

QString AddEXIFDateTime::sourceLabel(int source) {
    switch (source) {
        case OriginalDateTime:
            return QStringLiteral("Original Date/Time");
        case CreationDate:
            return QStringLiteral("Creation Date");
        case ModifyDate:
            return QStringLiteral("Modify Date");
    }
    return {};
}

QString AddEXIFDateTime::formatLabel(int formatIndex) {
    return inTable(formatIndex) ? QLatin1String(kFormats[formatIndex].label) : QString();
}

QString AddEXIFDateTime::formatPattern(int formatIndex) {
    return inTable(formatIndex) ? QLatin1String(kFormats[formatIndex].pattern) : QString();
}

QString AddEXIFDateTime::formattedDate(const QString& exifDateText) const {
    if (!inTable(formatValue)) return {};
    // Numeric patterns are written with Western digits in every locale: the text becomes part of a file name.
    return Utils::sharedUtils().convertedDate(exifDateText, Utils::exifDateFormat(), formatPattern(formatValue));
}
