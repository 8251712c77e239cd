#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/UserDefaults.h"

using platform::UserDefaults;

TEST(TheUserDefaults, separateRegisteredDefaultsFromStoredValues) {
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath("defaults.conf"));
    defaults.registerDefaults({{"phonenumber", ""}, {"isFirstTime", "yes"}});
    EXPECT_FALSE(defaults.contains("isFirstTime"));
    EXPECT_EQ(defaults.string("isFirstTime"), "yes");
    defaults.setValue("isFirstTime", "no");
    EXPECT_TRUE(defaults.contains("isFirstTime"));
    EXPECT_EQ(defaults.string("isFirstTime"), "no");
    EXPECT_FALSE(defaults.boolValue("isFirstTime"));
    defaults.remove("isFirstTime");
    EXPECT_EQ(defaults.string("isFirstTime"), "yes");
}

TEST(TheUserDefaults, keepBytesAcrossInstances) {
    QTemporaryDir dir;
    const QByteArray bytes("{\"a\":1}\x00\xff", 9);
    {
        UserDefaults defaults(dir.filePath("defaults.conf"));
        defaults.setValue("PROJECT_SESSION", bytes);
        EXPECT_TRUE(defaults.synchronize());
    }
    UserDefaults again(dir.filePath("defaults.conf"));
    EXPECT_EQ(again.data("PROJECT_SESSION"), bytes);
    EXPECT_FALSE(again.contains("notShowPromotionWindow"));
}

// Copies kept aside within one second each get a name of their own: none replaces the one before it.
TEST(TheUserDefaults, keepEveryCopyMadeInTheSameSecond) {
    QTemporaryDir dir;
    const QString path = dir.filePath("defaults.conf");
    UserDefaults defaults(path);
    defaults.setClock([] { return QDateTime(QDate(2020, 2, 29), QTime(23, 59, 58)); });
    const QString kept = dir.filePath("defaults-unreadable-20200229-235958");
    QStringList copies;
    for (const QByteArray& content : {QByteArray("[General]\nfirst=1\n"), QByteArray("[General]\nsecond=2\n")}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        copies.append(defaults.keepCopy());
        QFile copy(copies.last());
        EXPECT_TRUE(copy.open(QIODevice::ReadOnly) && copy.readAll() == content) << copies.last().toStdString();
    }
    EXPECT_EQ(copies, QStringList({kept + ".conf", kept + "-2.conf"}));
    QFile first(copies.first());
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), QByteArray("[General]\nfirst=1\n")) << "the earlier copy is as it was";
}
