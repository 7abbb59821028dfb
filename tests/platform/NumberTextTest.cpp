#include "platform/NumberText.h"

#include "CommaLocale.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

TEST(NumberText, WritesFixedDecimalsAsPrintf)
{
    const struct { double value; int decimals; const char* text; } cases[] = {
        {0.5, 4, "0.5000"}, {-2.25, 1, "-2.2"}, {0.125, 2, "0.12"}, {2.5, 0, "2"},  // ties round to even
        {1e20, 1, "100000000000000000000.0"}, {12.0, 0, "12"}, {1234567.891, 2, "1234567.89"},  // no grouping
    };
    for (const auto& c : cases)
        EXPECT_EQ(numberText(c.value, c.decimals), QLatin1String(c.text)) << c.value;
}

TEST(NumberText, LeadingNumberRestIgnored)
{
    constexpr qint32 lowest = std::numeric_limits<qint32>::min(), highest = std::numeric_limits<qint32>::max();
    const struct { const char16_t* text; double number; qint32 whole; } cases[] = {
        {u"12abc", 12, 12}, {u"  -3.5e2x", -350, -350}, {u"\t\n+.5", 0.5, 0}, {u"7.", 7, 7},
        {u"2e", 2, 2}, {u"2e+", 2, 2},  // an exponent needs digits
        {u"1,5", 1, 1}, {u"0x1A", 0, 0},  // a comma is never a decimal point
        {u"12.9", 12.9, 12}, {u"-12.9", -12.9, -12}, {u" 42px", 42, 42},
        {u"3e10", 3e10, highest}, {u"-3e10", -3e10, lowest},  // integers clamp
        {u"abc", 0, 0}, {u"", 0, 0}, {u"   ", 0, 0}, {u"-", 0, 0}, {u".", 0, 0}, {u"+.e5", 0, 0},
        {u"inf", 0, 0}, {u"nan", 0, 0}, {u"1e999", 0, 0}, {u"-1e999", 0, 0}, {u"x12", 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(leadingDouble(c.text), c.number) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(leadingInt(c.text), c.whole) << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(NumberText, IgnoresCommaDecimalLocale)
{
    ScopedCommaLocale commaLocale;
    if (!commaLocale.active())
        GTEST_SKIP() << "no comma-decimal locale available";
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.1f", 1.5);
    ASSERT_STREQ(printed, "1,5");  // the C library really uses the comma now
    EXPECT_EQ(numberText(1.5, 4), QStringLiteral("1.5000"));
    EXPECT_EQ(leadingDouble(u"2.25"), 2.25);
    EXPECT_EQ(leadingDouble(u"2,25"), 2);
    EXPECT_EQ(leadingInt(u"7.9"), 7);
}
