// A PNG of any kind shrinks while its rows are decoded: each pixel of the result is the average of
// the pixels it covers. Pictures of 8 x 8 blocks of one colour each shrink to one pixel a block,
// which must be the block's colour as Qt reads the whole file; ImageMagick interlaces them.
#include <QFile>
#include <algorithm>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/PictureReading.h"
#include "platform/PngShrinking.h"
#include "support/PngSamples.h"
#include "support/TestEnvironment.h"

namespace {

constexpr int kBlocksAcross = 8, kBlocksDown = 6, kBlock = 8;

QImage blocks(QImage::Format format)
{
    QImage picture(kBlocksAcross * kBlock, kBlocksDown * kBlock, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int n = (y / kBlock) * kBlocksAcross + x / kBlock;
            picture.setPixel(x, y, qRgba(n * 5, 255 - n * 3, n * 37 % 256, 255 - n * 4));
        }
    }
    // Undithered, so that every block stays one colour.
    return picture.convertToFormat(format, Qt::ThresholdDither | Qt::AvoidDither);
}

bool interlaced(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(29).at(28) == 1;
}

}  // namespace

TEST(PngShrinking, EveryKindOfPngShrinksToTheAverageOfWhatEachPixelCovers)
{
    QTemporaryDir folder;
    const struct {
        const char* name;
        QImage::Format format;
        int rounding;
    } kinds[] = {
        {"grey", QImage::Format_Grayscale8, 0},    {"grey-16bit", QImage::Format_Grayscale16, 1},
        {"rgba", QImage::Format_ARGB32, 0},        {"rgba-16bit", QImage::Format_RGBA64, 1},
        {"palette", QImage::Format_Indexed8, 0},   {"mono", QImage::Format_Mono, 0},
    };
    for (const auto& kind : kinds) {
        for (const bool interlace : {false, true}) {
            const QString name = QStringLiteral("%1%2").arg(QLatin1String(kind.name), interlace ? u"-interlaced" : u"");
            SCOPED_TRACE(name.toStdString());
            const QString plain = folder.filePath(QStringLiteral("%1.png").arg(kind.name));
            ASSERT_TRUE(blocks(kind.format).save(plain));
            QString path = plain;
            if (interlace) {
                path = folder.filePath(name + QStringLiteral(".png"));
                ASSERT_EQ(TestEnvironment::run(QStringLiteral("convert"), {plain, "-interlace", "PNG", path}).exitCode, 0);
                ASSERT_TRUE(interlaced(path));
            }
            const QImage whole = QImage(path).convertToFormat(QImage::Format_ARGB32);
            const qint64 decodings = pngRowDecodings();
            const QImage shrunk = readPngShrunk(path, QSize(kBlocksAcross, kBlocksDown), kMaxPicturePixels);
            // Interlaced or not, the file is decoded once.
            EXPECT_EQ(pngRowDecodings() - decodings, 1);
            ASSERT_EQ(shrunk.size(), QSize(kBlocksAcross, kBlocksDown));
            for (int by = 0; by < kBlocksDown; ++by) {
                for (int bx = 0; bx < kBlocksAcross; ++bx) {
                    const QRgb expected = whole.pixel(bx * kBlock + kBlock / 2, by * kBlock + kBlock / 2);
                    const QRgb got = shrunk.pixel(bx, by);
                    // 16 bits come down to 8 by their high byte, where Qt rounds.
                    for (const int shift : {24, 16, 8, 0})
                        EXPECT_NEAR(int(got >> shift & 0xff), int(expected >> shift & 0xff), kind.rounding) << bx << "," << by;
                }
            }
        }
    }
    // Never enlarged, never past the pixels it is given (64 x 48 here), never a shrunk result past
    // 192 MB (7100 x 7100 pixels in true colour); at its own size, which holds nothing beside, up
    // to 256 MB.
    const QString grey = folder.filePath(QStringLiteral("grey.png"));
    EXPECT_TRUE(readPngShrunk(grey, QSize(100, 6), kMaxPicturePixels).isNull());
    EXPECT_TRUE(readPngShrunk(grey, QSize(8, 6), 64 * 48 - 1).isNull());
    EXPECT_EQ(readPngShrunk(grey, QSize(8, 6), 64 * 48).size(), QSize(8, 6));
    const QString large = folder.filePath(QStringLiteral("large.png"));
    ASSERT_EQ(TestEnvironment::runPython(pngSamplesPython() + "import sys\nopen(sys.argv[1], 'wb').write(png_file(7200, 7200, 0, 8, False, bytes([9])))\n",
                                         {large}).exitCode, 0);
    EXPECT_TRUE(readPngShrunk(large, QSize(7100, 7100), kMaxPicturePixels).isNull());
    EXPECT_EQ(readPngShrunk(large, QSize(7000, 7000), kMaxPicturePixels).pixel(6999, 6999), qRgb(9, 9, 9));
    EXPECT_EQ(readPngShrunk(large, QSize(7200, 7200), kMaxPicturePixels).pixel(7199, 7199), qRgb(9, 9, 9));
}

