#include "platform/Dispatch.h"
#include "platform/Trash.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <unistd.h>

TEST(TheTrash, containsWhatLiesInTheUsersTrashFoldersAndNothingBesideThem) {
    QTemporaryDir data;
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    const QString trash = data.filePath("Trash");
    QDir().mkpath(trash + "/files/album");
    QDir().mkpath(data.filePath("Photos"));
    QFile::link(trash + "/files/album", data.filePath("Photos/link-into-trash"));
    const QString uid = QString::number(getuid());
    const struct {
        QString path;
        bool inside;
    } rows[] = {
        {trash, true},
        {trash + "/files/album/a.jpg", true},
        {trash + "/files/../files/b.jpg", true},
        {data.filePath("Photos/link-into-trash"), true},
        {data.filePath("Trash2/a.jpg"), false},
        {data.filePath("trash/a.jpg"), false},  // another folder: names are case-sensitive here
        {data.filePath("Photos/a.jpg"), false},
        {"/.Trash-" + uid + "/files/a.jpg", true},
        {"/.Trash/" + uid + "/a.jpg", true},
        {"/.Trash-" + uid + "0/a.jpg", false},
        {QString(), false},
    };
    for (const auto& row : rows) EXPECT_EQ(platform::Trash::contains(row.path), row.inside) << row.path.toStdString();
    EXPECT_TRUE(platform::Trash::trashFolders().contains(trash));
    qputenv("XDG_DATA_HOME", old);
}

TEST(DispatchedWork, reachesTheMainThreadOnlyWhileItsReceiverLives) {
    auto kept = std::make_unique<QObject>();
    auto dropped = std::make_unique<QObject>();
    QStringList ran;
    bool onMainThread = false;
    QThread* worker = QThread::create([&] {
        platform::dispatch::onMain(kept.get(), [&] {
            onMainThread = platform::dispatch::isMainThread();
            ran.append("kept");
        });
        platform::dispatch::onMain(dropped.get(), [&] { ran.append("dropped"); });
    });
    worker->start();
    worker->wait();
    delete worker;
    platform::dispatch::after(0, kept.get(), [&] { ran.append("kept later"); });
    platform::dispatch::after(0, dropped.get(), [&] { ran.append("dropped later"); });
    dropped.reset();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(ran, (QStringList{"kept", "kept later"}));
    EXPECT_TRUE(onMainThread);
}
