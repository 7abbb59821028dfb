// The parity patterns that carry a hidden digit: EAN-13's leading digit and UPC-E's check digit,
// compared module for module with zint.
#include "SymbolTools.h"

using namespace symbol_tools;

namespace {

void expectSameModulesAsZint(int zintSymbology, const char* title, const QStringList& values)
{
    for (const QString& value : values) {
        SCOPED_TRACE(value.toStdString());
        const QString ours = probeBars(QString::fromLatin1(title), value);
        const QStringList zint = zintRows(zintSymbology, value);
        ASSERT_FALSE(ours.isEmpty());
        ASSERT_EQ(zint.size(), 1);
        EXPECT_EQ(withoutTrailingLight(ours).toStdString(), withoutTrailingLight(zint.first()).toStdString());
    }
}

}  // namespace

TEST(EanUpcParity, EveryLeadingDigitChoosesItsEan13ParityRowAsZintDoes)
{
    QStringList values;
    for (int first = 0; first <= 9; ++first)
        values << QString::number(first) + QStringLiteral("12345678901");
    expectSameModulesAsZint(13, "EAN-13", values);
}

// Values ending in 0, 1 or 2 keep that digit in the UPC-A form's manufacturer part; the ones
// ending in 2 give every check digit 0-9 in turn, so each parity row is used.
TEST(EanUpcParity, UpcEValuesEndingInZeroToTwoExpandAndTakeTheirParityAsZintDoes)
{
    expectSameModulesAsZint(37, "UPCE", {"0456782", "0345672", "0234562", "0123452", "0012342", "0901232", "0890122",
                                         "0789012", "0678902", "0567892", "0123451", "0123450", "1345670", "1234560"});
}
