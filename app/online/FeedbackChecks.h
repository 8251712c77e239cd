#pragma once

#include <QString>

// What the feedback form holds when Submit is pressed.
struct FeedbackEntries {
    QString email;
    int typeIndex = 0;  // 0 is the placeholder item of the type list
    QString text;
};

// The outcome of the form's checks: the rewritten entries and which error labels show.
struct FeedbackCheck {
    FeedbackEntries entries;
    bool invalidEmail = false;
    bool invalidType = false;
    bool invalidText = false;

    bool failed() const { return invalidEmail || invalidType || invalidText; }
};

// The feedback form's field checks, all three always run so that every error label is up to date.
class FeedbackChecks {
  public:
    // Something before "@", then dot-separated labels of letters, digits and "-", ending in a label of at
    // least two letters.
    static bool validateEmail(const QString& email);
    // The address is lower-cased and trimmed, the text trimmed; then each field is checked.
    static FeedbackCheck areThereEmptyFieldsForFeedback(const FeedbackEntries& entries);
};