// An interlaced picture under five pixels wide has passes without columns, which libpng skips:
// read whole it is every pixel it was made of, and shrunk to one pixel their average.
TEST(PngShrinking, InterlacedPicturesOneToFourPixelsWideAreRead)
{
    QTemporaryDir folder;
    for (const int width : {1, 2, 3, 4}) {
        for (const int height : {1, 3, 9}) {
            const QString name = QStringLiteral("%1x%2").arg(width).arg(height);
            SCOPED_TRACE(name.toStdString());
            QImage picture(width, height, QImage::Format_RGB32);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x)
                    picture.setPixel(x, y, qRgb(10 + x * 60, 5 + y * 25, (x + y) * 17));
            }
            const QString plain = folder.filePath(name + QStringLiteral(".png"));
            const QString path = folder.filePath(name + QStringLiteral("-interlaced.png"));
            ASSERT_TRUE(picture.save(plain));
            ASSERT_EQ(TestEnvironment::run(QStringLiteral("convert"), {plain, "-interlace", "PNG", path}).exitCode, 0);
            ASSERT_TRUE(interlaced(path));
            const QImage whole = readPngShrunk(path, picture.size(), kMaxPicturePixels);
            ASSERT_EQ(whole.size(), picture.size());
            int sums[3] = {0, 0, 0};
            for (int i = 0; i < width * height; ++i) {
                const QRgb expected = picture.pixel(i % width, i / width);
                EXPECT_EQ(whole.pixel(i % width, i / width), expected) << i;
                sums[0] += qRed(expected), sums[1] += qGreen(expected), sums[2] += qBlue(expected);
            }
            const int count = width * height;
            const QImage one = readPngShrunk(path, QSize(1, 1), kMaxPicturePixels);
            ASSERT_EQ(one.size(), QSize(1, 1));
            EXPECT_EQ(one.pixel(0, 0), qRgb((sums[0] + count / 2) / count, (sums[1] + count / 2) / count, (sums[2] + count / 2) / count));
        }
    }
}

// Only a picture's pixels bound it, as many as a whole read may hold, and a million on a side,
// libpng's own bound: fitted in a box, any shape within them shrinks. A row of 70000 white
// pixels with alpha, more than sums of 32 bits hold, shrinks to one white pixel.
TEST(PngShrinking, PicturesOfAnyShapeShrinkUpToTheirBounds)
{
    QTemporaryDir folder;
    const struct {
        const char* name;
        const char* arguments;  // png_file's
        QSize box;              // and the size of the picture fitted in it
        QRgb colour;            // 0 where there is no picture
    } cases[] = {
        {"wide_grey_alpha", "70000, 1, 4, 8, False, bytes([255, 255])", {1, 1}, qRgb(255, 255, 255)},
        {"tall_grey", "3, 20000, 0, 8, False, bytes([200])", {1, 100}, qRgb(200, 200, 200)},
        {"most_pixels", "65536, 1024, 0, 8, False, bytes([90])", {64, 1}, qRgb(90, 90, 90)},
        {"past_most_pixels", "65537, 1024, 0, 8, False, bytes([90])", {64, 1}, 0},
        {"million_wide", "1000000, 2, 2, 8, False, bytes([10, 20, 30])", {100, 1}, qRgb(10, 20, 30)},
        {"past_a_million", "1000001, 2, 2, 8, False, bytes([10, 20, 30])", {100, 1}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QStringLiteral("%1.png").arg(c.name));
        ASSERT_EQ(TestEnvironment::runPython(pngSamplesPython() + QStringLiteral("import sys\nopen(sys.argv[1], 'wb').write(png_file(%1))\n")
                                                                      .arg(QLatin1String(c.arguments)),
                                             {path}).exitCode, 0);
        const QImage fitted = readPictureFitted(path, c.box);
        // The row reader keeps the bounds when asked alone.
        EXPECT_EQ(readPngShrunk(path, c.box, kMaxPicturePixels).isNull(), c.colour == 0);
        if (c.colour == 0) {
            EXPECT_TRUE(fitted.isNull());
            continue;
        }
        ASSERT_EQ(fitted.size(), c.box);
        EXPECT_EQ(fitted.pixel(c.box.width() - 1, c.box.height() - 1), c.colour);
    }
}

