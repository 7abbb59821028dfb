// QR symbols of texts whose digit and letter runs sit where joining or keeping segments changes
// the stream length, compared with zint at a fixed mask (the mask choice by penalty is our own).
#include "SymbolTools.h"
#include "barcodes/qr/CQR_Encode.h"

namespace {

// zint's modules as 0/1 rows, cut to the symbol's width.
QStringList zintQrRows(const QString& value, int level, int mask)
{
    const auto result = TestEnvironment::run(QStringLiteral("zint"),
        {"-b", "58", QStringLiteral("--secure=%1").arg(level + 1), QStringLiteral("--mask=%1").arg(mask), "--dump", "-d", value});
    QStringList rows = QString::fromLatin1(result.out).split('\n', Qt::SkipEmptyParts);
    for (QString& row : rows) {
        QString bits;
        for (QChar hex : row.remove(' '))
            bits += QStringLiteral("%1").arg(QString(hex).toInt(nullptr, 16), 4, 2, QLatin1Char('0'));
        row = bits.left(int(rows.size()));
    }
    return rows;
}

QStringList ourRows(const QString& value, int level, int mask)
{
    CQR_Encode encoder;
    const QByteArray text = value.toLatin1();
    if (!encoder.EncodeData(level, 0, true, mask, text.constData()))
        return {};
    QStringList rows;
    for (int y = 0; y < encoder.m_nSymbleSize; ++y) {
        QString row;
        for (int x = 0; x < encoder.m_nSymbleSize; ++x)
            row += encoder.m_byModuleData[x][y] ? '1' : '0';
        rows << row;
    }
    return rows;
}

}  // namespace

// Each text's shortest stream fills its version exactly, or keeps two runs whose join would cost
// the same: joining more than the shortest stream needs shows as a larger symbol or other modules.
TEST(QrSegmentSwitch, MixedDigitAndLetterTextsTakeZintsVersionAndModules)
{
    const struct { const char* text; int level, size; } cases[] = {
        {"1234567A123456A123456", 1, 21},  // 7 digits stay numeric, the rest one alphanumeric run: 128 bits
        {"1234567A123456A123456", 3, 25},
        {"1234567A11111BCDEFGHI", 1, 21},
        {"A1234567", 3, 21},                // keeping or joining both cost 57 bits: zint keeps
        {"ABCDEFGHIJ1234567890123", 0, 21},  // a long digit run after capitals stays numeric
        {"AB1234567890123CD", 3, 25},      // 13 digits inside capitals: 106 bits, one bit less than joined
        {"a1234567ABCa", 2, 21},            // folding the digits into bytes would need 108 bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 level %2").arg(QLatin1String(c.text)).arg(c.level).toStdString());
        const QStringList ours = ourRows(QLatin1String(c.text), c.level, 2);
        EXPECT_EQ(ours.size(), c.size);
        EXPECT_EQ(ours.join('\n').toStdString(), zintQrRows(QLatin1String(c.text), c.level, 2).join('\n').toStdString());
    }
}
