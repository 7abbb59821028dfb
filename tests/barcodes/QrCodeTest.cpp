// QR Code symbols checked against outside decoders (ZXingReader, zbarimg) and the published
// worked example, plus the encoder's segmenting, version choice and the facade's picture.
#include <QImage>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

#include "barcodes/qr/CQR_Encode.h"
#include "barcodes/qr/QREncoder.h"
#include "barcodes/qr/QrSymbol.h"
#include "barcodes/qr/QrTables.h"
#include "support/TestEnvironment.h"

namespace {

enum class TextKind { Numeric, Alphanumeric, Byte, Utf8 };
const char* const kLevelNames[4] = {"L", "M", "Q", "H"};

int capacity(TextKind kind, int version, int level)
{
    const size_t index = size_t((version - 1) * 4 + level);
    switch (kind) {
    case TextKind::Numeric: return QR_Numric_size_array()[index];
    case TextKind::Alphanumeric: return QR_AlphaNumric_size_array()[index];
    default: return QR_8_BIT_size_array()[index];
    }
}

// A text of the kind whose UTF-8 form is exactly `bytes` long.
QString textOfBytes(TextKind kind, int bytes)
{
    static const QStringList pieces[] = {
        {QStringLiteral("0123456789")},
        {QStringLiteral("THE QUICK BROWN FOX $%*+-./:")},
        {QStringLiteral("the quick brown fox jumps over the lazy dog; ")},
        {QStringLiteral("Grüße "), QStringLiteral("日本語 "), QStringLiteral("O’Brien "), QStringLiteral("€5 ")},
    };
    const QStringList& parts = pieces[int(kind)];
    QString text;
    int size = 0;
    for (int i = 0;; ++i) {
        const QString& part = parts[i % parts.size()];
        bool full = false;
        for (const QChar c : part) {
            const int length = int(QString(c).toUtf8().size());
            if (size + length > bytes) {
                full = true;
                break;
            }
            text += c;
            size += length;
        }
        if (full)
            break;
    }
    text += QString(bytes - size, QLatin1Char('x'));  // only in UTF-8 text, where a wide character did not fit
    return text;
}

// The grid at whole pixels per module with a 4-module quiet zone. ZXing misses some large
// symbols at 2 pixels per module (libqrencode's as well), so 3 is the least used.
QString writePng(const ModuleGrid& grid, const QString& path, int pixelsPerModule = 3)
{
    const int quiet = 4;
    const int side = (grid.width + 2 * quiet) * pixelsPerModule;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < grid.height; ++y)
        for (int x = 0; x < grid.width; ++x)
            if (grid.isDark(x, y))
                for (int py = 0; py < pixelsPerModule; ++py)
                    std::fill_n(image.scanLine((y + quiet) * pixelsPerModule + py) + (x + quiet) * pixelsPerModule,
                                pixelsPerModule, uchar(0));
    EXPECT_TRUE(image.save(path));
    return path;
}

struct Decoded {
    QByteArray bytes;
    QString text;
    QString level;
};

// Decodes many pictures with one ZXingReader run, keyed by file path.
QMap<QString, Decoded> decodeWithZxing(const QStringList& files)
{
    QMap<QString, Decoded> results;
    const TestEnvironment::ProcessResult run = TestEnvironment::run(QStringLiteral("ZXingReader"), files, 300000);
    QString file;
    for (const QByteArray& raw : run.out.split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const QString value = line.mid(12).trimmed();
        if (line.startsWith(QLatin1String("File:")))
            file = value;
        else if (line.startsWith(QLatin1String("Bytes:")))
            results[file].bytes = QByteArray::fromHex(value.toLatin1());
        else if (line.startsWith(QLatin1String("Text:")))
            results[file].text = value.mid(1, value.size() - 2);
        else if (line.startsWith(QLatin1String("EC Level:")))
            results[file].level = value;
    }
    if (files.size() == 1 && !results.isEmpty() && results.firstKey().isEmpty())
        results[files.first()] = results.take(QString());  // a single file gets no "File:" line
    return results;
}

