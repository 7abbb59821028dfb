// One crop from a picture file to the written file: the pixels against ImageMagick's -crop at full
// size, the formats the extensions ask for, faces, given sizes, and pictures that cannot be read.
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "photos/FaceDetector.h"
#include "photos/PictureCrop.h"
#include "platform/PictureReading.h"
#include "PhotoTestSupport.h"
#include "support/TestEnvironment.h"

namespace {

// Answers one box (y up, in the pixels of the picture it is shown), or none.
class FixedFaceDetector : public FaceDetector {
public:
    explicit FixedFaceDetector(std::optional<QRectF> box) : m_box(box) {}
    std::optional<QRectF> firstFace(const QImage& picture) override
    {
        searchedSize = picture.size();
        return m_box;
    }
    QSize searchedSize;

private:
    std::optional<QRectF> m_box;
};

QImage noisePicture(QSize size, quint32 seed)
{
    QImage picture(size, QImage::Format_RGB32);
    QRandomGenerator noise(seed);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] = noise.generate() | 0xff000000u;
    }
    return picture;
}

std::string identify(const QString& path)
{
    return QString::fromLatin1(
        TestEnvironment::run(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%m %wx%h"), path})
            .out)
        .toStdString();
}

// Finds the red part of a red and blue picture: its bounding box, y up.
class RedPartDetector : public FaceDetector {
public:
    std::optional<QRectF> firstFace(const QImage& picture) override
    {
        QRect red;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (const QColor c = picture.pixelColor(x, y); c.red() > 200 && c.blue() < 60)
                    red |= QRect(x, y, 1, 1);
        if (red.isEmpty())
            return std::nullopt;
        return QRectF(red.x(), picture.height() - red.bottom() - 1, red.width(), red.height());
    }
};

CropRequest selection(const QString& source, const QString& target, QRectF rect, QSizeF view)
{
    CropRequest request;
    request.source = source;
    request.target = target;
    request.selectionInView = rect;
    request.viewSize = view;
    return request;
}

}  // namespace

// A JPEG, of which only the area is decoded, gives the pixels ImageMagick's decoder gives.
TEST(PictureCrop, AFullResolutionCropOfAFileEqualsImageMagicksCrop)
{
    QTemporaryDir work;
    const QString original = work.filePath(QStringLiteral("original.jpg"));
    ASSERT_TRUE(noisePicture(QSize(4000, 3000), 11).save(original, "JPEG", 90));
    FixedFaceDetector none(std::nullopt);
    // Shown at a quarter of its size: (100, 200, 250, 300) y up is 1000 x 1200 at (400, 1000) from the top.
    const QString ours = work.filePath(QStringLiteral("Badge.png"));
    const CropResult result = cropPictureFile(selection(original, ours, QRectF(100, 200, 250, 300), QSizeF(1000, 750)), none);
    ASSERT_TRUE(result.written) << result.error.toStdString();
    EXPECT_EQ(result.target, ours);
    EXPECT_EQ(result.pixels, QRect(400, 1000, 1000, 1200));
    const QString theirs = work.filePath(QStringLiteral("theirs.png"));
    ASSERT_EQ(TestEnvironment::run(QStringLiteral("convert"),
                                   {original, QStringLiteral("-crop"), QStringLiteral("1000x1200+400+1000"),
                                    QStringLiteral("+repage"), theirs})
                  .exitCode,
              0);
    const auto compared = TestEnvironment::run(QStringLiteral("compare"),
        {QStringLiteral("-metric"), QStringLiteral("AE"), ours, theirs, QStringLiteral("null:")});
    EXPECT_EQ(QString::fromLatin1(compared.err).trimmed(), "0");
    EXPECT_EQ(identify(ours), "PNG 1000x1200");
}

