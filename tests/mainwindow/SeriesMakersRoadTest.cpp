// On the real window with a design open: the File menu's generator and import commands write new
// series that the data-source page lists at once, refuse the name of a series the design uses, and
// the series manager's generate button adds its series to the manager's list. A chosen file that
// is no workbook is named on every road that opens one.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QMainWindow>
#include <QCheckBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTest>

#include "MainWindowFixture.h"
#include "mainwindow/WizardStartWindows.h"
#include "support/CanvasMouse.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/dialogs/AccessoryViewController.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/dialogs/Replcae_Confirm_Box.h"
#include "views/inspector/PropertyInspector.h"
#include "views/series/BatchWizard.h"
#include "views/series/Generate_List.h"
#include "views/series/Import_Excel_DataSheet.h"
#include "views/series/Import_Wizard.h"
#include "views/series/SheetColumnList.h"
#include "views/series/SeriesValueModel.h"
#include "views/wizards/Group_Mode_Wizard.h"

namespace {

class SeriesMakersRoadTest : public MainWindowFixture {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(openSampleWithStaffSeries("Ada Lovelace\n")); }
    QByteArray series(const QString& name) const
    {
        QFile file(QDir(Data_Folder_Path).filePath(name + ".txt"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // Numbers from..to under the name, made in the generator the hook is given.
    static void generate(QDialog& window, const QString& name, const QString& from, const QString& to)
    {
        auto& generator = static_cast<Generate_List&>(window);
        generator.findChild<QLineEdit*>("seq_file_name")->setText(name);
        generator.findChild<QLineEdit*>("from_txt")->setText(from);
        generator.findChild<QLineEdit*>("to_txt")->setText(to);
        generator.OKPressed();
    }
    // A workbook of the file name in the scratch folder whose sheet holds the titles and one row.
    QString workbook(const QString& fileName, const QString& titles, const QString& row) const
    {
        const QString book = scratch.filePath(fileName);
        const auto made = TestEnvironment::runPython(QStringLiteral("import sys, openpyxl\n"
                                                                    "wb = openpyxl.Workbook()\n"
                                                                    "wb.active.append([%1])\n"
                                                                    "wb.active.append([%2])\n"
                                                                    "wb.save(sys.argv[1])\n")
                                                         .arg(titles, row)
                                                         .toUtf8(),
                                                     {book});
        EXPECT_EQ(made.exitCode, 0) << made.err.constData();
        return book;
    }
    // File > Import Data... on the workbook, with the script run in its column window.
    void importColumns(const QString& book, const std::function<void(Import_Excel_DataSheet&)>& script)
    {
        dialogs.queueHook([&](QDialog& window) {
            auto& wizard = static_cast<Import_Wizard&>(window);
            wizard.Excel_RD_Pressed();
            wizard.findChild<QLineEdit*>("Excel_path")->setText(book);
            dialogs.queueHook([&](QDialog& sheet) { script(static_cast<Import_Excel_DataSheet&>(sheet)); });
            wizard.OKPressed();
        });
        action(QStringLiteral("Import_Wizard_Button")).trigger();
    }
};

TEST_F(SeriesMakersRoadTest, TheFileMenuMakesSeriesThePageListsAndSparesBoundOnes)
{
    ASSERT_NO_FATAL_FAILURE(bindSampleTitleTo(QStringLiteral("Staff")));

    // A bound series is never replaced; another name is written.
    dialogs.queueHook([](QDialog& window) {
        generate(window, "Staff", "1", "3");
        window.findChild<QLineEdit*>("seq_file_name")->setText("Badges");
        static_cast<Generate_List&>(window).OKPressed();
    });
    action(QStringLiteral("Create_Series_Button")).trigger();
    EXPECT_EQ(messages.texts(), QStringList{"\n" + kSeriesCreateInUseMessage});
    EXPECT_EQ(series("Staff"), "Ada Lovelace\n");
    EXPECT_EQ(series("Badges"), "1\n2\n3\n");

    dialogs.queueHook([](QDialog& window) {
        auto& wizard = static_cast<Import_Wizard&>(window);
        wizard.Manual_RD_Pressed();
        wizard.findChild<QLineEdit*>("Manual_file_name")->setText("Guests");
        wizard.findChild<QPlainTextEdit*>("ManualEdit")->setPlainText("Grace Hopper\nKatherine Johnson\n");
        wizard.OKPressed();
    });
    action(QStringLiteral("Import_Wizard_Button")).trigger();
    EXPECT_EQ(series("Guests"), "Grace Hopper\nKatherine Johnson\n");
    QComboBox& listed = control<QComboBox>("Batch_Series");
    EXPECT_GE(listed.findText("Badges"), 0);
    EXPECT_GE(listed.findText("Guests"), 0);
}

// A workbook imported again over the series the design is bound to: with Apply to All ticked on
// the first in-use alert no more come, and the end names each series left alone and why.
TEST_F(SeriesMakersRoadTest, ReimportingAWorkbookNamesTheBoundSeriesItDidNotReplace)
{
    ASSERT_NO_FATAL_FAILURE(bindSampleTitleTo(QStringLiteral("Staff")));
    const QString book = workbook("staff.xlsx", "'Staff', 'Guests'", "'Grace Hopper', 'Alan Turing'");
    int inUseAlerts = 0;
    importColumns(book, [&](Import_Excel_DataSheet& columns) {
        columns.columns().setAllTicked(true);
        dialogs.queueHook([&](QDialog& alert) {
            ++inUseAlerts;
            static_cast<QMessageBox&>(alert).checkBox()->setChecked(true);
        });
        columns.OKPressed();
    });
    EXPECT_EQ(inUseAlerts, 1);
    EXPECT_EQ(series("Staff"), "Ada Lovelace\n");
    EXPECT_EQ(series("Guests"), "Alan Turing\n");
    const QList<ScriptedMessagePresenter::Record> said = messages.records();
    ASSERT_EQ(said.size(), 1) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(said[0].request.text, "1 series was imported.\n\n1 series was not imported:");
    EXPECT_EQ(said[0].request.details, QStringList{"Staff: the design is bound to it, so it was not replaced."});
}

// "Keep Both" names a series as files are named: a column whose name already ends in a number in
// brackets goes on from that number instead of adding a second one.
TEST_F(SeriesMakersRoadTest, KeepBothGoesOnFromTheNumberAColumnNameEndsIn)
{
    const QString book = workbook("photos.xlsx", "'Photo', 'Photo (1)'", "'ada.png', 'grace.png'");
    // Imports the ticked columns, answering each keep-or-replace question with Keep Both.
    const auto importKeepingBoth = [&](const QList<int>& ticked, bool applyToAll) {
        int questions = 0;
        importColumns(book, [&](Import_Excel_DataSheet& columns) {
            for (const int column : ticked)
                columns.columns().setTicked(column, true);
            for (int asked = 0; asked < ticked.size(); ++asked)
                dialogs.queueHook([&](QDialog& box) {
                    ++questions;
                    auto& question = static_cast<Replcae_Confirm_Box&>(box);
                    question.apply_chk->setChecked(applyToAll);
                    question.Keep_Pressed();
                });
            columns.OKPressed();
            dialogs.clearHooks();
        });
        return questions;
    };
    const auto seriesFiles = [] {
        return QDir(Data_Folder_Path).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    };

    EXPECT_EQ(importKeepingBoth({0, 1}, false), 0);
    EXPECT_EQ(seriesFiles(), QStringList({"Photo (1).txt", "Photo.txt", "Staff.txt"}));
    EXPECT_EQ(importKeepingBoth({0}, false), 1);
    EXPECT_EQ(importKeepingBoth({1}, false), 1);
    EXPECT_EQ(seriesFiles(), QStringList({"Photo (1).txt", "Photo (2).txt", "Photo (3).txt", "Photo.txt", "Staff.txt"}));
    EXPECT_EQ(series("Photo (3)"), "grace.png\n");

    // Apply to All answers the second column too.
    EXPECT_EQ(importKeepingBoth({0, 1}, true), 1);
    EXPECT_EQ(seriesFiles(), QStringList({"Photo (1).txt", "Photo (2).txt", "Photo (3).txt", "Photo (4).txt",
                                          "Photo (5).txt", "Photo.txt", "Staff.txt"}));
    EXPECT_EQ(series("Photo (4)"), "ada.png\n");
    EXPECT_EQ(series("Photo (5)"), "grace.png\n");
    EXPECT_EQ(series("Photo (1)"), "grace.png\n");
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(SeriesMakersRoadTest, TheManagersGenerateButtonAddsToItsList)
{
    dialogs.queueHook([&](QDialog&) {
        BatchWizard& manager = BatchWizard::defaultInstance();
        dialogs.queueHook([](QDialog& window) { generate(window, "Numbers", "8", "10"); });
        manager.CreateSeries_Btn_Clicked();
        EXPECT_EQ(manager.ListData().texts(), (QStringList{"Numbers", "Staff"}));
        manager.Close_Btn_Clicked();
    });
    action(QStringLiteral("Batch_Series_Button")).trigger();
    EXPECT_EQ(series("Numbers"), "8\n9\n10\n");
}

// A file that is no workbook, or one cut short, is named at once on each road that opens a chosen
// workbook; no column window opens on an empty sheet list, and the window the file was chosen in
// takes no path (the import wizard stays open: its answer is still 0).
TEST_F(SeriesMakersRoadTest, AFileThatIsNoWorkbookIsNamedOnEachRoadAndOpensNoColumnWindow)
{
    const QString cut = scratch.filePath("cut.xlsx"), notZip = scratch.filePath("notes.ods");
    const auto made = TestEnvironment::runPython(
        "import sys, openpyxl\nwb = openpyxl.Workbook()\nfor n in range(200): wb.active.append(['Person %d' % n])\n"
        "wb.save(sys.argv[1])\ndata = open(sys.argv[1], 'rb').read()\nopen(sys.argv[1], 'wb').write(data[:len(data) // 2])\n"
        "open(sys.argv[2], 'w').write('Name,Title')\n",
        {cut, notZip});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    WizardStartWindows starts;
    struct Road {
        std::function<void()> open;
        std::function<QString(QDialog& window, const QString& file)> choose;  // what the window shows after
        QString shown;
    };
    const QList<Road> roads{
        {[&] { action("User_Profile_Button_Clicked").trigger(); }, [&](QDialog& window, const QString& file) {
             dialogs.queueOpenFile(file);
             window.findChild<QPushButton*>("excel_browse_btn")->click();
             return window.findChild<QLineEdit*>("excel_path_field")->text();
         }, ""},
        {[&] { action("Import_Wizard_Button").trigger(); }, [](QDialog& window, const QString& file) {
             static_cast<Import_Wizard&>(window).Excel_RD_Pressed();
             window.findChild<QLineEdit*>("Excel_path")->setText(file);
             static_cast<Import_Wizard&>(window).OKPressed();
             return QString::number(window.result());
         }, "0"},
        {[&] { starts.Group_Mode_Wizard_Open_Wnd(controller); }, [&](QDialog& window, const QString& file) {
             dialogs.queueOpenFile(file);
             static_cast<Group_Mode_Wizard&>(window).Select_Excel_Click();
             return window.findChild<QLineEdit*>("Excel_Path_Text")->text();
         }, ""},
    };
    for (const Road& road : roads) {
        for (const QString& file : {cut, notZip}) {
            SCOPED_TRACE(file.toStdString());
            const qsizetype said = messages.texts().size();
            QString shown, columnWindow;
            dialogs.queueHook([&](QDialog& window) {
                dialogs.queueHook([&](QDialog& opened) { columnWindow = opened.metaObject()->className(); });
                shown = road.choose(window, file);
                dialogs.clearHooks();
            });
            road.open();
            EXPECT_EQ(shown, road.shown);
            EXPECT_EQ(columnWindow, "");
            EXPECT_EQ(messages.texts().mid(said).join(u'|'),
                      QStringLiteral("\nThe file \"%1\" cannot be read as a workbook.").arg(QFileInfo(file).fileName()));
        }
    }
}

}  // namespace

namespace {

// File -> Series…, the series Staff opened, Export…: the panel shows the workbook format, and a
// name typed without an extension is written as that workbook.
TEST_F(SeriesMakersRoadTest, ANameTypedWithoutExtensionIsExportedInTheFormatTheSavePanelShows)
{
    const QString folder = scratch.filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(folder));
    Open_Export_Log::defaultInstance().openPath = [](const QString&) {};
    QString shownFormat;
    QStringList filters;
    dialogs.queueHook([&](QDialog&) {
        BatchWizard& manager = BatchWizard::defaultInstance();
        manager.Mark_List_New_Selection(0);
        manager.On_Update();
        dialogs.queueHook([&](QDialog& dialog) {
            auto& panel = static_cast<QFileDialog&>(dialog);
            shownFormat = panel.findChild<AccessoryViewController*>()->ext_btn->currentText();
            filters = panel.nameFilters();
            panel.setDirectory(folder);
            panel.selectFile(QStringLiteral("vals"));
            QMetaObject::invokeMethod(&panel, "accept");
        });
        dialogs.queueHook([](QDialog&) {});  // the closing box
        manager.Export_Value_Btn_Clicked();
        manager.Close_Btn_Clicked();
    });
    action(QStringLiteral("Batch_Series_Button")).trigger();
    // The panel lists the files of the format it shows.
    EXPECT_EQ(shownFormat, "Excel Workbook (xlsx)");
    EXPECT_EQ(filters, QStringList{"*.xlsx"});
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"vals.xlsx"});
    const auto read = TestEnvironment::runPython("import sys, warnings, openpyxl\n"
                                                 "warnings.simplefilter('ignore')\n"
                                                 "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                                 "print([r[0] for r in ws.iter_rows(values_only=True)])\n",
                                                 {QDir(folder).filePath("vals.xlsx")});
    EXPECT_EQ(QString::fromUtf8(read.out).trimmed(), "['Batch Value', 'Ada Lovelace']") << read.err.toStdString();
}

}  // namespace
