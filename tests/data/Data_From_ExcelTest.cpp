#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"

namespace {

TEST(Data_From_ExcelTest, RowsAreNumberedTrimmedAndLookedUpByColumnIndex)
{
    Data_From_Excel table;
    EXPECT_TRUE(table.Create_List_By_Array({" Ann\t", "", "x"}, 2));
    EXPECT_TRUE(table.Create_List_By_Array({"Bob", "\u200Bb\n"}, 2));
    EXPECT_FALSE(table.Create_List_By_Array({"short"}, 2));
    table.Create_List_By_Array({"Cy", "c"}, 2);
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.ListData[0], (DataRow{{"Extension", "1"}, {"Column1", "Ann"}, {"Column2", ""}}));
    EXPECT_EQ(table.Get_Item_Text(1, 2), "b");
    EXPECT_EQ(table.Get_Item_Text(0, 3), std::nullopt);
    EXPECT_EQ(table.Get_Item_Text(0, -1), std::nullopt);
    EXPECT_EQ(table.Get_Item_Text(5, 1), QString());

    table.ListData.removeAt(1);
    EXPECT_EQ(table.Get_Item_Text(1, 0), "3");
    EXPECT_FALSE(table.setObjectValue("z", "Column1", 2));
}

// In group mode the two photo columns the user fills by hand are not shown, whichever of them exist.
TEST(Data_From_ExcelTest, GroupModeShowsOnlyTheUsersColumns)
{
    Data_From_Excel table;
    table.ColList.addColumn("Column1", "MFPC");
    EXPECT_EQ(table.shownColumnCount("G"), 1);
    table.ColList.addColumn("Column2", "MBPC");
    EXPECT_EQ(table.shownColumnCount("G"), 1);
    EXPECT_EQ(table.shownColumnCount("T"), 3);
}

// The shared table never dangles once the instance it was goes away.
TEST(Data_From_ExcelTest, TheLastMadeInstanceIsTheSharedTable)
{
    {
        Data_From_Excel other;
        EXPECT_EQ(Data_From_Excel::defaultInstance(), &other);
        EXPECT_EQ(Data_From_Excel_Window, &other);
    }
    EXPECT_EQ(Data_From_Excel_Window, nullptr);
    EXPECT_NE(Data_From_Excel::defaultInstance(), nullptr);
}

}  // namespace

// The records of a sheet end at its last value among the picked columns: a cell of blanks is
// none, nor is a value in a column not picked; empty rows before it count, rows of blanks after
// it do not.
TEST(Data_From_ExcelTest, RecordsEndAtTheLastValueOfThePickedColumns)
{
    const QList<QStringList> rows{{"Name", "City"}, {}, {"Ann", "Oslo"}, {"", " \t"}, {"", "Rome"}, {}, {"  ", " "}, {" "}};
    const struct {
        QList<int> positions;
        qsizetype end;
    } cases[] = {{{0}, 3}, {{1}, 5}, {{0, 1}, 5}, {{2}, 0}, {{}, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(rowsUpToLastValue(rows, c.positions), c.end) << c.positions.size();
    EXPECT_EQ(rowsUpToLastValue({}, {0}), 0);
}
