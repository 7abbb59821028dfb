// The harness window at 200 %: its screenshots are left for people to look at, and the one with a
// selected element and the grid is checked against a plain run.
#include <QDir>
#include <gtest/gtest.h>

#include "model/CardPictures.h"
#include "support/TestEnvironment.h"
#include "views/canvas/HandleDrawing.h"

TEST(CanvasHarnessTest, ScreenshotAtDoubleZoomShowsGridAndHandles)
{
    const QDir artifacts(QStringLiteral(ZOVA_CANVAS_ARTIFACT_DIR));
    artifacts.mkpath(QStringLiteral("."));
    const auto screenshot = [&artifacts](const QString& name, const QStringList& options) {
        const QString path = artifacts.filePath(name);
        QFile::remove(path);
        const auto result = TestEnvironment::run(QStringLiteral(ZOVA_CANVAS_HARNESS),
                                                 QStringList{"--zoom", "200", "--screenshot", path} + options);
        EXPECT_EQ(result.exitCode, 0) << result.err.constData();
        return QImage(path);
    };
    const QImage plain = screenshot("harness-200-plain.png", {});
    const QImage shot = screenshot("harness-200.png", {"--select", "0", "--grid"});
    ASSERT_FALSE(plain.isNull());
    ASSERT_EQ(shot.size(), plain.size());
    // Three cards of 243 x 154 points side by side at twice their size.
    EXPECT_GE(shot.width(), 3 * 486);
    EXPECT_GE(shot.height(), 308);

    const QRgb knob =
        paintedAt72Dpi({40, 40}, 1, [](QPainter& p) { drawHandleInView(p, QPointF(20, 20), false); }).pixel(20, 20);
    // Grid lines are a neutral grey, whether drawn sharp or smoothed onto the white card.
    const auto isGridGrey = [](QRgb p) {
        return std::abs(qRed(p) - qGreen(p)) <= 2 && std::abs(qGreen(p) - qBlue(p)) <= 2 && std::abs(qRed(p) - 180) <= 60;
    };
    int gridGain = 0, knobGain = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            gridGain += int(isGridGrey(shot.pixel(x, y))) - int(isGridGrey(plain.pixel(x, y)));
            knobGain += int(shot.pixel(x, y) == knob) - int(plain.pixel(x, y) == knob);
        }
    }
    EXPECT_GT(gridGain, 2000) << "grid lines over the cards";
    // Eight squares of 16 x 16 pixels at this zoom, partly hidden by neighbours at most.
    EXPECT_GT(knobGain, 8 * 100) << "handles";
}
