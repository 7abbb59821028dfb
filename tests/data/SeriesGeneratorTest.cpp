// The generator's rules, pinned by the values they make.
#include <QSet>
#include <gtest/gtest.h>

#include <deque>

#include "data/SeriesGenerator.h"

using namespace SeriesGenerator;

namespace {

QStringList sequential(const QString& prefix, const QString& from, const QString& to, const QString& suffix,
                       bool keepDigits)
{
    QStringList values;
    generateSequential({prefix, suffix, from, to, keepDigits}, [&](const QString& v) { values.append(v); });
    return values;
}

}  // namespace

TEST(SeriesGenerator, SequentialValuesWithPrefixSuffixAndLeadingZeros)
{
    const QStringList padded = sequential("", "0", "200", "", true);
    ASSERT_EQ(padded.size(), 201);
    EXPECT_EQ(padded.first(), "000");
    EXPECT_EQ(padded.at(1), "001");
    EXPECT_EQ(padded.at(11), "011");
    EXPECT_EQ(padded.last(), "200");

    const QStringList plain = sequential("", "0", "200", "", false);
    EXPECT_EQ(plain.at(1), "1");
    EXPECT_EQ(plain.last(), "200");

    const QStringList wide = sequential("", "001", "00200", "", true);
    ASSERT_EQ(wide.size(), 200);
    EXPECT_EQ(wide.first(), "00001");
    EXPECT_EQ(wide.at(10), "00011");
    EXPECT_EQ(wide.last(), "00200");
    EXPECT_EQ(sequential("", "001", "00200", "", false).first(), "1");

    EXPECT_EQ(sequential("ID-", "8", "10", "-A", false), QStringList({"ID-8-A", "ID-9-A", "ID-10-A"}));
}

TEST(SeriesGenerator, SequentialChecksAndBounds)
{
    EXPECT_EQ(sequentialProblem({"", "", "", "5", false}), kFromEmptyMessage);
    EXPECT_EQ(sequentialProblem({"", "", "1", "", false}), kToEmptyMessage);
    EXPECT_EQ(sequentialProblem({"", "", "7", "7", false}), kFromNotSmallerMessage);
    EXPECT_EQ(sequentialProblem({"", "", "9", "3", false}), kFromNotSmallerMessage);
    EXPECT_EQ(sequentialProblem({"", "", "0", "200", false}), QString());

    // Bounds beyond 32 bits count on instead of wrapping round.
    const QStringList high = sequential("", "4294967290", "4294967296", "", false);
    EXPECT_EQ(high.size(), 7);
    EXPECT_EQ(high.last(), "4294967296");
    EXPECT_EQ(sequential("", "2147483646", "2147483648", "", false),
              QStringList({"2147483646", "2147483647", "2147483648"}));
    EXPECT_EQ(sequentialProblem({"", "", "-2147483649", "-2147483648", false}), QString());

    // One million values is the most a sequence makes.
    EXPECT_EQ(sequentialProblem({"", "", "1", "1000000", false}), QString());
    EXPECT_EQ(sequentialCount({"", "", "1", "1000000", false}), 1000000);
    EXPECT_EQ(sequentialProblem({"", "", "0", "1000000", false}), kTooManyValuesMessage);
    EXPECT_EQ(sequentialProblem({"", "", "-999999999", "9999999999", false}), kTooManyValuesMessage);
}

TEST(SeriesGenerator, NegativeNumbersArePaddedAfterTheSign)
{
    EXPECT_EQ(PadZero("-5", 3), "-05");
    EXPECT_EQ(PadZero("5", 3), "005");
    EXPECT_EQ(PadZero("-123", 3), "-123");
    EXPECT_EQ(sequential("", "-10", "10", "", true).mid(8, 5), QStringList({"-02", "-01", "000", "001", "002"}));
}

TEST(SeriesGenerator, ConstantValues)
{
    QStringList values;
    generateConstant({"X", "3"}, [&](const QString& v) { values.append(v); });
    EXPECT_EQ(values, QStringList({"X", "X", "X"}));
    values.clear();
    generateConstant({"  ", "2"}, [&](const QString& v) { values.append(v); });
    EXPECT_EQ(values, QStringList({"  ", "  "}));
    EXPECT_EQ(constantProblem({"", "3"}), kValueEmptyMessage);
    EXPECT_EQ(constantProblem({"X", ""}), kCountEmptyMessage);
}

