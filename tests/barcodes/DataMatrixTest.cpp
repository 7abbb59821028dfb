// Data Matrix: every size entry, every encoding entry and the library fall-backs read back by
// ZXingReader and dmtxread, the EPS text rendered by Ghostscript against the raster, and the
// recomputed error correction.
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

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

// Random values over characters that take one, two, three and four bytes and one to four C40 or
// Text values each: upper and lower case, digits, punctuation, controls, DEL and wide characters.
// The alphabets heavy in capitals or in small letters draw the library's own choice to C40 and
// Text; ’ and Ā bring the byte 0x80.
const QString kMixed = QStringLiteral("ABCXYZabcxyz0189 .-/:@[_`{~\t\x7féÿЖ€’") + QString::fromUtf8("\xF0\x9F\x98\x80");
const QString kCapitals = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789’Ā");
const QString kSmall = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789 ’Ā");

QStringList randomValues(const QString& alphabet, unsigned seed, int count, int maxLength)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> length(1, maxLength);
    std::uniform_int_distribution<int> pick(0, int(alphabet.size()) - 1);
    QStringList values;
    for (int i = 0; i < count; ++i) {
        QString value;
        for (int n = length(random); value.size() < n;) {
            const QChar c = alphabet[pick(random)];
            if (c.isHighSurrogate() || c.isLowSurrogate())
                value += QString::fromUtf8("\xF0\x9F\x98\x80");
            else
                value += c;
        }
        values << value;
    }
    return values;
}

struct Case {
    QString value;
    int size;
    int encoding;
};

// Draws every case that encodes, then reads each back with ZXingReader and with dmtxread; a
// refused case is allowed only where `mayRefuse`.
void expectEveryCaseReadsBack(const std::vector<Case>& cases, bool mayRefuse)
{
    QTemporaryDir dir;
    QStringList files;
    std::vector<const Case*> drawn;
    for (const Case& c : cases) {
        QString error;
        const std::optional<ModuleGrid> grid = dataMatrixModuleGrid(c.value, c.size, c.encoding, &error);
        if (!grid) {
            EXPECT_TRUE(mayRefuse) << c.value.toStdString() << " encoding " << c.encoding << ": " << error.toStdString();
            EXPECT_FALSE(error.isEmpty());
            continue;
        }
        files << symbol_tools::savePng(*grid, dir.filePath(QStringLiteral("%1.png").arg(files.size())), 3);
        drawn.push_back(&c);
    }
    EXPECT_GE(drawn.size(), cases.size() / 2);
    const QMap<QString, symbol_tools::Decoded> zxing = symbol_tools::zxing(files, QStringLiteral("DataMatrix"));
    const bool withDmtx = symbol_tools::hasProgram(QStringLiteral("dmtxread"));
    for (qsizetype i = 0; i < files.size(); ++i) {
        const Case& c = *drawn[size_t(i)];
        const QByteArray expected = c.value.toUtf8();
        const std::string label = c.value.toStdString() + " (size " + std::to_string(c.size) + ", encoding " +
                                  std::to_string(c.encoding) + ")";
        EXPECT_EQ(zxing.value(files[i]).bytes.toHex().toStdString(), expected.toHex().toStdString())
            << "ZXingReader: " << label;
        if (withDmtx) {
            EXPECT_EQ(symbol_tools::dmtx(files[i]).toHex().toStdString(), expected.toHex().toStdString())
                << "dmtxread: " << label;
        }
    }
}
}  // namespace