TEST(PictureCrop, EachExtensionGetsItsFormatAndASelectionPastThePictureIsCutToIt)
{
    QTemporaryDir work;
    const QString original = work.filePath(QStringLiteral("photo.png"));
    ASSERT_TRUE(noisePicture(QSize(400, 300), 3).save(original));
    FixedFaceDetector none(std::nullopt);
    const QRectF halfView(20, 30, 100, 50);  // shown at half size: (40, 60, 200, 100) of the picture
    for (const auto& [extension, format] : {std::pair{"jpg", "JPEG"}, std::pair{"bmp", "BMP3"},
                                            std::pair{"png", "PNG"}, std::pair{"tiff", "TIFF"}, std::pair{"tif", "TIFF"}}) {
        const QString target = work.filePath(QStringLiteral("out.") + extension);
        const CropResult result = cropPictureFile(selection(original, target, halfView, QSizeF(200, 150)), none);
        ASSERT_TRUE(result.written) << extension << ": " << result.error.toStdString();
        EXPECT_EQ(identify(target), std::string(format) + " 200x100") << extension;
    }
    // A selection left over from a larger picture reaches past this one: only the picture's part is cut.
    const QString cut = work.filePath(QStringLiteral("cut.png"));
    const CropResult past = cropPictureFile(selection(original, cut, QRectF(150, 100, 200, 200), QSizeF(200, 150)), none);
    ASSERT_TRUE(past.written);
    EXPECT_EQ(past.pixels, QRect(300, 0, 100, 100));
    EXPECT_EQ(identify(cut), "PNG 100x100");
    EXPECT_EQ(QImage(cut).pixel(0, 0), QImage(original).pixel(300, 0));
    // A selection wholly off the picture, or dragged to nothing, writes nothing and is no error.
    const QString nothing = work.filePath(QStringLiteral("nothing.png"));
    for (const QRectF& rect : {QRectF(250, 10, 20, 20), QRectF(20, 30, 0, 50)}) {
        const CropResult empty = cropPictureFile(selection(original, nothing, rect, QSizeF(200, 150)), none);
        EXPECT_FALSE(empty.written);
        EXPECT_TRUE(empty.error.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(nothing));
}

// A photo stored on its side (EXIF orientation 6) is cut from its upright picture.
TEST(PictureCrop, ATurnedPhotoIsCutUpright)
{
    QTemporaryDir work;
    const QString stored = work.filePath(QStringLiteral("stored.jpg")), photo = work.filePath(QStringLiteral("photo.jpg"));
    // 400 x 300 stored with its top-left quarter red: upright it is 300 x 400, red at the top right.
    ASSERT_EQ(TestEnvironment::run(QStringLiteral("convert"), {QStringLiteral("-size"), QStringLiteral("400x300"),
        QStringLiteral("xc:blue"), QStringLiteral("-fill"), QStringLiteral("red"), QStringLiteral("-draw"),
        QStringLiteral("rectangle 0,0 199,149"), stored}).exitCode, 0);
    QFile in(stored), out(photo);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly));
    QByteArray exif("\xFF\xE1\0\x22" "Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0", 36);
    out.write(in.readAll().insert(2, exif));
    out.close();
    FixedFaceDetector none(std::nullopt);
    // The upper half of the right half, y up: (150, 200, 150, 200) on a view the picture's size.
    const QString target = work.filePath(QStringLiteral("cut.png"));
    const CropResult result = cropPictureFile(selection(photo, target, QRectF(150, 200, 150, 200), QSizeF(300, 400)), none);
    ASSERT_TRUE(result.written) << result.error.toStdString();
    EXPECT_EQ(result.pixels, QRect(150, 0, 150, 200));
    const QImage cut(target);
    EXPECT_EQ(cut.size(), QSize(150, 200));
    EXPECT_GT(QColor(cut.pixel(75, 100)).red(), 200);
    EXPECT_LT(QColor(cut.pixel(75, 100)).blue(), 60);
}

