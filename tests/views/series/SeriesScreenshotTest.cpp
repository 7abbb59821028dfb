// The series windows with real content on an X server under a window manager, pictured as a user
// sees them: the manager's two screens with its edit and export panels, the series viewer and the
// loaded data table's viewer.
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/WindowFrame.h"
#include "views/series/BatchWizard.h"
#include "views/series/DataRowsView.h"
#include "views/series/LoadedDataTableWindow.h"
#include "views/series/SeriesFolder.h"
#include "views/series/SeriesValueModel.h"
#include "views/series/SeriesWindows.h"
#include "views/series/View_Data_Series.h"

namespace {

// Shows the dialog, waits for its frame and saves the framed window.
void picture(QDialog& dialog, const QString& file)
{
    const QMargins frame = showFramed(dialog);
    EXPECT_TRUE(grabFramed(dialog, frame).save(QDir(QStringLiteral(ZOVA_SERIES_ARTIFACT_DIR)).filePath(file)));
}

TEST(SeriesWindowScreenshots, TheManagerBothScreensAndTheViewers)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server and a window manager: ctest runs this under with-display.sh --wm";
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(ZOVA_SERIES_ARTIFACT_DIR)));
    SeriesFolder folder;
    folder.put("Staff names.txt", "Ada Lovelace\nAlan Turing\nGrace Hopper\nKatherine Johnson\nLinus Torvalds\n"
                                  "Margaret Hamilton\nDennis Ritchie\nBarbara Liskov\nKen Thompson\nFrances Allen\n");
    folder.put("Card numbers.txt", "ID-0001\nID-0002\nID-0003\nID-0004\nID-0005\nID-0006\nID-0007\n");
    folder.put("Visitors 2026.TXT", "Zoë Ünal\nJosé Núñez\n");
    folder.put("Photos.txt", "/home/ada/Pictures/ada.jpg\n/home/ada/Pictures/alan.jpg\n");
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter installed(messages);
    ScriptedDialogPresenter dialogs;

    BatchWizard manager;
    dialogs.queueHook([&](QDialog& window) {
        auto& list = named<QTableView>(window, "List");
        list.selectRow(2);
        picture(window, "series-manager-list.png");
        manager.On_Update();
        named<QTableView>(window, "List_value").selectRow(1);
        picture(window, "series-manager-values.png");
        dialogs.queueHook([&](QDialog& panel) {
            named<QLineEdit>(panel, "m_ex_num_str").setText(QStringLiteral("Alan M. Turing"));
            picture(panel, "series-manager-edit-value.png");
        });
        manager.OnGetSelected();
        dialogs.queueHook([&](QDialog& panel) {
            panel.resize(760, 480);
            picture(panel, "series-manager-export-panel.png");
        });
        manager.Export_Value_Btn_Clicked();
        manager.Close_Btn_Clicked();
    });
    EXPECT_EQ(manager.Open_Wnd(), 0);
    EXPECT_EQ(manager.ListData_value().count(), 10);

    View_Data_Series viewer;
    viewer.file_name = QStringLiteral("Card numbers");
    dialogs.queueHook([&](QDialog& window) {
        picture(window, "series-viewer.png");
        viewer.OK_Btn_Clicked();
    });
    viewer.Open_Wnd();
    EXPECT_EQ(viewer.ListData().count(), 7);

    Data_From_Excel table;
    const QStringList titles{"Name", "Department", "Employee ID", "Photo"};
    for (int k = 1; k <= titles.size(); ++k)
        table.ColList.addColumn(Column_Key_For_Index(k), titles[k - 1]);
    const QList<QStringList> rows{{"Ada Lovelace", "Engineering", "E-1001", "ada.jpg"},
                                  {"Alan Turing", "Research", "E-1002", "alan.jpg"},
                                  {"Grace Hopper", "Engineering", "E-1003", "grace.jpg"},
                                  {"Katherine Johnson", "Flight", "E-1004", ""},
                                  {"Margaret Hamilton", "Software", "E-1005", "margaret.jpg"}};
    for (const QStringList& row : rows)
        table.Create_List_By_Array(row, int(row.size()));
    LoadedDataTableWindow tableViewer;
    dialogs.queueHook([&](QDialog& window) {
        picture(window, "data-table-viewer.png");
        tableViewer.OK_Click();
    });
    EXPECT_EQ(tableViewer.Open_Wnd(), 1);
    EXPECT_TRUE(messages.texts().isEmpty());
}

}  // namespace
