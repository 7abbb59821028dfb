// Pictures come from users: thumbnails, previews and whole pictures of mutated PNG (true colour
// and palette) and JPEG files, and of PNG files of every kind holding far more pixels than bytes,
// are read or refused within the readers' bounds, never crash.
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

#include "platform/PictureReading.h"
#include "support/PngSamples.h"
#include "support/TestEnvironment.h"
#include "support/sanitized/ReaderBounds.h"

namespace {

std::mt19937 rng(20250219);
int below(int n) { return std::uniform_int_distribution<int>(0, std::max(0, n - 1))(rng); }

QByteArray encoded(const QImage& picture, const char* format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format, quality);
    return bytes;
}

QImage sample(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x + y) % 256));
    }
    return picture;
}

// Mostly the header and the first chunks, where sizes, colour types and palettes stand.
QByteArray mutate(QByteArray bytes)
{
    for (int i = 1 + below(3); i > 0 && !bytes.isEmpty(); --i) {
        const int at = below(2) == 0 ? below(std::min(int(bytes.size()), 64)) : below(int(bytes.size()));
        switch (below(4)) {
        case 0: bytes[at] = char(below(256)); break;
        case 1: bytes[at] = char(bytes[at] ^ (1 << below(8))); break;
        case 2: bytes.insert(at, char(below(256))); break;
        default: bytes.truncate(at); break;
        }
    }
    return bytes;
}

}  // namespace

TEST(PictureMutationTest, MutatedPicturesGiveThumbnailsWithinBounds)
{
    QTemporaryDir folder;
    const QImage picture = sample(48, 32);
    // A palette picture of 8000 x 4000 pixels packs into some kilobytes: its thumbnail must not
    // cost the whole picture.
    QImage hugePalette(8000, 4000, QImage::Format_Indexed8);
    hugePalette.setColorTable({qRgb(0, 0, 0), qRgb(200, 30, 30)});
    hugePalette.fill(1);
    const QList<QByteArray> seeds = {encoded(picture, "PNG"), encoded(picture.convertToFormat(QImage::Format_Indexed8), "PNG"),
                                     encoded(picture, "JPEG", 80), encoded(picture.convertToFormat(QImage::Format_ARGB32), "PNG"),
                                     encoded(hugePalette, "PNG")};
    ASSERT_LT(seeds.last().size(), 1 << 20);
    const QString path = folder.filePath(QStringLiteral("picture"));

    int pictures = 0;
    for (int round = 0; round < 700; ++round) {
        const bool plain = round < int(seeds.size());
        const QByteArray bytes = plain ? seeds[round] : mutate(seeds[below(int(seeds.size()) - 1)]);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        readWithinBounds(QStringLiteral("picture %1").arg(round), [&] {
            pictures += !readPictureFitted(path, QSize(120, 76)).isNull();
            pictures += !readPicturePreview(path).isNull();
            picturePreviewSize(path);
            pictureFileSize(path);
            if (round % 4 == 0)
                pictures += !readPictureData(bytes).isNull();
        });
    }
    // The huge palette picture's thumbnail, too, within its bounds.
    readWithinBounds(QStringLiteral("an 8000 x 4000 palette picture"), [&] {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(seeds.last()) == seeds.last().size());
        file.close();
        readPictureFitted(path, QSize(120, 76));
    });
    EXPECT_GT(pictures, 100);
}

// Every kind of PNG shrinks within the bounds while its rows are decoded, however many pixels a
// small file holds: grey of 1, 8 and 16 bits, grey with alpha, true colour with alpha of 8 and 16
// bits and palette, interlaced or not. A thumbnail and the covering read of a card's picture at
// 600 dpi come out the file's colour. One kind a test, so that they run side by side.
struct LargePng {
    const char* name;
    const char* arguments;  // png_file's after the size
    QRgb colour;
};

class LargePngKind : public testing::TestWithParam<LargePng> {};

