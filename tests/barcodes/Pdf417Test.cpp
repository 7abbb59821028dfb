// PDF417: segmentation and compaction codewords, the column choice, refusals, and symbols read
// back by ZXingReader.
#include <QRandomGenerator>
#include <set>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "SymbolImages.h"
#include "barcodes/pdf417/Pdf417Clusters.h"
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

QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

// Each pattern: 4 bars and 4 spaces of 1..6 modules, 17 in all, in its cluster by the parity rule.
bool isClusterPattern(std::uint32_t pattern, int cluster)
{
    int widths[8] = {};
    int element = 0;
    bool bar = true;
    for (int b = 16; b >= 0; --b) {
        const bool isBar = pattern >> b & 1u;
        if (isBar != bar) {
            if (++element == 8)
                return false;
            bar = isBar;
        }
        ++widths[element];
    }
    if (element != 7 || !(pattern >> 16 & 1u))
        return false;
    for (int w : widths) {
        if (w < 1 || w > 6)
            return false;
    }
    return (widths[0] - widths[2] + widths[4] - widths[6] + 9) % 9 == 3 * cluster;
}

}  // namespace

TEST(Pdf417Tables, EveryPatternBelongsToItsClusterAndIsUnique)
{
    for (int cluster = 0; cluster < 3; ++cluster) {
        const auto& patterns = kClusterPatterns[size_t(cluster)];
        std::set<std::uint32_t> seen(patterns.begin(), patterns.end());
        EXPECT_EQ(seen.size(), 929u) << "cluster " << cluster;
        for (size_t v = 0; v < patterns.size(); ++v)
            EXPECT_TRUE(isClusterPattern(patterns[v], cluster)) << "cluster " << cluster << " codeword " << v;
    }
}

TEST(Pdf417Segmentation, CutsTextBytesAndDigitRuns)
{
    const struct {
        std::string text;
        std::string segments;
    } cases[] = {
        {"123456789012", "N0-12"},                   // a lone digit text of 8 or more is numeric
        {"1234567", "T0-7"},                         // shorter stays text
        {"AB123456789012CD", "T0-16"},               // 12 digits inside text stay text
        {"AB1234567890123CD", "T0-2 N2-15 T15-17"},  // 13 become their own segment
        {std::string("AB\x01" "C"), "T0-4"},         // lone byte between runs worth 3 is shifted
        {std::string("A\x01" "C"), "B0-3"},          // runs of 1 and 1 go into the byte segment
        {"Hello, world\x01\x02", "T0-12 B12-14"},
        {"\x80\x81\x82\x83\x84\x85", "B0-6"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(segmentsText(c.text), c.segments) << c.text;
}

TEST(Pdf417Compaction, WritesTheLatchesAndTextSubModes)
{
    // Byte compaction: 924 for a multiple of 6 bytes, else 901 and one codeword per spare byte.
    EXPECT_EQ(dataCodewords(bytesOf({0x80, 0x81, 0x82, 0x83, 0x84, 0x85}), 1)[0], 924);
    const std::vector<int> seven = dataCodewords(bytesOf({0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0xF0}), 7);
    EXPECT_EQ(seven[0], 901);
    EXPECT_EQ(seven[6], 0xF0);
    // Lower case: three capitals latch to alpha (28, 28), a single one is shifted (27).
    EXPECT_EQ(dataCodewords("abcDEF", 5), (std::vector<int>{810, 32, 868, 94, 179}));
    EXPECT_EQ(dataCodewords("abcDef", 4), (std::vector<int>{810, 32, 813, 125}));
    // A lone numeric segment starts with the numeric latch.
    EXPECT_EQ(dataCodewords("123456789012", 1)[0], 902);
}

TEST(Pdf417Sizing, ChoosesColumnsFromTheAspectRatio)
{
    // Raw codewords: 10 data codewords at level 2, ratio 1, rows 3 modules tall: 1 column, 18 rows.
    _pdf417param raw;
    pdf417init(raw);
    raw.options = PDF417_USE_RAW_CODEWORDS | PDF417_USE_ERROR_LEVEL;
    raw.errorLevel = 2;
    raw.aspectRatio = 1.0f;
    raw.lenCodewords = 10;
    raw.codewords[0] = 10;
    paintCode(raw);
    EXPECT_EQ(raw.error, PDF417_ERROR_SUCCESS);
    EXPECT_EQ(raw.codeColumns, 1);
    EXPECT_EQ(raw.codeRows, 18);

    // The view's default frame with "0123": one column, 12 rows, 86 modules across.
    pdf417View view;
    ASSERT_EQ(view.drawWithText(QStringLiteral("0123")), pdf417View::ImageReady);
    EXPECT_EQ(view.record().codeColumns, 1);
    EXPECT_EQ(view.record().codeRows, 12);
    EXPECT_EQ(view.record().bitColumns, 86);
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

TEST(Pdf417Decoding, ZxingReadsEveryLevelAndCompaction)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QRandomGenerator random(417);
    QString text1000;
    const QString printable = QStringLiteral("ABCdefgh ijk,.;:!?()[]{}<>@#$%&*+-=/\\|'\"~^_`0123456789\t\r\n");
    for (int i = 0; i < 1000; ++i)
        text1000 += printable[int(random.bounded(printable.size()))];
    QString digits1000;
    for (int i = 0; i < 1000; ++i)
        digits1000 += QChar('0' + int(random.bounded(10)));
    QString binary1000;  // no text bytes: one byte-compacted segment
    while (binary1000.size() < 1000) {
        const int b = int(random.bounded(256));
        if (!(b >= 32 && b <= 126) && b != 9 && b != 10 && b != 13)
            binary1000 += QChar(b);
    }
    QString anyBytes600;
    for (int i = 0; i < 600; ++i)
        anyBytes600 += QChar(int(random.bounded(256)));

    struct Case {
        QString name;
        QString value;
        int level;
        int columns;
    };
    std::vector<Case> cases;
    for (int level = 0; level <= 8; ++level)
        cases.push_back({QStringLiteral("level%1").arg(level), QStringLiteral("ZOVA ID Card 4711, level test"), level, 0});
    cases.push_back({"text1000", text1000, 2, 0});
    cases.push_back({"digits1000", digits1000, 5, 0});
    cases.push_back({"binary1000", binary1000, 3, 0});
    cases.push_back({"bytes600_30cols", anyBytes600, 4, 30});
    cases.push_back({"mixed", QStringLiteral("Order 1234567890123456 for Mr. O'Brien; ~x~ \x01\x02\x03\x04\x05\x06\x07 end"), 2, 0});
    cases.push_back({"shiftedByte", QStringLiteral("ab\x01" "cd;<>\x02 ;\x03x"), 2, 3});
    cases.push_back({"utf8", QStringLiteral("Grüße € 東京"), 2, 0});

    for (const Case& c : cases) {
        QString error;
        const std::optional<ModuleGrid> grid = pdf417ModuleGrid(c.value, c.level, c.columns, &error);
        ASSERT_TRUE(grid) << c.name.toStdString() << ": " << error.toStdString();
        if (c.columns > 0) {
            EXPECT_EQ(grid->width, 17 * (c.columns + 3) + 18) << c.name.toStdString();
        }
        const QString file = dir.filePath(c.name + QStringLiteral(".png"));
        ASSERT_TRUE(symbol_images::gridImage(*grid, 2, 3).save(file));
        EXPECT_EQ(symbol_images::zxingBytes(file, QStringLiteral("PDF417")), pdf417TextBytes(c.value))
            << c.name.toStdString();
    }
}
