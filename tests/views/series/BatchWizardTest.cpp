#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "views/series/SeriesFolder.h"
#include "views/series/SeriesWindows.h"
#include "views/dialogs/AccessoryViewController.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/series/BatchWizard.h"
#include "views/series/SeriesValueModel.h"
#include "views/series/Update_Ex_Num.h"

namespace {

class BatchWizardTest : public ::testing::Test {
protected:
    SeriesFolder folder;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter installed{messages};
    ScriptedDialogPresenter dialogs;
    BatchWizard manager;
    QStringList inUse;

    BatchWizardTest()
    {
        manager.seriesInUse = [this](const QString& name) { return inUse.contains(name); };
    }

    // The texts of the boxes shown, without the blank line an OK box starts with.
    QStringList shown() const
    {
        QStringList texts = messages.texts();
        for (QString& text : texts) {
            if (text.startsWith(u'\n'))
                text.remove(0, 1);
        }
        return texts;
    }
    QTableView& List() { return named<QTableView>(manager.view(), "List"); }
    QTableView& List_value() { return named<QTableView>(manager.view(), "List_value"); }
    QLineEdit& batch_list_name() { return named<QLineEdit>(manager.view(), "batch_list_name"); }
    QString batch_list_count() { return named<QLabel>(manager.view(), "batch_list_count").text(); }
    QString batch_value_count() { return named<QLabel>(manager.view(), "batch_value_count").text(); }
    void select(QTableView& table, std::initializer_list<int> rows)
    {
        table.clearSelection();
        for (const int row : rows)
            table.selectionModel()->select(table.model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        table.selectionModel()->setCurrentIndex(table.model()->index(*rows.begin(), 0), QItemSelectionModel::NoUpdate);
    }
    void openSeries(const QString& name)
    {
        manager.Fill_List();
        select(List(), {int(manager.ListData().texts().indexOf(name))});
        manager.On_Update();
    }
};

TEST_F(BatchWizardTest, ListsOpensEditsAndSavesASeries)
{
    folder.put("A.txt", "1\r\n\r\n  2  \n");
    folder.put("b.TXT", "x\ny\n");
    folder.put("c.csv", "no\n");
    QDir(folder.at("")).mkdir("d.txt");
    manager.Fill_List();
    EXPECT_EQ(manager.ListData().texts(), (QStringList{"A", "b"}));
    EXPECT_EQ(batch_list_count(), "Total List : 2");

    openSeries("A");
    ASSERT_TRUE(manager.secondScreenShown());
    EXPECT_EQ(manager.update_list_name(), "A");
    EXPECT_EQ(batch_list_name().text(), "A");
    EXPECT_EQ(manager.ListData_value().texts(), (QStringList{"1", "2"}));
    EXPECT_EQ(batch_value_count(), "Total Rows : 2");
    ASSERT_TRUE(manager.Save_Btn_Clicked());
    EXPECT_EQ(folder.contents("A.txt"), "1\n2\n");
    EXPECT_FALSE(manager.secondScreenShown());
    EXPECT_TRUE(shown().isEmpty()) << shown().join('|').toStdString();

    // "b.TXT" opens, takes an edited value and a new one, and is saved into its own file.
    openSeries("b");
    manager.Create_Value_List("  z ");
    manager.Create_Value_List(" ");
    select(List_value(), {1});
    dialogs.queueHook([](QDialog& panel) {
        EXPECT_EQ(named<QLineEdit>(panel, "m_s_number").text(), "y");
        named<QLineEdit>(panel, "m_ex_num_str").setText("  why ");
        static_cast<Update_Ex_Num&>(panel).OKPressed();
    });
    manager.doubleClickInTable(List_value());
    ASSERT_TRUE(manager.Save_Btn_Clicked());
    EXPECT_EQ(folder.contents("b.TXT"), "x\nwhy\nz\n");
    EXPECT_EQ(folder.files(), (QStringList{"A.txt", "b.TXT", "c.csv"}));
}

TEST_F(BatchWizardTest, NewSeriesNamesAreCleanedAndAnExistingOneIsReplacedOnlyAfterYes)
{
    folder.put("Untitled.txt", "old\n");
    manager.AddNew_Btn_Clicked();
    EXPECT_EQ(batch_list_name().text(), "Untitled");
    EXPECT_EQ(manager.update_list_name(), "");
    EXPECT_FALSE(manager.Save_Btn_Clicked());
    EXPECT_EQ(shown().value(0), "List is empty.");

    manager.Create_Value_List("new");
    messages.queueAnswers({1});  // No
    EXPECT_FALSE(manager.Save_Btn_Clicked());
    EXPECT_EQ(shown().value(1), "Batch Processing Series already exists. Do you want to replace it?");
    EXPECT_EQ(folder.contents("Untitled.txt"), "old\n");
    messages.queueAnswers({0});  // Yes
    EXPECT_TRUE(manager.Save_Btn_Clicked());
    EXPECT_EQ(folder.contents("Untitled.txt"), "new\n");

    manager.AddNew_Btn_Clicked();
    manager.Create_Value_List("v");
    batch_list_name().setText("??");
    EXPECT_FALSE(manager.Save_Btn_Clicked());
    EXPECT_EQ(shown().last(), "Please enter valid series name.");
    batch_list_name().setText("/a/b?");
    inUse = {"a_b"};
    EXPECT_FALSE(manager.Save_Btn_Clicked());
    EXPECT_EQ(shown().last(), "Batch Processing Series can't be create because it is currently in use.");
    inUse.clear();
    EXPECT_TRUE(manager.Save_Btn_Clicked());
    EXPECT_EQ(folder.contents("a_b.txt"), "v\n");

    // Only "/" is changed inside a name.
    manager.AddNew_Btn_Clicked();
    manager.Create_Value_List("w");
    batch_list_name().setText("\\Dept\\North?");
    EXPECT_TRUE(manager.Save_Btn_Clicked());
    EXPECT_EQ(folder.contents("Dept\\North.txt"), "w\n");
    EXPECT_TRUE(manager.ListData().texts().contains("Dept\\North"));
}

// The replace question and the in-use test look at the name as it is saved, so a user is never
// asked to replace their own series, and a rename never overwrites a series that is in use.
TEST_F(BatchWizardTest, ASeriesIsSavedUnderItsCleanedNameAndNeverOverASeriesInUse)
{
    folder.put("Staff.txt", "Ann\n");
    folder.put("Guests.txt", "Bob\n");
    openSeries("Staff");
    batch_list_name().setText(" Staff ");
    manager.Create_Value_List("Cy");
    EXPECT_TRUE(manager.Save_Btn_Clicked());
    EXPECT_TRUE(shown().isEmpty()) << shown().join('|').toStdString();
    EXPECT_EQ(folder.contents("Staff.txt"), "Ann\nCy\n");

    openSeries("Staff");
    batch_list_name().setText("Guests");
    inUse = {"Guests"};
    messages.queueAnswers({0});
    EXPECT_FALSE(manager.Save_Btn_Clicked());
    EXPECT_EQ(shown(), QStringList{"Batch Processing Series can't be update because it is currently in use."});
    EXPECT_EQ(folder.contents("Guests.txt"), "Bob\n");
    EXPECT_EQ(folder.contents("Staff.txt"), "Ann\nCy\n");

    // A rename to a free name moves the series.
    batch_list_name().setText("Crew");
    EXPECT_TRUE(manager.Save_Btn_Clicked());
    EXPECT_EQ(folder.files(), (QStringList{"Crew.txt", "Guests.txt"}));
}

TEST_F(BatchWizardTest, AFailedSaveSaysSoAndLeavesTheOldSeriesWhole)
{
    folder.put("Staff.txt", "Ann\n");
    openSeries("Staff");
    for (int i = 0; i < 2000; ++i)
        manager.Create_Value_List(QStringLiteral("value %1").arg(i));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = manager.Save_Btn_Clicked();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(saved);
    EXPECT_EQ(shown(), QStringList{"Error in file accessing."});
    EXPECT_EQ(folder.contents("Staff.txt"), "Ann\n");
    EXPECT_TRUE(manager.secondScreenShown());
}

TEST_F(BatchWizardTest, DeletesSelectedSeriesButNoneInUse)
{
    for (const char* name : {"A.txt", "B.txt", "C.txt", "D.txt"})
        folder.put(name, "1\n");
    manager.Fill_List();
    messages.queueAnswers({1});
    select(List(), {0});
    manager.Delete_List_Btn_Clicked();
    EXPECT_EQ(shown().last(), "Are you sure want to delete selected Batch Processing Series?");
    EXPECT_EQ(folder.files().size(), 4);

    // Two in use among three: one alert, its "Apply to All" silencing the next.
    inUse = {"A", "C"};
    int alerts = 0;
    dialogs.queueHook([&](QDialog& dialog) {
        auto& alert = static_cast<QMessageBox&>(dialog);
        ++alerts;
        EXPECT_EQ(alert.text(), seriesInUseDeleteMessage("A"));
        alert.checkBox()->setChecked(true);
    });
    select(List(), {0, 1, 2});
    manager.Delete_List_Btn_Clicked();
    EXPECT_EQ(alerts, 1);
    EXPECT_EQ(folder.files(), (QStringList{"A.txt", "C.txt", "D.txt"}));
    EXPECT_EQ(manager.ListData().texts(), (QStringList{"A", "C", "D"}));

    // Deleting the last row selects row 0.
    inUse.clear();
    select(List(), {2});
    manager.Delete_List_Btn_Clicked();
    EXPECT_EQ(manager.ListData().texts(), (QStringList{"A", "C"}));
    EXPECT_EQ(List().selectionModel()->selectedRows().value(0).row(), 0);
    EXPECT_EQ(batch_list_count(), "Total List : 2");
}

TEST_F(BatchWizardTest, RemovesValuesAndAsksBeforeNewValuesJoinTheList)
{
    manager.AddNew_Btn_Clicked();
    manager.Delete_Rows_Btn_Clicked();
    EXPECT_EQ(shown().last(), "List is empty.");
    for (const char* value : {"a", "b", "c"})
        manager.Create_Value_List(value);
    manager.Delete_Rows_Btn_Clicked();
    EXPECT_EQ(shown().last(), "Please select at least one record from the list to continue.");
    select(List_value(), {0});
    manager.Delete_Rows_Btn_Clicked();
    EXPECT_EQ(manager.ListData_value().texts(), (QStringList{"b", "c"}));
    EXPECT_TRUE(List_value().selectionModel()->selectedRows().isEmpty());
    EXPECT_EQ(batch_value_count(), "Total Rows : 2");

    QList<std::pair<int, int>> flags;
    manager.generator = [&](int required, int insert) {
        flags.append({required, insert});
        manager.Create_Value_List("g");
    };
    messages.queueAnswers({2, 1, 0});  // Cancel, No, Yes
    manager.Series_Value_Btn_Clicked();
    EXPECT_EQ(manager.ListData_value().texts(), (QStringList{"b", "c"}));
    manager.Series_Value_Btn_Clicked();
    EXPECT_EQ(manager.ListData_value().texts(), (QStringList{"b", "c", "g"}));
    manager.Series_Value_Btn_Clicked();
    EXPECT_EQ(manager.ListData_value().texts(), QStringList{"g"});
    EXPECT_EQ(flags, (QList<std::pair<int, int>>{{0, 1}, {0, 1}}));
}

// The panel proposes the series' name as a workbook; its format chooser turns it into a text
// file; any other extension is written as text with ".txt" added.
TEST_F(BatchWizardTest, ExportsTheValuesAsTextOrWorkbook)
{
    QTemporaryDir out;
    manager.AddNew_Btn_Clicked();
    batch_list_name().setText("Codes");
    for (const char* value : {"007", "Zoë", "42"})
        manager.Create_Value_List(QString::fromUtf8(value));
    int boxes = 0;
    Open_Export_Log::defaultInstance().openPath = [](const QString&) {};
    const auto answerPanel = [&](const QString& path, int format) {
        dialogs.queueHook([&, path, format](QDialog& dialog) {
            auto& panel = static_cast<QFileDialog&>(dialog);
            auto* chooser = panel.findChild<AccessoryViewController*>();
            ASSERT_NE(chooser, nullptr);
            EXPECT_EQ(QFileInfo(panel.selectedFiles().value(0)).fileName(), "Codes.xlsx");
            if (format >= 0) {
                Q_EMIT chooser->ext_btn->activated(format);
                EXPECT_EQ(QFileInfo(panel.selectedFiles().value(0)).fileName(), "Codes.txt");
            }
            panel.selectFile(path);
            dialog.setResult(QDialog::Accepted);
        });
        dialogs.queueHook([&](QDialog&) { ++boxes; });
    };
    answerPanel(out.filePath("list.csv"), 1);
    manager.Export_Value_Btn_Clicked();
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(Export_File_Message, "Record has been exported successfully.");
    EXPECT_EQ(Export_File_Path, out.filePath("list.csv.txt"));
    QFile text(out.filePath("list.csv.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(text.readAll(), QByteArray("007\nZo\xC3\xAB\n42\n"));

    answerPanel(out.filePath("list.xlsx"), -1);
    manager.Export_Value_Btn_Clicked();
    const auto read = TestEnvironment::runPython("import sys, warnings, openpyxl\n"
                                                 "warnings.simplefilter('ignore')\n"
                                                 "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                                 "print([r[0] for r in ws.iter_rows(values_only=True)])\n",
                                                 {out.filePath("list.xlsx")});
    EXPECT_EQ(QString::fromUtf8(read.out).trimmed(), "['Batch Value', '007', 'Zoë', 42]") << read.err.toStdString();
    EXPECT_EQ(boxes, 2);

    // A cancelled panel exports nothing.
    dialogs.queueHook([](QDialog&) {});
    manager.Export_Value_Btn_Clicked();
    EXPECT_EQ(boxes, 2);
    EXPECT_TRUE(shown().isEmpty()) << shown().join('|').toStdString();
}

}  // namespace
