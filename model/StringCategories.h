#pragma once

#include <QString>

#include <optional>

// Text helpers the reader, the writer and the feedback builder share. Every operation returns a new text,
// except the two in-place escapes.
namespace StringCategories {

// White space and newlines: Unicode category Z, tab, U+000A to U+000D and U+0085.
bool isWhitespaceOrNewline(QChar c);

QString stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters(const QString& text);
QString stringByTrimmingLeadingWhitespaceAndNewlineCharacters(const QString& text);
QString stringByTrimmingTrailingWhitespaceAndNewlineCharacters(const QString& text);
QString trim(const QString& text);

// Every match of a case-insensitive pattern replaced by the template ($1 for a group); nothing when the
// pattern does not compile, with the reason in *error.
std::optional<QString> replacingWithPattern(const QString& text, const QString& pattern, const QString& templ,
                                            QString* error = nullptr);

QString xmlSimpleEscapeString(const QString& text);
QString xmlSimpleEscapeStringNEW(const QString& text);
QString& xmlSimpleEscape(QString& text);
QString& xmlSimpleEscapeNEW(QString& text);
QString xmlSimpleUnescapeString(const QString& text);
QString& xmlSimpleUnescape(QString& text);

QString URLEncodedString(const QString& text);
QString URLDecodedString(const QString& text);

}  // namespace StringCategories
