#include "editor/SelectionReload.h"

#include "editor/Logging.h"
#include "platform/Dispatch.h"

#include <QCoreApplication>
#include <QPointer>

#include <memory>

SelectionReload::SelectionReload(QObject* parent)
    : QObject(parent),
      m_executor([](std::function<void()> work) { platform::dispatch::background(std::move(work)); }) {}

quint64 SelectionReload::start(QList<PhotoFile> photos) {
    const quint64 generation = ++m_generation;
    m_pending = true;
    // The worker never touches this object: the screen may be gone by the time a large merge ends, so the
    // result goes to the application and finds this object, if it still exists, on the main thread.
    QPointer<SelectionReload> self(this);
    m_executor([self, generation, photos = std::move(photos)] {
        auto result = std::make_shared<std::optional<SelectionMerge::Result>>(
            SelectionMerge::updateMetaDataObjectForSelectedFiles(photos));
        platform::dispatch::onMain(QCoreApplication::instance(), [self, generation, result] {
            if (self) self->handBack(generation, *result);
        });
    });
    return generation;
}

void SelectionReload::handBack(quint64 generation, const std::optional<SelectionMerge::Result>& result) {
    if (generation != m_generation) {
        qCDebug(lcEditor).noquote()
            << QStringLiteral("selection merge %1 outdated by %2, dropped").arg(generation).arg(m_generation);
        return;
    }
    m_pending = false;
    if (result) emit merged(generation, *result);
}

quint64 SelectionReload::invalidate() {
    m_pending = false;
    return ++m_generation;
}
