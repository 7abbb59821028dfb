// Image-view geometry, picture sizes in points, previews of picture files, and turns, mirrors,
// flips and borders, with ImageMagick as the oracle.
#include <QAbstractFileIconProvider>
#include <QFile>
#include <QDataStream>
#include <QIcon>
#include <QPixmap>
#include <numeric>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

#include "model/PictureFile.h"
#include "photos/ImageGeometry.h"
#include "photos/ImageOperations.h"
#include "photos/PhotoTestSupport.h"
#include "photos/PicturePreview.h"
#include "platform/PictureReading.h"

namespace {

TEST(ImageGeometry, RatiosAndDrawnRectanglesAreYUp)
{
    const auto drawn = [](QSizeF picture, int scaling, int alignment = ImageAlignCenter) {
        return scaledImageRect(picture, ImageViewLayout{QRectF(2, 2, 200, 200), scaling, alignment});
    };
    const ImageViewLayout view{QRectF(2, 2, 200, 200), ImageScaleProportionallyDown, ImageAlignCenter};
    EXPECT_EQ(imageRatio(QSizeF(400, 300), view), QSizeF(0.5, 0.5));
    EXPECT_EQ(imageRatio(QSizeF(100, 50), view), QSizeF(1, 1));  // never enlarged
    EXPECT_EQ(imageRatio(QSizeF(600, 600), view).width(), double(float(200.0 / 600)));  // single-precision minimum
    EXPECT_EQ(drawn(QSizeF(400, 300), ImageScaleProportionallyDown), QRectF(2, 27, 200, 150));
    EXPECT_EQ(drawn(QSizeF(100, 50), ImageScaleProportionallyUpOrDown), QRectF(2, 52, 200, 100));
    EXPECT_EQ(drawn(QSizeF(100, 50), ImageScaleAxesIndependently), QRectF(2, 2, 200, 200));
    EXPECT_EQ(drawn(QSizeF(100, 50), 7), QRectF(52, 77, 100, 50));  // unknown scaling: none
    EXPECT_EQ(drawn(QSizeF(0.5, 50), ImageScaleProportionallyDown), QRectF(0, 0, 0, 0));
    EXPECT_EQ(drawn(QSizeF(100, 50), ImageScaleNone, 9), QRectF(2, 2, 0, 0));
    // x 0 / 50 / 100 and y 0 / 75 / 150 for left / centre / right and bottom / centre / top.
    const QPointF origins[] = {{52, 77}, {52, 152}, {2, 152}, {102, 152}, {2, 77}, {52, 2}, {2, 2}, {102, 2}, {102, 77}};
    for (int alignment = 0; alignment < 9; ++alignment)
        EXPECT_EQ(drawn(QSizeF(100, 50), ImageScaleNone, alignment), QRectF(origins[alignment], QSizeF(100, 50)));
}

class PictureFiles : public ::testing::Test {
protected:
    ImageMagickOracle magick;

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(magick.path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
    }
};

TEST_F(PictureFiles, PointSizesFromPixelsResolutionAndPdfFactor)
{
    QImage picture = flat(Qt::green, {600, 400});
    picture.setDevicePixelRatio(2.0);  // 300 x 200 points
    const QString pdf = write("card.pdf", "%PDF-1.4\n1 0 obj\n<<>>\nendobj\ntrailer\n<<>>\n%%EOF\n");
    EXPECT_EQ(originalImage(picture, QString()).deviceIndependentSize(), QSizeF(600, 400));
    EXPECT_EQ(originalImage(picture, pdf).deviceIndependentSize(), QSizeF(1500, 1000));
    const ImageViewLayout view{QRectF(0, 0, 300, 300), ImageScaleProportionallyDown, ImageAlignCenter};
    EXPECT_EQ(originalImageRatio(picture, QString(), view), QSizeF(0.5, 0.5));
    picture.setDevicePixelRatio(0.5);  // fewer pixels than points: the points count
    EXPECT_EQ(originalImage(picture, QString()).deviceIndependentSize(), QSizeF(1200, 800));

    QImage photo(600, 300, QImage::Format_RGB32);
    EXPECT_EQ(setDPI(photo, 300).deviceIndependentSize(), QSizeF(144, 72));
    EXPECT_NEAR(photo.dotsPerMeterX() * 0.0254, 300, 0.05);
    EXPECT_EQ(normalizeSize(photo).deviceIndependentSize(), QSizeF(600, 300));
}

TEST_F(PictureFiles, ThumbnailsAreAtMostTheWidthAndUprightAsImageMagickMakesThem)
{
    // ImageMagick's photo with its top-left quarter red, given an EXIF orientation in an APP1
    // segment (1 upright, 3 half turn, 6 and 8 quarter turns).
    const auto photo = [&](const QString& name, int w, int h, int orientation) {
        // Big-endian TIFF: one entry, tag 0x0112, type SHORT, count 1, the value's low byte at 29.
        QByteArray exif("\xFF\xE1\0\x22" "Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\0\0\0\0\0\0\0", 36);
        exif[29] = char(orientation);
        const QString draw = QString("rectangle 0,0 %1,%2").arg(w / 2 - 1).arg(h / 2 - 1);
        magick.convert({"-size", QString("%1x%2").arg(w).arg(h), "xc:blue", "-fill", "red", "-draw", draw, name});
        QFile file(magick.path(name));
        return file.open(QIODevice::ReadOnly) ? write(name, file.readAll().insert(2, exif)) : QString();
    };
    for (int orientation : {1, 3, 6, 8}) {
        const QString name = QString("photo-%1.jpg").arg(orientation), theirs = QString("theirs-%1.png").arg(orientation);
        const QImage ours = Thimbnail_Using_CG_Image(photo(name, 4000, 3000, orientation), QSizeF(500, 500));
        ASSERT_EQ(magick.convert({name, "-auto-orient", "-thumbnail", "500x500", theirs}), 0);
        const QImage reference(magick.path(theirs));
        ASSERT_EQ(ours.size(), reference.size()) << orientation;
        for (QPoint probe : {QPoint(20, 20), QPoint(ours.width() - 20, 20), QPoint(20, ours.height() - 20)})
            EXPECT_EQ(ours.pixelColor(probe).red() > 128, reference.pixelColor(probe).red() > 128) << orientation;
        // A box that is not square holds the upright picture, however the file stores it.
        const QString boxed = QString("boxed-%1.png").arg(orientation);
        ASSERT_EQ(magick.convert({name, "-auto-orient", "-thumbnail", "120x76", boxed}), 0);
        EXPECT_EQ(readPictureFitted(magick.path(name), QSize(120, 76)).size(), QImage(magick.path(boxed)).size())
            << orientation;
    }
    EXPECT_EQ(imageWithPreviewOfFileAtPath(magick.path("photo-1.jpg"), QSizeF(100, 10), true).size(), QSize(100, 75));
    EXPECT_EQ(Thimbnail_Using_CG_Image(photo("small.jpg", 200, 100, 1), QSizeF(500, 500)).size(), QSize(200, 100));
}

TEST_F(PictureFiles, PalettePicturesShrinkInTrueColourAsImageMagickShrinksThem)
{
    // One-pixel black and white checks with a palette of those two: shrunk they are a flat grey,
    // which a shrink within the palette speckles with black and white again.
    for (const char* type : {"Palette", "Bilevel"}) {
        const QString checks = QString("checks-%1.png").arg(type), theirs = QString("theirs-%1.png").arg(type);
        ASSERT_EQ(magick.convert({"-size", "400x300", "pattern:gray50", "-type", type, checks}), 0);
        ASSERT_EQ(magick.convert({checks, "-thumbnail", "100x100", theirs}), 0);
        EXPECT_LE(largestDifference(readPicturePreview(magick.path(checks), 100), QImage(magick.path(theirs))), 12)
            << type;
    }
}

TEST_F(PictureFiles, ALargePalettePictureIsShrunkWhileItIsReadNotDecodedWhole)
{
    // 8000 x 8000 pixels of two colours in a small file: read whole and turned to true colour it
    // would hold 320 MB for a 160-pixel thumbnail, eight times over on the library's threads.
    const QString huge = magick.path("huge-palette.png");
    TestEnvironment::runPython(R"(
import sys, struct, zlib
chunk = lambda kind, body: struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
side = 8000
squeeze = zlib.compressobj(9)
data = b''.join(squeeze.compress(b'\0' + b'\1' * side) for _ in range(side)) + squeeze.flush()
header = chunk(b'IHDR', struct.pack('>IIBBBBB', side, side, 8, 3, 0, 0, 0))
palette = chunk(b'PLTE', bytes([255, 255, 255, 0x30, 0x60, 0xc0]))
open(sys.argv[1], 'wb').write(b'\x89PNG\r\n\x1a\n' + header + palette + chunk(b'IDAT', data) + chunk(b'IEND', b''))
)", {huge});
    ASSERT_TRUE(QFile::exists(huge));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long before = usage.ru_maxrss;
    const QImage thumbnail = readPicturePreview(huge, 160);
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT((usage.ru_maxrss - before) / 1024, 128) << "megabytes held";
    ASSERT_EQ(thumbnail.size(), QSize(160, 160));
    EXPECT_EQ(thumbnail.pixelColor(80, 80), QColor(0x30, 0x60, 0xc0));
}

TEST_F(PictureFiles, OnlyRegularFilesWithinTheAllocationLimitAreRead)
{
    const QString fifo = magick.path("pipe.png"), link = magick.path("zero.png");
    ASSERT_TRUE(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 && QFile::link("/dev/zero", link));
    for (const QString& path : {fifo, link, magick.path(""), magick.path("missing.png"), QString()})
        EXPECT_TRUE(Thimbnail_Using_CG_Image(path, QSizeF(500, 500)).isNull()) << path.toStdString();

    // White PNGs of side x side pixels that compress to a few hundred kilobytes: 10000 x 10000
    // would take 400 MB; 4000 x 4000 (64 MB) is within the limit.
    const QString huge = magick.path("huge.png"), large = magick.path("large.png");
    TestEnvironment::runPython(R"(
import sys, struct, zlib
chunk = lambda kind, body: struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
for path, side in zip(sys.argv[1::2], map(int, sys.argv[2::2])):
    squeeze = zlib.compressobj(1)
    data = b''.join(squeeze.compress(b'\0' + b'\xff' * (3 * side)) for _ in range(side)) + squeeze.flush()
    header = chunk(b'IHDR', struct.pack('>IIBBBBB', side, side, 8, 2, 0, 0, 0))
    open(path, 'wb').write(b'\x89PNG\r\n\x1a\n' + header + chunk(b'IDAT', data) + chunk(b'IEND', b''))
)", {huge, "10000", large, "4000"});
    ASSERT_TRUE(QFile::exists(huge) && QFile::exists(large));
    EXPECT_TRUE(readPicturePreview(huge).isNull());
    EXPECT_EQ(Thimbnail_Using_CG_Image(large, QSizeF(500, 500)).size(), QSize(500, 500));
    // A regular file without a readable picture shows as its icon, which exists on the GUI thread only.
    struct OneIcon : QAbstractFileIconProvider {
        QIcon icon(const QFileInfo&) const override
        {
            QPixmap square(16, 16);
            square.fill(Qt::darkGray);
            return QIcon(square);
        }
    } icons;
    setPreviewIconProvider(&icons);
    for (const QString& path : {huge, write("notes.txt", "not a picture")})
        EXPECT_EQ(Thimbnail_Using_CG_Image(path, QSizeF(64, 64)).size(), QSize(64, 64)) << path.toStdString();
    QImage offGuiThread;
    std::thread([&] { offGuiThread = Thimbnail_Using_CG_Image(huge, QSizeF(64, 64)); }).join();
    EXPECT_TRUE(offGuiThread.isNull());
    setPreviewIconProvider(nullptr);
}

// Qt shrinks a BMP after decoding it whole: both the picture and its true-colour copy must fit
// the reading budget (256 MB), or the picture is refused before any of it is decoded. Black
// pictures of side x side pixels, their pixels a hole in the file.
TEST_F(PictureFiles, APictureShrunkAfterDecodingIsReadOnlyWhenItsCopiesFitTheBudget)
{
    const auto blackBmp = [&](const QString& name, int side) {
        QFile file(magick.path(name));
        const quint32 pixelBytes = quint32(side) * quint32(side) * 3;  // rows of a side divisible by 4 need no padding
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        QDataStream out(&file);
        out.setByteOrder(QDataStream::LittleEndian);
        out << quint16(0x4D42) << quint32(54 + pixelBytes) << quint32(0) << quint32(54) << quint32(40) << qint32(side)
            << qint32(side) << quint16(1) << quint16(24) << quint32(0) << quint32(pixelBytes) << qint32(2835)
            << qint32(2835) << quint32(0) << quint32(0);
        return file.resize(54 + qint64(pixelBytes)) ? file.fileName() : QString();
    };
    // 7000 x 7000 pixels decode to 196 MB and their copy to as much again; 5000 x 5000 to 100 MB.
    const QString large = blackBmp("large.bmp", 7000), smaller = blackBmp("smaller.bmp", 5000);
    ASSERT_FALSE(large.isEmpty() || smaller.isEmpty());
    EXPECT_EQ(pictureFileSize(large), QSize(7000, 7000));
    EXPECT_TRUE(readPictureFitted(large, QSize(120, 76)).isNull());
    const QImage thumbnail = readPictureFitted(smaller, QSize(120, 76));
    ASSERT_EQ(thumbnail.size(), QSize(76, 76));
    EXPECT_EQ(thumbnail.pixel(38, 38), qRgb(0, 0, 0));
}

// Smooth in both directions and different along each, so any wrong turn or mirror shows.
QImage gradient(int w, int h)
{
    QImage picture(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            picture.setPixel(x, y, qRgb(x * 255 / (w - 1), y * 255 / (h - 1), 128));
    return picture;
}

TEST(ImageOperations, MirrorsFlipsAndTurnsEqualImageMagick)
{
    ImageMagickOracle magick;
    const QImage picture = gradient(300, 200);
    const QStringList flop{"-flop"}, flip{"-flip"}, half{"-rotate", "180"}, left{"-rotate", "-90"}, right{"-rotate", "90"};
    const std::pair<QImage, QStringList> cases[] = {
        {Create_Mirror_Image_With_CG_Image(picture, false), flop}, {Flip_Horz_Mirror_Image(picture), flop},
        {Create_Mirror_Image_With_CG_Image(picture, true), flip}, {flipImageVertically(picture), flip},
        {flipImage(picture), half}, {image_rotate_using_cg_context_method(picture), half},
        {imageRotatedByDegrees_Angle(picture, 90, QRectF(0, 0, 9, 9)), half},  // always a half turn
        {imageRotated(picture, -180), half}, {imageRotated(picture, 360), {}},
        // Positive angles turn counter-clockwise as seen; ImageMagick's turn clockwise.
        {imageRotated(picture, 90), left}, {imageRotated(picture, 450), left},
        {imageRotated(picture, -90), right}, {imageRotated(picture, 270), right}};
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(largestDifference(cases[i].first, magick.apply(picture, cases[i].second)), 0) << "case " << i;
    // Each call answers its own result: without a picture, null, never the picture of the call before.
    EXPECT_TRUE(Create_Mirror_Image_With_CG_Image(QImage(), false).isNull());
    EXPECT_TRUE(imageRotatedByDegrees_Angle(QImage(), 180, QRectF()).isNull());

    // On its own page the quarter-turned picture shows its middle, cut at top and bottom.
    const QImage onPage = image_rotate_using_cg_context_method_With_Angle(picture, 90);
    EXPECT_EQ(largestDifference(onPage.copy(50, 0, 200, 200), imageRotated(picture, 90).copy(0, 50, 200, 200)), 0);
    EXPECT_EQ(qAlpha(onPage.pixel(10, 100)) + qAlpha(onPage.pixel(290, 100)), 0);

    // Other angles turn onto a square of max(w, h) + 20 with the picture centred.
    const QImage tilted = imageRotated(picture, 45);
    ASSERT_EQ(tilted.size(), QSize(320, 320));
    EXPECT_TRUE(colourIs(tilted, {160, 160}, picture.pixelColor(150, 100), 2));
    EXPECT_EQ(qAlpha(tilted.pixel(2, 2)), 0);  // corners lie outside the turned picture
}

TEST(ImageOperations, BorderDashesRunFromTheBottomLeftAndHalfTheLineShows)
{
    const QImage blue = flat(Qt::blue, {200, 60});
    const std::pair<const char*, QList<int>> kinds[] = {{"S", {}}, {"DA", {8, 2}}, {"DO", {4, 6}}, {"DD", {24, 10, 6, 10}},
                                                        {"DDD", {24, 8, 8, 8, 8, 8}}, {"dotted", {}}, {"", {}}};
    for (const auto& [style, dashes] : kinds) {
        const QImage bordered = image_Drawing_with_border(blue, 4, style, Qt::red);
        // The bottom row from x = 2 to w - 2 (the sides cover the ends) as B for border and . for
        // picture, and the same from the dash lengths, starting at the left.
        QString row, expected;
        const int period = std::accumulate(dashes.begin(), dashes.end(), 0);
        for (int x = 2; x < 198; ++x) {
            int position = period ? x % period : 0, index = 0;
            while (period && position >= dashes[index])
                position -= dashes[index++];
            expected += index % 2 == 0 ? 'B' : '.';
            row += bordered.pixelColor(x, 59) == QColor(Qt::red) ? 'B' : '.';
        }
        EXPECT_EQ(row, expected) << style;
        EXPECT_EQ(bordered.pixelColor(100, 58), bordered.pixelColor(100, 59)) << style;
        EXPECT_EQ(bordered.pixelColor(100, 57), QColor(Qt::blue)) << style;  // only half the width shows
    }
}

}  // namespace
