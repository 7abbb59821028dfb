// The bar patterns of the linear symbologies against zint, and their pictures against two
// decoders.
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include "LinearProbe.h"
#include "barcodes/linear/LinearSymbologies.h"

using namespace linear_probe;

namespace {
struct Case {
    int zintSymbology;
    const char* title;
    QString value;
};

QString printable(int from, int to)
{
    QString text;
    for (int c = from; c <= to; ++c)
        text += QChar(c);
    return text;
}

QString digitPairs(int from, int count)
{
    QString text;
    for (int i = from; i < from + count; ++i)
        text += QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return text;
}

void expectSameModules(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 \"%2\"").arg(QLatin1String(c.title), c.value).toStdString());
        const QStringList zint = zintRows(c.zintSymbology, c.value);
        ASSERT_EQ(zint.size(), 1);
        const QString ours = probeBars(QString::fromLatin1(c.title), c.value);
        ASSERT_FALSE(ours.isEmpty());
        EXPECT_EQ(withoutTrailingLight(ours).toStdString(), withoutTrailingLight(zint.first()).toStdString());
    }
}

void expectSameBarHeights(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 \"%2\"").arg(QLatin1String(c.title), c.value).toStdString());
        const QString zint = zintBarLetters(c.zintSymbology, c.value);
        ASSERT_FALSE(zint.isEmpty());
        EXPECT_EQ(probeBars(QString::fromLatin1(c.title), c.value).toStdString(), zint.toStdString());
    }
}
}  // namespace

