// The output range block: which records a run makes from its source boxes, radios and fields,
// and whether its pictures are mirrored.
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/FieldTyping.h"
#include "views/output/OutputRangeBlock.h"

namespace {

// 12 records from the series, 30 from the spreadsheet: the longer source counts.
int records(bool series, bool spreadsheet)
{
    return std::max(series ? 12 : 0, spreadsheet ? 30 : 0);
}

}  // namespace

TEST(OutputRangeBlockTest, TheSourceBoxesDecideTheRecordsAndTheRangeBox)
{
    OutputRangeBlock block;
    block.prepare(false, false, &records);
    EXPECT_FALSE(block.Export_with_batch_chk->isEnabled());
    EXPECT_FALSE(block.export_range_box->isEnabled());
    EXPECT_EQ(block.Total_Label(), 1);
    int first = -1, end = -1;
    ASSERT_TRUE(block.range(&first, &end));
    EXPECT_EQ(std::pair(first, end), std::pair(0, 1));

    block.prepare(true, true, &records);
    EXPECT_TRUE(block.Export_with_batch_chk->isChecked());
    EXPECT_TRUE(block.export_range_box->isEnabled());
    EXPECT_EQ(block.Total_Label(), 30);
    EXPECT_FALSE(block.from_Text->isEnabled());  // all records chosen
    block.Export_with_excel_chk->click();         // the series alone
    EXPECT_EQ(block.Total_Label(), 12);
    EXPECT_EQ(block.To_Text->value(), 12);
    ASSERT_TRUE(block.range(&first, &end));
    EXPECT_EQ(std::pair(first, end), std::pair(0, 12));

    block.Sel_print_rd->click();
    EXPECT_TRUE(block.from_Text->isEnabled());
    block.from_Text->setValue(3);
    block.To_Text->setValue(5);
    ASSERT_TRUE(block.range(&first, &end));
    EXPECT_EQ(std::pair(first, end), std::pair(2, 5));
    block.To_Text->setValue(300);  // beyond the records: their count
    EXPECT_EQ(block.To_Text->value(), 12);
    block.from_Text->setValue(8);
    block.To_Text->setValue(3);
    EXPECT_FALSE(block.range(&first, &end));

    block.Export_with_batch_chk->click();  // no source on: the box goes off
    EXPECT_FALSE(block.export_range_box->isEnabled());
    EXPECT_EQ(block.Total_Label(), 1);
}

TEST(OutputRangeBlockTest, MirroringIsOffUntilTicked)
{
    OutputRangeBlock block;
    block.prepare(false, false, &records);
    EXPECT_FALSE(block.Mirror_Image_Create());
    EXPECT_FALSE(block.mirror_vertical->isEnabled());
    block.mirror_chk_box->click();
    EXPECT_TRUE(block.Mirror_Image_Create());
    EXPECT_FALSE(block.Mirror_Vertical_Not_Horz());
    block.mirror_vertical->click();
    EXPECT_TRUE(block.Mirror_Vertical_Not_Horz());
    block.prepare(false, false, &records);
    EXPECT_FALSE(block.Mirror_Image_Create());
    EXPECT_FALSE(block.Mirror_Vertical_Not_Horz());
}

