#include "platform/NumberText.h"
#include "platform/PropertyList.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "support/CommaLocale.h"

using namespace Qt::StringLiterals;

TEST(NumberText, WritesFixedDecimalsAsPrintfAndReadsTheLeadingNumber)
{
    const struct { double value; int decimals; const char* text; } written[] = {
        {0.5, 4, "0.5000"}, {-2.25, 1, "-2.2"}, {0.125, 2, "0.12"}, {2.5, 0, "2"},  // ties round to even
        {1e20, 1, "100000000000000000000.0"}, {1234567.891, 2, "1234567.89"},  // no grouping
    };
    for (const auto& c : written)
        EXPECT_EQ(numberText(c.value, c.decimals), QLatin1String(c.text)) << c.value;
    // The rest after the leading number is ignored.
    const struct { const char16_t* text; double number; qint32 whole; } read[] = {
        {u"12abc", 12, 12}, {u"  -3.5e2x", -350, -350}, {u"\t\n+.5", 0.5, 0}, {u"7.", 7, 7}, {u"-12.9", -12.9, -12},
        {u"2e", 2, 2}, {u"2e+", 2, 2},  // an exponent needs digits
        {u"1,5", 1, 1}, {u"0x1A", 0, 0},  // a comma is never a decimal point
        {u"3e10", 3e10, INT32_MAX}, {u"-3e10", -3e10, INT32_MIN},  // integers clamp
        {u"abc", 0, 0}, {u"", 0, 0}, {u"   ", 0, 0}, {u"-", 0, 0}, {u".", 0, 0}, {u"+.e5", 0, 0},
        {u"inf", 0, 0}, {u"nan", 0, 0}, {u"1e999", 0, 0}, {u"-1e999", 0, 0},
    };
    for (const auto& c : read) {
        EXPECT_EQ(leadingDouble(c.text), c.number) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(leadingInt(c.text), c.whole) << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(CommaDecimalLocale, LeavesNumberTextAndXmlRealsAlone)
{
    const ScopedCommaLocale commaLocale;
    if (!commaLocale.active())
        GTEST_SKIP() << "no comma-decimal locale available";
    EXPECT_EQ(numberText(1.5, 4), u"1.5000"_s);
    EXPECT_EQ(leadingDouble(u"2.25"), 2.25);
    EXPECT_EQ(leadingDouble(u"2,25"), 2);
    const QByteArray xml = PropertyList::toData(QVariantList{0.5, 1234.125}, PropertyList::Format::Xml);
    EXPECT_TRUE(xml.contains("<real>0.5") && xml.contains("<real>1234.125")) << xml.toStdString();
    EXPECT_EQ(PropertyList::fromData(xml), QVariant(QVariantList{0.5, 1234.125}));
}
