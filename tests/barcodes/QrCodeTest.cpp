// QR Code symbols checked against outside decoders (ZXingReader, zbarimg) and the published
// worked example, plus the encoder's segmenting, version choice and the facade's picture.
#include <QTemporaryDir>
#include <cstring>

#include "SymbolTools.h"
#include "barcodes/qr/CQR_Encode.h"
#include "barcodes/qr/QREncoder.h"
#include "barcodes/qr/QrSymbol.h"
#include "barcodes/qr/QrTables.h"

namespace {

enum class TextKind { Numeric, Alphanumeric, Byte, Utf8 };

int capacity(TextKind kind, int version, int level)
{
    const QrCapacityTable& table = kind == TextKind::Numeric        ? QR_Numric_size_array()
                                   : kind == TextKind::Alphanumeric ? QR_AlphaNumric_size_array()
                                                                    : QR_8_BIT_size_array();
    return table[size_t((version - 1) * 4 + level)];
}

// A text of the kind whose UTF-8 form is exactly `bytes` long.
QString textOfBytes(TextKind kind, int bytes)
{
    static const QString samples[] = {
        QStringLiteral("0123456789"),
        QStringLiteral("THE QUICK BROWN FOX $%*+-./:"),
        QStringLiteral("the quick brown fox jumps over the lazy dog; "),
        QStringLiteral("Grüße 日本語 O’Brien €5 "),
    };
    const QString& sample = samples[int(kind)];
    QString text;
    int size = 0;
    for (int i = 0;; ++i) {
        const QChar c = sample[i % sample.size()];
        const int length = int(QString(c).toUtf8().size());
        if (size + length > bytes)
            break;
        text += c;
        size += length;
    }
    return text + QString(bytes - size, QLatin1Char('x'));  // only where a wide character did not fit
}

ModuleGrid gridFor(const QString& value, int version, int level)
{
    QString error;
    const std::optional<ModuleGrid> grid = qrModuleGrid(value, version, level, &error);
    EXPECT_TRUE(grid.has_value()) << error.toStdString() << " for " << value.left(40).toStdString();
    return grid.value_or(ModuleGrid());
}

class QrDecodeTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    // ZXing misses some large symbols at 2 pixels per module (libqrencode's as well), so 3 is the least used.
    QString png(const ModuleGrid& grid, const QString& name, int modulePx = 3) const
    {
        return symbol_tools::savePng(grid, dir.filePath(name + QStringLiteral(".png")), modulePx);
    }
    symbol_tools::Decoded read(const ModuleGrid& grid, const QString& name) const
    {
        return symbol_tools::readBack(grid, dir.filePath(name + QStringLiteral(".png")));
    }
};

}  // namespace

// Every version at every level, filled to the capacity of the text's mode: the automatic choice
// lands on that version, one character more does not fit it, and ZXing reads the value and level.
TEST_F(QrDecodeTest, EveryVersionAndLevelAtCapacityDecodes)
{
    const char* const levelNames[4] = {"L", "M", "Q", "H"};
    QMap<QString, std::pair<QString, int>> expected;
    for (int version = 1; version <= 40; ++version) {
        for (int level = 0; level < 4; ++level) {
            const TextKind kind = TextKind((version + level) % 4);
            const QString text = textOfBytes(kind, capacity(kind, version, level));
            SCOPED_TRACE(QStringLiteral("version %1 level %2 kind %3").arg(version).arg(level).arg(int(kind)).toStdString());
            const ModuleGrid grid = gridFor(text, version, level);
            ASSERT_EQ(grid.width, 4 * version + 17);
            EXPECT_EQ(gridFor(text, 0, level).width, 4 * version + 17);
            if (kind != TextKind::Utf8) {
                EXPECT_FALSE(qrModuleGrid(text + text.left(1), version, level).has_value());
            }
            expected[png(grid, QStringLiteral("v%1-%2").arg(version).arg(level))] = {text, level};
        }
    }
    const QMap<QString, symbol_tools::Decoded> decoded = symbol_tools::zxing(expected.keys());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        ASSERT_TRUE(decoded.contains(it.key()));
        EXPECT_EQ(decoded[it.key()].bytes, it.value().first.toUtf8());
        EXPECT_EQ(decoded[it.key()].text, it.value().first);
        EXPECT_EQ(decoded[it.key()].level, QLatin1String(levelNames[it.value().second]));
    }
}

