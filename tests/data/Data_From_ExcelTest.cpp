#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "mainwindow/MainWindowGlobals.h"

namespace {

TEST(Data_From_ExcelTest, RowsAreNumberedWhenAppendedAndHoldEveryColumnTrimmed)
{
    Data_From_Excel table;
    EXPECT_TRUE(table.Create_List_By_Array({" Ann\t", "", "x"}, 2));
    EXPECT_TRUE(table.Create_List_By_Array({"Bob", "\u200Bb\n"}, 2));
    EXPECT_FALSE(table.Create_List_By_Array({"short"}, 2));
    table.Create_List_By_Array({"Cy", "c"}, 2);
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.ListData[0], (DataRow{{"Extension", "1"}, {"Column1", "Ann"}, {"Column2", ""}}));
    EXPECT_EQ(table.ListData[1].value("Column2"), "b");

    table.ListData.removeAt(1);
    EXPECT_EQ(table.Get_Item_Text(0, 0), "1");
    EXPECT_EQ(table.Get_Item_Text(1, 0), "3");
}

TEST(Data_From_ExcelTest, ItemTextFollowsTheColumnIndexRule)
{
    Data_From_Excel table;
    table.Create_List_By_Array({"a", "b"}, 2);
    EXPECT_EQ(table.Get_Item_Text(0, 2), "b");
    EXPECT_EQ(table.Get_Item_Text(0, 3), std::nullopt);
    EXPECT_EQ(table.Get_Item_Text(0, -1), std::nullopt);
    const auto outside = table.Get_Item_Text(5, 1);
    ASSERT_TRUE(outside.has_value());
    EXPECT_TRUE(outside->isEmpty());
    EXPECT_EQ(Column_Key_For_Index(0), "Extension");
    EXPECT_EQ(Column_Key_For_Index(12), "Column12");
    EXPECT_TRUE(Column_Key_For_Index(-1).isEmpty());

    EXPECT_FALSE(table.setObjectValue("z", "Column1", 1));
    EXPECT_TRUE(table.setObjectValue("z", "Column1", 0));
    EXPECT_EQ(table.objectValue("Column1", 0), "z");
}

TEST(Data_From_ExcelTest, ColumnListKeepsTheRowNumberColumn)
{
    Data_From_Excel table;
    table.ColList.addColumn("Column1", "Name");
    table.ColList.addColumn("Column2", Untitled_Column_Title(2));
    EXPECT_EQ(table.ColList.count(), 3);
    EXPECT_EQ(table.ColList.at(0).identifier, "Extension");
    EXPECT_EQ(table.ColList.titles().mid(1), (QStringList{"Name", "Untitled Column 2"}));
    table.ColList.removeDataColumns();
    EXPECT_EQ(table.ColList.count(), 1);
    EXPECT_EQ(table.ColList.at(0).identifier, "Extension");
}

TEST(Data_From_ExcelTest, GroupModeShowsOnlyTheUsersColumns)
{
    Data_From_Excel table;
    table.ColList.addColumn("Column1", "Name");
    table.ColList.addColumn("Column2", "MFPC");
    const QString mode = Start_Card_Option;
    Start_Card_Option = "G";
    EXPECT_EQ(table.shownColumnCount(), 2);  // only one of the two photo columns exists
    table.ColList.addColumn("Column3", "MBPC");
    EXPECT_EQ(table.shownColumnCount(), 2);
    Start_Card_Option = "T";
    EXPECT_EQ(table.shownColumnCount(), 4);
    Start_Card_Option = mode;
}

TEST(Data_From_ExcelTest, TheLastMadeInstanceIsTheSharedTable)
{
    Data_From_Excel* shared = Data_From_Excel::defaultInstance();
    EXPECT_EQ(Data_From_Excel_Window, shared);
    {
        Data_From_Excel other;
        EXPECT_EQ(Data_From_Excel::defaultInstance(), &other);
        EXPECT_EQ(Data_From_Excel_Window, &other);
    }
    EXPECT_NE(Data_From_Excel::defaultInstance(), nullptr);
}

}  // namespace