ModuleGrid gridFor(const QString& value, int version, int level)
{
    QString error;
    const std::optional<ModuleGrid> grid = qrModuleGrid(value, version, level, &error);
    EXPECT_TRUE(grid.has_value()) << error.toStdString() << " for " << value.left(40).toStdString();
    return grid.value_or(ModuleGrid());
}

int sideOf(int version) { return 4 * version + 17; }

class QrDecodeTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name + QStringLiteral(".png")); }
};

}  // namespace

// Every version at every level, filled to the capacity of the text's mode: the automatic choice
// lands on that version, one character more does not fit it, and ZXing reads the value and level.
TEST_F(QrDecodeTest, EveryVersionAndLevelAtCapacityDecodes)
{
    const TextKind kinds[] = {TextKind::Numeric, TextKind::Alphanumeric, TextKind::Byte, TextKind::Utf8};
    QMap<QString, std::pair<QString, int>> expected;
    for (int version = 1; version <= 40; ++version) {
        for (int level = 0; level < 4; ++level) {
            const TextKind kind = kinds[(version + level) % 4];
            const QString text = textOfBytes(kind, capacity(kind, version, level));
            SCOPED_TRACE(QStringLiteral("version %1 level %2 kind %3").arg(version).arg(level).arg(int(kind)).toStdString());
            const ModuleGrid grid = gridFor(text, version, level);
            ASSERT_EQ(grid.width, sideOf(version));
            EXPECT_EQ(gridFor(text, 0, level).width, sideOf(version));
            if (kind != TextKind::Utf8) {
                EXPECT_FALSE(qrModuleGrid(text + text.left(1), version, level).has_value());
            }
            const QString file = path(QStringLiteral("v%1-%2").arg(version).arg(level));
            expected[writePng(grid, file)] = {text, level};
        }
    }
    const QMap<QString, Decoded> decoded = decodeWithZxing(expected.keys());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        ASSERT_TRUE(decoded.contains(it.key()));
        EXPECT_EQ(decoded[it.key()].bytes, it.value().first.toUtf8());
        EXPECT_EQ(decoded[it.key()].text, it.value().first);
        EXPECT_EQ(decoded[it.key()].level, QLatin1String(kLevelNames[it.value().second]));
    }
}

TEST_F(QrDecodeTest, ZbarReadsSamples)
{
    const struct {
        QString text;
        int version;
        int level;
    } samples[] = {
        {textOfBytes(TextKind::Numeric, 34), 1, 1},
        {textOfBytes(TextKind::Alphanumeric, capacity(TextKind::Alphanumeric, 7, 2)), 7, 2},
        {textOfBytes(TextKind::Byte, capacity(TextKind::Byte, 15, 0)), 15, 0},
        // Without an ECI header zbar guesses the character set; accented Latin alone it takes
        // for Shift JIS (so does libqrencode's output), so the sample carries other characters.
        {QStringLiteral("Grüße aus Köln – 10 €"), 0, 3},
    };
    for (const auto& sample : samples) {
        const QString file = writePng(gridFor(sample.text, sample.version, sample.level),
                                      path(QString::number(sample.version)), 4);
        const TestEnvironment::ProcessResult run =
            TestEnvironment::run(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), file});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(QString::fromUtf8(run.out).chopped(1), sample.text);
    }
}

