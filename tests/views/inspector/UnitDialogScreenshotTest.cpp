// A picture of the unit dialog as a person sees it: on a real X server under a window manager,
// which draws the title bar that the dialog's width must leave room for.
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/Units.h"
#include "views/inspector/Unit_PrefWindow.h"

namespace {

// The frame the window manager put round the window (left, right, top, bottom), read from the
// server: Qt learns of a frame only from events that may come before the window manager framed it.
QMargins frameExtents(const QWidget& window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()),
                                           QStringLiteral("_NET_FRAME_EXTENTS")});
    if (!xprop.waitForFinished(5000))
        return {};
    const QRegularExpressionMatch found =
        QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)")).match(QString::fromLatin1(xprop.readAll()));
    if (!found.hasMatch())
        return {};
    return QMargins(found.captured(1).toInt(), found.captured(3).toInt(), found.captured(2).toInt(),
                    found.captured(4).toInt());
}

TEST(UnitDialogScreenshot, TheDialogWithItsTitleBar)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server and a window manager: ctest runs this under with-display.sh --wm";
    Unit_PrefWindow dialog;
    dialog.selectUnit(kUnitCentimetre);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    // The window manager frames the window after it is mapped.
    QMargins frame;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (frame = frameExtents(dialog)).top() > 0; }, 15000))
        << "no window manager drew a title bar";
    QTest::qWait(300);

    const QDir artifacts(QStringLiteral(ZOVA_INSPECTOR_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    const QRect framed = dialog.geometry().marginsAdded(frame).adjusted(-8, -8, 8, 8);
    const QPixmap shot = dialog.screen()->grabWindow(0, framed.x(), framed.y(), framed.width(), framed.height());
    EXPECT_TRUE(shot.save(artifacts.filePath(QStringLiteral("unit-dialog.png"))));
}

}  // namespace
