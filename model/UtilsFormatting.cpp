#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMetaType>

#include <cmath>

#include "model/StringCategories.h"
#include "model/Utils.h"
#include "platform/Numbers.h"

namespace {

// A dangling symbolic link counts as taken: writing through it would land somewhere else.
bool isTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString pluralised(qint64 count, const char* unit) {
    return QStringLiteral("%1 %2%3")
        .arg(count)
        .arg(QLatin1String(unit))
        .arg(count == 1 ? QLatin1String("") : QLatin1String("s"));
}

bool isJsonNumber(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::Double:
        case QMetaType::Float:
            return true;
        default:
            return false;
    }
}

QString jsonNumber(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Bool:
            return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        case QMetaType::Double:
        case QMetaType::Float: {
            const double number = value.toDouble();
            // JSON has no spelling for these.
            if (!std::isfinite(number)) return QStringLiteral("null");
            return QString::number(number, 'g', QLocale::FloatingPointShortest);
        }
        default:
            return value.toString();
    }
}

// Qt's writer does the escaping: the text is written as the one element of an array, brackets dropped.
QString jsonString(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.sliced(1, array.size() - 2));
}

}  // namespace

QString Utils::stringToAvoidNameCollisionForPath(const QString& path) {
    return stringToAvoidNameCollisionForPath(path, isTaken);
}

QString Utils::stringToAvoidNameCollisionForPath(const QString& path,
                                                 const std::function<bool(const QString&)>& isTaken) {
    if (!isTaken(path)) return path;
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    // A leading dot names a hidden file, not an extension; a trailing dot has nothing after it.
    const qsizetype dot = name.lastIndexOf(u'.');
    const bool hasExtension = dot > 0 && dot < name.size() - 1;
    const QString stem = hasExtension ? name.left(dot) : name;
    const QString extension = hasExtension ? name.mid(dot) : QString();
    for (qint64 n = 1;; ++n) {
        // Built by joining, not by placeholders: a "%1" in a folder or file name is part of the name.
        const QString candidate = folder + stem + QStringLiteral(" (") + QString::number(n) + u')' + extension;
        if (!isTaken(candidate)) return candidate;
    }
}

QString Utils::unitStringFromBytes(double bytes, quint8 flags) const {
    Q_UNUSED(flags);
    static const char* const units[] = {"bytes", "KB", "MB", "GB", "TB"};
    constexpr int lastUnit = int(std::size(units)) - 1;
    int unit = 0;
    double value = bytes;
    // Past "TB" the value keeps growing in TB rather than leaving the table.
    while (value >= 1000 && unit < lastUnit) {
        value /= 1000;
        ++unit;
    }
    if (value == 0) return QStringLiteral("0 %1").arg(QLatin1String(units[unit]));
    // The cut is downwards; the small nudge keeps 1.15 from reading as 1.14 through binary rounding.
    value = std::floor(value * 100 + 1e-7) / 100;
    if (value > 993 && unit < lastUnit) {
        value = 0.97;
        ++unit;
    }
    const QString number = platform::formatFixed(value, unit == 0 ? 0 : 2);
    return StringCategories::stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters(
        QStringLiteral("%1 %2").arg(number, QLatin1String(units[unit])));
}

QString Utils::timeFormattedString(qint64 seconds) const {
    const qint64 hours = seconds / 3600;
    const qint64 minutes = (seconds / 60) % 60;
    const qint64 secs = seconds % 60;
    if (hours < 1 && minutes < 1 && secs < 1) return {};
    QString text;
    if (hours >= 1) {
        text = pluralised(hours, "hour") + QLatin1Char(' ') + pluralised(minutes, "minute");
    } else if (minutes >= 1) {
        text = QLatin1Char(' ') + pluralised(minutes, "minute");
    }
    return text + QLatin1Char(' ') + pluralised(secs, "second");
}

qint64 Utils::getDurationBetweenDate(platform::WallTime date, platform::WallTime afterDate) {
    return static_cast<qint64>(std::trunc((afterDate - date) / 1000.0));
}

QString Utils::getDateStringFromDate(platform::WallTime date, const QString& format) {
    return platform::DateFormat(format, platform::DateFormat::userLocale()).format(date);
}

QString Utils::getJSONFromDict(const JsonFields& dict) {
    QString json = QStringLiteral("{");
    for (qsizetype i = 0; i < dict.size(); ++i) {
        const auto& [key, value] = dict.at(i);
        if (i > 0) json += u',';
        json += jsonString(key) + u':';
        json += isJsonNumber(value) ? jsonNumber(value) : jsonString(value.toString());
    }
    return json + u'}';
}
