// A card's background comes from a user's picture file of a few kilobytes that may hold tens of
// millions of pixels: chosen as a side's background, it is read and kept within the readers'
// bounds (one copy of the picture, a PNG larger than a background decoded once, interlaced or not)
// and shows its colour.
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "model/CardBackgroundPicture.h"
#include "model/Card_Property.h"
#include "platform/PngShrinking.h"
#include "support/PngSamples.h"
#include "support/TestEnvironment.h"
#include "support/sanitized/ReaderBounds.h"

namespace {

struct LargeBackground {
    const char* name;
    const char* extension;
    const char* bytes;  // a Python expression giving the file's bytes
    QSize size;          // the background's pixels
    QRgb colour;
    int rowDecodings;    // how many times the PNG row reader decodes the file
};

// Beside png_file, pillow(format, mode, colour, **options): the bytes of an 8000 x 3000 picture of
// one colour.
const QString kPillowPython = QStringLiteral(
    "import io, sys\n"
    "from PIL import Image\n"
    "def pillow(format, mode, colour, **options):\n"
    "    out = io.BytesIO()\n"
    "    Image.new(mode, (8000, 3000), colour).save(out, format, **options)\n"
    "    return out.getvalue()\n");

void PrintTo(const LargeBackground& kind, std::ostream* out) { *out << kind.name; }

class LargeBackgroundKind : public testing::TestWithParam<LargeBackground> {};

}  // namespace

TEST_P(LargeBackgroundKind, IsSetWithinBoundsInItsColour)
{
    const LargeBackground kind = GetParam();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("%1.%2").arg(kind.name, kind.extension));
    const auto made = TestEnvironment::runPython(
        pngSamplesPython() + kPillowPython + QStringLiteral("open(sys.argv[1], 'wb').write(%1)\n").arg(QLatin1String(kind.bytes)),
        {path});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    ASSERT_LT(QFileInfo(path).size(), 1 << 20);
    Card_Property side;
    const qint64 decodings = pngRowDecodings();
    readWithinBounds(QStringLiteral("a background of %1").arg(kind.name), [&] { Set_Card_Background_Picture(side, path); });
    EXPECT_EQ(pngRowDecodings() - decodings, kind.rowDecodings);
    const QImage background = side.Card_BG_Image();
    ASSERT_EQ(background.size(), kind.size);
    // WebP's colours are lossy.
    const QRgb colour = background.pixel(kind.size.width() / 2, kind.size.height() - 1);
    for (const int shift : {24, 16, 8, 0})
        EXPECT_NEAR(int(colour >> shift & 0xff), int(kind.colour >> shift & 0xff), 1) << std::hex << colour;
    EXPECT_EQ(side.Card_fill_style(), QStringLiteral("I"));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LargeBackgroundKind,
    testing::Values(
        LargeBackground{"grey_interlaced", "png", "png_file(9000, 3000, 0, 8, True, bytes([200]))", QSize(3879, 1292),
                        qRgb(200, 200, 200), 1},
        LargeBackground{"rgba_interlaced", "png", "png_file(9000, 3000, 6, 8, True, bytes([10, 20, 30, 255]))",
                        QSize(3879, 1292), qRgb(10, 20, 30), 1},
        LargeBackground{"rgb", "png", "png_file(9000, 2400, 2, 8, False, bytes([10, 20, 30]))", QSize(8192, 2184),
                        qRgb(10, 20, 30), 1},
        // Wider than 16000 pixels, of few pixels.
        LargeBackground{"grey_wide", "png", "png_file(16001, 100, 0, 8, False, bytes([200]))", QSize(8192, 51),
                        qRgb(200, 200, 200), 1},
        LargeBackground{"rgb_wide", "png", "png_file(20000, 1000, 2, 8, False, bytes([10, 20, 30]))", QSize(8192, 409),
                        qRgb(10, 20, 30), 1},
        LargeBackground{"rgb_whole", "png", "png_file(8000, 3000, 2, 8, False, bytes([10, 20, 30]))",
                        QSize(8000, 3000), qRgb(10, 20, 30), 0},
        LargeBackground{"gif", "gif", "pillow('GIF', 'P', 0, palette=bytes([10, 20, 30]))", QSize(8000, 3000), qRgb(10, 20, 30), 0},
        LargeBackground{"webp", "webp", "pillow('WEBP', 'RGB', (10, 20, 30), quality=90)", QSize(8000, 3000), qRgb(10, 20, 30), 0},
        LargeBackground{"tiff", "tif", "pillow('TIFF', 'RGB', (10, 20, 30), compression='tiff_deflate')", QSize(8000, 3000),
                        qRgb(10, 20, 30), 0}),
    [](const testing::TestParamInfo<LargeBackground>& info) { return std::string(info.param.name); });
