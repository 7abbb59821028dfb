// Check characters, refusals and corrected behaviour of the linear symbologies, per symbology.
#include <gtest/gtest.h>
#include "barcodes/BarcodeSettings.h"
#include "barcodes/linear/LinearSymbologies.h"
#include "barcodes/linear/NKDCodabarBarcode.h"
#include "barcodes/linear/NKDCode128Barcode.h"
#include "barcodes/linear/NKDCode39Barcode.h"
#include "barcodes/linear/NKDModifiedPlesseyBarcode.h"
#include "barcodes/linear/NKDPostalBarcodes.h"
#include "barcodes/linear/NKDTwoOfFiveBarcode.h"
#include "barcodes/linear/NKDUPCEANBarcode.h"
#include "support/TestEnvironment.h"

namespace {
template <typename T, typename... Args>
std::unique_ptr<T> made(const QString& content, Args... args)
{
    auto barcode = std::make_unique<T>(args...);
    barcode->initWithContent(content);
    return barcode;
}

std::unique_ptr<NKDBarcode> made(const char* title, const QString& content)
{
    auto barcode = makeLinearBarcode(QString::fromLatin1(title));
    barcode->initWithContent(content);
    return barcode;
}

bool valid(const char* title, const QString& content) { return made(title, content)->isContentValid(); }

size_t count(const BarString& bars, const BarString& part)
{
    size_t n = 0;
    for (size_t at = bars.find(part); at != BarString::npos; at = bars.find(part, at + 1))
        ++n;
    return n;
}
}  // namespace

TEST(LinearBaseTest, FreshObjectAndSharedRules)
{
    NKDBarcode base;
    base.initWithContent("0123", true);
    EXPECT_EQ(base.checkDigit(), -1);
    EXPECT_EQ(base.barWidth(), 0.0f);
    EXPECT_EQ(base.width(), 0.0f);
    EXPECT_EQ(base.Barcode_Orientation(), 0);
    EXPECT_EQ(base.caption(), "0123");
    EXPECT_TRUE(base.leftCaption().isEmpty() && base.rightCaption().isEmpty() && base.header().isEmpty());
    base.setCaptionHeight(0.2f);
    EXPECT_FLOAT_EQ(base.barBottom(0), 14.4f);
    EXPECT_FLOAT_EQ(base.barBottom(7), 14.4f);

    NKDCode39Barcode other;
    other.initWithContent("0123");
    EXPECT_TRUE(base.isEqual(other));
}

TEST(LinearBaseTest, EverySymbologyRefusesTextOutsideAscii)
{
    for (const QString& title : linearSymbologyTitles()) {
        SCOPED_TRACE(title.toStdString());
        auto barcode = makeLinearBarcode(title);
        barcode->initWithContent(QStringLiteral("12345678901\u00e9"));
        EXPECT_FALSE(barcode->isContentValid());
        if (!barcode->isBarHeightCode())
            EXPECT_TRUE(barcode->barcode().empty());
    }
}

TEST(Code39Test, CaseChecksAndLengths)
{
    EXPECT_EQ(made<NKDCode39Barcode>("abc")->content(), "ABC");
    EXPECT_TRUE(valid("Code 39", "abc"));
    auto extended = made<NKDExtendedCode39Barcode>("abc");
    EXPECT_EQ(extended->content(), "abc");
    NKDCode39Barcode plain;
    plain.initWithContent("+A+B+C");
    EXPECT_EQ(extended->completeBarcode(), plain.completeBarcode());

    EXPECT_EQ(made<NKDCode39Barcode>("A-1")->completeBarcode().size(), 65u);
    EXPECT_EQ(made<NKDCode39Barcode>("")->completeBarcode().size(), 26u);
    auto checked = made<NKDCode39Barcode>("CODE39");
    checked->generateChecksum();
    EXPECT_EQ(checked->checkDigit(), 'W');
    EXPECT_EQ(checked->completeBarcode().size(), 9u * 13u);

    EXPECT_FALSE(valid("Extended Code 39", "a\tb"));
    EXPECT_FALSE(valid("Code 39", "A~"));
}

TEST(Code128Test, AutomaticSetChoice)
{
    EXPECT_EQ(made<NKDCode128Barcode>("12345678")->codeSet(), NKDCode128Barcode::SetC);
    EXPECT_EQ(made<NKDCode128Barcode>("Abc12")->codeSet(), NKDCode128Barcode::SetB);
    EXPECT_EQ(made<NKDCode128Barcode>("\x01\x02z")->codeSet(), NKDCode128Barcode::SetA);
    EXPECT_EQ(made<NKDCode128Barcode>("")->codeSet(), NKDCode128Barcode::SetC);
    // An odd number of digits is never padded into set C: it would read as another value.
    auto odd = made<NKDCode128Barcode>("12345");
    EXPECT_EQ(odd->codeSet(), NKDCode128Barcode::SetB);
    EXPECT_TRUE(odd->isContentValid());
}

