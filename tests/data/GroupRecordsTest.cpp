// The rows of a group project as the side panels make, replace, add and remove them.
#include <gtest/gtest.h>

#include "data/GroupRecords.h"

namespace {

using namespace GroupRecords;

class GroupRecordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        table.ColList.addColumn(Column_Key_For_Index(1), QStringLiteral("Name"));
        table.ColList.addColumn(Column_Key_For_Index(2), QStringLiteral("Code"));
        table.Create_List_By_Array({"Ada", "007"}, 2);
        table.Create_List_By_Array({"Grace", "042"}, 2);
        table.Create_List_By_Array({"Linus", "100"}, 2);
    }
    Data_From_Excel table;
};

}  // namespace

TEST_F(GroupRecordsTest, SavingARowKeepsItsNumberAndTakesThePanelsValuesAsTyped)
{
    const std::optional<DataRow> row =
        Get_Array_For_Excel_List(table, 3, 1, RowMode::Save, {{1, QStringLiteral("  Grace Hopper ")}});
    ASSERT_TRUE(row);
    EXPECT_EQ(row->value(Extension_Key), "2");
    EXPECT_EQ(row->value("Column1"), "  Grace Hopper ");
    EXPECT_EQ(row->value("Column2"), "042");
    ASSERT_TRUE(replaceRow(table, 1, *row));
    EXPECT_EQ(table.objectValue("Column1", 1), "  Grace Hopper ");
    EXPECT_EQ(table.objectValue("Column1", 2), "Linus");

    // A copy takes the row as it stands; an added row is numbered after the last and starts empty.
    EXPECT_EQ(Get_Array_For_Excel_List(table, 3, 0, RowMode::Copy, {{1, "ignored"}})->value("Column1"), "Ada");
    const std::optional<DataRow> added = Get_Array_For_Excel_List(table, 3, 0, RowMode::Add, {{2, "=1+1"}});
    EXPECT_EQ(added->value(Extension_Key), "4");
    EXPECT_EQ(added->value("Column1"), "");
    EXPECT_EQ(added->value("Column2"), "=1+1");
}

TEST_F(GroupRecordsTest, ARowPastTheEndIsRefusedNotTakenForTheLastRow)
{
    EXPECT_FALSE(Get_Array_For_Excel_List(table, 3, 3, RowMode::Save, {{1, "Nobody"}}));
    DataRow stray{{Extension_Key, "9"}, {"Column1", "Nobody"}};
    EXPECT_FALSE(replaceRow(table, 3, stray));
    EXPECT_FALSE(replaceRow(table, -1, stray));
    EXPECT_EQ(table.objectValue("Column1", 2), "Linus");
    EXPECT_EQ(deleteRow(table, 7), DeleteResult::NoSuchRow);
    EXPECT_EQ(table.rowCount(), 3);
}

TEST_F(GroupRecordsTest, DeletingKeepsTheOtherRowsNumbersAndNeverTheLastRecord)
{
    EXPECT_EQ(deleteRow(table, 0), DeleteResult::Deleted);
    EXPECT_EQ(table.objectValue(Extension_Key, 0), "2");
    EXPECT_EQ(deleteRow(table, 0), DeleteResult::Deleted);
    EXPECT_EQ(deleteRow(table, 0), DeleteResult::LastRecord);
    EXPECT_EQ(table.objectValue("Column1", 0), "Linus");
    EXPECT_EQ(groupListText(table, 0), "1 - Linus");
}

TEST_F(GroupRecordsTest, TheWorkbookRowsAreTheTitlesThenEveryRowUnchanged)
{
    table.setObjectValue(QStringLiteral(" 007 "), QStringLiteral("Column2"), 0);
    const SheetRows rows = workbookRows(table);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows.at(0), (QStringList{"Name", "Code"}));
    EXPECT_EQ(rows.at(1), (QStringList{"Ada", " 007 "}));
    EXPECT_EQ(rows.at(3), (QStringList{"Linus", "100"}));
}