// UTF-8 sequences such as E2 80 99 look like Shift JIS pairs; they must stay bytes.
TEST_F(QrDecodeTest, Utf8TextIsNeverTakenForKanji)
{
    const QStringList values = {QStringLiteral("O’Brien"), QStringLiteral("日本語のテキスト"),
                                QStringLiteral("€ 12,50 – Straße")};
    QMap<QString, QString> expected;
    for (int i = 0; i < values.size(); ++i)
        expected[writePng(gridFor(values[i], 0, 1), path(QString::number(i)))] = values[i];
    const QMap<QString, Decoded> decoded = decodeWithZxing(expected.keys());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        EXPECT_EQ(decoded.value(it.key()).bytes, it.value().toUtf8()) << it.value().toStdString();

    CQR_Encode encoder;
    const QByteArray bytes = values[0].toUtf8();
    ASSERT_TRUE(encoder.EncodeSourceData(bytes.constData(), int(bytes.size()), 0));
    ASSERT_EQ(encoder.m_segments.size(), 1u);
    EXPECT_EQ(encoder.m_segments[0].mode, CQR_Encode::Byte);
}

// The whole stream decides the version: 10 letters and 13 digits take 126 bits, which 1-L holds.
TEST_F(QrDecodeTest, VersionChoiceCountsTheWholeStream)
{
    const QString value = QStringLiteral("ABCDEFGHIJ1234567890123");
    const ModuleGrid grid = gridFor(value, 0, 0);
    ASSERT_EQ(grid.width, 21);
    EXPECT_EQ(decodeWithZxing({writePng(grid, path(QStringLiteral("mixed")))}).value(path(QStringLiteral("mixed"))).text,
              value);
}

// Letters and digits alternating make one segment per character; the storage follows the stream.
TEST_F(QrDecodeTest, AlternatingModesUpToTheLargestSymbol)
{
    QString value;
    for (int i = 0; i < 4296 / 2; ++i)
        value += QStringLiteral("A%1").arg(i % 10);
    const ModuleGrid grid = gridFor(value, 0, 0);
    ASSERT_EQ(grid.width, sideOf(40));
    const QString file = writePng(grid, path(QStringLiteral("alternating")));
    EXPECT_EQ(decodeWithZxing({file}).value(file).text, value);

    EXPECT_FALSE(qrModuleGrid(value + QStringLiteral("B"), 0, 0).has_value());
    EXPECT_FALSE(qrModuleGrid(QString(20000, QLatin1Char('7')), 0, 0).has_value());
    EXPECT_FALSE(qrModuleGrid(value, 40, 3).has_value());
}

// Enciphered data is encoded whole, zero bytes included, and deciphers back.
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
    const QString file = writePng(grid, path(QStringLiteral("cipher")));
    const QByteArray cipher = decodeWithZxing({file}).value(file).bytes;
    EXPECT_EQ(cipher, QREncoder::AESEncryptString(secret, passphrase));
    EXPECT_EQ(QREncoder::AESDecryptString(cipher, passphrase), secret);
    EXPECT_NE(QREncoder::AESDecryptString(cipher, QStringLiteral("other")), std::optional<QString>(secret));
}

TEST(QrPassphrase, KeyLongerThan32BytesIsRefused)
{
    const QString tooLong(33, QLatin1Char('k'));
    try {
        QREncoder::AESEncryptString(QStringLiteral("x"), tooLong);
        FAIL() << "no exception";
    } catch (const InvalidPassphraseException& error) {
        EXPECT_STREQ(error.what(), "passphrase too long: 33");
    }
    EXPECT_FALSE(QREncoder::encodeWithECLevel(0, 0, QStringLiteral("x"), tooLong).has_value());
    EXPECT_EQ(QREncoder::AESDecryptString(QREncoder::AESEncryptString(QStringLiteral("x"), QString(32, 'k')),
                                          QString(32, 'k')),
              QStringLiteral("x"));
}

// ISO/IEC 18004 Annex I: "01234567" at 1-M.
TEST(QrEncoder, PublishedExampleCodewords)
{
    CQR_Encode encoder;
    ASSERT_TRUE(encoder.EncodeData(1, 1, false, -1, "01234567"));
    const QByteArray expected = QByteArray::fromHex("10200C5661 80EC11EC11EC11EC11EC11 A524D4C1ED36C7872C55");
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(encoder.m_byAllCodeWord), encoder.m_ncAllCodeWord), expected);
}

