// Check characters, refusals and corrected behaviour of the linear symbologies, per symbology.
#include <gtest/gtest.h>
#include "barcodes/linear/LinearSymbologies.h"
#include "barcodes/linear/NKDCodabarBarcode.h"
#include "barcodes/linear/NKDCode128Barcode.h"
#include "barcodes/linear/NKDCode39Barcode.h"
#include "barcodes/linear/NKDModifiedPlesseyBarcode.h"
#include "barcodes/linear/NKDPostalBarcodes.h"
#include "barcodes/linear/NKDTwoOfFiveBarcode.h"
#include "barcodes/linear/NKDUPCEANBarcode.h"

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

}  // namespace

// The check character a symbology computes (0: not checked here) and whether it takes the value.
TEST(LinearBaseTest, CheckCharactersAndRefusalsPerSymbology)
{
    const char* const kRoyalMail = "Royal Mail Barcode (RM4SCC / CBC)";
    const struct { const char* title; QString value; char check; bool valid; } cases[] = {
        {"Code 39", "A~", 0, false},
        {"Extended Code 39", "a\tb", 0, false},
        {"Code 128 SET C", "1234", 0, true},
        {"Code 128 SET C", "12345", 0, false},  // explicit set C takes only digit pairs
        {"Code 128 SET C", "12A4", 0, false},
        {"Code 128 SET A", "\x7f\x01", 0, true},
        {"Codabar", "1234", 0, true},
        {"Codabar", "A1234", 0, false},  // start letter without a stop letter
        {"Codabar", "12B34", 0, false},  // letters only at the ends
        {"Codabar", "a1234b", 0, false},
        {"Modified Plessey", "1234", '4', true},
        {"Modified Plessey (Hex)", "12G", 0, false},
        // UPC and EAN check digits are computed for the short form and verified for the long one.
        {"EAN-13", "400638133393", '1', true},
        {"EAN-13", "4006381333931", '1', true},
        {"EAN-13", "4006381333932", '2', false},
        {"UPCA", "03600029145", '2', true},
        {"UPCA", "036000291452", 0, true},
        {"UPCA", "036000291453", 0, false},
        {"EAN-8", "9638507", '4', true},
        {"EAN-8", "96385074", 0, true},
        {"EAN-8", "96385075", 0, false},
        {"UPCE", "0425261", '4', true},  // the check digit of the UPC-A form
        {"UPCE", "04252614", 0, true},
        {"UPCE", "04252615", 0, false},
        {"UPCE", "2425261", 0, false},
        {"UPCE", "01200001234", 0, false},  // a UPC-A value with no UPC-E form
        {"PostNet", "12345", '5', true},
        {"PostNet", "1234", 0, false},
        {kRoyalMail, "SN34RD1A", 'K', true},
        {kRoyalMail, "LU178XE", 'U', true},
        {kRoyalMail, "sn34rd1a", 'K', true},  // lower case is the same code; anything else is refused
        {kRoyalMail, "SN34 RD1A", 0, false},
        {"Japan Post Barcode", "123456", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 \"%2\"").arg(QLatin1String(c.title), c.value).toStdString());
        const auto barcode = made(c.title, c.value);
        EXPECT_EQ(barcode->isContentValid(), c.valid);
        if (c.check) {
            EXPECT_EQ(barcode->checkDigit(), c.check);
        }
    }
}

TEST(LinearBaseTest, EverySymbologyRefusesTextOutsideAscii)
{
    for (const QString& title : linearSymbologyTitles()) {
        SCOPED_TRACE(title.toStdString());
        auto barcode = makeLinearBarcode(title);
        barcode->initWithContent(QStringLiteral("12345678901\u00e9"));
        EXPECT_FALSE(barcode->isContentValid());
        if (!barcode->isBarHeightCode()) {
            EXPECT_TRUE(barcode->barcode().empty());
        }
    }
}

TEST(Code39Test, CaseChecksAndLengths)
{
    EXPECT_EQ(made<NKDCode39Barcode>("abc")->content(), "ABC");
    EXPECT_EQ(made<NKDExtendedCode39Barcode>("abc")->content(), "abc");
    auto checked = made<NKDCode39Barcode>("CODE39");
    checked->generateChecksum();
    EXPECT_EQ(checked->checkDigit(), 'W');
}

TEST(Code128Test, SetChoiceCheckValuesAndShifts)
{
    // Each set's modules and the automatic choice are compared with zint; here what it cannot show.
    // An odd number of digits is never padded into set C: it would read as another value.
    auto odd = made<NKDCode128Barcode>("12345");
    EXPECT_EQ(odd->codeSet(), NKDCode128Barcode::SetB);
    EXPECT_TRUE(odd->isContentValid());
    // One SHIFT symbol (98) before the character of the other set, counted in the check value.
    auto shifted = made<NKDCode128Barcode>("a", NKDCode128Barcode::SetA);
    EXPECT_EQ(shifted->completeBarcode(), NKDCode128Barcode::symbolModules(103) + NKDCode128Barcode::symbolModules(98) +
                                              NKDCode128Barcode::symbolModules(65) + NKDCode128Barcode::symbolModules(22) +
                                              NKDCode128Barcode::symbolModules(106));
    EXPECT_EQ(shifted->checkDigit(), (103 + 1 * 98 + 2 * 65) % 103);
}

