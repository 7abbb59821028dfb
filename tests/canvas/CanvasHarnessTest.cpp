// The harness window at 200 %: its screenshot is left for people to look at, and checked for the
// grid and the handles of the selected element against a plain run.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "canvas/view/HandleDrawing.h"
#include "support/TestEnvironment.h"

namespace {

const QString kArtifacts = QStringLiteral(ZOVA_CANVAS_ARTIFACT_DIR);

QImage harnessScreenshot(const QString& name, const QStringList& options)
{
    QDir().mkpath(kArtifacts);
    const QString path = QDir(kArtifacts).filePath(name);
    QFile::remove(path);
    const auto result = TestEnvironment::run(QStringLiteral(ZOVA_CANVAS_HARNESS),
                                             options + QStringList{QStringLiteral("--screenshot"), path});
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    return QImage(path);
}

// The fill of an unlocked handle square as the canvas draws it.
QRgb knobColour()
{
    QImage probe(40, 40, QImage::Format_RGB32);
    probe.fill(Qt::white);
    QPainter painter(&probe);
    drawHandleInView(painter, QPointF(20, 20), false);
    painter.end();
    return probe.pixel(20, 20);
}

template <typename Test>
int countPixels(const QImage& image, Test test)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += test(image.pixel(x, y));
    return count;
}

// Grid lines are a neutral grey, whether drawn sharp or smoothed onto the white card.
bool isGridGrey(QRgb pixel)
{
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    return std::abs(r - g) <= 2 && std::abs(g - b) <= 2 && r >= 120 && r <= 240;
}

} // namespace

TEST(CanvasHarnessTest, ScreenshotAtDoubleZoomShowsGridAndHandles)
{
    const QStringList zoom{QStringLiteral("--zoom"), QStringLiteral("200")};
    const QImage plain = harnessScreenshot(QStringLiteral("harness-200-plain.png"), zoom);
    const QImage shot = harnessScreenshot(
        QStringLiteral("harness-200.png"),
        zoom + QStringList{QStringLiteral("--select"), QStringLiteral("0"), QStringLiteral("--grid")});
    ASSERT_FALSE(plain.isNull());
    ASSERT_FALSE(shot.isNull());
    // Three cards of 243 x 154 points side by side at twice their size.
    EXPECT_GE(shot.width(), 3 * 486);
    EXPECT_GE(shot.height(), 308);
    ASSERT_EQ(shot.size(), plain.size());

    const int gridGain = countPixels(shot, isGridGrey) - countPixels(plain, isGridGrey);
    EXPECT_GT(gridGain, 2000) << "grid lines over the cards";

    const QRgb knob = knobColour();
    const auto isKnob = [knob](QRgb pixel) { return pixel == knob; };
    // Eight squares of 16 x 16 pixels at this zoom, partly hidden by neighbours at most.
    EXPECT_GT(countPixels(shot, isKnob) - countPixels(plain, isKnob), 8 * 100) << "handles";
}
