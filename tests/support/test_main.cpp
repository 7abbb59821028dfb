// Test entry: on the offscreen platform, a QApplication that fails a test making a widget off the
// GUI thread for the suites that drive widgets and a QGuiApplication for the rest, with private
// data and settings folders for the run.
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "support/TestEnvironment.h"
#ifdef ZOVA_TEST_WIDGETS
#include "support/GuiThreadCheckedApplication.h"
using TestApplication = GuiThreadCheckedApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QTemporaryDir dataHome, configHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    qputenv("ZOVA_RESOURCES", ZOVA_TEST_RESOURCE_DIR);
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
