#include "platform/NumberText.h"

#include "CommaLocale.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

TEST(NumberText, WritesFixedDecimals)
{
    EXPECT_EQ(numberText(0.5, 4), QStringLiteral("0.5000"));
    EXPECT_EQ(numberText(-2.25, 1), QStringLiteral("-2.2"));  // exact ties round to even, as printf
    EXPECT_EQ(numberText(0.125, 2), QStringLiteral("0.12"));
    EXPECT_EQ(numberText(2.5, 0), QStringLiteral("2"));
    EXPECT_EQ(numberText(1e20, 1), QStringLiteral("100000000000000000000.0"));
    EXPECT_EQ(numberText(12.0, 0), QStringLiteral("12"));
    EXPECT_EQ(numberText(1234567.891, 2), QStringLiteral("1234567.89"));  // no group separators
}

TEST(NumberText, LeadingNumberRestIgnored)
{
    EXPECT_DOUBLE_EQ(leadingDouble(u"12abc"), 12);
    EXPECT_DOUBLE_EQ(leadingDouble(u"  -3.5e2x"), -350);
    EXPECT_DOUBLE_EQ(leadingDouble(u"\t\n+.5"), 0.5);
    EXPECT_DOUBLE_EQ(leadingDouble(u"7."), 7);
    EXPECT_DOUBLE_EQ(leadingDouble(u"2e"), 2);      // an exponent needs digits
    EXPECT_DOUBLE_EQ(leadingDouble(u"2e+"), 2);
    EXPECT_DOUBLE_EQ(leadingDouble(u"1,5"), 1);     // a comma is never a decimal point
    EXPECT_DOUBLE_EQ(leadingDouble(u"0x1A"), 0);
}

TEST(NumberText, NoNumberOrNonFiniteGivesZero)
{
    for (const char16_t* text : {u"abc", u"", u"   ", u"-", u".", u"+.e5", u"inf", u"nan", u"1e999",
                                 u"-1e999", u"x12"})
        EXPECT_EQ(leadingDouble(text), 0) << QString::fromUtf16(text).toStdString();
}

TEST(NumberText, LeadingIntTruncatesAndClamps)
{
    EXPECT_EQ(leadingInt(u"12.9"), 12);
    EXPECT_EQ(leadingInt(u"-12.9"), -12);
    EXPECT_EQ(leadingInt(u" 42px"), 42);
    EXPECT_EQ(leadingInt(u"3e10"), std::numeric_limits<qint32>::max());
    EXPECT_EQ(leadingInt(u"-3e10"), std::numeric_limits<qint32>::min());
    EXPECT_EQ(leadingInt(u"1e999"), 0);
    EXPECT_EQ(leadingInt(u"abc"), 0);
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
    EXPECT_DOUBLE_EQ(leadingDouble(u"2.25"), 2.25);
    EXPECT_DOUBLE_EQ(leadingDouble(u"2,25"), 2);
    EXPECT_EQ(leadingInt(u"7.9"), 7);
}
