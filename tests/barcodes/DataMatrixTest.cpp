// Data Matrix: size and encoding entries, the library fall-backs, symbols read back by ZXingReader,
// and the EPS text rendered by Ghostscript against the raster.
#include <QFile>
#include <algorithm>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "SymbolImages.h"
#include "barcodes/datamatrix/DataMatrixEcc.h"
#include "barcodes/datamatrix/DataMatrixEncoder.h"
#include "barcodes/datamatrix/DataMatrixSymbol.h"

namespace {

constexpr int kEncodingAuto = 0;
constexpr int kEncodingBase256 = 4;

// Renders EPS text with Ghostscript at pixelsPerPoint and returns the page (the bounding box).
QImage renderEps(const QByteArray& eps, int pixelsPerPoint, const QString& folder)
{
    const QString in = folder + QStringLiteral("/symbol.eps");
    const QString out = folder + QStringLiteral("/symbol.png");
    QFile file(in);
    if (!file.open(QIODevice::WriteOnly) || file.write(eps) != eps.size())
        return QImage();
    file.close();
    const auto r = TestEnvironment::run(QStringLiteral("gs"),
                                        {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dEPSCrop"),
                                         QStringLiteral("-sDEVICE=pnggray"),
                                         QStringLiteral("-r%1").arg(72 * pixelsPerPoint), QStringLiteral("-o"), out, in});
    return r.exitCode == 0 ? QImage(out) : QImage();
}

}  // namespace

TEST(DataMatrixEntries, ParseSizesAndEncodings)
{
    EXPECT_EQ(dataMatrixSizeEntries().size(), 31);
    EXPECT_EQ(dataMatrixSizeFromEntry(QStringLiteral("C8X18")).width, 18);
    EXPECT_EQ(dataMatrixSizeFromEntry(QStringLiteral("C8X18")).height, 8);
    EXPECT_EQ(dataMatrixSizeFromEntry(QStringLiteral("Auto")).width, 0);
    EXPECT_EQ(dataMatrixSizeFromEntry(QStringLiteral("C12")).height, 0);
    EXPECT_EQ(dataMatrixEncodingString(QStringLiteral("C40"), 3), "CCC");
    EXPECT_EQ(dataMatrixEncodingString(QStringLiteral("Auto"), 3), "");
}

TEST(DataMatrixDecoding, EverySizeEntryReadsBack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList& sizes = dataMatrixSizeEntries();
    for (int i = 0; i < sizes.size(); ++i) {
        const QString value = i == 0 ? QStringLiteral("ZOVA ID Card") : QStringLiteral("0123");
        QString error;
        const std::optional<ModuleGrid> grid = dataMatrixModuleGrid(value, i, kEncodingAuto, &error);
        ASSERT_TRUE(grid) << sizes[i].toStdString() << ": " << error.toStdString();
        if (i > 0) {
            const DataMatrixSize size = dataMatrixSizeFromEntry(sizes[i]);
            EXPECT_EQ(grid->width, size.width) << sizes[i].toStdString();
            EXPECT_EQ(grid->height, size.height) << sizes[i].toStdString();
        }
        const QString file = dir.filePath(sizes[i] + QStringLiteral(".png"));
        ASSERT_TRUE(symbol_images::gridImage(*grid, 4).save(file));
        EXPECT_EQ(symbol_images::zxingBytes(file, QStringLiteral("DataMatrix")), value.toUtf8())
            << sizes[i].toStdString();
    }
}

TEST(DataMatrixFaults, AutoAndBase256FailuresFallBackToAscii)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // The library's Base256 never finds a size, and its automatic choice fails on some UTF-8 text.
    const struct {
        QString value;
        int encoding;
    } cases[] = {
        {QStringLiteral("hello"), kEncodingBase256},
        {QStringLiteral("O’Brien"), kEncodingAuto},
        {QStringLiteral("12 €"), kEncodingAuto},
    };
    for (const auto& c : cases) {
        QString error;
        const std::optional<ModuleGrid> grid = dataMatrixModuleGrid(c.value, 0, c.encoding, &error);
        ASSERT_TRUE(grid) << c.value.toStdString() << ": " << error.toStdString();
        const QString file = dir.filePath(QStringLiteral("fallback.png"));
        ASSERT_TRUE(symbol_images::gridImage(*grid, 4).save(file));
        EXPECT_EQ(symbol_images::zxingBytes(file, QStringLiteral("DataMatrix")), c.value.toUtf8())
            << c.value.toStdString();
    }
    // What no size holds is refused, not drawn.
    QString error;
    EXPECT_FALSE(dataMatrixModuleGrid(QStringLiteral("too long for ten"), 1, kEncodingAuto, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(dataMatrixModuleGrid(QString(4000, QLatin1Char('7')), 0, kEncodingAuto));
    EXPECT_FALSE(dataMatrixModuleGrid(QString(), 0, kEncodingAuto));
}

TEST(DataMatrixEps, TextLayoutForASmallSymbol)
{
    const std::optional<ModuleGrid> grid = dataMatrixModuleGrid(QStringLiteral("0123"), 0, kEncodingAuto);
    ASSERT_TRUE(grid);
    ASSERT_EQ(grid->width, 10);
    const QByteArray eps = dataMatrixEps(*grid, 2.0, QStringLiteral("0123"));
    const QList<QByteArray> lines = eps.split('\n');
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[0], "%!PS-Adobe-3.0 EPSF-3.0");
    EXPECT_EQ(lines[2], "%%BarcodeData: 0123");
    EXPECT_EQ(lines[3], "%%BarcodeSize: 10x10");
    EXPECT_EQ(lines[8], "%%BoundingBox: 0 0 12 12");
    EXPECT_EQ(lines[11], "10 10 1[1 0 0 1 -1 -1]{<");
    // Ten rows of two bytes and a space, one line, then the trailer.
    EXPECT_EQ(lines[12].size(), 50);
    EXPECT_EQ(lines[12].count(' '), 10);
    EXPECT_TRUE(eps.endsWith(" \n\n>}image\n"));
    // The bottom row of an ECC 200 symbol is solid: its inverted bytes are 00 and 3F (2 spare bits).
    EXPECT_TRUE(lines[12].startsWith("003F "));
}

