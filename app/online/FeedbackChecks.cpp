#include "app/online/FeedbackChecks.h"

#include "model/StringCategories.h"

#include <QRegularExpression>

using StringCategories::stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters;

bool FeedbackChecks::validateEmail(const QString& email) {
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("^.+@([A-Za-z0-9-]+\\.)+[A-Za-z]{2}[A-Za-z]*$")));
    return pattern.match(email).hasMatch();
}

FeedbackCheck FeedbackChecks::areThereEmptyFieldsForFeedback(const FeedbackEntries& entries) {
    FeedbackCheck check;
    check.entries = entries;
    check.entries.email = stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters(entries.email.toLower());
    check.entries.text = stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters(entries.text);
    check.invalidEmail = !validateEmail(check.entries.email);
    check.invalidType = entries.typeIndex <= 0;
    check.invalidText = check.entries.text.isEmpty();
    return check;
}