TEST(SeriesGenerator, RandomValuesHaveTheAskedLengthAndEveryDigit)
{
    EXPECT_EQ(randomRangeForLength("1").min, 1u);
    EXPECT_EQ(randomRangeForLength("1").max, 9u);
    EXPECT_EQ(randomRangeForLength("9").min, 100000000u);
    EXPECT_EQ(randomRangeForLength("9").max, 999999999u);
    EXPECT_EQ(randomRangeForLength("10").max, 0u);

    for (const QString length : {"1", "4", "9"}) {
        QStringList values;
        generateRandom({"R", "Z", length, "10000"}, [&](const QString& v) { values.append(v); });
        ASSERT_EQ(values.size(), 10000);
        QSet<QChar> firstDigits;
        QSet<QChar> lastDigits;
        for (const QString& value : values) {
            ASSERT_TRUE(value.startsWith('R') && value.endsWith('Z')) << value.toStdString();
            const QString number = value.mid(1, value.size() - 2);
            ASSERT_EQ(number.size(), length.toInt()) << number.toStdString();
            ASSERT_NE(number.at(0), '0');
            firstDigits.insert(number.at(0));
            lastDigits.insert(number.back());
        }
        EXPECT_EQ(firstDigits.size(), 9);
        EXPECT_EQ(lastDigits.size(), length == "1" ? 9 : 10);
    }
    QStringList invalid;
    generateRandom({"", "", "x", "2"}, [&](const QString& v) { invalid.append(v); });
    EXPECT_EQ(invalid, QStringList({"0", "0"}));
    EXPECT_EQ(randomProblem({"", "", "1", ""}), kCountEmptyMessage);
    EXPECT_EQ(randomProblem({"", "", "", "1"}), kLengthEmptyMessage);
}

TEST(SeriesGenerator, DrawsThatWouldFavourLowNumbersAreDrawnAgain)
{
    // 2^32 is not a multiple of 900,000,000: the draws below 2^32 mod 900,000,000 would make the
    // lower numbers of a nine-digit range more likely than the others.
    std::deque<std::uint32_t> draws = {100, 694967296};
    const RandomSource source = [&] {
        const std::uint32_t draw = draws.front();
        draws.pop_front();
        return draw;
    };
    EXPECT_EQ(uniformBelow(900000000, source), 694967296u);
    EXPECT_TRUE(draws.empty());
    draws = {7};
    EXPECT_EQ(uniformBelow(1u << 31, source), 7u);
}

TEST(SeriesGenerator, FieldLimitsWhileTyping)
{
    EXPECT_EQ(limitCountText("20000"), "10000");
    EXPECT_EQ(limitCountText("123456"), "10000");
    EXPECT_EQ(limitCountText("99999x"), "10000");
    EXPECT_EQ(limitCountText("250"), "250");
    EXPECT_EQ(limitCountText(""), "1");
    EXPECT_EQ(limitCountText("0"), "1");
    EXPECT_EQ(limitLengthText("12"), "1");
    EXPECT_EQ(limitLengthText("0"), "1");
    EXPECT_EQ(limitLengthText(""), "1");
    EXPECT_EQ(limitLengthText("7"), "7");
    EXPECT_EQ(limitBoundText("abc12x"), "12");
    EXPECT_EQ(limitBoundText(" -5 "), "-5");
    EXPECT_EQ(limitBoundText("+5$"), "5");
    EXPECT_EQ(limitBoundText("123456789012"), "1234567890");

    EXPECT_TRUE(isPartialIntegerText(""));
    EXPECT_TRUE(isPartialIntegerText("-12"));
    EXPECT_TRUE(isPartialIntegerText(" 12 "));
    EXPECT_FALSE(isPartialIntegerText("-"));
    EXPECT_FALSE(isPartialIntegerText("1.5"));
    EXPECT_FALSE(isPartialIntegerText("1a"));
    EXPECT_EQ(leadingInteger("  -42abc"), -42);
    EXPECT_EQ(leadingInteger("99999999999999999999"), std::numeric_limits<qint64>::max());
}
