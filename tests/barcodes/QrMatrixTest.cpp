// QR Code matrices pinned module for module: the symbols below were made by the encoder whose
// output the decoder checks read back, and any change to the grid or the chosen mask shows here.
#include <QCryptographicHash>
#include <gtest/gtest.h>

#include "barcodes/qr/CQR_Encode.h"
#include "barcodes/qr/QREncoder.h"
#include "barcodes/qr/QrTables.h"

namespace {

QByteArray digestOf(const DataMatrix& matrix)
{
    return QCryptographicHash::hash(matrix.description().toLatin1(), QCryptographicHash::Sha1).toHex().left(16);
}

// The mask as the symbol's own format information (the copy beside the bottom-left finder) states it.
int maskOf(const DataMatrix& matrix)
{
    const int n = matrix.dimension();
    int bits = 0;
    for (int i = 10; i <= 12; ++i)
        bits |= (matrix.valueAt(8, n - 15 + i) ? 1 : 0) << (i - 10);
    return bits ^ (0x5412 >> 10 & 7);
}

QByteArray repeatedTo(const QByteArray& pattern, int length)
{
    QByteArray text;
    while (text.size() < length)
        text += pattern;
    text.truncate(length);
    return text;
}

}  // namespace

// A few symbols of each mode, size and level, with the mask the penalty chose (2 for the
// published worked example "01234567" at 1-M).
TEST(QrMatrix, SymbolsAndChosenMasksStayTheSame)
{
    const QByteArray card = "Zova card #4711, holder: Jane Q. Example <jane@example.org>; valid thru 2031-12; ";
    const struct {
        int level;
        int version;
        QByteArray text;
        int dimension;
        int mask;
        const char* digest;
    } cases[] = {
        {1, 1, "01234567", 21, 2, "5c3e8ebd2aefe489"},
        {0, 0, "HELLO WORLD", 21, 0, "70d6a6c0418909f5"},
        {3, 0, "https://example.org/card?id=4711", 33, 5, "d83c10ba893391c8"},
        {1, 0, repeatedTo(card, 100), 41, 2, "3c3278072d1b49eb"},
        {2, 0, repeatedTo(card, 300), 81, 2, "68a891c98a094cb8"},
        {0, 0, repeatedTo("0123456789", 2000), 97, 1, "674345da1d260d35"},
        {3, 0, repeatedTo("ABC123 $%*+-./:", 900), 125, 0, "d70fe261d46b0101"},
        {1, 40, repeatedTo(card, 2000), 177, 2, "72003fa6f674a331"},
        {0, 0, QByteArray("\x00\xff\x01\xfe", 4), 21, 7, "22b7e7beab019430"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.left(24).toStdString());
        const std::optional<DataMatrix> matrix = QREncoder::encodeCStringWithECLevel(c.level, c.version, c.text);
        ASSERT_TRUE(matrix.has_value());
        EXPECT_EQ(matrix->dimension(), c.dimension);
        EXPECT_EQ(maskOf(*matrix), c.mask);
        EXPECT_EQ(digestOf(*matrix), QByteArray(c.digest));
    }
}

// Every version at every level, filled to the byte capacity: one digest over all 160 symbols.
TEST(QrMatrix, EveryVersionAndLevelStaysTheSame)
{
    QCryptographicHash all(QCryptographicHash::Sha1);
    QByteArray masks;
    for (int version = 1; version <= 40; ++version) {
        for (int level = 0; level < 4; ++level) {
            const int bytes = QR_8_BIT_size_array()[size_t((version - 1) * 4 + level)];
            const QByteArray text = repeatedTo("the quick brown fox jumps over the lazy dog 0123; ", bytes);
            const std::optional<DataMatrix> matrix = QREncoder::encodeCStringWithECLevel(level, version, text);
            ASSERT_TRUE(matrix.has_value()) << version << " " << level;
            all.addData(matrix->description().toLatin1());
            masks += char('0' + maskOf(*matrix));
        }
    }
    EXPECT_EQ(masks, QByteArray("7076620633737202260721272255423432222262222722222255227222722222222722222222222222432223222222222225222422232224222422252222222222222224222222262224222222252225"));
    EXPECT_EQ(all.result().toHex().left(16), QByteArray("91a2c3661e37b3f3"));
}

// Each of the eight masks forced on the same data.
TEST(QrMatrix, EachForcedMaskStaysTheSame)
{
    const char* const expected[8] = {"1a4124ec28874da5", "8dbead9b4acd6bb4", "f01ffbe95882600f", "d2c3bab9569492da",
                                      "0e683578041f7e90", "e41d954e09fe627c", "b3c68fb65c5b21fb", "499d358dcbbc6237"};
    for (int mask = 0; mask < 8; ++mask) {
        CQR_Encode encoder;
        ASSERT_TRUE(encoder.EncodeData(2, 7, false, mask, "Forced mask, version 7-Q"));
        DataMatrix matrix(encoder.m_nSymbleSize);
        for (int y = 0; y < matrix.dimension(); ++y)
            for (int x = 0; x < matrix.dimension(); ++x)
                matrix.set(int8_t(encoder.m_byModuleData[x][y]), x, y);
        EXPECT_EQ(maskOf(matrix), mask);
        EXPECT_EQ(digestOf(matrix), QByteArray(expected[mask])) << mask;
    }
}
