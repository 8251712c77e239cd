#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The values of one feedback, as the maker's service receives them.
struct FeedbackDocument {
    QString appName;
    QString email;
    QString feedbackType;
    QString content;
    QString logsData = QStringLiteral("LOGSNOTSELECTED");
    QString logsDataScan = QStringLiteral("SCAN_LOGSNOTSELECTED");
    QString osVersion;
    QString procName;
    QString ramInfo;
    QString machineId;  // "" is sent as "(null)": the service knows that mark for "no identifier"
    QString buyNowUrl;
    QString appVersion;
};

// Builds the feedback request: the sf_feedback document, carried as the text of the UploadFeedback
// operation's input inside a SOAP 1.1 envelope. Every value goes through the XML writer, so no value can
// change the markup around it; characters XML cannot carry become U+FFFD.
class FeedbackMessage {
  public:
    static QString feedbackDocument(const FeedbackDocument& document);
    // The envelope in UTF-8, on one line, without a declaration.
    static QByteArray prepareSoapMsg(const FeedbackDocument& document, const QString& fileName,
                                     const QString& serviceNamespace);
    // "<app name without blanks>-Feedback <yyyyMMddTHHmm> <number>.xml"
    static QString fileName(const QString& appName, const QDateTime& now, int number);
    // "%04d%02d%02dT%02d%02d" of the local date and time.
    static QString getDateInFormatNEW(const QDateTime& now);
    // The text as XML 1.0 can carry it: line breaks as line feeds, and every character XML cannot hold (most
    // control characters, lone surrogates, U+FFFE/U+FFFF) replaced by U+FFFD.
    static QString xmlCharactersOnly(const QString& text);
};
