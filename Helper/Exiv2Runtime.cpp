#include "Helper/Exiv2Runtime.h"

#include "Helper/Logging.h"

#include <exiv2/exiv2.hpp>

#include <malloc.h>
#include <mutex>

namespace {

std::recursive_mutex& xmpToolkitMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

void lockXmpToolkit(void* /*data*/, bool lock) {
    if (lock) {
        xmpToolkitMutex().lock();
    } else {
        xmpToolkitMutex().unlock();
    }
}

const char* levelName(int level) {
    switch (level) {
        case Exiv2::LogMsg::debug:
            return "debug";
        case Exiv2::LogMsg::info:
            return "info";
        case Exiv2::LogMsg::warn:
            return "warning";
        default:
            return "error";
    }
}

void logExiv2Message(int level, const char* message) {
    QString text = QString::fromUtf8(message ? message : "");
    while (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    const QString line = QStringLiteral("Exiv2 ") + QLatin1String(levelName(level)) + QStringLiteral(": ") + text;
    switch (level) {
        case Exiv2::LogMsg::debug:
            qCDebug(lcHelper).noquote() << line;
            break;
        case Exiv2::LogMsg::info:
            qCInfo(lcHelper).noquote() << line;
            break;
        default:
            qCWarning(lcHelper).noquote() << line;
            break;
    }
}

// The namespace of the "Xmp.prism." keys, which Exiv2 does not know.
const char* const kPrismNamespace = "http://prismstandard.org/namespaces/basic/2.0/";

bool namespaceKnown(const char* prefix) {
    try {
        return !Exiv2::XmpProperties::ns(prefix).empty();
    } catch (const Exiv2::AnyError&) {
        return false;
    }
}

}  // namespace

void Exiv2Runtime::initialize() {
    static std::once_flag once;
    std::call_once(once, [] {
        // Every photo passes through a few buffers of its own size. Served straight from the system, each one
        // is mapped, zeroed page by page and unmapped again, which costs more than the metadata work itself;
        // kept in the heap, the next photo reuses them.
        mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
        mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
        Exiv2::LogMsg::setHandler(logExiv2Message);
        Exiv2::XmpParser::initialize(lockXmpToolkit, nullptr);
#ifdef EXV_ENABLE_BMFF
        // HEIF, AVIF and CR3 files are read only when asked for.
        Exiv2::enableBMFF(true);
#endif
        if (!namespaceKnown("prism")) Exiv2::XmpProperties::registerNs(kPrismNamespace, "prism");
    });
}