TEST(DataMatrixEps, GhostscriptDrawsTheSameModulesAsTheRaster)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        QString value;
        int size;
    } cases[] = {{QStringLiteral("0123"), 0}, {QStringLiteral("Card"), 25}, {QStringLiteral("ZOVA"), 15}};
    const int pixelsPerPoint = 4;
    for (const auto& c : cases) {
        const std::optional<ModuleGrid> grid = dataMatrixModuleGrid(c.value, c.size, kEncodingAuto);
        ASSERT_TRUE(grid);
        const QImage page = renderEps(dataMatrixEps(*grid, 1.0, c.value), pixelsPerPoint, dir.path());
        ASSERT_EQ(page.size(), QSize((grid->width + 2) * pixelsPerPoint, (grid->height + 2) * pixelsPerPoint))
            << c.value.toStdString();
        // The raster at the same resolution: 72 dpi per pixel per point.
        const QImage raster = dataMatrixPicture(*grid, 1.0, 72.0 * pixelsPerPoint);
        ASSERT_EQ(raster.size(), page.size());
        int mismatches = 0;
        for (int y = 0; y < grid->height; ++y) {
            for (int x = 0; x < grid->width; ++x) {
                const QPoint centre((x + 1) * pixelsPerPoint + pixelsPerPoint / 2,
                                    (y + 1) * pixelsPerPoint + pixelsPerPoint / 2);
                const bool epsDark = qGray(page.pixel(centre)) < 128;
                const bool rasterDark = qGray(raster.pixel(centre)) < 128 && qAlpha(raster.pixel(centre)) == 255;
                mismatches += (epsDark != grid->isDark(x, y)) + (rasterDark != grid->isDark(x, y));
            }
        }
        EXPECT_EQ(mismatches, 0) << c.value.toStdString();
    }
}

TEST(DataMatrixPicture, RasterSizeAndTransparentMargin)
{
    const std::optional<ModuleGrid> grid = dataMatrixModuleGrid(QStringLiteral("0123"), 0, kEncodingAuto);
    ASSERT_TRUE(grid);
    // 12 points (10 modules and the margin) at 600 dpi, given the size of 10 modules of 2 points.
    const QImage picture = dataMatrixPicture(*grid, 2.0, 600.0);
    EXPECT_EQ(picture.size(), QSize(100, 100));
    EXPECT_NEAR(picture.width() / (picture.dotsPerMeterX() * 0.0254) * 72.0, 20.0, 0.01);
    EXPECT_EQ(qAlpha(picture.pixel(2, 50)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(50, 88)), 255);  // the solid bottom row
}

// The error correction recomputed from the placed data equals the library's where the library is
// right (132 x 132: 8 equal blocks), which is what the 144 x 144 repair relies on.
TEST(DataMatrixEcc, RecomputedEccMatchesTheLibrary)
{
    const int index = int(dataMatrixSizeEntries().indexOf(QStringLiteral("C132X132")));
    const std::optional<ModuleGrid> grid = dataMatrixModuleGrid(QStringLiteral("ZOVA ID Card 2024"), index, kEncodingAuto);
    ASSERT_TRUE(grid);
    const std::vector<int> codewords = dataMatrixCodewords(*grid, 20);
    ASSERT_EQ(codewords.size(), 1304u + 496u);
    const std::vector<int> data(codewords.begin(), codewords.begin() + 1304);
    const std::vector<int> ecc = dataMatrixEcc(data, 8, 62);
    EXPECT_TRUE(std::equal(ecc.begin(), ecc.end(), codewords.begin() + 1304));
    ModuleGrid rewritten = *grid;
    setDataMatrixCodewords(rewritten, 20, codewords);
    EXPECT_EQ(rewritten.dark, grid->dark);
}
