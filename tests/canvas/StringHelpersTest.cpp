#include <gtest/gtest.h>
#include "canvas/helpers/StringHelpers.h"

namespace {

const QChar kBom(0xFEFF);
const QChar kZeroWidthSpace(0x200B);

TEST(TrimStrTest, StripsWhiteSpaceThenControlAndFormatCharactersFromBothEnds)
{
    EXPECT_EQ(Trim_Str(QString(kBom) + "Name"), "Name");
    EXPECT_EQ(Trim_Str(QString(" \t") + kZeroWidthSpace + "Name" + kZeroWidthSpace + "\r\n"), "Name");
    EXPECT_EQ(Trim_Str(QString("\x01\x1F") + "Name\x7F"), "Name");
    EXPECT_EQ(Trim_Str(QString(QChar(0x00A0)) + QChar(0x3000) + "Name" + QChar(0x2028)), "Name");
    // Each pass runs once: white space behind a zero-width space stays.
    EXPECT_EQ(Trim_Str(QString(" ") + kZeroWidthSpace + " Name"), " Name");
    // Characters inside the text are kept.
    EXPECT_EQ(Trim_Str(QString("First\t") + kBom + " Last"), QString("First\t") + kBom + " Last");
}

TEST(TrimStrTest, TextOfOnlyWhiteSpaceOrControlsBecomesEmpty)
{
    EXPECT_EQ(Trim_Str(" \t\r\n \n"), "");
    EXPECT_EQ(Trim_Str(QString(kBom) + kZeroWidthSpace), "");
    EXPECT_EQ(Replace_Char_For_valid(QString("\t") + kBom + "x "), "x");
}

TEST(TrimStrTest, HandlesFormatCharactersOutsideTheBasicPlane)
{
    const QString languageTag = QString::fromUcs4(U"\U000E0001");
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    EXPECT_EQ(Trim_Str(languageTag + "A" + languageTag), "A");
    EXPECT_EQ(Trim_Str(emoji + " "), emoji);
}

TEST(ReplaceCharInStringTest, ReplacesEveryLiteralCaseSensitiveOccurrence)
{
    EXPECT_EQ(Replace_char_in_string("a.b.A.b", ".b", "_"), "a_.A_");
    EXPECT_EQ(Replace_char_in_string("aAa", "a", "x"), "xAx");
    EXPECT_EQ(Replace_char_in_string("abc", "", "x"), "abc");
}

TEST(RemoveReserveCharTest, StripsReservedCharactersAtTheEndsAndTurnsInnerSlashes)
{
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name("<Staff/2024?>"), "Staff_2024");
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name("<Who?/Me>"), "Who?_Me");
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name("\\\"*%|Card|%*\"/"), "Card");
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name("a*b<c>d"), "a*b<c>d");
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name("/ Name /"), "Name");
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name("?/?"), "");
}

TEST(SubstringTest, LeftAndRightClampTheirCount)
{
    EXPECT_EQ(Left_Str_substringToIndex("abcd", 0), "");
    EXPECT_EQ(Left_Str_substringToIndex("abcd", -3), "");
    EXPECT_EQ(Left_Str_substringToIndex("abcd", 2), "ab");
    EXPECT_EQ(Left_Str_substringToIndex("abcd", 4), "abcd");
    EXPECT_EQ(Left_Str_substringToIndex("", 3), "");

    EXPECT_EQ(Right_Str_substringFromIndex("abcd", 0), "");
    EXPECT_EQ(Right_Str_substringFromIndex("abcd", -1), "");
    EXPECT_EQ(Right_Str_substringFromIndex("abcd", 3), "bcd");
    EXPECT_EQ(Right_Str_substringFromIndex("abcd", 4), "abcd");
}

TEST(SubstringTest, ReadFromAndUptoIndexAreEmptyOutsideTheText)
{
    EXPECT_EQ(Read_Str_FromIndex("abcd", 1), "bcd");
    EXPECT_EQ(Read_Str_FromIndex("abcd", 4), "");
    EXPECT_EQ(Read_Str_FromIndex("abcd", 5), "");
    EXPECT_EQ(Read_Str_FromIndex("abcd", -1), "");

    EXPECT_EQ(Read_Str_Upto_Index("abcd", 4), "abcd");
    EXPECT_EQ(Read_Str_Upto_Index("abcd", 1), "a");
    EXPECT_EQ(Read_Str_Upto_Index("abcd", 5), "");
    EXPECT_EQ(Read_Str_Upto_Index("abcd", -1), "");
}

TEST(FindStrTest, EmptyPartIsNeverFoundAndCaseMattersOnlyForFindStr)
{
    EXPECT_FALSE(Find_Str("abc", ""));
    EXPECT_FALSE(Find_Str_Case_Insensitive("abc", ""));
    EXPECT_FALSE(Find_Str_Case_Insensitive(QString(), "a"));
    EXPECT_TRUE(Find_Str("Front_Photo", "Photo"));
    EXPECT_FALSE(Find_Str("Front_Photo", "photo"));
    EXPECT_TRUE(Find_Str_Case_Insensitive("Front_Photo", "PHOTO"));
    EXPECT_FALSE(Find_Str_Case_Insensitive("Front_Photo", "Back"));
}

}  // namespace
