// The selection canvas as a widget over a shown picture: real mouse and key events in y-down
// widget points reach the y-up selectors, and the rectangle and its handles are painted where the
// user dragged them.
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include "views/photos/SelectionCanvasWidget.h"

namespace {

// A 320 x 280 picture view showing a 240 x 240 picture in its centre, the canvas over it.
struct PictureWithCanvas {
    QLabel view;
    SelectionCanvasWidget* canvas;

    PictureWithCanvas()
    {
        QImage picture(QStringLiteral("/usr/lib/python3/dist-packages/skimage/data/astronaut.png"));
        if (picture.isNull()) {
            picture = QImage(240, 240, QImage::Format_RGB32);
            picture.fill(QColor(120, 140, 110));
        }
        picture = picture.scaled(240, 240);
        view.setFixedSize(320, 280);
        view.setAlignment(Qt::AlignCenter);
        view.setPixmap(QPixmap::fromImage(picture));
        canvas = new SelectionCanvasWidget(&view);
        ImageViewLayout layout;
        layout.scaling = ImageScaleProportionallyDown;
        layout.alignment = ImageAlignCenter;
        canvas->arrangeOver(picture.size(), layout);
    }

    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(canvas, Qt::LeftButton, modifiers, from);
        QTest::mouseMove(canvas, to);
        QTest::mouseRelease(canvas, Qt::LeftButton, modifiers, to);
    }
};

}  // namespace

TEST(SelectionCanvasWidget, MouseAndKeysActOnTheSelectionOverThePicture)
{
    PictureWithCanvas shown;
    SelectionCanvasWidget& canvas = *shown.canvas;
    EXPECT_EQ(canvas.geometry(), QRect(40, 20, 240, 240));
    EXPECT_EQ(canvas.model().canvasFrame(), QRectF(40, 20, 240, 240));

    // Dragged down and right from (20, 30): in the canvas's y-up points from (20, 210) to (120, 90).
    shown.drag(QPoint(20, 30), QPoint(120, 150));
    ASSERT_EQ(canvas.model().selectors().size(), 1);
    const Selector* s = canvas.model().selectors().front();
    EXPECT_EQ(s->frame(), QRectF(20, 90, 100, 120));
    EXPECT_EQ(canvas.toWidget(s->frame()), QRectF(20, 30, 100, 120));

    // Painted where it was dragged: the handle's blue on the top-left corner, the tint inside.
    const QImage painted = canvas.grab().toImage();
    const QColor handle = painted.pixelColor(20, 30);
    EXPECT_GT(handle.blue(), 150);
    EXPECT_LT(handle.red(), 60);
    EXPECT_EQ(painted.pixelColor(200, 220).alpha(), 0);
    EXPECT_GT(painted.pixelColor(70, 90).alpha(), 0);

    // Ctrl-drag from inside up past the top: a new selector, clamped at the picture's top edge.
    shown.drag(QPoint(150, 200), QPoint(200, -50), Qt::ControlModifier);
    ASSERT_EQ(canvas.model().selectors().size(), 1);
    s = canvas.model().selectors().front();
    EXPECT_EQ(canvas.toWidget(s->frame()), QRectF(150, 0, 50, 200));

    QTest::keyClick(&canvas, Qt::Key_Escape);
    EXPECT_FALSE(s->isSelected());
    QTest::keyClick(&canvas, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(s->isSelected());
    QTest::keyClick(&canvas, Qt::Key_Delete);
    EXPECT_FALSE(canvas.model().hasSelectors());
}

TEST(SelectionCanvasScreenshots, ASelectionWithItsHandlesOverAPhoto)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    const QDir artifacts(QStringLiteral(ZOVA_PHOTOS_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    PictureWithCanvas shown;
    shown.view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shown.view));
    shown.drag(QPoint(70, 40), QPoint(170, 160));
    ASSERT_TRUE(shown.canvas->model().hasSelectors());
    const QImage shot = shown.view.grab().toImage();
    EXPECT_TRUE(shot.save(artifacts.filePath(QStringLiteral("selection-canvas.png"))));
}