// Our Code 39 characters keep their trailing gap module, which zint leaves off the last one.
TEST(LinearSymbologyTest, Code39AndExtendedMatchZint)
{
    expectSameModules({
        {8, "Code 39", "A-1"},
        {8, "Code 39", "CODE39"},
        {8, "Code 39", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"},
        {9, "Extended Code 39", "Hello, World!"},
        {9, "Extended Code 39", printable(32, 79)},
        {9, "Extended Code 39", printable(80, 126)},
    });
}

// zint changes sets inside a symbol where that is shorter; we use one set per symbol, so the
// corpus holds values for which one set (with single shifts) is what zint picks too.
TEST(LinearSymbologyTest, Code128SingleSetValuesMatchZint)
{
    expectSameModules({
        {20, "Code 128", "AB"},
        {20, "Code 128", "Hello World"},
        {20, "Code 128 SET B", "Hello World"},
        {20, "Code 128 SET B", printable(32, 47) + printable(58, 79)},
        {20, "Code 128 SET B", printable(80, 126)},
        {20, "Code 128", digitPairs(0, 20)},
        {20, "Code 128 SET C", digitPairs(20, 20)},
        {20, "Code 128", digitPairs(40, 20)},
        {20, "Code 128", digitPairs(60, 20)},
        {20, "Code 128", digitPairs(80, 20)},
        {20, "Code 128 SET A", "AB\tCD\tEF"},
        {20, "Code 128", "\tA\tB\taC\tD"},  // set A with a single SHIFT to b
        {20, "Code 128", "ab\tcd"},         // set B with a single SHIFT to a tab
    });
}

// Industrial 2 of 5 takes the published form (bars only, one-module spaces), as zint does.
TEST(LinearSymbologyTest, TwoOfFiveAndCodabarMatchZint)
{
    expectSameModules({
        {3, "Interleaved 2 of 5", "12345"},
        {3, "Interleaved 2 of 5", "1234"},
        {3, "Interleaved 2 of 5", "0123456789"},
        {7, "Industrial 2 of 5", "1"},
        {7, "Industrial 2 of 5", "1234567890"},
        {18, "Codabar", "A1234B"},
        {18, "Codabar", "C-$:/.+0987D"},
        {18, "Codabar", "B40156D"},
    });
}

TEST(LinearSymbologyTest, CodabarWithoutStartStopIsFramedWithA)
{
    EXPECT_EQ(probeBars("Codabar", "1234"), probeBars("Codabar", "A1234A"));
    EXPECT_EQ(withoutTrailingLight(probeBars("Codabar", "1234")), withoutTrailingLight(zintRows(18, "A1234A").value(0)));
}

// zint takes a given check digit only in its "+ check digit" variants (14, 35, 38).
TEST(LinearSymbologyTest, UpcEanMatchZint)
{
    expectSameModules({
        {13, "EAN-13", "400638133393"},
        {14, "EAN-13", "4006381333931"},
        {13, "EAN-13", "978020137962"},
        {13, "EAN-8", "9638507"},
        {14, "EAN-8", "96385074"},
        {13, "EAN-8", "0000000"},
        {34, "UPCA", "03600029145"},
        {35, "UPCA", "036000291452"},
        {34, "UPCA", "12345678901"},
        {37, "UPCE", "0425261"},
        {38, "UPCE", "04252614"},
        {37, "UPCE", "1234565"},
        {37, "UPCE", "0123453"},
        {37, "UPCE", "0654321"},
        {37, "UPCE", "0000000"},
    });
}

// Our Postnet and Planet bars stand three modules apart (the postal spacing for a 0.015 in
// bar); zint's dump puts them two apart, so the bar heights are compared. Planet takes the
// Postnet lengths 5, 9 and 11, so zint's 13-digit Planet is not in the corpus.
TEST(LinearSymbologyTest, PostalBarHeightsMatchZint)
{
    expectSameBarHeights({
        {40, "PostNet", "12345"},
        {40, "PostNet", "123456789"},
        {40, "PostNet", "12345678901"},
        {82, "Planet", "12345678901"},
        {82, "Planet", "40000000009"},
        {70, "Royal Mail Barcode (RM4SCC / CBC)", "SN34RD1A"},
        {70, "Royal Mail Barcode (RM4SCC / CBC)", "LU178XE"},
        {70, "Royal Mail Barcode (RM4SCC / CBC)", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {76, "Japan Post Barcode", "1234567-8A"},
        {76, "Japan Post Barcode", "15400233-16-4-205"},
        {76, "Japan Post Barcode", "6540123789-A-K-Z"},
        {76, "Japan Post Barcode", "0230011"},
    });
}

TEST(LinearSymbologyTest, RoyalMailAndJapanPostModulesMatchZint)
{
    // Both put their bars two modules apart, as zint does, so the modules agree too.
    for (const Case& c : std::vector<Case>{{70, "Royal Mail Barcode (RM4SCC / CBC)", "SN34RD1A"},
                                           {76, "Japan Post Barcode", "1234567-8A"}}) {
        SCOPED_TRACE(c.title);
        const auto barcode = makeLinearBarcode(QString::fromLatin1(c.title));
        barcode->initWithContent(c.value);
        QString anyRow;
        const QStringList rows = zintRows(c.zintSymbology, c.value);
        for (int i = 0; i < rows.first().size(); ++i)
            anyRow += std::any_of(rows.begin(), rows.end(), [i](const QString& r) { return r.at(i) == '1'; }) ? '1' : '0';
        EXPECT_EQ(barcode->completeBarcode(), withoutTrailingLight(anyRow).toStdString());
    }
}

TEST(LinearSymbologyTest, ProbeRefusesUnknownSymbologiesAndValues)
{
    for (const QStringList& arguments : {QStringList{"bars", "Code 93", "ABC"}, QStringList{"bars", "EAN-13", "4006381333932"},
                                         QStringList{"bars", "Code 39", "abc~"}, QStringList{"bars", "Royal Mail Barcode (RM4SCC / CBC)", "AB-1"},
                                         QStringList{"png", "Code 128 SET C", "123", "/nonexistent/x.png"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const auto result = probe(arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_FALSE(result.err.isEmpty());
    }
    EXPECT_EQ(probeBars("code 128 set b", "AB"), probeBars("Code 128 SET B", "AB"));
}

// Neither decoder applies the Full ASCII shifts, nor do they agree on Codabar start and stop
// letters or on UPC-E, so each row names what each one reads.
TEST(LinearSymbologyTest, PicturesDecodeToTheValue)
{
    struct Decode {
        const char* title;
        QString value;
        QString zbar;
        QString zxing;
    };
    const std::vector<Decode> table = {
        {"Code 39", "CODE-39 TEST", "CODE-39 TEST", "CODE-39 TEST"},
        {"Extended Code 39", "Hi, you!", "H+I/L +Y+O+U/A", "H+I/L +Y+O+U/A"},
        {"Code 128", "Hello World", "Hello World", "Hello World"},
        {"Code 128 SET A", "ABCaDEF", "ABCaDEF", "ABCaDEF"},
        {"Code 128 SET B", "abc\x7f", "abc\x7f", "abc\x7f"},
        {"Code 128 SET C", "12345678", "12345678", "12345678"},
        {"Interleaved 2 of 5", "12345678", "12345678", "12345678"},
        {"EAN-13", "400638133393", "4006381333931", "4006381333931"},
        {"EAN-8", "9638507", "96385074", "96385074"},
        {"UPCA", "03600029145", "0036000291452", "036000291452"},
        {"UPCE", "0425261", "0042100005264", "04252614"},
        {"Codabar", "A1234B", "A1234B", "1234"},
        {"Codabar", "1234", "A1234A", "1234"},
    };
    QTemporaryDir dir;
    const QString png = dir.filePath("symbol.png");
    for (const Decode& d : table) {
        SCOPED_TRACE(QStringLiteral("%1 \"%2\"").arg(QLatin1String(d.title), d.value).toStdString());
        ASSERT_EQ(probe({"png", d.title, d.value, png, "3"}).exitCode, 0);
        const auto zbar = TestEnvironment::run("zbarimg", {"-q", "--raw", png});
        EXPECT_EQ(QString::fromLatin1(zbar.out).trimmed().toStdString(), d.zbar.toStdString());
        const auto zxing = TestEnvironment::run("ZXingReader", {"-bytes", png});
        EXPECT_EQ(QString::fromLatin1(zxing.out).trimmed().toStdString(), d.zxing.toStdString());
    }
}
