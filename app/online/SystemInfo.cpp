#include "app/online/SystemInfo.h"

#include <QFile>
#include <QMessageAuthenticationCode>
#include <QRegularExpression>
#include <QSysInfo>

namespace {

// The key that makes our identifier differ from every other application's view of the same machine.
constexpr char kApplicationKey[] = "lumarind.machine-identifier.1";

QByteArray firstLineOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readLine().trimmed();
}

QString procValue(const QString& path, const QString& field) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    const QRegularExpression line(
        QLatin1Char('^') + QRegularExpression::escape(field) + QStringLiteral("\\s*:\\s*(.*)$"),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(QString::fromUtf8(file.readAll()));
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

}  // namespace

QString SystemInfo::serialNumberFromMachineId(const QByteArray& machineId) {
    if (machineId.trimmed().isEmpty()) return QString();
    const QByteArray mac =
        QMessageAuthenticationCode::hash(machineId.trimmed(), kApplicationKey, QCryptographicHash::Sha256);
    return QString::fromLatin1(mac.left(16).toHex());
}

QString SystemInfo::getSerialNumber() {
    QByteArray id = firstLineOf(QStringLiteral("/etc/machine-id"));
    if (id.isEmpty()) id = firstLineOf(QStringLiteral("/var/lib/dbus/machine-id"));
    return serialNumberFromMachineId(id);
}

QString SystemInfo::osVersion() {
    return QSysInfo::prettyProductName() + QStringLiteral(" (kernel ") + QSysInfo::kernelVersion() + QLatin1Char(')');
}

QString SystemInfo::procName() {
    const QString model = procValue(QStringLiteral("/proc/cpuinfo"), QStringLiteral("model name"));
    return model.isEmpty() ? QSysInfo::currentCpuArchitecture() : model;
}

QString SystemInfo::ramSystem() {
    const QString total = procValue(QStringLiteral("/proc/meminfo"), QStringLiteral("MemTotal"));
    const qint64 kib = total.section(QLatin1Char(' '), 0, 0).toLongLong();
    if (kib <= 0) return QString();
    return QString::number(double(kib) / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" GB");
}