TEST_P(LargePngKind, ShrinksWithinBounds)
{
    const LargePng kind = GetParam();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("%1.png").arg(kind.name));
    const auto made = TestEnvironment::runPython(
        pngSamplesPython() + QStringLiteral("import sys\nopen(sys.argv[1], 'wb').write(png_file(8190, 4095, %1))\n").arg(kind.arguments),
        {path});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    ASSERT_LT(QFileInfo(path).size(), 1 << 20);
    const auto expectColour = [&](const QImage& picture, const QSize& size) {
        ASSERT_EQ(picture.size(), size);
        EXPECT_EQ(picture.pixel(size.width() / 2, size.height() - 1), kind.colour);
    };
    readWithinBounds(QStringLiteral("a thumbnail of %1").arg(kind.name),
                     [&] { expectColour(readPictureFitted(path, QSize(120, 76)), QSize(120, 60)); });
    readWithinBounds(QStringLiteral("a card's picture at 600 dpi of %1").arg(kind.name),
                     [&] { expectColour(readPictureCovering(path, QSize(2022, 1275)), QSize(2550, 1275)); });
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LargePngKind,
    testing::Values(LargePng{"grey", "0, 8, False, bytes([200])", qRgb(200, 200, 200)},
                    LargePng{"grey_1bit", "0, 1, False, bytes([255])", qRgb(255, 255, 255)},
                    LargePng{"grey_16bit", "0, 16, False, bytes([200, 200])", qRgb(200, 200, 200)},
                    LargePng{"grey_alpha_interlaced", "4, 8, True, bytes([90, 255])", qRgb(90, 90, 90)},
                    LargePng{"rgba_interlaced", "6, 8, True, bytes([10, 20, 30, 255])", qRgb(10, 20, 30)},
                    LargePng{"rgba_16bit", "6, 16, False, bytes([10, 10, 20, 20, 30, 30, 255, 255])", qRgb(10, 20, 30)},
                    LargePng{"palette_interlaced", "3, 8, True, bytes([0]), palette=bytes([40, 50, 60])", qRgb(40, 50, 60)}),
    [](const testing::TestParamInfo<LargePng>& info) { return std::string(info.param.name); });

// PNGs that one of the readers took wrong come out as their files hold them: a 16-bit true-colour
// picture with a transparent colour read at its own size (Qt's reader scrambled its pixels), an
// interlaced picture one pixel high, shrunk (its end was taken for damage), and thumbnails of
// pictures of few pixels over 16000 wide (refused for their side).
TEST(PictureMutationTest, PngsOnceReadWrongComeOutAsTheirFilesHoldThem)
{
    QTemporaryDir folder;
    const QString transparent = folder.filePath(QStringLiteral("transparent16.png"));
    const QString flat = folder.filePath(QStringLiteral("flat.png"));
    const QString wideGrey = folder.filePath(QStringLiteral("wide_grey.png"));
    const QString wideRgb = folder.filePath(QStringLiteral("wide_rgb.png"));
    // Samples of two equal bytes come to 8 bits alike however a reader rounds.
    const auto made = TestEnvironment::runPython(
        pngSamplesPython()
            + QStringLiteral(
                "import sys\n"
                "chunk = lambda kind, data: struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))\n"
                "rows = [[(0x1212, 0x5656, 0x9a9a), (0xffff, 0, 0), (0, 0xffff, 0)], [(0x8080, 0x8080, 0x8080), (0x1212, 0x5656, 0x9a9a), (0xfefe, 0x0f0f, 0)]]\n"
                "raw = b''.join(b'\\0' + b''.join(struct.pack('>HHH', *p) for p in row) for row in rows)\n"
                "open(sys.argv[1], 'wb').write(b'\\x89PNG\\r\\n\\x1a\\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 3, 2, 16, 2, 0, 0, 0))\n"
                "    + chunk(b'tRNS', struct.pack('>HHH', 0x1212, 0x5656, 0x9a9a)) + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))\n"
                "open(sys.argv[2], 'wb').write(png_file(9000, 1, 0, 8, True, bytes([77])))\n"
                "open(sys.argv[3], 'wb').write(png_file(16001, 100, 0, 8, False, bytes([200])))\n"
                "open(sys.argv[4], 'wb').write(png_file(20000, 1000, 2, 8, False, bytes([10, 20, 30])))\n"),
        {transparent, flat, wideGrey, wideRgb});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();

    QImage whole, shrunk, wideGreyThumbnail, wideRgbThumbnail;
    readWithinBounds(QStringLiteral("PNGs once read wrong"), [&] {
        whole = readPictureFile(transparent);
        shrunk = readPictureFitted(flat, QSize(120, 76));
        wideGreyThumbnail = readPicturePreview(wideGrey);
        wideRgbThumbnail = readPicturePreview(wideRgb);
    });
    ASSERT_EQ(whole.size(), QSize(3, 2));
    // The transparent colour's pixels are wholly transparent, whatever colour they then have.
    const QList<QRgb> pixels = {qRgba(0, 0, 0, 0),      qRgb(255, 0, 0),   qRgb(0, 255, 0),
                                qRgb(0x80, 0x80, 0x80), qRgba(0, 0, 0, 0), qRgb(0xfe, 0x0f, 0)};
    for (int i = 0; i < pixels.size(); ++i)
        EXPECT_EQ(whole.pixel(i % 3, i / 3), pixels[i]) << i;
    ASSERT_EQ(shrunk.size(), QSize(120, 1));
    EXPECT_EQ(shrunk.pixel(60, 0), qRgb(77, 77, 77));
    ASSERT_EQ(wideGreyThumbnail.size(), QSize(500, 3));
    EXPECT_EQ(wideGreyThumbnail.pixel(499, 2), qRgb(200, 200, 200));
    ASSERT_EQ(wideRgbThumbnail.size(), QSize(500, 25));
    EXPECT_EQ(wideRgbThumbnail.pixel(499, 24), qRgb(10, 20, 30));
}