TEST(OutputRangeBlockTest, ThePrintWindowsTotalStaysEditableAndFollowsTheSheetWithoutData)
{
    OutputRangeBlock block;
    block.preparePrint(false, false, [](bool series, bool) { return series ? 40 : 0; });
    EXPECT_FALSE(block.Total_Text->isHidden());
    EXPECT_TRUE(block.Total_Text->isEnabled());
    EXPECT_FALSE(block.Sel_print_rd->isEnabled());
    EXPECT_FALSE(block.from_Text->isEnabled());
    EXPECT_EQ(block.Total_Text->value(), 1);
    block.setCellsPerSheet(6);  // 2 x 3 cards on a sheet
    EXPECT_EQ(block.Total_Text->value(), 6);
    int first = -1, end = -1;
    ASSERT_TRUE(block.range(&first, &end));
    EXPECT_EQ(std::pair(first, end), std::pair(0, 6));
    block.Total_Text->setValue(250000);
    ASSERT_TRUE(block.range(&first, &end));
    EXPECT_EQ(end, 250000);

    block.preparePrint(true, false, [](bool series, bool) { return series ? 40 : 0; });
    EXPECT_EQ(block.Total_Text->value(), 40);
    block.Total_Text->setValue(55);
    EXPECT_EQ(block.Total_Text->value(), 40);
    block.setCellsPerSheet(6);  // data decides the total
    EXPECT_EQ(block.Total_Text->value(), 40);
    block.Total_Text->setValue(12);
    ASSERT_TRUE(block.range(&first, &end));
    EXPECT_EQ(std::pair(first, end), std::pair(0, 12));
    block.Sel_print_rd->click();
    block.from_Text->setValue(3);
    block.To_Text->setValue(7);
    ASSERT_TRUE(block.range(&first, &end));
    EXPECT_EQ(std::pair(first, end), std::pair(2, 7));
    block.Export_with_batch_chk->click();  // data off: all of a sheet's cards again
    EXPECT_TRUE(block.All_print_rd->isChecked());
    EXPECT_TRUE(block.Total_Text->isEnabled());
    EXPECT_EQ(block.Total_Text->value(), 6);
}

TEST(OutputRangeBlockTest, EachWindowsBlockShowsItsTotalAndTakesAnEmptiedOrWordyFieldAsOne)
{
    enum Window { Export, Print, Mail };
    for (Window window : {Export, Print, Mail}) {
        SCOPED_TRACE(int(window));
        OutputRangeBlock block;
        (window == Export  ? block.prepare(true, false, &records)
         : window == Print ? block.preparePrint(true, false, &records)
                           : block.prepareMail(true, false, &records));
        block.show();
        // The export sheet keeps the total hidden; the print and mail windows show it.
        EXPECT_EQ(block.Total_Text->isHidden(), window == Export);
        EXPECT_EQ(block.rd_one_per_recp->isHidden(), window != Mail);
        if (window != Export) {
            typeInto(*block.Total_Text, "");
            EXPECT_EQ(block.Total_Text->text(), "1");
            EXPECT_EQ(block.Total_Text->value(), 1);
        }
        block.Sel_print_rd->click();
        block.from_Text->setValue(7);
        typeInto(*block.from_Text, "abc");
        QTest::keyClick(block.from_Text, Qt::Key_Return);
        EXPECT_EQ(block.from_Text->text(), "1");
        typeInto(*block.To_Text, "");
        EXPECT_EQ(block.To_Text->text(), "1");
    }
}

TEST(OutputRangeBlockTest, TheMailWindowsOnePerRecipientTakesEveryRecordWithTheFieldsOff)
{
    OutputRangeBlock block;
    block.prepareMail(true, true, &records);
    block.Total_Text->setValue(4);
    int first = -1, end = -1;
    ASSERT_TRUE(block.range(&first, &end));
    EXPECT_EQ(std::pair(first, end), std::pair(0, 4));  // all: as many as the total says

    block.rd_one_per_recp->click();
    for (QWidget* off : std::initializer_list<QWidget*>{block.Total_Text, block.from_Text, block.To_Text, block.tot_label})
        EXPECT_FALSE(off->isEnabled());
    ASSERT_TRUE(block.range(&first, &end));
    EXPECT_EQ(std::pair(first, end), std::pair(0, 30));
    block.Export_with_excel_chk->click();  // the range box is set again for the series alone
    EXPECT_TRUE(block.rd_one_per_recp->isChecked());
    EXPECT_FALSE(block.Total_Text->isEnabled());
    EXPECT_FALSE(block.from_Text->isEnabled());
    ASSERT_TRUE(block.range(&first, &end));
    EXPECT_EQ(end, 12);

    block.Sel_print_rd->click();
    EXPECT_FALSE(block.rd_one_per_recp->isChecked());
    EXPECT_TRUE(block.from_Text->isEnabled());
    EXPECT_FALSE(block.Total_Text->isEnabled());
}
