// Large 16-bit PNGs read within the readers' bounds on each road a user takes: as a card side's
// background, as a thumbnail and whole. Their rows stored with the Paeth filter cost a decoder the
// most; each file is decoded once. A 16-bit picture holds no more than its 8-bit twin: held at
// 8 bytes a pixel, one of over 32 million pixels once passed the read limit and gave nothing.
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "model/CardBackgroundPicture.h"
#include "model/Card_Property.h"
#include "platform/PictureReading.h"
#include "platform/PngShrinking.h"
#include "support/PngSamples.h"
#include "support/TestEnvironment.h"
#include "support/sanitized/ReaderBounds.h"

namespace {

enum class Road { Background, Thumbnail, Whole };

QImage readOn(Road road, const QString& path)
{
    switch (road) {
    case Road::Background: {
        Card_Property side;
        Set_Card_Background_Picture(side, path);
        return side.Card_BG_Image();
    }
    case Road::Thumbnail:
        return readPicturePreview(path);
    case Road::Whole:
        return readPictureFile(path);
    }
    return QImage();
}

// Every picture below is this colour: samples of two equal bytes come to 8 bits alike however a
// reader rounds.
constexpr QRgb kColour = qRgb(10, 20, 30);
const char* const kRgb16 = "2, 16, %1, bytes([10, 10, 20, 20, 30, 30])";
const char* const kRgba16 = "6, 16, %1, bytes([10, 10, 20, 20, 30, 30, 255, 255])";

QString madePng(const QTemporaryDir& folder, const QString& name, const QSize& size, const QString& arguments)
{
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    const auto made = TestEnvironment::runPython(
        pngSamplesPython()
            + QStringLiteral("import sys\nopen(sys.argv[1], 'wb').write(png_file(%1, %2, %3))\n").arg(size.width()).arg(size.height()).arg(arguments),
        {path});
    EXPECT_EQ(made.exitCode, 0) << made.err.constData();
    EXPECT_LT(QFileInfo(path).size(), 1 << 20);
    return path;
}

void expectAllOfColour(const QImage& picture, const QSize& size)
{
    ASSERT_EQ(picture.size(), size);
    for (const QPoint at : {QPoint(0, 0), QPoint(size.width() / 2, size.height() / 2), QPoint(size.width() - 1, size.height() - 1)})
        EXPECT_EQ(picture.pixel(at), kColour) << at.x() << "," << at.y();
}

struct SixteenBitPng {
    const char* name;
    const char* kind;     // kRgb16 or kRgba16
    bool interlaced;
    const char* options;  // png_file's after the pixel
    QSize file;
    Road road;
    QSize read;  // what the road gives
};

void PrintTo(const SixteenBitPng& png, std::ostream* out) { *out << png.name; }

class SixteenBitPngRead : public testing::TestWithParam<SixteenBitPng> {};

}  // namespace

TEST_P(SixteenBitPngRead, IsDecodedOnceWithinBoundsInItsColour)
{
    const SixteenBitPng png = GetParam();
    QTemporaryDir folder;
    const QString path = madePng(folder, QString::fromLatin1(png.name), png.file,
                                 QString::fromLatin1(png.kind).arg(png.interlaced ? "True" : "False") + png.options);
    QImage picture;
    const qint64 decodings = pngRowDecodings();
    readWithinBounds(QStringLiteral("%1 of 16 bits").arg(png.name), [&] { picture = readOn(png.road, path); });
    EXPECT_EQ(pngRowDecodings() - decodings, 1);
    expectAllOfColour(picture, png.read);
}