TEST(Code128Test, CheckValuesAndShifts)
{
    auto setB = made<NKDCode128Barcode>("AB", NKDCode128Barcode::SetB);
    EXPECT_EQ(setB->checkDigit(), 102);  // (104 + 1*33 + 2*34) mod 103
    EXPECT_EQ(setB->completeBarcode(), "11010010000" "10100011000" "10001011000" "11110101110" "1100011101011");

    auto setC = made<NKDCode128Barcode>("123456", NKDCode128Barcode::SetC);
    EXPECT_EQ(setC->checkDigit(), (105 + 1 * 12 + 2 * 34 + 3 * 56) % 103);

    // One SHIFT symbol (98) before the character of the other set, counted in the check value.
    auto shifted = made<NKDCode128Barcode>("a", NKDCode128Barcode::SetA);
    EXPECT_EQ(shifted->completeBarcode(), NKDCode128Barcode::symbolModules(103) + NKDCode128Barcode::symbolModules(98) +
                                              NKDCode128Barcode::symbolModules(65) + NKDCode128Barcode::symbolModules(22) +
                                              NKDCode128Barcode::symbolModules(106));
    EXPECT_EQ(shifted->checkDigit(), (103 + 1 * 98 + 2 * 65) % 103);

    EXPECT_EQ(NKDCode128Barcode::_valueForChar(' ', NKDCode128Barcode::SetB), 0);
    EXPECT_EQ(NKDCode128Barcode::_valueForChar('\x7f', NKDCode128Barcode::SetB), 95);
    EXPECT_EQ(NKDCode128Barcode::_valueForChar('\t', NKDCode128Barcode::SetA), 73);
}

TEST(Code128Test, ExplicitSetCTakesOnlyDigitPairs)
{
    EXPECT_TRUE(made<NKDCode128Barcode>("1234", NKDCode128Barcode::SetC)->isContentValid());
    EXPECT_FALSE(made<NKDCode128Barcode>("12345", NKDCode128Barcode::SetC)->isContentValid());
    EXPECT_FALSE(made<NKDCode128Barcode>("12A4", NKDCode128Barcode::SetC)->isContentValid());
    EXPECT_TRUE(made<NKDCode128Barcode>("\x7f\x01", NKDCode128Barcode::SetA)->isContentValid());
}

TEST(TwoOfFiveTest, LengthsChecksAndPublishedIndustrialForm)
{
    EXPECT_EQ(made<NKDInterleavedTwoOfFiveBarcode>("12345")->completeBarcode().size(), 63u);
    auto checked = made<NKDInterleavedTwoOfFiveBarcode>("1234567");
    checked->generateChecksum();
    EXPECT_EQ(checked->checkDigit(), '8');
    EXPECT_FALSE(valid("Interleaved 2 of 5", "12A4"));

    // Start bars wide, wide, narrow; '1' is wide, narrow, narrow, narrow, wide; stop wide, narrow, wide.
    EXPECT_EQ(made<NKDIndustrialTwoOfFiveBarcode>("1")->completeBarcode(),
              "1110111010" "11101010101110" "111010111");
    EXPECT_FALSE(valid("Industrial 2 of 5", "1-2"));
}

TEST(CodabarTest, PublishedPatternsGapsAndStartStop)
{
    auto ab = made<NKDCodabarBarcode>("A1B");
    EXPECT_EQ(ab->completeBarcode(), "1011001001" "0" "101011001" "0" "1001001011");
    EXPECT_EQ(made<NKDCodabarBarcode>("C1D")->completeBarcode(), "1010010011" "0" "101011001" "0" "1010011001");
    EXPECT_EQ(made<NKDCodabarBarcode>("1234")->completeBarcode(), made<NKDCodabarBarcode>("A1234A")->completeBarcode());
    EXPECT_EQ(made<NKDCodabarBarcode>("1234")->caption(), "1234");

    EXPECT_TRUE(valid("Codabar", "A1234B"));
    EXPECT_TRUE(valid("Codabar", "1234"));
    EXPECT_FALSE(valid("Codabar", "A1234"));    // start letter without a stop letter
    EXPECT_FALSE(valid("Codabar", "12B34"));    // letters only at the ends
    EXPECT_FALSE(valid("Codabar", "a1234b"));
}