TEST_F(QrDecodeTest, ZbarReadsSamples)
{
    const struct { QString text; int version, level; } samples[] = {
        {textOfBytes(TextKind::Alphanumeric, capacity(TextKind::Alphanumeric, 7, 2)), 7, 2},
        {textOfBytes(TextKind::Byte, capacity(TextKind::Byte, 15, 0)), 15, 0},
        // Without an ECI header zbar takes accented Latin alone for Shift JIS, so other characters join it.
        {QStringLiteral("Grüße aus Köln – 10 €"), 0, 3},
    };
    for (const auto& s : samples) {
        const QString file = png(gridFor(s.text, s.version, s.level), QString::number(s.version), 4);
        EXPECT_EQ(symbol_tools::zbar(file), s.text);
    }
}

// UTF-8 sequences such as E2 80 99 look like Shift JIS pairs; they must stay bytes.
TEST_F(QrDecodeTest, Utf8TextIsNeverTakenForKanji)
{
    const QStringList values = {QStringLiteral("O’Brien"), QStringLiteral("日本語のテキスト"),
                                QStringLiteral("€ 12,50 – Straße")};
    QMap<QString, QString> expected;
    for (int i = 0; i < values.size(); ++i)
        expected[png(gridFor(values[i], 0, 1), QString::number(i))] = values[i];
    const QMap<QString, symbol_tools::Decoded> decoded = symbol_tools::zxing(expected.keys());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        EXPECT_EQ(decoded.value(it.key()).bytes, it.value().toUtf8()) << it.value().toStdString();
}

// The whole stream decides the version: 10 letters and 13 digits take 126 bits, which 1-L holds.
TEST_F(QrDecodeTest, VersionChoiceCountsTheWholeStream)
{
    const QString value = QStringLiteral("ABCDEFGHIJ1234567890123");
    const ModuleGrid grid = gridFor(value, 0, 0);
    ASSERT_EQ(grid.width, 21);
    EXPECT_EQ(read(grid, QStringLiteral("mixed")).text, value);
    EXPECT_EQ(gridFor(QString(18, QLatin1Char('b')), 0, 0).width, 25);  // automatic: no version-1 limit
}

// Letters and digits alternating make one segment per character; the storage follows the stream.
TEST_F(QrDecodeTest, AlternatingModesUpToTheLargestSymbol)
{
    QString value;
    for (int i = 0; i < 4296 / 2; ++i)
        value += QStringLiteral("A%1").arg(i % 10);
    const ModuleGrid grid = gridFor(value, 0, 0);
    ASSERT_EQ(grid.width, 177);
    EXPECT_EQ(read(grid, QStringLiteral("alternating")).text, value);

    EXPECT_FALSE(qrModuleGrid(value + QStringLiteral("B"), 0, 0).has_value());
    EXPECT_FALSE(qrModuleGrid(QString(20000, QLatin1Char('7')), 0, 0).has_value());
    EXPECT_FALSE(qrModuleGrid(value, 40, 3).has_value());
    EXPECT_FALSE(qrModuleGrid(QString(), 0, 0).has_value());
    EXPECT_FALSE(qrModuleGrid(QStringLiteral("x"), 41, 0).has_value());
    EXPECT_FALSE(qrModuleGrid(QStringLiteral("x"), 1, 4).has_value());
}

