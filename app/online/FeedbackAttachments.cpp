#include "app/online/FeedbackAttachments.h"

#include "app/online/Logging.h"
#include "intake/PropertyListReader.h"
#include "platform/StandardPaths.h"

#include <QFile>
#include <QStringList>
#include <QStringView>

QString FeedbackAttachments::getDateStrInYYYYMMDDFormat(const QDate& date) {
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString FeedbackAttachments::readLogsContent(const QString& path, const QDate& today) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    QStringList prefixes;
    for (int back = 0; back < kLogDays; ++back) prefixes << getDateStrInYYYYMMDDFormat(today.addDays(-back));

    const QString text = QString::fromUtf8(file.readAll());
    QString excerpt;
    bool recent = false;
    QList<QStringView> lines = QStringView(text).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();  // the newline ending the last line
    for (QStringView line : lines) {
        if (!recent) {
            for (const QString& prefix : prefixes) {
                if (line.startsWith(prefix)) {
                    recent = true;
                    break;
                }
            }
        }
        if (recent) {
            excerpt += line;
            excerpt += u'\n';
        }
    }
    return excerpt;
}

QString FeedbackAttachments::usageReportPath() {
    return platform::StandardPaths::documentsFolder() + QStringLiteral("/ScanReport.plist");
}

std::optional<QString> FeedbackAttachments::readUsageReport(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    QString error;
    const QVariant report = PropertyListReader::readData(bytes, &error);
    if (report.typeId() != QMetaType::QVariantMap) {
        qCInfo(lcOnline).noquote() << "usage report left out, not a property-list dictionary: " + path +
                                          (error.isEmpty() ? QString() : " (" + error + ")");
        return std::nullopt;
    }
    return QString::fromUtf8(bytes);
}