// Rows come in order and are summed a band of the result's rows at a time (262 rows of 1000
// pixels): the rows at each band's edge are written like every other.
TEST(PngShrinking, EveryRowOfTheResultIsWrittenAcrossTheBandsEdges)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("rows.png"));
    QImage picture(2000, 1200, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        std::fill_n(reinterpret_cast<QRgb*>(picture.scanLine(y)), picture.width(), qRgb(y / 2 % 256, 255 - y / 2 % 256, 40));
    ASSERT_TRUE(picture.save(path));
    const QImage shrunk = readPngShrunk(path, QSize(1000, 600), kMaxPicturePixels);
    ASSERT_EQ(shrunk.size(), QSize(1000, 600));
    for (int y = 0; y < shrunk.height(); ++y) {
        for (const int x : {0, 500, 999})
            ASSERT_EQ(shrunk.pixel(x, y), qRgb(y % 256, 255 - y % 256, 40)) << x << "," << y;
    }
}

// A 16-bit PNG in colour is read whole by the row reader, which holds it at 8 bits: every pixel as
// ImageMagick reads it (which rounds where the reader takes the high byte), interlaced or not. One
// of over 32 million pixels, which Qt's reader held past the read limit, is read whole and as a
// background may be.
TEST(PngShrinking, SixteenBitPngsAreReadWholeAsImageMagickReadsThem)
{
    QTemporaryDir folder;
    QImage rgba(40, 30, QImage::Format_RGBA64);
    for (int y = 0; y < rgba.height(); ++y) {
        for (int x = 0; x < rgba.width(); ++x)
            rgba.setPixelColor(x, y, QColor::fromRgba64(x * 1601, y * 2203, (x * y * 977) % 65536, x % 7 == 0 ? 0 : 65535 - y * 1000));
    }
    // ImageMagick keeps 16 bits, in colour, in the formats named.
    const struct {
        const char* name;
        QImage picture;
        QString format;
    } kinds[] = {{"rgba", rgba, "PNG64:"}, {"rgb", rgba.convertToFormat(QImage::Format_RGBX64), "PNG48:"}};
    for (const auto& [name, picture, format] : kinds) {
        for (const bool interlace : {false, true}) {
            const QString path = folder.filePath(QStringLiteral("%1%2.png").arg(name, interlace ? "-interlaced" : ""));
            ASSERT_TRUE(picture.save(path));
            if (interlace) {
                ASSERT_EQ(TestEnvironment::run(QStringLiteral("convert"), {path, "-interlace", "PNG", format + path}).exitCode, 0);
            }
            ASSERT_EQ(interlaced(path), interlace);
            ASSERT_TRUE(pngReadByRows(path)) << path.toStdString();
            const auto theirs = TestEnvironment::run(QStringLiteral("convert"), {path, "-depth", "8", "rgba:-"});
            ASSERT_EQ(theirs.out.size(), qsizetype(picture.width()) * picture.height() * 4) << path.toStdString();
            const QImage ours = readPictureFile(path);
            ASSERT_EQ(ours.size(), picture.size());
            for (int i = 0; i < theirs.out.size() / 4; ++i) {
                const auto* pixel = reinterpret_cast<const uchar*>(theirs.out.constData()) + i * 4;
                const QRgb got = ours.pixel(i % picture.width(), i / picture.width());
                ASSERT_NEAR(qAlpha(got), pixel[3], 1) << path.toStdString() << " pixel " << i;
                if (pixel[3] > 0) {
                    ASSERT_NEAR(qRed(got), pixel[0], 1) << path.toStdString() << " pixel " << i;
                    ASSERT_NEAR(qGreen(got), pixel[1], 1) << path.toStdString() << " pixel " << i;
                    ASSERT_NEAR(qBlue(got), pixel[2], 1) << path.toStdString() << " pixel " << i;
                }
            }
        }
    }
    const QString large = folder.filePath(QStringLiteral("large.png"));
    ASSERT_EQ(TestEnvironment::runPython(pngSamplesPython()
                                             + "import sys\nopen(sys.argv[1], 'wb').write(png_file(6000, 6000, 2, 16, False, "
                                               "bytes([10, 10, 20, 20, 30, 30]), paeth=True))\n",
                                         {large}).exitCode, 0);
    for (const QImage& picture : {readPictureFile(large), readPicturePreview(large, 8192)}) {
        ASSERT_EQ(picture.size(), QSize(6000, 6000));
        EXPECT_EQ(picture.pixel(0, 0), qRgb(10, 20, 30));
        EXPECT_EQ(picture.pixel(5999, 5999), qRgb(10, 20, 30));
    }
}