TEST(PictureCrop, AMissingOrUndecodablePictureAnswersAnErrorAndWritesNothing)
{
    QTemporaryDir work;
    const QString garbage = work.filePath(QStringLiteral("garbage.jpg"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture at all");
    file.close();
    const QString target = work.filePath(QStringLiteral("out.png"));
    for (const QString& source : {work.filePath(QStringLiteral("missing.png")), garbage, work.path()}) {
        for (int method : {0, 1, 2}) {
            FixedFaceDetector face(QRectF(1, 1, 5, 5));
            CropRequest request = selection(source, target, QRectF(0, 0, 10, 10), QSizeF(10, 10));
            request.method = method;
            request.givenSize = QSizeF(10, 10);
            const CropResult result = cropPictureFile(request, face);
            EXPECT_FALSE(result.written);
            EXPECT_EQ(result.error.toStdString(), unreadablePictureMessage(source).toStdString()) << method;
        }
    }
    EXPECT_FALSE(QFile::exists(target));
}

TEST(PictureCrop, TheFaceIsSearchedOnAPreviewAndCutFromTheFullPicture)
{
    QTemporaryDir work;
    const QString original = work.filePath(QStringLiteral("portrait.png"));
    const QImage picture = noisePicture(QSize(2000, 1000), 5);
    ASSERT_TRUE(picture.save(original));
    // On the 500 x 250 preview the face is (100, 50, 40, 50) y up: (400, 200, 160, 200) of the picture,
    // grown by 50 % to (360, 150, 240, 300), rows 1000 - 450 = 550 from the top.
    FixedFaceDetector detector(QRectF(100, 50, 40, 50));
    CropRequest request;
    request.source = original;
    request.target = work.filePath(QStringLiteral("face.png"));
    request.method = CropRequest::Face;
    request.faceExtensionPercent = 50;
    const CropResult result = cropPictureFile(request, detector);
    ASSERT_TRUE(result.written);
    EXPECT_EQ(detector.searchedSize, QSize(500, 250));
    EXPECT_EQ(result.pixels, QRect(360, 550, 240, 300));
    EXPECT_EQ(QImage(request.target), picture.copy(360, 550, 240, 300).convertToFormat(QImage(request.target).format()));

    FixedFaceDetector nobody(std::nullopt);
    request.target = work.filePath(QStringLiteral("noface.png"));
    const CropResult missed = cropPictureFile(request, nobody);
    EXPECT_TRUE(missed.noFace);
    EXPECT_FALSE(missed.written);
    EXPECT_TRUE(missed.error.isEmpty());
    EXPECT_FALSE(QFile::exists(request.target));
}

TEST(PictureCrop, AGivenSizeScalesTheWholePictureAndAdjustmentsComeBeforeTheCut)
{
    QTemporaryDir work;
    const QString original = work.filePath(QStringLiteral("halves.png"));
    QImage picture(400, 200, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < 200; ++y)
        for (int x = 200; x < 400; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));
    ASSERT_TRUE(picture.save(original));
    FixedFaceDetector none(std::nullopt);
    CropRequest request = selection(original, work.filePath(QStringLiteral("exact.png")), {}, {});
    request.method = CropRequest::GivenSize;
    request.givenSize = QSizeF(300, 300);
    ASSERT_TRUE(cropPictureFile(request, none).written);
    EXPECT_EQ(identify(request.target), "PNG 300x300");
    request.keepProportions = true;
    request.target = work.filePath(QStringLiteral("kept.png"));
    ASSERT_TRUE(cropPictureFile(request, none).written);
    EXPECT_EQ(identify(request.target), "PNG 300x150");
    // Mirrored left to right, the left half shown is the blue one.
    request = selection(original, work.filePath(QStringLiteral("left.png")), QRectF(0, 0, 100, 100), QSizeF(200, 100));
    request.adjustments._isFlippedHorizontally = true;
    ASSERT_TRUE(cropPictureFile(request, none).written);
    const QImage left(request.target);
    EXPECT_EQ(left.size(), QSize(200, 200));
    EXPECT_EQ(QColor(left.pixel(100, 100)), QColor(Qt::blue));
}

// A flip or a turn moves the face: it is searched on the picture as adjusted, the one it is cut from.
TEST(PictureCrop, TheFaceIsSearchedOnThePictureAsAdjusted)
{
    QTemporaryDir work;
    QImage halves(800, 400, QImage::Format_RGB32);
    halves.fill(Qt::blue);
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x)
            halves.setPixel(x, y, qRgb(255, 0, 0));
    const QString leftRed = work.filePath(QStringLiteral("left-red.png"));
    ASSERT_TRUE(halves.save(leftRed));
    const QString topRed = work.filePath(QStringLiteral("top-red.png"));
    ASSERT_TRUE(halves.transformed(QTransform().rotate(90)).scaled(800, 400).save(topRed));
    RedPartDetector detector;
    CropRequest request;
    request.method = CropRequest::Face;

    // Mirrored, the red half is the right one: 400 x 400 of the picture, all of it red.
    request.source = leftRed;
    request.target = work.filePath(QStringLiteral("flipped.png"));
    request.adjustments._isFlippedHorizontally = true;
    CropResult result = cropPictureFile(request, detector);
    ASSERT_TRUE(result.written) << result.error.toStdString();
    EXPECT_EQ(result.pixels, QRect(400, 0, 400, 400));
    QImage written(request.target);
    EXPECT_EQ(written.size(), QSize(400, 400));
    for (const QPoint at : {QPoint(5, 5), QPoint(200, 200), QPoint(394, 394)})
        EXPECT_TRUE(colourIs(written, at, Qt::red, 2)) << "mirrored";

    // Red above, turned a quarter: the red half lies on one side and the cut takes that side.
    request.source = topRed;
    request.target = work.filePath(QStringLiteral("turned.png"));
    request.adjustments = PictureSettings();
    request.adjustments.rotate_image = 90;
    result = cropPictureFile(request, detector);
    ASSERT_TRUE(result.written) << result.error.toStdString();
    written = QImage(request.target);
    EXPECT_NEAR(written.width(), 400, 8);
    EXPECT_NEAR(written.height(), 400, 8);
    for (const QPoint at : {QPoint(20, 20), QPoint(written.width() / 2, written.height() / 2),
                            QPoint(written.width() - 20, written.height() - 20)})
        EXPECT_TRUE(colourIs(written, at, Qt::red, 40)) << "turned, at " << at.x() << "," << at.y();
}