// A code set beyond A, B and C starts nothing and shifts into nothing, and a character beyond
// ASCII has no value; each is told in the log, and nothing else is.
TEST(Code128Test, WhatNoSetEncodesIsLogged)
{
    static QStringList logged;
    logged.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& line) { logged.append(line); });
    auto unknown = made<NKDCode128Barcode>("AB", 7);
    EXPECT_TRUE(unknown->initiator().empty());
    EXPECT_TRUE(NKDCode128Barcode::_shiftCharacterForSet(NKDCode128Barcode::SetC).empty());
    EXPECT_EQ(NKDCode128Barcode::_shiftCharacterForSet(NKDCode128Barcode::SetB), NKDCode128Barcode::symbolModules(98));
    EXPECT_EQ(NKDCode128Barcode::_valueForChar(char(0xE9), NKDCode128Barcode::SetB), -1);
    EXPECT_EQ(NKDCode128Barcode::_valueForChar('a', NKDCode128Barcode::SetA), -1);
    // An automatic set is settled before the symbol is measured: what a set encodes logs nothing.
    for (const char* value : {"ID0001", "123456", "\x01\x02a"})
        EXPECT_FALSE(made("Code 128", QString::fromLatin1(value))->copy()->completeBarcode().empty()) << value;
    qInstallMessageHandler(previous);
    // The width is measured with the start symbol too, which logs the unknown set again.
    logged.removeDuplicates();
    EXPECT_EQ(logged, (QStringList{"Invalid codeSet value: 7", "Invalid CodeSet value Supplied: 2",
                                   QStringLiteral("_valueForChar: received Unrecognized character \u00e9")}));
}

TEST(Code128Test, CheckValueOfLongValues)
{
    // The weighted sum passes 2^31 near 11,000 characters (check values worked with Python's integers).
    const std::pair<QString, int> cases[] = {
        {QString(20000, QLatin1Char('A')), 82},         // 104 + 33 x (1 + ... + 20000) = 6,600,330,104
        {QStringLiteral("Zz").repeated(10000), 27},     // 14,800,900,104
        {QStringLiteral("12").repeated(10000), 27},     // set C: 105 + 12 x (1 + ... + 10000)
    };
    for (const auto& [value, check] : cases) {
        auto barcode = made<NKDCode128Barcode>(value);
        EXPECT_EQ(barcode->checkDigit(), check) << value.left(4).toStdString();
        EXPECT_TRUE(barcode->barcode().ends_with(NKDCode128Barcode::symbolModules(check)));
    }
}

TEST(TwoOfFiveAndCodabarTest, ChecksAndPublishedPatterns)
{
    auto checked = made<NKDInterleavedTwoOfFiveBarcode>("1234567");
    checked->generateChecksum();
    EXPECT_EQ(checked->checkDigit(), '8');

    // Start bars wide, wide, narrow; '1' is wide, narrow, narrow, narrow, wide; stop wide, narrow, wide.
    EXPECT_EQ(made<NKDIndustrialTwoOfFiveBarcode>("1")->completeBarcode(),
              "1110111010" "11101010101110" "111010111");

    // Codabar: the published B and C patterns, a one-module gap between characters, A framing a bare value.
    EXPECT_EQ(made<NKDCodabarBarcode>("A1B")->completeBarcode(), "1011001001" "0" "101011001" "0" "1001001011");
    EXPECT_EQ(made<NKDCodabarBarcode>("C1D")->completeBarcode(), "1010010011" "0" "101011001" "0" "1010011001");
    EXPECT_EQ(made<NKDCodabarBarcode>("1234")->completeBarcode(), made<NKDCodabarBarcode>("A1234A")->completeBarcode());
    EXPECT_EQ(made<NKDCodabarBarcode>("1234")->caption(), "1234");
}

TEST(ModifiedPlesseyTest, CheckDigitsOfAnyLength)
{
    // Beyond 18 characters the doubled number no longer fits 32 bits (digits worked with Python's integers).
    const std::pair<QString, char> cases[] = {
        {"98765432109876543210", '6'},
        {"99999999999999999999999999999999999999", '8'},
        {"5555555555555555555555555555555555555555551", '2'},
        {"10000000000000000000000000000000000000009", '9'},
    };
    for (const auto& [value, digit] : cases)
        EXPECT_EQ(made<NKDModifiedPlesseyBarcode>(value)->checkDigit(), digit) << value.toStdString();
}