TEST(QrEncoder, TablesMatchThePublishedCapacities)
{
    EXPECT_EQ(QR_Numric_size_array()[0], 41);
    EXPECT_EQ(QR_AlphaNumric_size_array()[0], 25);
    EXPECT_EQ(QR_8_BIT_size_array()[0], 17);
    EXPECT_EQ(QR_Numric_size_array()[39 * 4 + 3], 3057);
    EXPECT_EQ(QR_AlphaNumric_size_array()[39 * 4 + 3], 1852);
    EXPECT_EQ(QR_8_BIT_size_array()[39 * 4 + 3], 1273);
    EXPECT_EQ(QR_8_BIT_size_array()[39 * 4 + 0], 2953);
    EXPECT_EQ(data_bit_size_array(1, 0), 152);
    EXPECT_EQ(data_bit_size_array(40, 3), 10208);
    EXPECT_EQ(QR_VersonInfo(40).dataCodewords[0], CQR_Encode::kMaxDataCodewords);
    EXPECT_EQ(QR_VersonInfo(40).totalCodewords, CQR_Encode::kMaxCodewords);
    const QrVersionInfo& v32 = QR_VersonInfo(32);  // the irregular alignment row
    EXPECT_EQ(std::vector<int>(v32.alignment.begin(), v32.alignment.begin() + v32.alignmentCount),
              (std::vector<int>{34, 60, 86, 112, 138}));
}

TEST(QrEncoder, SegmentsMergeOnlyWhenShorter)
{
    const struct {
        const char* text;
        std::vector<int> modes;
    } cases[] = {
        {"ABC123", {CQR_Encode::Alphanumeric}},
        {"A123456789012", {CQR_Encode::Alphanumeric, CQR_Encode::Numeric}},
        {"a:b", {CQR_Encode::Byte}},
        {"abc1234567890123456789xyz", {CQR_Encode::Byte, CQR_Encode::Numeric, CQR_Encode::Byte}},
    };
    for (const auto& c : cases) {
        CQR_Encode encoder;
        ASSERT_TRUE(encoder.EncodeSourceData(c.text, int(strlen(c.text)), 0));
        std::vector<int> modes;
        for (const CQR_Encode::Segment& s : encoder.m_segments)
            modes.push_back(s.mode);
        EXPECT_EQ(modes, c.modes) << c.text;
    }
    EXPECT_EQ(CQR_Encode::Get_Encoding_Mode("123", 3), CQR_Encode::Numeric);
    EXPECT_EQ(CQR_Encode::Get_Encoding_Mode("12:", 3), CQR_Encode::Alphanumeric);
    EXPECT_EQ(CQR_Encode::Get_Encoding_Mode("12a", 3), CQR_Encode::Byte);
    EXPECT_EQ(CQR_Encode::Get_Encoding_Mode("", 0), CQR_Encode::Byte);
    EXPECT_EQ(CQR_Encode::Get_Encoding_Mode_Test("AB", 2, CQR_Encode::Alphanumeric), CQR_Encode::Alphanumeric);
    EXPECT_EQ(CQR_Encode::Get_Encoding_Mode_Test("A1", 2, CQR_Encode::Alphanumeric), CQR_Encode::Byte);
}

TEST(QrEncoder, RequestedVersionAndAutoExtension)
{
    auto versionOf = [](int level, int version, bool extend, const QByteArray& text) {
        CQR_Encode encoder;
        return encoder.EncodeData(level, version, extend, -1, text.constData()) ? encoder.m_nVersion : 0;
    };
    EXPECT_EQ(versionOf(1, 0, true, QByteArray(17, '5')), 1);
    EXPECT_EQ(versionOf(1, 5, true, QByteArray(110, 'z')), 7);
    EXPECT_EQ(versionOf(1, 5, false, QByteArray(110, 'z')), 0);
    EXPECT_EQ(versionOf(1, 12, false, "A"), 12);
    EXPECT_EQ(versionOf(0, 0, true, ""), 0);
    EXPECT_EQ(gridFor(QString(18, QLatin1Char('b')), 2, 0).width, 25);
    EXPECT_EQ(gridFor(QString(18, QLatin1Char('b')), 0, 0).width, 25);  // automatic: no version-1 limit
}

