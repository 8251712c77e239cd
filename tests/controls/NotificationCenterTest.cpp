#include "platform/NotificationCenter.h"

#include <QObject>
#include <QStringList>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

using platform::Notification;
using platform::NotificationCenter;

TEST(ANotificationCenter, deliversByNameWithTheUserInfo) {
    NotificationCenter center;
    QObject owner;
    QStringList received;
    int otherCalls = 0;
    center.addObserver(&owner, "FileDragDropNotification", [&](const Notification& n) {
        received = n.userInfo.value("paths").toStringList();
        EXPECT_EQ(n.object, nullptr);
    });
    center.addObserver(&owner, "somethingElse", [&](const Notification&) { ++otherCalls; });

    center.post("FileDragDropNotification", nullptr, {{"paths", QStringList{"/a.jpg", "/b.jpg"}}});

    EXPECT_EQ(received, (QStringList{"/a.jpg", "/b.jpg"}));
    EXPECT_EQ(otherCalls, 0);
}

TEST(ANotificationCenter, runsObserversInTheOrderTheyWereAdded) {
    NotificationCenter center;
    QObject first, second;
    QStringList order;
    center.addObserver(&first, "n", [&](const Notification&) { order << "first"; });
    center.addObserver(&second, "n", [&](const Notification&) { order << "second"; });
    center.post("n");
    EXPECT_EQ(order, (QStringList{"first", "second"}));
}

TEST(ANotificationCenter, forgetsAnObserverWhenItsOwnerDies) {
    NotificationCenter center;
    int calls = 0;
    {
        QObject owner;
        center.addObserver(&owner, "n", [&](const Notification&) { ++calls; });
        EXPECT_EQ(center.observerCount(), 1);
    }
    EXPECT_EQ(center.observerCount(), 0);
    center.post("n");
    EXPECT_EQ(calls, 0);
}

TEST(ANotificationCenter, removesOneNameOrEverythingOfAnOwner) {
    NotificationCenter center;
    QObject owner;
    int a = 0, b = 0;
    center.addObserver(&owner, "a", [&](const Notification&) { ++a; });
    center.addObserver(&owner, "b", [&](const Notification&) { ++b; });

    center.removeObserver(&owner, "a");
    center.post("a");
    center.post("b");
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);

    center.removeObserver(&owner);
    center.post("b");
    EXPECT_EQ(b, 1);
    EXPECT_EQ(center.observerCount(), 0);
}

TEST(ANotificationCenter, skipsAnObserverWhoseOwnerAnEarlierHandlerDeleted) {
    NotificationCenter center;
    QObject first;
    auto second = std::make_unique<QObject>();
    int secondCalls = 0;
    center.addObserver(&first, "n", [&](const Notification&) { second.reset(); });
    center.addObserver(second.get(), "n", [&](const Notification&) { ++secondCalls; });
    center.post("n");
    EXPECT_EQ(secondCalls, 0);
}

TEST(ANotificationCenter, letsAHandlerPostAndAddObservers) {
    NotificationCenter center;
    QObject owner;
    int inner = 0;
    center.addObserver(&owner, "outer", [&](const Notification&) {
        center.addObserver(&owner, "inner", [&](const Notification&) { ++inner; });
        center.post("inner");
    });
    center.post("outer");
    EXPECT_EQ(inner, 1);
}

TEST(ANotificationCenter, deliversOnThePostingThread) {
    NotificationCenter center;
    QObject owner;
    QThread* handlerThread = nullptr;
    center.addObserver(&owner, "n", [&](const Notification&) { handlerThread = QThread::currentThread(); });
    std::unique_ptr<QThread> worker(QThread::create([&] { center.post("n"); }));
    worker->start();
    ASSERT_TRUE(worker->wait(10000));
    EXPECT_EQ(handlerThread, worker.get());
}

TEST(ANotificationCenter, ignoresObserversWithoutOwnerOrHandler) {
    NotificationCenter center;
    QObject owner;
    center.addObserver(nullptr, "n", [](const Notification&) {});
    center.addObserver(&owner, "n", nullptr);
    EXPECT_EQ(center.observerCount(), 0);
}
