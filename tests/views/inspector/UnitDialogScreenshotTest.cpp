// A picture of the unit dialog as a person sees it: on a real X server under a window manager,
// which draws the title bar that the dialog's width must leave room for.
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/Units.h"
#include "support/WindowFrame.h"
#include "views/inspector/Unit_PrefWindow.h"

namespace {

TEST(UnitDialogScreenshot, TheDialogWithItsTitleBar)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server and a window manager: ctest runs this under with-display.sh --wm";
    Unit_PrefWindow dialog;
    dialog.selectUnit(kUnitCentimetre);
    // The window manager frames the window after it is mapped.
    const QMargins frame = showFramed(dialog);
    ASSERT_GT(frame.top(), 0);

    const QDir artifacts(QStringLiteral(ZOVA_INSPECTOR_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    EXPECT_TRUE(grabFramed(dialog, frame).save(artifacts.filePath(QStringLiteral("unit-dialog.png"))));
}

}  // namespace
