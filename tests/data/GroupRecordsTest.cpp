// The rows of a group project as the side panels make, replace, add and remove them.
#include <gtest/gtest.h>

#include "data/GroupRecords.h"

namespace {

using namespace GroupRecords;

const QString kNoPicture = QStringLiteral("/resources/no.png");

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
        Get_Array_For_Excel_List(table, 3, 1, RowMode::Save, {{1, QStringLiteral("  Grace Hopper ")}, {3, "beyond"}});
    ASSERT_TRUE(row);
    EXPECT_EQ(row->value(Extension_Key), "2");
    EXPECT_EQ(row->value("Column1"), "  Grace Hopper ");
    EXPECT_EQ(row->value("Column2"), "042");
    EXPECT_EQ(row->size(), 3);
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

// The manual-photo columns come after the last column, named by the column count, every row
// without a photo of its own (an empty cell); a table with one of them gets the other alone. The
// program's no-picture picture, which older projects wrote there, is no photo: the row builder and
// a table read empty it, and leave a user's own picture named no.png and other columns alone.
TEST_F(GroupRecordsTest, TheManualPhotoColumnsFollowTheLastColumnAndHoldNoPathOfTheProgram)
{
    EXPECT_EQ(manualPhotoColumns(table.ColList).front, -1);
    table.ColList.addColumn(QStringLiteral("Column3"), kBackManualPhotoTitle);
    for (int row = 0; row < 3; ++row)
        table.setObjectValue(row == 2 ? QStringLiteral("/home/ada/no.png") : kNoPicture, QStringLiteral("Column3"), row);
    table.setObjectValue(kNoPicture, QStringLiteral("Column2"), 2);
    const ManualPhotoColumns columns = addManualPhotoColumns(table);
    EXPECT_EQ(columns.of(0), 4);
    EXPECT_EQ(columns.of(1), 3);
    EXPECT_EQ(table.ColList.titles().mid(1), (QStringList{"Name", "Code", "MBPC", "MFPC"}));
    EXPECT_EQ(table.ColList.at(4).identifier, "Column4");
    EXPECT_EQ(addManualPhotoColumns(table).front, 4);
    EXPECT_EQ(table.ColList.count(), 5);
    EXPECT_FALSE(isManualPhotoColumn(table.ColList, 2));
    EXPECT_TRUE(isManualPhotoColumn(table.ColList, 3));

    const std::optional<DataRow> saved =
        Get_Array_For_Excel_List(table, 5, 1, RowMode::Save, {{4, "own.png"}, {3, "/old/build/Resources/no.png"}});
    EXPECT_EQ(*saved, (DataRow{{Extension_Key, "2"}, {"Column1", "Grace"}, {"Column2", "042"}, {"Column3", ""},
                               {"Column4", "own.png"}}));
    const std::optional<DataRow> added = Get_Array_For_Excel_List(table, 5, 0, RowMode::Add, {});
    EXPECT_EQ(*added, (DataRow{{Extension_Key, "4"}, {"Column1", ""}, {"Column2", ""}, {"Column3", ""}, {"Column4", ""}}));

    forgetNoPicturePaths(table);
    EXPECT_EQ(workbookRows(table).mid(1), (SheetRows{{"Ada", "007", "", ""}, {"Grace", "042", "", ""},
                                                     {"Linus", kNoPicture, "/home/ada/no.png", ""}}));
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