TEST(UpcEanTest, CaptionsAndEmptyWidth)
{
    auto upca = made<NKDUPCABarcode>("03600029145");
    EXPECT_EQ(upca->leftCaption() + "|" + upca->caption() + "|" + upca->rightCaption(), "0|36000\t29145|2");
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

    auto converted = made<NKDUPCEBarcode>("04210000526");
    EXPECT_EQ(converted->content(), "0425261");
    EXPECT_EQ(converted->checkDigit(), '4');
    EXPECT_TRUE(converted->isContentValid());
}

TEST(PostalTest, PostnetAndPlanet)
{
    auto postnet = made<NKDPostnetBarcode>("12345");
    auto planet = made<NKDPlanetBarcode>("12345");
    EXPECT_EQ(planet->completeBarcode(), postnet->completeBarcode());
    // Frame, 1 2 3 4 5, check digit 5, frame; Planet exchanges the data bars only.
    EXPECT_EQ(barHeightLetters(*postnet), "F" "DDDFF" "DDFDF" "DDFFD" "DFDDF" "DFDFD" "DFDFD" "F");
    EXPECT_EQ(barHeightLetters(*planet), "F" "FFFDD" "FFDFD" "FFDDF" "FDFFD" "FDFDF" "FDFDF" "F");
}

TEST(PostalTest, RoyalMailLowerCaseAndBars)
{
    EXPECT_EQ(made<NKDRoyalMailBarcode>("sn34rd1a")->completeBarcode(), made<NKDRoyalMailBarcode>("SN34RD1A")->completeBarcode());
    EXPECT_EQ(barHeightLetters(*made<NKDRoyalMailBarcode>("0")), "ATTFF" "TTFF" "F");  // check of "0" is '0'
}

TEST(PostalTest, JapanPostSymbolsAndClamps)
{
    auto japan = made<JapanPostBarcode>("1234567-8a");
    EXPECT_EQ(japan->japanpostContents(), QByteArray("1234567-8:0") + QByteArray(9, '='));
    EXPECT_EQ(japan->content(), "1234567-8A");
    EXPECT_TRUE(japan->isContentValid());

    japan->setHeight(7);
    EXPECT_FLOAT_EQ(japan->height(), 8.5f);  // clamped

    // Cut at 20 symbols, the readable value keeps the characters whose symbols were kept.
    auto longValue = made<JapanPostBarcode>("1234567ABCDEFGHIJ");
    EXPECT_EQ(longValue->japanpostContents(), "1234567:0:1:2:3:4:5:");
    EXPECT_EQ(longValue->content(), "1234567ABCDEF");
}

// A copy is an object of the same class that draws the same bars at the same size; the
// description names the class and the settings.
TEST(LinearBaseTest, CopiesKeepClassBarsAndSizesAndTheDescriptionNamesThem)
{
    const struct { const char* title; QString value; } cases[] = {
        {"Code 39", "CODE39"}, {"Code 128 SET A", "AB12"}, {"Code 128", "123456"}, {"EAN-13", "400638133393"},
        {"UPCE", "0425261"}, {"Modified Plessey", "1234"}, {"Codabar", "A1234B"},
        {"Royal Mail Barcode (RM4SCC / CBC)", "SN34RD1A"}, {"Japan Post Barcode", "1234567-8A"},
    };
    for (const auto& c : cases) {
        auto original = made(c.title, c.value);
        original->setBarWidth(1.5f);
        original->setHeight(40.0f);
        original->setCaptionFontSize(8.0f);
        original->calculateWidth();
        const auto copy = original->copy();
        const NKDBarcode& a = *original;
        const NKDBarcode& b = *copy;
        EXPECT_EQ(typeid(b), typeid(a)) << c.title;
        EXPECT_EQ(b.completeBarcode(), a.completeBarcode()) << c.title;
        EXPECT_EQ(b.content(), a.content()) << c.title;
        EXPECT_EQ(b.checkDigit(), a.checkDigit()) << c.title;
        EXPECT_EQ(b.printsCaption(), a.printsCaption()) << c.title;
        EXPECT_EQ(QList<float>({b.barWidth(), b.height(), b.width(), b.caption_fontSize()}),
                  QList<float>({a.barWidth(), a.height(), a.width(), a.caption_fontSize()}))
            << c.title;
        EXPECT_TRUE(b.isEqual(a)) << c.title;
    }

    auto code39 = made<NKDCode39Barcode>("AB");
    code39->setCheckDigit('K');
    code39->setBarWidth(1.0f);
    code39->setHeight(36.0f);
    code39->calculateWidth();
    EXPECT_EQ(code39->description(),
              QStringLiteral("\n\tBarcode Class: NKDCode39Barcode\n\tContent: AB\n\tCheck Digit:K\n\tWidth:%1"
                             "\n\tHeight:36.000000\n\tBar Width:1.000000\n\tCaption Font Size:0.000000"
                             "\n\tCaption Height:0.000000")
                  .arg(QString::asprintf("%f", double(code39->completeBarcode().size()))));
}
