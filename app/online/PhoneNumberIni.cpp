#include "app/online/PhoneNumberIni.h"

#include "app/online/Logging.h"
#include "model/StringCategories.h"

#include <QStringList>

#include <optional>

using StringCategories::stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters;

IniSections PhoneNumberIni::parse(const QString& text) {
    IniSections result;
    std::optional<QString> current;  // the section being read
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QStringList open = line.split(QLatin1Char('['));
        if (open.size() == 2) {
            const QStringList close = open.at(1).split(QLatin1Char(']'));
            if (close.size() == 2) {
                const QString name = stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters(close.at(0));
                qCDebug(lcOnline).noquote() << "[" + name + "]";
                result.insert(name, {});
                current = name;
                continue;
            }
        }
        if (!current) continue;
        const QStringList pair = line.split(QLatin1Char('='));
        if (pair.size() != 2) continue;
        const QString key = stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters(pair.at(0));
        const QString value = stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters(pair.at(1));
        qCDebug(lcOnline).noquote() << "(" + key + ") = (" + value + ")";
        result[*current].insert(key, value);
    }
    return result;
}

QString PhoneNumberIni::checkAndGetNewPhoneNumberForAppStoreApp(const IniSections& file, const QString& current) {
    const auto defaults = file.constFind(QStringLiteral("default"));
    if (defaults != file.constEnd() && defaults->contains(QStringLiteral("fennacle")))
        return defaults->value(QStringLiteral("fennacle"));
    const auto phone = file.constFind(QStringLiteral("phone"));
    if (phone != file.constEnd()) return phone->value(current);
    return QString();
}

bool PhoneNumberIni::isPhoneNumber(const QString& text) {
    // Room for a country code, an area code and an extension, with the blanks and dashes between them.
    constexpr qsizetype kMaxLength = 30;
    if (text.size() > kMaxLength) return false;
    bool hasDigit = false;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            hasDigit = true;
            continue;
        }
        if (!QStringView(u" +-()./").contains(c)) return false;
    }
    return hasDigit;
}
