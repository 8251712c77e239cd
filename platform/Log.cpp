#include "platform/Log.h"

#include "platform/StandardPaths.h"

Q_LOGGING_CATEGORY(lcPlatform, "lumarind.platform")

namespace platform {

QString logFilePath() {
    return StandardPaths::logsFolder() + QStringLiteral("/Lumarind.log");
}

void useLogLineFormat() {
    qSetMessagePattern(QStringLiteral("%{time yyyy-MM-dd HH:mm:ss.zzz} %{if-category}%{category}: %{endif}%{message}"));
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("lumarind.*.debug=false"));
}

}  // namespace platform
