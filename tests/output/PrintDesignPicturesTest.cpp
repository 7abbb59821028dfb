#include <gtest/gtest.h>

#include "model/WindowlessCardHost.h"
#include "output/PrintDesignPictures.h"

TEST(PrintDesignPicturesTest, TheSidesPrintedAreDrawnAndGiveTheCardSize)
{
    WindowlessCardHost host;
    host.front.setCard_Size(QSizeF(243, 154));
    host.back.setCard_Size(QSizeF(243, 154));
    setCardHost(&host);
    PrintSheetSettings sheet;
    EXPECT_TRUE(printedCardSize(sheet).isEmpty());
    Generate_No_Batch_Card_Image(sheet, {}, {}, "F");
    EXPECT_FALSE(sheet.front_image.isNull());
    EXPECT_TRUE(sheet.back_image.isNull());
    EXPECT_EQ(printedCardSize(sheet), QSizeF(243, 154));
    Generate_No_Batch_Card_Image(sheet, {}, {}, "BOTH");
    EXPECT_FALSE(sheet.back_image.isNull());
    setCardHost(nullptr);
}