INSTANTIATE_TEST_SUITE_P(
    Roads, SixteenBitPngRead,
    testing::Values(
        // Wider than a background may be: shrunk to it, an interlaced one smaller still.
        SixteenBitPng{"background_rgba_paeth_interlaced", kRgba16, true, ", paeth=True", {9000, 1500}, Road::Background, {5469, 911}},
        SixteenBitPng{"background_rgba_paeth", kRgba16, false, ", paeth=True", {9000, 1200}, Road::Background, {8192, 1092}},
        // A transparent colour that no pixel has: read at its own size.
        SixteenBitPng{"background_rgb_transparent_paeth", kRgb16, false, ", paeth=True, transparent=bytes(6)", {8190, 1800},
                      Road::Background, {8190, 1800}},
        SixteenBitPng{"thumbnail_rgba_paeth_interlaced", kRgba16, true, ", paeth=True", {9000, 1500}, Road::Thumbnail, {500, 83}},
        SixteenBitPng{"thumbnail_rgb_transparent_paeth", kRgb16, false, ", paeth=True, transparent=bytes(6)", {8190, 1800},
                      Road::Thumbnail, {500, 109}},
        SixteenBitPng{"whole_rgb_paeth", kRgb16, false, ", paeth=True", {5000, 3000}, Road::Whole, {5000, 3000}},
        // Wider than 16000 pixels, of few pixels.
        SixteenBitPng{"whole_rgb_wide", kRgb16, false, "", {20000, 1000}, Road::Whole, {20000, 1000}},
        SixteenBitPng{"thumbnail_rgba_wide_interlaced", kRgba16, true, "", {16001, 100}, Road::Thumbnail, {500, 3}},
        SixteenBitPng{"whole_rgba_paeth_interlaced", kRgba16, true, ", paeth=True", {5000, 3000}, Road::Whole, {5000, 3000}}),
    [](const testing::TestParamInfo<SixteenBitPng>& info) { return std::string(info.param.name); });

// Whole and as a background, a 16-bit picture gives what its 8-bit twin gives in no more room.
TEST(SixteenBitPictures, TakeNoMoreRoomThanTheirEightBitTwins)
{
    QTemporaryDir folder;
    const QSize size(4000, 3000);
    const struct {
        const char* name;
        QString sixteen, eight;  // png_file's arguments after the size
    } kinds[] = {
        {"rgb", QString::fromLatin1(kRgb16).arg("False"), QStringLiteral("2, 8, False, bytes([10, 20, 30])")},
        {"rgba", QString::fromLatin1(kRgba16).arg("False"), QStringLiteral("6, 8, False, bytes([10, 20, 30, 255])")},
        {"rgba_interlaced", QString::fromLatin1(kRgba16).arg("True"), QStringLiteral("6, 8, True, bytes([10, 20, 30, 255])")},
    };
    for (const auto& kind : kinds) {
        const QString sixteen = madePng(folder, QStringLiteral("%1_16").arg(kind.name), size, kind.sixteen);
        const QString eight = madePng(folder, QStringLiteral("%1_8").arg(kind.name), size, kind.eight);
        for (const Road road : {Road::Whole, Road::Background}) {
            const QString what = QStringLiteral("%1 %2").arg(kind.name, road == Road::Whole ? "whole" : "as a background");
            SCOPED_TRACE(what.toStdString());
            QImage twin, picture;
            readWithinBounds(what + QStringLiteral(" of 8 bits"), [&] { twin = readOn(road, eight); });
            const std::size_t twinPeak = lastReadHeapPeak();
            readWithinBounds(what + QStringLiteral(" of 16 bits"), [&] { picture = readOn(road, sixteen); });
            EXPECT_LE(lastReadHeapPeak(), twinPeak + twinPeak / 10);
            expectAllOfColour(twin, size);
            expectAllOfColour(picture, size);
        }
    }
}

// A 16-bit grey picture is read by Qt's own reader, which holds it at 2 bytes a pixel, half of
// what the row reader's result takes: whole and as a background it costs what that reader costs.
TEST(SixteenBitPictures, GreyCostsWhatQtsOwnReaderCosts)
{
    QTemporaryDir folder;
    const QSize size(4000, 3000);
    const QString path = madePng(folder, QStringLiteral("grey_16"), size, QStringLiteral("0, 16, False, bytes([100, 100])"));
    QImage qts;
    readWithinBounds(QStringLiteral("grey of 16 bits by Qt's reader"), [&] { qts = QImageReader(path).read(); });
    const std::size_t qtsPeak = lastReadHeapPeak();
    ASSERT_EQ(qts.size(), size);
    for (const Road road : {Road::Whole, Road::Background}) {
        const QString what = QStringLiteral("grey of 16 bits %1").arg(road == Road::Whole ? "whole" : "as a background");
        QImage picture;
        readWithinBounds(what, [&] { picture = readOn(road, path); });
        EXPECT_LE(lastReadHeapPeak(), qtsPeak + qtsPeak / 10) << what.toStdString();
        ASSERT_EQ(picture.size(), size);
        EXPECT_EQ(picture.pixel(size.width() - 1, size.height() - 1), qRgb(100, 100, 100));
    }
}
