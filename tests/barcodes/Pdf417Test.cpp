// PDF417: segmentation and compaction codewords, the column choice, refusals, and symbols read back by ZXingReader.
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

#include "SymbolTools.h"
#include "barcodes/pdf417/Pdf417Encoder.h"
#include "barcodes/pdf417/Pdf417Symbol.h"
#include "barcodes/pdf417/Pdf417View.h"

using namespace pdf417;

namespace {

std::string segmentsText(std::string_view text)
{
    std::string out;
    for (const Segment& s : breakString(text))
        out += (out.empty() ? "" : " ") + std::string(1, s.type) + std::to_string(s.start) + "-" + std::to_string(s.end);
    return out;
}

std::vector<int> dataCodewords(const QByteArray& bytes, int count)
{
    _pdf417param p;
    pdf417Encode(p, bytes, 2);
    EXPECT_EQ(p.error, PDF417_ERROR_SUCCESS);
    return std::vector<int>(p.codewords.begin() + 1, p.codewords.begin() + 1 + count);
}

// The benchmark's input: 1,000 bytes of text with digit runs.
QByteArray longRecord()
{
    QByteArray record;
    for (int i = 0; record.size() < 1000; ++i)
        record += "ZOVA ID Card; visitor 000123, Ms. O'Brien (Accounts) valid 2024-12-31 #A7/" + QByteArray::number(i * 7919);
    record.truncate(1000);
    return record;
}

// SHA-1 of the whole codeword list and of the modules, one byte a module, row by row.
std::string symbolDigest(const QByteArray& bytes, int level, int columns)
{
    _pdf417param p;
    pdf417Encode(p, bytes, level, columns);
    EXPECT_EQ(p.error, PDF417_ERROR_SUCCESS);
    QCryptographicHash codewords(QCryptographicHash::Sha1);
    for (int i = 0; i < p.lenCodewords; ++i)
        codewords.addData(QByteArray::number(p.codewords[size_t(i)]).append(','));
    const ModuleGrid grid = pdf417Modules(p);
    QByteArray modules;
    for (bool dark : grid.dark)
        modules += dark ? '1' : '0';
    return QStringLiteral("%1x%2 %3 %4")
        .arg(grid.width)
        .arg(grid.height)
        .arg(QString::fromLatin1(codewords.result().toHex().left(16)),
             QString::fromLatin1(QCryptographicHash::hash(modules, QCryptographicHash::Sha1).toHex().left(16)))
        .toStdString();
}

}  // namespace

