#include "model/StringCategories.h"

#include <QRegularExpression>
#include <QUrl>

namespace StringCategories {

bool isWhitespaceOrNewline(QChar c) {
    const char16_t u = c.unicode();
    if (u == 0x09 || (u >= 0x0A && u <= 0x0D) || u == 0x85) return true;
    const QChar::Category category = c.category();
    return category == QChar::Separator_Space || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

QString stringByTrimmingLeadingWhitespaceAndNewlineCharacters(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && isWhitespaceOrNewline(text.at(start))) ++start;
    return text.mid(start);
}

QString stringByTrimmingTrailingWhitespaceAndNewlineCharacters(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && isWhitespaceOrNewline(text.at(end - 1))) --end;
    return text.left(end);
}

QString stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters(const QString& text) {
    return stringByTrimmingTrailingWhitespaceAndNewlineCharacters(
        stringByTrimmingLeadingWhitespaceAndNewlineCharacters(text));
}

QString trim(const QString& text) {
    return stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters(text);
}

std::optional<QString> replacingWithPattern(const QString& text, const QString& pattern, const QString& templ,
                                            QString* error) {
    const QRegularExpression expression(pattern, QRegularExpression::CaseInsensitiveOption);
    if (!expression.isValid()) {
        if (error) *error = expression.errorString();
        return std::nullopt;
    }
    // Templates name groups as "$1"; the expansion is done here so no other escape syntax applies.
    QString result;
    qsizetype last = 0;
    for (auto it = expression.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).mid(last, match.capturedStart() - last);
        for (qsizetype i = 0; i < templ.size(); ++i) {
            if (templ.at(i) == u'$' && i + 1 < templ.size() && templ.at(i + 1).isDigit()) {
                result += match.captured(templ.at(++i).digitValue());
            } else {
                result += templ.at(i);
            }
        }
        last = match.capturedEnd();
    }
    result += QStringView(text).mid(last);
    return result;
}

QString& xmlSimpleEscape(QString& text) {
    // The ampersand goes first so the entities written after it are not escaped again.
    text.replace(u'&', QStringLiteral("&amp;"));
    text.replace(u'"', QStringLiteral("&quot;"));
    text.replace(u'\'', QStringLiteral("&#x27;"));
    text.replace(u'>', QStringLiteral("&gt;"));
    text.replace(u'<', QStringLiteral("&lt;"));
    return text;
}

QString& xmlSimpleEscapeNEW(QString& text) {
    text.replace(u'&', QStringLiteral("&amp;amp;"));
    text.replace(u'"', QStringLiteral("&quot;"));
    text.replace(u'\'', QStringLiteral("&#x27;"));
    text.replace(u'>', QStringLiteral("&gt;"));
    text.replace(u'<', QStringLiteral("(lessthan)"));
    return text;
}

QString xmlSimpleEscapeString(const QString& text) {
    QString copy = text;
    return xmlSimpleEscape(copy);
}

QString xmlSimpleEscapeStringNEW(const QString& text) {
    QString copy = text;
    return xmlSimpleEscapeNEW(copy);
}

QString& xmlSimpleUnescape(QString& text) {
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    for (const char* apostrophe : {"&#x27;", "&#x39;", "&#x92;", "&#x96;"}) {
        text.replace(QLatin1String(apostrophe), QStringLiteral("'"));
    }
    text.replace(QStringLiteral("&#x000D;"), QStringLiteral("\n"));
    text.replace(QStringLiteral("&#x000A;"), QStringLiteral("\n"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    return text;
}

QString xmlSimpleUnescapeString(const QString& text) {
    QString copy = text;
    return xmlSimpleUnescape(copy);
}

QString URLEncodedString(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text, QByteArray(), "!*'();:@&=+$,/?%#[]"));
}

QString URLDecodedString(const QString& text) {
    return QUrl::fromPercentEncoding(text.toUtf8());
}

}  // namespace StringCategories
