#include "platform/Dispatch.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

namespace platform::dispatch {

void background(std::function<void()> work) {
    QThreadPool::globalInstance()->start(std::move(work));
}

void onMain(QObject* receiver, std::function<void()> work) {
    // Queued on the receiver: Qt drops the call when the receiver dies before it runs.
    QMetaObject::invokeMethod(receiver, std::move(work), Qt::QueuedConnection);
}

void after(int milliseconds, QObject* receiver, std::function<void()> work) {
    QTimer::singleShot(milliseconds, receiver, std::move(work));
}

bool isMainThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

}  // namespace platform::dispatch
