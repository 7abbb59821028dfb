// Fonts in design files: the style follows the family in the name of the one layout
// "<name>::::<size>", and names written before styles were kept read as they always did.
#include <gtest/gtest.h>

#include "designfile/DesignFileForms.h"
#include "platform/AppContext.h"
#include "support/FontPrinting.h"

TEST(FontNames, TheStyleIsWrittenAfterTheFamilyAndSplitOffOnReading)
{
    const CardFont bold{"DejaVu Sans", 14, "Bold"};
    EXPECT_EQ(Convert_Font_to_String(bold), "DejaVu Sans Bold::::14.00");
    EXPECT_EQ(Convert_String_to_Font("DejaVu Sans Bold::::14.00"), bold);
    EXPECT_EQ(Convert_String_to_Font("DejaVu Sans Bold Oblique::::9.5"), (CardFont{"DejaVu Sans", 9.5, "Bold Oblique"}));
    EXPECT_EQ(Convert_String_to_Font("DejaVu Serif Condensed Italic::::8.00"),
              (CardFont{"DejaVu Serif", 8, "Condensed Italic"})) << "the longest style that ends the name";
}

TEST(FontNames, FamiliesReadAsTheyAreAndUnknownNamesGiveTheDefaultTextFont)
{
    const auto regular = Convert_String_to_Font("DejaVu Sans::::12.00");
    EXPECT_EQ(regular, (CardFont{"DejaVu Sans", 12}));
    EXPECT_EQ(Convert_Font_to_String(*regular), "DejaVu Sans::::12.00");
    EXPECT_EQ(Convert_String_to_Font("DejaVu Sans Condensed::::10.00"), (CardFont{"DejaVu Sans Condensed", 10}))
        << "a family whose name ends in one of its parent's styles";
    for (const char* unknown : {"No Such Font Bold::::12", "DejaVu Sans Italic::::12", "Bold::::12"})
        EXPECT_EQ(Convert_String_to_Font(unknown), (CardFont{Text_Ctrl_Font, 12})) << unknown;
}