TEST(ModifiedPlesseyTest, CheckDigitsOfAnyLength)
{
    auto plessey = made<NKDModifiedPlesseyBarcode>("1234");
    EXPECT_EQ(plessey->checkDigit(), '4');
    EXPECT_EQ(plessey->completeBarcode().size(), 16u + 5u * 16u + 19u);

    // Beyond 18 characters the doubled number no longer fits 32 bits; Python's integers do.
    const QString script = QStringLiteral(
        "import sys\n"
        "for s in sys.argv[1:]:\n"
        "    odd = s[::-1][0::2]\n"
        "    t = sum(int(c) for c in str(2 * int(odd))) + sum(int(c) for c in s[::-1][1::2])\n"
        "    print((10 - t % 10) % 10)\n");
    const QStringList values = {"1234", "98765432109876543210", "99999999999999999999999999999999999999",
                                "5555555555555555555555555555555555555555551", "10000000000000000000000000000000000000009"};
    const auto expected = TestEnvironment::runPython(script, values);
    ASSERT_EQ(expected.exitCode, 0);
    const QStringList digits = QString::fromLatin1(expected.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(digits.size(), values.size());
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(made<NKDModifiedPlesseyBarcode>(values[i])->checkDigit(), digits[i].at(0).toLatin1()) << values[i].toStdString();

    EXPECT_TRUE(valid("Modified Plessey (Hex)", "1a2f"));
    EXPECT_FALSE(valid("Modified Plessey (Hex)", "12G"));
    EXPECT_FALSE(valid("Modified Plessey", "12A"));
}

TEST(UpcEanTest, CheckDigitsAreComputedAndVerified)
{
    EXPECT_EQ(made<NKDEAN13Barcode>("400638133393")->checkDigit(), '1');
    EXPECT_TRUE(valid("EAN-13", "4006381333931"));
    auto wrong = made<NKDEAN13Barcode>("4006381333932");
    EXPECT_FALSE(wrong->isContentValid());
    EXPECT_EQ(wrong->checkDigit(), '2');
    EXPECT_FALSE(valid("EAN-13", "40063813339310"));

    EXPECT_EQ(made<NKDUPCABarcode>("03600029145")->checkDigit(), '2');
    EXPECT_TRUE(valid("UPCA", "036000291452"));
    EXPECT_FALSE(valid("UPCA", "036000291453"));
    EXPECT_FALSE(valid("UPCA", "0360002914A"));

    EXPECT_EQ(made<NKDEAN8Barcode>("9638507")->checkDigit(), '4');
    EXPECT_TRUE(valid("EAN-8", "96385074"));
    EXPECT_FALSE(valid("EAN-8", "96385075"));
    EXPECT_FALSE(valid("EAN-8", "96A8507"));
}

TEST(UpcEanTest, CaptionsLengthsAndWidths)
{
    auto upca = made<NKDUPCABarcode>("03600029145");
    EXPECT_EQ(upca->caption(), "36000\t29145");
    EXPECT_EQ(upca->leftCaption(), "0");
    EXPECT_EQ(upca->rightCaption(), "2");
    EXPECT_EQ(made<NKDEAN8Barcode>("9638507")->caption(), " 9638\t5074");
    EXPECT_EQ(made<NKDEAN13Barcode>("400638133393")->caption(), "  006381\t333931");

    EXPECT_EQ(upca->completeBarcode().size(), 95u);
    EXPECT_EQ(made<NKDEAN13Barcode>("400638133393")->completeBarcode().size(), 95u);
    EXPECT_EQ(made<NKDEAN8Barcode>("9638507")->completeBarcode().size(), 67u);
    EXPECT_EQ(made<NKDUPCEBarcode>("0425261")->completeBarcode().size(), 51u);

    auto empty = made<NKDEAN13Barcode>("");
    empty->setBarWidth(1.0f);
    empty->calculateWidth();
    EXPECT_EQ(empty->width(), 0.0f);
}

TEST(UpcEanTest, UpcEConversionKeepsEveryDigit)
{
    EXPECT_EQ(NKDUPCEBarcode::UPCAToUPCE("042100005264"), "425261");
    EXPECT_EQ(NKDUPCEBarcode::UPCAToUPCE("012000000345"), "120340");
    // The product digits a shortening would drop are not all zero.
    EXPECT_EQ(NKDUPCEBarcode::UPCAToUPCE("012000012345"), "");
    EXPECT_EQ(NKDUPCEBarcode::UPCAToUPCE("04210000526"), "");

    auto converted = made<NKDUPCEBarcode>("04210000526");
    EXPECT_EQ(converted->content(), "0425261");
    EXPECT_EQ(converted->checkDigit(), '4');
    EXPECT_TRUE(converted->isContentValid());
    EXPECT_FALSE(valid("UPCE", "01200001234"));

    // The check digit is that of the UPC-A form, computed for seven digits, verified for eight.
    EXPECT_EQ(made<NKDUPCEBarcode>("0425261")->checkDigit(), '4');
    EXPECT_TRUE(valid("UPCE", "04252614"));
    EXPECT_FALSE(valid("UPCE", "04252615"));
    EXPECT_FALSE(valid("UPCE", "2425261"));
}

TEST(PostalTest, PostnetAndPlanet)
{
    auto postnet = made<NKDPostnetBarcode>("12345");
    EXPECT_EQ(postnet->checkDigit(), '5');
    const BarString bars = postnet->completeBarcode();
    EXPECT_EQ(bars.size(), 94u);
    EXPECT_EQ(std::count(bars.begin(), bars.end(), '1'), 32);
    EXPECT_FLOAT_EQ(postnet->barTop(0), 9.0f);
    EXPECT_FLOAT_EQ(postnet->barTop(93), 9.0f);
    EXPECT_FALSE(valid("PostNet", "1234"));
    EXPECT_TRUE(valid("PostNet", "123456789"));

    auto planet = made<NKDPlanetBarcode>("12345");
    EXPECT_EQ(planet->completeBarcode(), bars);
    // Frame, 1 2 3 4 5, check digit 5, frame; Planet exchanges the data bars only.
    EXPECT_EQ(barHeightLetters(*postnet), "F" "DDDFF" "DDFDF" "DDFFD" "DFDDF" "DFDFD" "DFDFD" "F");
    EXPECT_EQ(barHeightLetters(*planet), "F" "FFFDD" "FFDFD" "FFDDF" "FDFFD" "FDFDF" "FDFDF" "F");
}

TEST(PostalTest, RoyalMailChecksAndRefusals)
{
    EXPECT_EQ(made<NKDRoyalMailBarcode>("SN34RD1A")->checkDigit(), 'K');
    EXPECT_EQ(made<NKDRoyalMailBarcode>("LU178XE")->checkDigit(), 'U');
    EXPECT_EQ(made<NKDRoyalMailBarcode>("12345")->checkDigit(), 'P');
    // Lower case is the same code; anything else cannot be drawn and is refused.
    auto lower = made<NKDRoyalMailBarcode>("sn34rd1a");
    EXPECT_TRUE(lower->isContentValid());
    EXPECT_EQ(lower->completeBarcode(), made<NKDRoyalMailBarcode>("SN34RD1A")->completeBarcode());
    EXPECT_FALSE(valid("Royal Mail Barcode (RM4SCC / CBC)", "SN34 RD1A"));
    EXPECT_FALSE(valid("Royal Mail Barcode (RM4SCC / CBC)", "AB-1"));
    EXPECT_EQ(barHeightLetters(*made<NKDRoyalMailBarcode>("0")), "ATTFF" "TTFF" "F");  // check of "0" is '0'
}

TEST(PostalTest, JapanPostSymbolsAndClamps)
{
    auto japan = made<JapanPostBarcode>("1234567-8a");
    EXPECT_EQ(japan->japanpostContents(), QByteArray("1234567-8:0") + QByteArray(9, '='));
    EXPECT_EQ(japan->content(), "1234567-8A");
    EXPECT_TRUE(japan->isContentValid());
    EXPECT_FLOAT_EQ(japan->height(), 10.0f);
    EXPECT_EQ(japan->completeBarcode().size(), 4u + 21u * 6u + 3u);
    EXPECT_FALSE(valid("Japan Post Barcode", "123456"));

    japan->setHeight(7);
    EXPECT_FLOAT_EQ(japan->height(), 8.5f);
    EXPECT_FLOAT_EQ(japan->barWidth(), 1.4166667f);
    japan->setBarWidth(2.5f);
    EXPECT_FLOAT_EQ(japan->barWidth(), 1.9166666f);
    EXPECT_FLOAT_EQ(japan->height(), 11.5f);

    // Cut at 20 symbols, the readable value keeps the characters whose symbols were kept.
    auto longValue = made<JapanPostBarcode>("1234567ABCDEFGHIJ");
    EXPECT_EQ(longValue->japanpostContents(), "1234567:0:1:2:3:4:5:");
    EXPECT_EQ(longValue->content(), "1234567ABCDEF");
}