// The library writes a C40 or Text symbol whose values end one short of a triplet with a value too
// many ("1" read back as "1" and a NUL) and the byte 0x80 wrongly, also where it chooses C40 or
// Text itself; whatever the encoding entry, the symbol carries the value.
TEST(DataMatrixDecoding, EveryEncodingEntryCarriesTheValueExactly)
{
    const QStringList named = {"1", "A", "ABCD", "Ж", "ЖЖ", "hello", "O’Brien", "12 €", "\t~\x7f"};
    std::vector<Case> automatic;
    std::vector<Case> fixed;
    const int sizes[] = {4, 7, 9, 10, 16, 25, 27, 29};  // 16 x 16 to 64 x 64 and the rectangles
    for (int encoding = 0; encoding < dataMatrixEncodingEntries().size(); ++encoding) {
        const unsigned seed = unsigned(encoding);
        for (const QString& value : named + randomValues(kMixed, seed, 30, 24) + randomValues(kCapitals, seed, 20, 24) +
                                        randomValues(kSmall, seed, 20, 24))
            automatic.push_back({value, 0, encoding});
        const QStringList values = randomValues(kMixed, 100 + seed, 24, 12);
        for (int i = 0; i < values.size(); ++i)
            fixed.push_back({values[i], sizes[size_t(i) % std::size(sizes)], encoding});
    }
    expectEveryCaseReadsBack(automatic, false);
    // A chosen size may be too small for a value.
    expectEveryCaseReadsBack(fixed, true);
}

TEST(DataMatrixDecoding, EverySizeEntryReadsBack)
{
    const DataMatrixSize rectangle = dataMatrixSizeFromEntry(QStringLiteral("C8X18"));
    EXPECT_EQ(QSize(rectangle.width, rectangle.height), QSize(18, 8));
    EXPECT_EQ(dataMatrixEncodingString(QStringLiteral("C40"), "ABC"), "CCC");
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

namespace {
QStringList logEntries;
}

// The library prints its complaints on standard output; they go to the log instead, and the caller
// learns when the symbol had to be made in ASCII rather than in the chosen encoding.
TEST(DataMatrixFaults, LibraryOutputGoesToTheLogAndAFallbackIsReported)
{
    const int c12x12 = int(dataMatrixSizeEntries().indexOf(QStringLiteral("C12X12")));
    const struct { QString value; int size; int encoding; bool fellBack; } cases[] = {
        {"hello", 0, kEncodingBase256, true},   // Base256 never finds a size in the library
        {"hello", c12x12, 2, true},             // C40 needs more room than 12 x 12 has
        {"O’Brien", 0, kEncodingAuto, true},    // the library's own choice fails
        {"hello", 0, 1, false}, {"HELLO", 0, 2, false}, {"hello", 0, 3, false}, {"hello", 0, kEncodingAuto, false}};
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toStdString() + " encoding " + std::to_string(c.encoding));
        logEntries.clear();
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& message) { logEntries.append(message); });
        testing::internal::CaptureStdout();
        bool fellBack = !c.fellBack;
        QString error;
        const std::optional<ModuleGrid> grid = dataMatrixModuleGrid(c.value, c.size, c.encoding, &error, &fellBack);
        const std::string printed = testing::internal::GetCapturedStdout();
        qInstallMessageHandler(previous);
        ASSERT_TRUE(grid) << error.toStdString();
        EXPECT_EQ(printed, "");
        EXPECT_EQ(fellBack, c.fellBack);
        if (c.fellBack) {
            ASSERT_FALSE(logEntries.isEmpty());
            EXPECT_TRUE(logEntries.join('\n').contains(QLatin1String("No barcode produced")));
        } else {
            EXPECT_TRUE(logEntries.isEmpty()) << logEntries.join('\n').toStdString();
        }
        EXPECT_EQ(readBack(*grid, dir.filePath(QStringLiteral("fallback.png"))), c.value.toUtf8());
    }
    logEntries.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { logEntries.append(message); });
    dataMatrixModuleGrid(QStringLiteral("hello"), 0, kEncodingBase256);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(logEntries.join('\n').contains(QLatin1String("Cannot find suitable size")));

    // The probe's standard output stays clean; the log and the fall-back note go to standard error.
    const auto probed = symbol_tools::probe({"--dm-encoding", "4", "png", "DataMatrix", "hello", dir.filePath("probe.png")});
    EXPECT_EQ(probed.exitCode, 0);
    EXPECT_EQ(probed.out.toStdString(), "");
    EXPECT_TRUE(probed.err.contains("Cannot find suitable size"));
    EXPECT_TRUE(probed.err.contains("the symbol is in ASCII"));
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
