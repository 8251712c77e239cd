#include "model/Utils.h"

#include "platform/WallClock.h"

namespace {

// Month names, weekday names and AM/PM markers make a pattern a text for people; everything else is a
// machine form, which must read and write the same in every locale.
bool isPatternForPeople(const QString& pattern) {
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted) continue;
        if (c == u'a' || c == u'E' || c == u'G' || c == u'L' || c == u'c' || c == u'B' || c == u'b') return true;
        if (c == u'M' && pattern.mid(i, 3) == QStringLiteral("MMM")) return true;
    }
    return false;
}

std::optional<platform::WallTime> parseWith(const QString& text, const QString& pattern) {
    if (isPatternForPeople(pattern)) {
        if (auto time = platform::DateFormat::forThread(pattern, platform::DateFormat::userLocale()).parse(text))
            return time;
    }
    return platform::DateFormat::forThread(pattern).parse(text);
}

QString formatWith(platform::WallTime time, const QString& pattern) {
    const QString locale =
        isPatternForPeople(pattern) ? platform::DateFormat::userLocale() : platform::DateFormat::posixLocale();
    return platform::DateFormat::forThread(pattern, locale).format(time);
}

std::optional<platform::WallTime> parseHyphenated(QString text) {
    if (text.contains(u'Z')) {
        text.remove(u'Z');
        if (auto time = parseWith(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"))) return time;
    }
    static const char* const patterns[] = {
        "yyyy-MM-dd HH:mm:ssZZZ",
        "yyyy-MM-dd HH:mm:ss.SSSZZ",
        "yyyy-MM-dd HH:mm:ss.SSS",
        // The ISO forms XMP dates are written in.
        "yyyy-MM-dd'T'HH:mm:ss",
        "yyyy-MM-dd'T'HH:mm:ssXXX",
        "yyyy-MM-dd'T'HH:mm:ss.SSSXXX",
        "yyyy-MM-dd'T'HH:mm:ss.SSS",
    };
    for (const char* pattern : patterns) {
        if (auto time = parseWith(text, QLatin1String(pattern))) return time;
    }
    return std::nullopt;
}

}  // namespace

Utils& Utils::sharedUtils() {
    // A function-local static is created exactly once, whichever thread asks first.
    static Utils instance;
    return instance;
}

QString Utils::convertedDate(const QString& text, const QString& inFormat, const QString& convertedFormat) const {
    if (text.isEmpty()) return {};
    std::optional<platform::WallTime> time = parseWith(text, inFormat);
    if (!time) {
        if (text.contains(u'-')) {
            time = parseHyphenated(text);
        } else if (text.contains(u':')) {
            time = parseWith(text, exifDateFormat());
        }
    }
    return time ? formatWith(*time, convertedFormat) : QString();
}
