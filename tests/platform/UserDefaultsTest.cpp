#include <gtest/gtest.h>

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
