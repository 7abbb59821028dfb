#include <QLabel>
#include <QTableView>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "platform/AppContext.h"
#include "support/ScriptedDialogPresenter.h"
#include "views/series/DataRowsModel.h"
#include "views/series/DataRowsView.h"
#include "views/series/Data_From_Series.h"
#include "views/series/LoadedDataTableWindow.h"
#include "views/series/SeriesFolder.h"
#include "views/series/SeriesValueModel.h"
#include "views/series/SeriesWindows.h"
#include "views/series/View_Data_Series.h"

namespace {

TEST(SeriesViewer, ShowsTheNonBlankValuesOfTheSeriesAndNothingForAMissingOne)
{
    SeriesFolder folder;
    folder.put("Codes.TXT", "A-1\n\n   \nA-2\r\n");
    ScriptedDialogPresenter dialogs;
    View_Data_Series viewer;
    viewer.file_name = "codes";
    int runs = 0;
    dialogs.queueHook([&](QDialog& window) {
        ++runs;
        EXPECT_EQ(named<QLabel>(window, "series_name").text(), "codes");
        EXPECT_EQ(named<QLabel>(window, "list_count").text(), "Total Rows : 2");
        EXPECT_EQ(named<QTableView>(window, "List").model()->rowCount(), 2);
        viewer.OK_Btn_Clicked();
    });
    viewer.Open_Wnd();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(viewer.ListData().texts(), (QStringList{"A-1", "A-2"}));

    viewer.file_name = "Gone";
    viewer.Open_Wnd();
    EXPECT_EQ(viewer.ListData().count(), 0);
    EXPECT_EQ(named<QLabel>(viewer.window(), "list_count").text(), "Total Rows : 0");
}

TEST(LoadedDataTableViewer, ShowsTheRowsUnderTheirTitlesWithTheCounts)
{
    Data_From_Excel table;
    ScriptedDialogPresenter dialogs;
    LoadedDataTableWindow viewer;
    const QString mode = Start_Card_Option;

    // An empty table (an import that found no rows) shows no rows and only the number column.
    dialogs.queueHook([&](QDialog& window) {
        EXPECT_EQ(named<QLabel>(window, "rows_count").text(), "0");
        EXPECT_EQ(named<QLabel>(window, "column_count").text(), "1");
        viewer.OK_Click();
    });
    EXPECT_EQ(viewer.Open_Wnd(), 1);

    table.ColList.addColumn("Column1", "Name");
    table.ColList.addColumn("Column2", "MFPC");
    table.Create_List_By_Array({"Ann", "a.png"}, 2);
    table.Create_List_By_Array({"Bob", ""}, 2);
    Start_Card_Option = "G";
    dialogs.queueHook([&](QDialog& window) {
        EXPECT_EQ(named<QLabel>(window, "rows_count").text(), "2");
        EXPECT_EQ(named<QLabel>(window, "column_count").text(), "2");  // MBPC is not there
    });
    EXPECT_EQ(viewer.Open_Wnd(), 0);
    Start_Card_Option = mode;
    const DataRowsModel& model = viewer.model();
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Name");
    EXPECT_EQ(model.data(model.index(1, 0), Qt::DisplayRole).toString(), "2");
    EXPECT_EQ(model.data(model.index(0, 2), Qt::DisplayRole).toString(), "a.png");
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
}

TEST(SeriesTableWindow, NumbersRowsPastTheHighestAndStoresEditedCells)
{
    Data_From_Series window;
    EXPECT_EQ(Data_From_Ser_Window, &window);
    window.Create_List_By_Array({"a"}, 1);
    window.Create_List_By_Array({"b", "c"}, 2);
    window.Create_List_By_Array({" x ", "y", "z"}, 3);
    EXPECT_EQ(window.ListData[2], (DataRow{{"Extension", "3"}, {"Column1", "x"}, {"Column2", "y"}, {"Column3", "z"}}));
    EXPECT_FALSE(window.Create_List_By_Array({"short"}, 2));

    // After a row is taken out, a new row never repeats a number still in the table.
    window.ListData.removeAt(1);
    window.Create_List_By_Array({"d"}, 1);
    EXPECT_EQ(window.Get_Item_Text(2, 0), "4");
    EXPECT_EQ(window.Get_Item_Text(0, 2), std::nullopt);
    EXPECT_EQ(window.Get_Item_Text(9, 1), QString());

    ScriptedDialogPresenter dialogs;
    dialogs.queueHook([&](QDialog& view) {
        EXPECT_EQ(named<QLabel>(view, "rows_count").text(), "3");
        EXPECT_EQ(named<QLabel>(view, "column_count").text(), "4");
        DataRowsModel& model = window.model();
        EXPECT_TRUE(model.setData(model.index(0, 1), "edited", Qt::EditRole));
        window.OK_Click();
    });
    EXPECT_EQ(window.Open_Wnd(), 1);
    EXPECT_EQ(window.Get_Item_Text(0, 1), "edited");
}

}  // namespace