// Enciphered data is encoded whole, zero bytes included, and deciphers back; keys over 32 bytes are refused.
TEST_F(QrDecodeTest, PassphraseVariantRoundTrips)
{
    const QString passphrase = QStringLiteral("Zova pass phrase");
    QString secret;
    for (int i = 0; secret.isEmpty(); ++i) {
        const QString candidate = QStringLiteral("Card holder %1").arg(i);
        if (QREncoder::AESEncryptString(candidate, passphrase).contains('\0'))
            secret = candidate;
    }
    const std::optional<DataMatrix> matrix = QREncoder::encodeWithECLevel(1, 0, secret, passphrase);
    ASSERT_TRUE(matrix.has_value());
    ModuleGrid grid(matrix->dimension(), matrix->dimension());
    for (int y = 0; y < grid.height; ++y)
        for (int x = 0; x < grid.width; ++x)
            grid.setDark(x, y, matrix->valueAt(x, y));
    const QByteArray cipher = read(grid, QStringLiteral("cipher")).bytes;
    EXPECT_EQ(cipher, QREncoder::AESEncryptString(secret, passphrase));
    EXPECT_EQ(QREncoder::AESDecryptString(cipher, passphrase), secret);
    EXPECT_NE(QREncoder::AESDecryptString(cipher, QStringLiteral("other")), std::optional<QString>(secret));

    const QString tooLong(33, QLatin1Char('k'));
    try {
        QREncoder::AESEncryptString(QStringLiteral("x"), tooLong);
        ADD_FAILURE() << "no exception";
    } catch (const InvalidPassphraseException& error) {
        EXPECT_STREQ(error.what(), "passphrase too long: 33");
    }
    EXPECT_FALSE(QREncoder::encodeWithECLevel(0, 0, QStringLiteral("x"), tooLong).has_value());
    const QString longest(32, QLatin1Char('k'));
    EXPECT_EQ(QREncoder::AESDecryptString(QREncoder::AESEncryptString(QStringLiteral("x"), longest), longest),
              QStringLiteral("x"));
}

// Each component times 255, truncated, packed as alpha, red, green, blue; an 8-bit colour keeps
// its own bytes.
TEST(QrEncoder, ColourValueTruncatesEachComponent)
{
    const struct {
        QColor colour;
        quint32 value;
    } cases[] = {
        {QColor::fromRgbF(0.5f, 0.25f, 1.0f, 0.5f), 0x7F7F3FFFu},
        {QColor::fromRgbF(0.1f, 0.2f, 0.3f, 0.4f), 0x6619334Cu},
        {QColor::fromRgbF(0.999f, 0.004f, 0.0f, 1.0f), 0xFFFE0100u},
        {QColor(200, 100, 50), 0xFFC86432u},
        {QColor(Qt::transparent), 0x00000000u},
        {QColor(Qt::white), 0xFFFFFFFFu},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QREncoder::hexadecimalValueOfAnNSColor(c.colour), c.value) << c.colour.name(QColor::HexArgb).toStdString();
    for (int k = 0; k < 256; ++k)
        EXPECT_EQ(QREncoder::hexadecimalValueOfAnNSColor(QColor(k, 255 - k, k, 255 - k)),
                  quint32(255 - k) << 24 | quint32(k) << 16 | quint32(255 - k) << 8 | quint32(k));
}

// "01234567" at 1-M, the published worked example, and two anchors of the capacity tables.
TEST(QrEncoder, PublishedExampleCodewords)
{
    CQR_Encode encoder;
    ASSERT_TRUE(encoder.EncodeData(1, 1, false, -1, "01234567"));
    const QByteArray expected = QByteArray::fromHex("10200C5661 80EC11EC11EC11EC11EC11 A524D4C1ED36C7872C55");
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(encoder.m_byAllCodeWord), encoder.m_ncAllCodeWord), expected);
    EXPECT_EQ(QR_Numric_size_array()[0], 41);
    EXPECT_EQ(QR_8_BIT_size_array()[39 * 4 + 0], 2953);
}

TEST(QrEncoder, SegmentsMergeOnlyWhenShorter)
{
    const struct { const char* text; std::vector<int> modes; } cases[] = {
        {"ABC123", {CQR_Encode::Alphanumeric}},
        {"A123456789012", {CQR_Encode::Alphanumeric, CQR_Encode::Numeric}},
        {"a:b", {CQR_Encode::Byte}},
        {"abc1234567890123456789xyz", {CQR_Encode::Byte, CQR_Encode::Numeric, CQR_Encode::Byte}},
        {"O\xE2\x80\x99" "Brien", {CQR_Encode::Byte}},  // UTF-8 that looks like a Shift JIS pair
    };
    for (const auto& c : cases) {
        CQR_Encode encoder;
        ASSERT_TRUE(encoder.EncodeSourceData(c.text, int(strlen(c.text)), 0));
        std::vector<int> modes;
        for (const CQR_Encode::Segment& s : encoder.m_segments)
            modes.push_back(s.mode);
        EXPECT_EQ(modes, c.modes) << c.text;
    }
}

