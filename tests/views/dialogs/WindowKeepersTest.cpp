// The keepers the application installs on itself: a dialog shown alone is as wide as its title,
// and a window that grows past its screen, or is placed past it, is moved back onto it.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

#include "views/dialogs/WholeTitles.h"
#include "views/dialogs/WindowKeepers.h"

TEST(WindowKeepers, AWindowStaysWholeOnItsScreenHoweverItGrowsOrIsPlaced)
{
    installWindowKeepers(*qApp);
    QDialog window;
    window.setWindowTitle(QStringLiteral("Series from Spreadsheet Columns"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("OK?")));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_GE(window.width(), widthForTitle(window));

    // Each case: where the window is asked to go, relative to the screen's free area, and what
    // holds of where it ends.
    const QRect area = window.screen()->availableGeometry();
    const int w = area.width(), h = area.height();
    const auto at = [&](int x, int y, int width, int height) { return QRect(x, y, width, height).translated(area.topLeft()); };
    struct Case {
        const char* what;
        QRect asked;
        std::function<bool(const QRect& frame, const QRect& inner)> holds;
    };
    for (const Case& c : {
             Case{"grown past the bottom", at(100, 50, 400, h),
                  [&](const QRect& frame, const QRect& inner) { return frame.top() == area.top() && inner.x() == area.x() + 100; }},
             Case{"grown past the right", at(w - 300, 20, 400, 200),
                  [&](const QRect& frame, const QRect& inner) { return frame.right() == area.right() && inner.y() == area.y() + 20; }},
             Case{"past both", at(w - 100, h - 100, 300, 300),
                  [&](const QRect& frame, const QRect&) { return frame.bottomRight() == area.bottomRight(); }},
             Case{"wider than the screen", at(50, 40, w + 100, 200),
                  [&](const QRect& frame, const QRect& inner) { return frame.left() == area.left() && inner.y() == area.y() + 40; }},
             Case{"within", at(30, 40, 400, 200), [&](const QRect&, const QRect& inner) { return inner == at(30, 40, 400, 200); }},
         }) {
        SCOPED_TRACE(c.what);
        window.setGeometry(c.asked);
        EXPECT_TRUE(c.holds(window.frameGeometry(), window.geometry()))
            << "frame " << window.frameGeometry().x() << ", " << window.frameGeometry().y() << " "
            << window.frameGeometry().width() << " x " << window.frameGeometry().height();
    }
}
