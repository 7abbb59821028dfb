// Test entry: a QApplication on the offscreen platform, and private data and settings folders for
// the run.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "support/TestEnvironment.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QTemporaryDir dataHome, configHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    qputenv("ZOVA_RESOURCES", ZOVA_TEST_RESOURCE_DIR);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