// The chosen mask is the first with the lowest penalty.
TEST(QrEncoder, MaskChoiceKeepsTheFirstLowestPenalty)
{
    for (const char* text : {"HELLO WORLD", "01234567", "https://example.org/card?id=4711"}) {
        std::vector<int> penalties;
        std::vector<std::vector<uint8_t>> grids;
        for (int mask = -1; mask < 8; ++mask) {
            auto encoder = std::make_unique<CQR_Encode>();
            ASSERT_TRUE(encoder->EncodeData(2, 0, true, mask, text));
            penalties.push_back(encoder->CountPenalty());
            grids.emplace_back(&encoder->m_byModuleData[0][0], &encoder->m_byModuleData[0][0] + sizeof encoder->m_byModuleData);
        }
        const auto best = std::min_element(penalties.begin() + 1, penalties.end()) - penalties.begin();
        EXPECT_EQ(grids[0], grids[size_t(best)]) << text;
    }
}

TEST(QrFacade, RenderedPictureGeometry)
{
    const std::optional<DataMatrix> matrix = QREncoder::encodeWithECLevel(0, 1, QStringLiteral("0123"));
    ASSERT_TRUE(matrix.has_value());
    ASSERT_EQ(matrix->dimension(), 21);

    const QImage at60 = QREncoder::renderDataMatrix(*matrix, 60, 72);
    ASSERT_EQ(at60.size(), QSize(60, 60));
    EXPECT_EQ(at60.pixelColor(8, 8), QColor(255, 255, 255, 0));    // margin
    EXPECT_EQ(at60.pixelColor(9, 9), QColor(0, 0, 0, 255));        // finder corner
    EXPECT_EQ(at60.pixelColor(51, 51), QColor(255, 255, 255, 0));  // right and bottom margin
    EXPECT_EQ(at60.pixelColor(9 + 2 * 20, 9), QColor(0, 0, 0, 255));       // top-right finder
    EXPECT_EQ(at60.pixelColor(9 + 2 * 20, 9 + 2 * 20), QColor(matrix->valueAt(20, 20) ? Qt::black : Qt::white));

    const QImage at63 = QREncoder::renderDataMatrix(*matrix, 63, 72);
    EXPECT_EQ(at63.pixelColor(0, 0), QColor(0, 0, 0, 255));
    EXPECT_EQ(at63.pixelColor(62, 62).alpha(), 255);

    // A symbol larger than the picture still gets one pixel per module.
    EXPECT_EQ(QREncoder::renderDataMatrix(*matrix, 10, 72).size(), QSize(21, 21));

    const QImage raised = QREncoder::renderDataMatrix(*matrix, 60, 600);
    EXPECT_EQ(raised.size(), QSize(500, 500));
    EXPECT_NEAR(raised.dotsPerMeterX() * 0.0254, 600, 0.5);
}

TEST(QrFacade, GridTextAndColourValue)
{
    DataMatrix grid(2);
    grid.set(1, 0, 0);
    grid.set(0, 1, 0);
    grid.set(0, 0, 1);
    grid.set(1, 1, 1);
    EXPECT_EQ(grid.description(), QStringLiteral("10\n01\n"));
    EXPECT_EQ(QREncoder::hexadecimalValueOfAnNSColor(QColor(0x11, 0x22, 0x33, 0x80)), 0x80112233u);
    EXPECT_FALSE(qrModuleGrid(QString(), 0, 0).has_value());
    EXPECT_FALSE(qrModuleGrid(QStringLiteral("x"), 41, 0).has_value());
    EXPECT_FALSE(qrModuleGrid(QStringLiteral("x"), 1, 4).has_value());
}
