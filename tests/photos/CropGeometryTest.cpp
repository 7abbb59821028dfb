// The cropping tool's arithmetic with the worked numbers of its rules, a full-resolution crop
// against ImageMagick's, and faces found (or not) on photographs the project does not ship.
#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "photos/CropGeometry.h"
#include "photos/FaceDetector.h"
#include "support/TestEnvironment.h"

using namespace CropGeometry;

namespace {

const QString kSkimageData = QStringLiteral("/usr/lib/python3/dist-packages/skimage/data/");

}  // namespace

TEST(CropGeometry, SelectionFaceBoxAndGivenSizeFollowTheirRules)
{
    // A picture shown at half its size: the selection (20, 30, 100, 50) is (40, 60, 200, 100) of it.
    EXPECT_EQ(pictureRectOfSelection(QRectF(20, 30, 100, 50), QSizeF(0.5, 0.5)), QRectF(40, 60, 200, 100));
    EXPECT_EQ(pictureRectOfSelection(QRectF(20, 30, 100, 50), QSizeF(0, 0.5)), QRectF());
    // A face of 100 x 120 grown by 50 %: 150 x 180, its centre kept.
    EXPECT_EQ(grownFaceBox(QRectF(200, 100, 100, 120), 50), QRectF(175, 70, 150, 180));
    EXPECT_EQ(grownFaceBox(QRectF(200, 100, 100, 120), 0), QRectF(200, 100, 100, 120));
    // The axis that exceeds the view by more decides: 1000 x 400 in a 500 x 100 view exceeds it by
    // 500 across and 300 down, so 0.5, though 100 / 400 is smaller.
    EXPECT_DOUBLE_EQ(faceBoxScale(QSizeF(500, 100), QSizeF(1000, 400)), 0.5);
    EXPECT_DOUBLE_EQ(faceBoxScale(QSizeF(500, 100), QSizeF(600, 400)), 0.25);
    // Given size: exactly, or fitted inside keeping the proportions.
    EXPECT_EQ(givenSize(QSizeF(100, 100), QSizeF(400, 300), false), QSizeF(100, 100));
    EXPECT_EQ(givenSize(QSizeF(100, 100), QSizeF(400, 300), true), QSizeF(100, 75));
    EXPECT_EQ(givenSize(QSizeF(100, 100), QSizeF(300, 600), true), QSizeF(50, 100));
}

TEST(CropGeometry, PixelsOfAYUpRectangleAreCutToThePicture)
{
    const QSize picture(400, 300);
    // y up: the lowest 50 rows of the picture are rows 250..299 from the top.
    EXPECT_EQ(pixelRectOf(QRectF(10, 0, 100, 50), picture), QRect(10, 250, 100, 50));
    EXPECT_EQ(pixelRectOf(QRectF(-20, 280, 100, 50), picture), QRect(0, 0, 80, 20)) << "cut to the picture";
    EXPECT_EQ(pixelRectOf(QRectF(10.4, 0.2, 20.2, 9.6), picture), QRect(10, 290, 21, 10)) << "every pixel touched";
    EXPECT_TRUE(pixelRectOf(QRectF(500, 10, 50, 50), picture).isEmpty());
}

// The written crop is the picture's own pixels: ImageMagick's -crop of the same area of a 4000 x
// 3000 picture with fine detail gives the same pixels.
TEST(CropGeometry, AFullResolutionCropEqualsImageMagicks)
{
    QTemporaryDir work;
    QImage picture(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator noise(7);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] = noise.generate() | 0xff000000u;
    }
    const QString original = work.filePath(QStringLiteral("original.png"));
    ASSERT_TRUE(picture.save(original));
    // A selection on a view at a quarter of the size, as the tool would hand it over.
    const QRect pixels = pixelRectOf(pictureRectOfSelection(QRectF(100, 200, 250, 300), QSizeF(0.25, 0.25)), picture.size());
    ASSERT_EQ(pixels, QRect(400, 1000, 1000, 1200)) << "rows from the top: 3000 - 800 - 1200";
    const QString ours = work.filePath(QStringLiteral("ours.png"));
    ASSERT_TRUE(picture.copy(pixels).save(ours));
    const QString theirs = work.filePath(QStringLiteral("theirs.png"));
    const auto cropped = TestEnvironment::run(QStringLiteral("convert"),
        {original, QStringLiteral("-crop"), QStringLiteral("1000x1200+400+1000"), QStringLiteral("+repage"), theirs});
    ASSERT_EQ(cropped.exitCode, 0) << cropped.err.constData();
    const auto compared = TestEnvironment::run(QStringLiteral("compare"),
        {QStringLiteral("-metric"), QStringLiteral("AE"), ours, theirs, QStringLiteral("null:")});
    EXPECT_EQ(QString::fromLatin1(compared.err).trimmed(), "0");
}

TEST(FaceDetection, TheAstronautsFaceIsFoundAndTheBrickWallShowsNone)
{
    CascadeFaceDetector detector;
    ASSERT_TRUE(detector.unavailableReason().isEmpty()) << detector.unavailableReason().toStdString();
    const QImage astronaut(kSkimageData + QStringLiteral("astronaut.png"));
    ASSERT_FALSE(astronaut.isNull()) << "python3-skimage's data";
    // The search runs on a preview of at most 500 pixels; the box maps back through the scale.
    const QImage preview = astronaut.scaled(500, 500, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const std::optional<QRectF> face = detector.firstFace(preview);
    ASSERT_TRUE(face);
    const double scale = double(astronaut.width()) / preview.width();
    const QRectF onPicture(face->x() * scale, face->y() * scale, face->width() * scale, face->height() * scale);
    const QRectF crop = grownFaceBox(onPicture, 50);
    const QRectF whole(QPointF(0, 0), QSizeF(astronaut.size()));
    EXPECT_TRUE(crop.contains(onPicture));
    EXPECT_TRUE(whole.contains(crop)) << crop.x() << " " << crop.y() << " " << crop.width() << " " << crop.height();
    // The astronaut's face lies in the upper middle of the picture (y up: above its middle), about
    // a sixth of its width.
    EXPECT_GT(onPicture.center().y(), astronaut.height() / 2.0);
    EXPECT_NEAR(onPicture.center().x(), astronaut.width() * 0.45, astronaut.width() * 0.1);
    EXPECT_GT(onPicture.width(), astronaut.width() / 10.0);
    EXPECT_LT(onPicture.width(), astronaut.width() / 3.0);

    const QImage brick(kSkimageData + QStringLiteral("brick.png"));
    ASSERT_FALSE(brick.isNull());
    EXPECT_FALSE(detector.firstFace(brick));
}