TEST(Pdf417Segmentation, CutsTextBytesAndDigitRuns)
{
    const struct { std::string text, segments; } cases[] = {
        {"123456789012", "N0-12"},                   // a lone digit text of 8 or more is numeric
        {"1234567", "T0-7"},                         // shorter stays text
        {"AB123456789012CD", "T0-16"},               // 12 digits inside text stay text
        {"AB1234567890123CD", "T0-2 N2-15 T15-17"},  // 13 become their own segment
        {std::string("AB\x01" "C"), "T0-4"},         // lone byte between runs worth 3 is shifted
        {std::string("A\x01" "C"), "B0-3"},          // runs of 1 and 1 go into the byte segment
        {"Hello, world\x01\x02", "T0-12 B12-14"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(segmentsText(c.text), c.segments) << c.text;
}

TEST(Pdf417Compaction, WritesTheLatchesAndTextSubModes)
{
    // Byte compaction: 924 for a multiple of 6 bytes, else 901 and one codeword per spare byte.
    EXPECT_EQ(dataCodewords(QByteArray::fromHex("808182838485"), 1)[0], 924);
    const std::vector<int> seven = dataCodewords(QByteArray::fromHex("808182838485F0"), 7);
    EXPECT_EQ(seven[0], 901);
    EXPECT_EQ(seven[6], 0xF0);
    // Lower case: three capitals latch to alpha (28, 28), a single one is shifted (27).
    EXPECT_EQ(dataCodewords("abcDEF", 5), (std::vector<int>{810, 32, 868, 94, 179}));
    EXPECT_EQ(dataCodewords("abcDef", 4), (std::vector<int>{810, 32, 813, 125}));
    // A lone numeric segment starts with the numeric latch.
    EXPECT_EQ(dataCodewords("123456789012", 1)[0], 902);
}

TEST(Pdf417Sizing, DefaultFrameColumnsAndLoweredLevel)
{
    // The view's default frame with "0123": one column, 12 rows, 86 modules across.
    pdf417View view;
    ASSERT_EQ(view.drawWithText(QStringLiteral("0123")), pdf417View::ImageReady);
    EXPECT_EQ(std::tuple(view.record().codeColumns, view.record().codeRows, view.record().bitColumns),
              std::tuple(1, 12, 86));
    EXPECT_EQ(view.getImage().size(), QSize(834, 167));  // 100 x 20 points at 600 dpi

    // A level the symbol cannot carry is lowered to the highest that fits.
    _pdf417param big;
    pdf417Encode(big, QByteArray(500, 'x').append(QByteArray(300, '\xF1')), 8);
    EXPECT_EQ(big.error, PDF417_ERROR_SUCCESS);
    EXPECT_LT(big.errorLevel, 8);
    EXPECT_LE(big.lenCodewords, kMaxCodewords);
}

TEST(Pdf417Faults, AFailedEncodeLeavesNoSymbol)
{
    const QString tooLong(kMaxTextLength + 1, QLatin1Char('A'));
    _pdf417param p;
    pdf417Encode(p, tooLong.toLatin1(), 2);
    EXPECT_EQ(p.error, PDF417_ERROR_TEXT_TOO_BIG);
    EXPECT_TRUE(p.outBits.empty());

    // Too many codewords though under the byte limit (random bytes compact worst).
    QString error;
    EXPECT_FALSE(pdf417ModuleGrid(QString(1200, QChar(0xE9)), 2, 0, &error));
    EXPECT_FALSE(error.isEmpty());

    // The view drops its earlier picture instead of handing it out for the failed value.
    pdf417View view;
    ASSERT_EQ(view.drawWithText(QStringLiteral("first record")), pdf417View::ImageReady);
    ASSERT_FALSE(view.getImage().isNull());
    EXPECT_EQ(view.drawWithText(tooLong), pdf417View::ImageError);
    EXPECT_TRUE(view.getImage().isNull());
    EXPECT_EQ(view.drawWithText(QString()), pdf417View::ImageEmpty);
    EXPECT_TRUE(view.getImage().isNull());
}

// Codewords given as they are: one outside 0..928 is refused, not looked up past the patterns.
TEST(Pdf417Faults, RawCodewordsOutsideTheRangeAreRefused)
{
    for (int bad : {929, -1, 100000}) {
        SCOPED_TRACE(bad);
        _pdf417param p;
        pdf417init(p);
        p.options = PDF417_USE_RAW_CODEWORDS;
        p.codewords[0] = 3;
        p.codewords[1] = 1;
        p.codewords[2] = bad;
        p.lenCodewords = 3;
        paintCode(p);
        EXPECT_EQ(p.error, PDF417_ERROR_INVALID_PARAMS);
        EXPECT_TRUE(p.outBits.empty());
        p.codewords[2] = 928;
        paintCode(p);
        EXPECT_EQ(p.error, PDF417_ERROR_SUCCESS);
        EXPECT_EQ(p.bitColumns, 17 * (p.codeColumns + 3) + 18);
    }
}

// The window lists the levels 0 to 8; another level is refused rather than quietly replaced.
TEST(Pdf417Faults, LevelsOutsideTheListAreRefused)
{
    for (int level : {-1, 9, 99, std::numeric_limits<int>::min()}) {
        SCOPED_TRACE(level);
        QString error;
        EXPECT_FALSE(pdf417ModuleGrid(QStringLiteral("0123"), level, 0, &error));
        EXPECT_EQ(error, QStringLiteral("The PDF417 error level must be from 0 to 8."));
        _pdf417param p;
        pdf417Encode(p, "0123", level);
        EXPECT_EQ(p.error, PDF417_ERROR_INVALID_PARAMS);
        EXPECT_TRUE(p.outBits.empty());
        pdf417View view;
        view.setErrorLevel(level);
        EXPECT_EQ(view.drawWithText(QStringLiteral("0123")), pdf417View::ImageError);
        const auto probed = symbol_tools::probe({"--pdf417-level", QString::number(level), "bars", "PDF417", "0123"});
        EXPECT_EQ(probed.exitCode, 2);
        EXPECT_TRUE(probed.err.contains("from 0 to 8"));
    }
    for (int level : {0, 8})
        EXPECT_TRUE(pdf417ModuleGrid(QStringLiteral("0123"), level)) << level;
}

TEST(Pdf417Decoding, ZxingReadsEveryLevelAndCompaction)
{
    QTemporaryDir dir;
    QRandomGenerator random(417);
    auto randomText = [&random](int count, const QString& alphabet) {
        QString text;
        while (text.size() < count)
            text += alphabet[int(random.bounded(alphabet.size()))];
        return text;
    };
    QString anyByte;
    QString binary;  // no text bytes: one byte-compacted segment
    for (int b = 0; b < 256; ++b) {
        anyByte += QChar(b);
        if ((b < 32 || b > 126) && b != 9 && b != 10 && b != 13)
            binary += QChar(b);
    }
    const QString printable = QStringLiteral("ABCdefgh ijk,.;:!?()[]{}<>@#$%&*+-=/\\|'\"~^_`0123456789\t\r\n");

    struct Case { QString name, value; int level, columns; };
    std::vector<Case> cases = {
        {"text1000", randomText(1000, printable), 2, 0},
        {"digits1000", randomText(1000, QStringLiteral("0123456789")), 5, 0},
        {"binary1000", randomText(1000, binary), 3, 0},
        {"bytes600_30cols", randomText(600, anyByte), 4, 30},
        {"mixed", QStringLiteral("Order 1234567890123456 for Mr. O'Brien; ~x~ \x01\x02\x03\x04\x05\x06\x07 end"), 2, 0},
        {"shiftedByte", QStringLiteral("ab\x01" "cd;<>\x02 ;\x03x"), 2, 3},
        {"utf8", QStringLiteral("Grüße € 東京"), 2, 0},
        {"record1000_l5", QString::fromLatin1(longRecord()), 5, 0},
    };
    for (int level = 0; level <= 8; ++level)
        cases.push_back({QStringLiteral("level%1").arg(level), QStringLiteral("ZOVA ID Card 4711, level test"), level, 0});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        QString error;
        const std::optional<ModuleGrid> grid = pdf417ModuleGrid(c.value, c.level, c.columns, &error);
        ASSERT_TRUE(grid) << error.toStdString();
        if (c.columns > 0) {
            EXPECT_EQ(grid->width, 17 * (c.columns + 3) + 18);
        }
        const QString file = dir.filePath(c.name + QStringLiteral(".png"));
        EXPECT_EQ(symbol_tools::readBack(*grid, file, QStringLiteral("PDF417"), 2, 3).bytes, pdf417TextBytes(c.value));
    }
}

// Codewords and modules recorded from a decoded, known-good encoder: any change to compaction,
// correction or drawing shows here, not only one that breaks decoding.
TEST(Pdf417Symbols, KeepTheirRecordedCodewordsAndModules)
{
    const QByteArray record = longRecord();
    QByteArray anyByte;
    for (int b = 0; b < 256; ++b)
        anyByte += char(b);
    const struct { const char* name; QByteArray bytes; int level, columns; const char* digest; } cases[] = {
        {"record1000", record, 5, 0, "222x75 01449bd34788d43b 079280c3693f8e18"},
        {"record1000_l8", record, 8, 0, "239x86 377f26e5b25df4aa c59ab32b7a71e3d6"},
        {"digits", "0123456789012345678901234567890123456789012345678901234567", 3, 0, "86x38 38283df81ff684c6 78e876ebdce04873"},
        {"bytes", anyByte, 4, 0, "154x46 f88963ef80befdd8 02d2dca89cb1b31e"},
        {"bytes_12cols", anyByte + anyByte, 2, 12, "273x34 1e7bd7414adbc82b 8bdf97c06570f52a"},
        {"modes", "abcDEF abcDef; A1b2 <>@[] x;y ~!\r\n\t ZZ 12:34 $5.00 (a|b) {c}?", 0, 0, "86x46 e40abf11260ab78a e6679e906da5773a"},
        {"shifted", QByteArray("ab\x01" "cd;<>\x02 ;\x03x"), 1, 3, "120x7 274b89996f74eab0 5d19ba65d3471767"},
        {"short", "0123", 2, 1, "86x12 67b87c40661f4753 021ccdcb6d50d54e"},
        {"level7", "ZOVA ID Card 4711, level test", 7, 0, "154x55 d9bb380cd69d1105 e0cd354adc09f51f"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(symbolDigest(c.bytes, c.level, c.columns), c.digest) << c.name;
}
