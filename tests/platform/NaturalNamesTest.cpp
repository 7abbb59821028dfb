// Names as the picture library shows and orders them.
#include <gtest/gtest.h>

#include "platform/StringHelpers.h"

TEST(NaturalNames, WordsAreCapitalisedAfterAnythingButLettersAndDigits)
{
    EXPECT_EQ(capitalizedWords("animals"), "Animals");
    EXPECT_EQ(capitalizedWords("sea LIFE"), "Sea Life");
    EXPECT_EQ(capitalizedWords("hand-drawn_icons 2x"), "Hand-Drawn_Icons 2x");
    EXPECT_EQ(capitalizedWords(""), "");
}

TEST(NaturalNames, NumbersSortByValueAndCaseIsIgnored)
{
    QStringList names{"pic 10.png", "Pic 2.png", "b.jpg", "A.png", "pic 1.png", "10", "9"};
    sortNaturally(names);
    EXPECT_EQ(names, QStringList({"9", "10", "A.png", "b.jpg", "pic 1.png", "Pic 2.png", "pic 10.png"}));
}
