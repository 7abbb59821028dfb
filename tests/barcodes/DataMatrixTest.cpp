// Data Matrix: every size entry and the library fall-backs read back by ZXingReader, the EPS text
// rendered by Ghostscript against the raster, and the recomputed error correction.
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

#include "SymbolTools.h"
#include "barcodes/datamatrix/DataMatrixEcc.h"
#include "barcodes/datamatrix/DataMatrixEncoder.h"
#include "barcodes/datamatrix/DataMatrixSymbol.h"

namespace {
constexpr int kEncodingAuto = 0;
constexpr int kEncodingBase256 = 4;

QByteArray readBack(const ModuleGrid& grid, const QString& file)
{
    return symbol_tools::readBack(grid, file, QStringLiteral("DataMatrix"), 4).bytes;
}
}  // namespace

TEST(DataMatrixDecoding, EverySizeEntryReadsBack)
{
    const DataMatrixSize rectangle = dataMatrixSizeFromEntry(QStringLiteral("C8X18"));
    EXPECT_EQ(QSize(rectangle.width, rectangle.height), QSize(18, 8));
    EXPECT_EQ(dataMatrixEncodingString(QStringLiteral("C40"), 3), "CCC");
    QTemporaryDir dir;
    const QStringList& sizes = dataMatrixSizeEntries();
    for (int i = 0; i < sizes.size(); ++i) {
        SCOPED_TRACE(sizes[i].toStdString());
        const QString value = i == 0 ? QStringLiteral("ZOVA ID Card") : QStringLiteral("0123");
        QString error;
        const std::optional<ModuleGrid> grid = dataMatrixModuleGrid(value, i, kEncodingAuto, &error);
        ASSERT_TRUE(grid) << error.toStdString();
        const DataMatrixSize size = dataMatrixSizeFromEntry(sizes[i]);
        if (i > 0) {
            EXPECT_EQ(QSize(grid->width, grid->height), QSize(size.width, size.height));
        }
        EXPECT_EQ(readBack(*grid, dir.filePath(sizes[i] + QStringLiteral(".png"))), value.toUtf8());
    }
}

TEST(DataMatrixFaults, AutoAndBase256FailuresFallBackToAscii)
{
    QTemporaryDir dir;
    // The library's Base256 never finds a size, and its automatic choice fails on some UTF-8 text.
    const struct { QString value; int encoding; } cases[] = {
        {"hello", kEncodingBase256}, {"O’Brien", kEncodingAuto}, {"12 €", kEncodingAuto}};
    for (const auto& c : cases) {
        QString error;
        const std::optional<ModuleGrid> grid = dataMatrixModuleGrid(c.value, 0, c.encoding, &error);
        ASSERT_TRUE(grid) << c.value.toStdString() << ": " << error.toStdString();
        EXPECT_EQ(readBack(*grid, dir.filePath(QStringLiteral("fallback.png"))), c.value.toUtf8())
            << c.value.toStdString();
    }
    // What no size holds is refused, not drawn.
    QString error;
    EXPECT_FALSE(dataMatrixModuleGrid(QStringLiteral("too long for ten"), 1, kEncodingAuto, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(dataMatrixModuleGrid(QString(4000, QLatin1Char('7')), 0, kEncodingAuto));
    EXPECT_FALSE(dataMatrixModuleGrid(QString(), 0, kEncodingAuto));
}

TEST(DataMatrixEps, GhostscriptDrawsTheSameModulesAsTheRaster)
{
    QTemporaryDir dir;
    const struct { QString value; int size; } cases[] = {{"0123", 0}, {"Card", 25}, {"ZOVA", 15}};
    const int pixelsPerPoint = 4;
    for (const auto& c : cases) {
        const std::optional<ModuleGrid> grid = dataMatrixModuleGrid(c.value, c.size, kEncodingAuto);
        ASSERT_TRUE(grid);
        QFile eps(dir.filePath(QStringLiteral("symbol.eps")));
        ASSERT_TRUE(eps.open(QIODevice::WriteOnly));
        eps.write(dataMatrixEps(*grid, 1.0, c.value));
        eps.close();
        const QString png = dir.filePath(QStringLiteral("symbol.png"));
        const QStringList gsArguments = {"-q", "-dSAFER", "-dEPSCrop", "-sDEVICE=pnggray",
                                         QStringLiteral("-r%1").arg(72 * pixelsPerPoint), "-o", png, eps.fileName()};
        ASSERT_EQ(TestEnvironment::run(QStringLiteral("gs"), gsArguments).exitCode, 0);
        const QImage page(png);
        ASSERT_EQ(page.size(), QSize((grid->width + 2) * pixelsPerPoint, (grid->height + 2) * pixelsPerPoint))
            << c.value.toStdString();
        // The raster at the same resolution: 72 dpi per pixel per point.
        const QImage raster = dataMatrixPicture(*grid, 1.0, 72.0 * pixelsPerPoint);
        ASSERT_EQ(raster.size(), page.size());
        EXPECT_EQ(qAlpha(raster.pixel(0, 0)), 0);  // a transparent margin
        int mismatches = 0;
        for (int y = 0; y < grid->height; ++y)
            for (int x = 0; x < grid->width; ++x) {
                const QPoint centre = QPoint(x + 1, y + 1) * pixelsPerPoint + QPoint(1, 1) * (pixelsPerPoint / 2);
                const bool epsDark = qGray(page.pixel(centre)) < 128;
                const bool rasterDark = qGray(raster.pixel(centre)) < 128 && qAlpha(raster.pixel(centre)) == 255;
                mismatches += (epsDark != grid->isDark(x, y)) + (rasterDark != grid->isDark(x, y));
            }
        EXPECT_EQ(mismatches, 0) << c.value.toStdString();
    }
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