TEST(QrFacade, SmallPicturesKeepWholeModules)
{
    const std::optional<DataMatrix> matrix = QREncoder::encodeWithECLevel(0, 1, QStringLiteral("0123"));
    ASSERT_TRUE(matrix.has_value());
    ASSERT_EQ(matrix->dimension(), 21);
    const QImage at60 = QREncoder::renderDataMatrix(*matrix, 60, 72);
    ASSERT_EQ(at60.size(), QSize(60, 60));
    EXPECT_EQ(at60.pixelColor(8, 8), QColor(255, 255, 255, 0));  // margin
    EXPECT_EQ(at60.pixelColor(9, 9), QColor(0, 0, 0, 255));      // finder corner, 2 pixels per module
    // A symbol larger than the picture still gets one pixel per module.
    EXPECT_EQ(QREncoder::renderDataMatrix(*matrix, 10, 72).size(), QSize(21, 21));
    const QImage raised = QREncoder::renderDataMatrix(*matrix, 60, 600);
    EXPECT_EQ(raised.size(), QSize(500, 500));
    EXPECT_NEAR(raised.dotsPerMeterX() * 0.0254, 600, 0.5);
}

// The mask is chosen by this penalty, so its value is pinned on grids worked out by hand.
TEST(QrMaskPenalty, RunsFinderLikeLinesBlocksAndBalanceAddUp)
{
    CQR_Encode grid;
    grid.m_nSymbleSize = 21;
    const auto paint = [&grid](auto isDark) {
        for (int x = 0; x < 21; ++x)
            for (int y = 0; y < 21; ++y)
                grid.m_byModuleData[x][y] = isDark(x, y) ? 1 : 0;
    };
    // All light: 42 runs of 21 (19 each), 400 blocks (3 each), 100 % light (10 x 10).
    paint([](int, int) { return false; });
    EXPECT_EQ(grid.CountPenalty(), 42 * 19 + 400 * 3 + 100);
    // A checkerboard: no run, block or finder-like line, and as dark as light.
    paint([](int x, int y) { return (x + y) % 2 == 0; });
    EXPECT_EQ(grid.CountPenalty(), 0);
    // Dark, light, dark x3, light, dark at the start of the top row: the row adds 40 beside its
    // run of 14 light modules (12); 20 light rows (19 each), 5 columns of one dark module over
    // 20 light ones (18 each), 16 light columns (19 each), 393 blocks, 98 % light (9 x 10).
    paint([](int x, int y) { return y == 0 && x < 7 && x != 1 && x != 5; });
    EXPECT_EQ(grid.CountPenalty(), 12 + 40 + 20 * 19 + 5 * 18 + 16 * 19 + 393 * 3 + 90);
    // The same pattern one module in: a light module before it is as good as the edge, and the
    // run after it is 13 long.
    paint([](int x, int y) { return y == 0 && x >= 1 && x < 8 && x != 2 && x != 6; });
    EXPECT_EQ(grid.CountPenalty(), 11 + 40 + 20 * 19 + 5 * 18 + 16 * 19 + 392 * 3 + 90);
}

// The largest symbol's lines span three words: a finder-like row across the first word's end
// and a finder-like column across the second's count as they do anywhere else.
TEST(QrMaskPenalty, LinesAcrossWordEndsCountTheSame)
{
    CQR_Encode grid;
    grid.m_nSymbleSize = 177;
    std::memset(grid.m_byModuleData, 0, sizeof grid.m_byModuleData);
    for (int x : {60, 62, 63, 64, 66})
        grid.m_byModuleData[x][0] = 1;
    for (int y : {125, 127, 128, 129, 131})
        grid.m_byModuleData[176][y] = 1;
    // The top row: light runs of 60 and 110 around the pattern (58 + 108 + 40); the right
    // column likewise (123 + 43 + 40). Five columns and five rows hold one dark module beside a
    // light run of 176 (174 each), the other 171 of each way are light (175 each). 16 of the
    // 176 x 176 blocks hold a dark module, and 99 % is light (9 x 10).
    const int before = 2 * (206 + 5 * 174 + 171 * 175) + 3 * (176 * 176 - 16) + 90;
    EXPECT_EQ(grid.CountPenalty(), before);
    // A dark module just ahead of the row's pattern: the 40 goes, the run ahead is one shorter,
    // and so is the light run of that module's column, and one more block holds a dark module.
    grid.m_byModuleData[59][0] = 1;
    EXPECT_EQ(grid.CountPenalty(), before - 40 - 1 - 1 - 3);
}
