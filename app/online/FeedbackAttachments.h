#pragma once

#include <QDate>
#include <QString>

#include <optional>

// The files a feedback may carry: the recent part of the application's log and the usage report.
class FeedbackAttachments {
  public:
    static constexpr int kLogDays = 16;  // today and the 15 days before

    // From the first line dated within the last kLogDays days up to the end, each line followed by "\n"; ""
    // when no line is that recent or the file cannot be read.
    static QString readLogsContent(const QString& path, const QDate& today);
    // "yyyy-MM-dd", the date every log line begins with.
    static QString getDateStrInYYYYMMDDFormat(const QDate& date);

    // ScanReport.plist in the user's Documents folder.
    static QString usageReportPath();
    // The report's XML text when the file is a property list holding a dictionary; nothing otherwise.
    static std::optional<QString> readUsageReport(const QString& path);
};
