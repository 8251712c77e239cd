#include <QApplication>
#include <QByteArray>

#include <gtest/gtest.h>

// Widget tests need a QApplication; they must also run on machines without a display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("LumarindTests");
    QCoreApplication::setApplicationName("LumarindTests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