// Each pixel of the result is the average of those it covers rounded to the nearest, halves up,
// whatever the count and whether the picture has alpha: 25 of 49 pixels at 1 give 1, as do 3 of 6.
TEST(PngShrinking, AveragesRoundHalvesUp)
{
    QTemporaryDir folder;
    const struct {
        const char* name;
        QImage::Format format;
        QSize size;
        int ones;  // the first pixels, row by row, of value 1; the others 0
        QRgb average;
    } cases[] = {
        {"grey", QImage::Format_Grayscale8, {7, 7}, 25, qRgb(1, 1, 1)},
        {"grey_under_half", QImage::Format_Grayscale8, {7, 7}, 24, qRgb(0, 0, 0)},
        {"opaque_rgba", QImage::Format_ARGB32, {1, 6}, 3, qRgb(1, 1, 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QImage picture(c.size, QImage::Format_ARGB32);
        for (int i = 0; i < c.size.width() * c.size.height(); ++i)
            picture.setPixel(i % c.size.width(), i / c.size.width(), i < c.ones ? qRgb(1, 1, 1) : qRgb(0, 0, 0));
        const QString path = folder.filePath(QStringLiteral("%1.png").arg(c.name));
        ASSERT_TRUE(picture.convertToFormat(c.format).save(path));
        const QImage shrunk = readPngShrunk(path, QSize(1, 1), kMaxPicturePixels);
        ASSERT_EQ(shrunk.size(), QSize(1, 1));
        EXPECT_EQ(shrunk.pixel(0, 0), c.average);
    }
}

// A PNG damaged in its pixel data gives no picture, read whole or shrunk, interlaced or not; nor
// does a size without pixels.
TEST(PngShrinking, DamagedPixelDataGivesNoPicture)
{
    QTemporaryDir folder;
    QImage noise(300, 200, QImage::Format_RGB32);
    quint32 state = 7;
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, (state = state * 1664525u + 1013904223u) >> 8);
    }
    const QString plain = folder.filePath(QStringLiteral("plain.png"));
    const QString interlacedPath = folder.filePath(QStringLiteral("interlaced.png"));
    ASSERT_TRUE(noise.save(plain));
    ASSERT_EQ(TestEnvironment::run(QStringLiteral("convert"), {plain, "-interlace", "PNG", interlacedPath}).exitCode, 0);
    for (const QString& path : {plain, interlacedPath}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        EXPECT_FALSE(readPngShrunk(path, QSize(300, 200), kMaxPicturePixels).isNull());
        EXPECT_TRUE(readPngShrunk(path, QSize(), kMaxPicturePixels).isNull());
        QByteArray flipped = bytes;
        flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x10);
        for (const QByteArray& damaged : {bytes.left(bytes.size() * 3 / 5), flipped}) {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(damaged) == damaged.size());
            file.close();
            EXPECT_TRUE(readPngShrunk(path, QSize(300, 200), kMaxPicturePixels).isNull()) << path.toStdString() << " " << damaged.size();
            EXPECT_TRUE(readPngShrunk(path, QSize(30, 20), kMaxPicturePixels).isNull()) << path.toStdString() << " " << damaged.size();
        }
    }
}
