// The spreadsheet import window and series from sheet columns, over a workbook made by openpyxl.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "data/Data_From_Excel.h"
#include "SeriesWindowFixture.h"
#include "support/HostileWorkbooks.h"
#include "support/MovedTabWorkbook.h"
#include "views/dialogs/Replcae_Confirm_Box.h"
#include "views/series/Import_Excel.h"
#include "views/series/Import_Excel_DataSheet.h"
#include "views/series/BatchWizard.h"
#include "views/series/SeriesDestination.h"
#include "views/series/SheetColumnList.h"
#include "views/series/SheetWindowCore.h"

namespace {

class SpreadsheetImportTest : public SeriesWindowFixture {
protected:
    void SetUp() override
    {
        SeriesWindowFixture::SetUp();
        book = workbook();
        Loaded_Data_Table().ColList.removeDataColumns();
        Loaded_Data_Table().ListData.clear();
    }
    // Opens the window on the workbook and runs the script in it; the window's answer.
    template <class Window>
    int open(Window& window, const std::function<void()>& script)
    {
        dialogs.queueHook([&](QDialog&) { script(); });
        if constexpr (std::is_same_v<Window, Import_Excel>)
            return window.Open_excel_Wnd(book);
        else
            return window.Open_excel_datasheet_Wnd(book);
    }
    QStringList tableTitles() const { return Loaded_Data_Table().ColList.titles(); }
    QStringList tableColumn(int index) const
    {
        QStringList values;
        for (int r = 0; r < Loaded_Data_Table().rowCount(); ++r)
            values.append(Loaded_Data_Table().Get_Item_Text(r, index).value_or("<none>"));
        return values;
    }

    QString book;
    Import_Excel table{links};
    Import_Excel_DataSheet sheets{links};
};

}  // namespace

TEST_F(SpreadsheetImportTest, TickedColumnsFillTheLoadedTableWhereverBlankHeadersStand)
{
    table.open_mode = "E";
    EXPECT_EQ(open(table, [&] {
                  SheetColumnList& columns = table.columns();
                  ASSERT_EQ(columns.entryCount(), 4);
                  EXPECT_EQ(columns.name(1), "Untitled Column 2");
                  EXPECT_EQ(columns.name(2), "Photo");
                  EXPECT_EQ(columns.name(3), QStringLiteral("Città"));
                  EXPECT_EQ(table.findChild<QComboBox*>("Sheet_ComboBox")->itemText(2), "Codes");
                  table.OKPressed();  // nothing ticked
                  columns.setTicked(0, true);
                  columns.setTicked(2, true);
                  columns.setTicked(3, true);
                  table.OKPressed();
              }),
              1);
    EXPECT_EQ(messages.texts(), QStringList({"\n" + kNoColumnSelectedMessage}));
    EXPECT_EQ(tableTitles(), QStringList({"No.", "Name", "Photo", QStringLiteral("Città")}));
    EXPECT_EQ(Loaded_Data_Table().ColList.at(2).identifier, "Column2");
    EXPECT_EQ(tableColumn(0), QStringList({"1", "2", "3"}));
    EXPECT_EQ(tableColumn(1), QStringList({QStringLiteral("Zoë"), "Bob", "Ann"}));
    EXPECT_EQ(tableColumn(2), QStringList({"zoe.png", "bob.png", ""}));
    EXPECT_EQ(tableColumn(3), QStringList({QStringLiteral("Zürich"), QStringLiteral("日本"), "Oslo"}));

    // The blank header's column, header box off: its title is numbered by the imported columns,
    // and the first row is data too.
    open(table, [&] {
        table.findChild<QCheckBox*>("contains_header")->setChecked(false);
        table.columns().setTicked(1, true);
        table.OKPressed();
    });
    EXPECT_EQ(tableTitles(), QStringList({"No.", "Untitled Column 1"}));
    EXPECT_EQ(tableColumn(1), QStringList({"", "x1", "", "x3"}));
}

TEST_F(SpreadsheetImportTest, AnEmptySheetListsNoColumnsAndLeavesTheTableEmpty)
{
    table.open_mode = "E";
    open(table, [&] {
        table.columns().setTicked(0, true);
        table.OKPressed();
    });
    ASSERT_EQ(Loaded_Data_Table().rowCount(), 3);
    EXPECT_EQ(open(table, [&] {
                  table.sheetChosen(1);
                  EXPECT_EQ(table.columns().entryCount(), 0);
                  table.OKPressed();
                  EXPECT_EQ(messages.texts().last(), "\n" + kNoColumnMessage);
                  // The rows of an empty sheet, as a sheet emptied since it was listed gives them.
                  table.Create_Excel_List_Func({});
              }),
              0);
    EXPECT_EQ(messages.texts().last(), "\n" + kCorruptedWorkbookMessage);
    EXPECT_EQ(Loaded_Data_Table().rowCount(), 0);
    EXPECT_EQ(Loaded_Data_Table().ColList.count(), 1);
}

TEST_F(SpreadsheetImportTest, ModeDSendsTickedCellsRowByRow)
{
    open(table, [&] {
        table.sheetChosen(2);
        table.columns().setTicked(0, true);
        table.OKPressed();
    });
    EXPECT_EQ(managerValues, QStringList({"007", "A-1"}));
    managerValues.clear();
    open(table, [&] {
        table.columns().setTicked(0, true);
        table.columns().setTicked(2, true);
        table.OKPressed();
    });
    EXPECT_EQ(managerValues, QStringList({QStringLiteral("Zoë"), "zoe.png", "Bob", "bob.png", "Ann", ""}));
    EXPECT_EQ(Loaded_Data_Table().rowCount(), 0);
}

TEST_F(SpreadsheetImportTest, EachColumnItsOwnSeries)
{
    EXPECT_EQ(open(sheets, [&] {
                  sheets.columns().setTicked(0, true);
                  sheets.columns().setTicked(2, true);
                  sheets.columns().setTicked(1, true);
                  sheets.columns().setSeriesName(1, " ");
                  sheets.OKPressed();
              }),
              1);
    EXPECT_EQ(series("Name"), QStringLiteral("Zoë\nBob\nAnn\n").toUtf8());
    EXPECT_EQ(series("Photo"), "zoe.png\nbob.png\n\n");
    // A column whose series name is empty once cleaned is left out.
    EXPECT_EQ(seriesFiles(), QStringList({"Name.txt", "Photo.txt"}));

    open(sheets, [&] {
        sheets.findChild<QCheckBox*>("contains_header")->setChecked(false);
        sheets.sheetChosen(2);
        sheets.columns().setTicked(0, true);
        sheets.OKPressed();
    });
    EXPECT_EQ(series("Code"), "Code\n007\nA-1\n");

    // A sheet of a header alone makes no series, nor empties one.
    writeSeries("Code", "kept\n");
    open(sheets, [&] {
        sheets.sheetChosen(3);
        sheets.columns().setTicked(0, true);
        dialogs.queueHook([&](QDialog& box) { static_cast<Replcae_Confirm_Box&>(box).Replace_Pressed(); });
        sheets.OKPressed();
    });
    EXPECT_EQ(series("Code"), "kept\n");
    EXPECT_EQ(messages.texts().last(), "\n" + kNoDataInSheetMessage);
}

TEST_F(SpreadsheetImportTest, ExistingSeriesAreKeptReplacedOrLeftAsAnswered)
{
    writeSeries("Name", "old name\n");
    writeSeries("Photo", "old photo\n");
    writeSeries(QStringLiteral("Città"), "in use\n");
    inUse = {QStringLiteral("Città")};
    int inUseAlerts = 0;
    const auto tickAll = [&] {
        sheets.columns().setAllTicked(true);
        sheets.columns().setTicked(1, false);
    };
    // Keep Both with Apply to All: both existing series get a numbered twin; the one in use is
    // never touched.
    open(sheets, [&] {
        dialogs.queueHook([&](QDialog& box) {
            auto& question = static_cast<Replcae_Confirm_Box&>(box);
            const QStringList buttons{question.keep_button->text(), question.replace_button->text(),
                                      question.cancel_button->text(), question.apply_chk->text()};
            EXPECT_EQ(buttons, QStringList({"Keep Both", "Replace", "Cancel", "Apply to All"}));
            question.apply_chk->setChecked(true);
            question.Keep_Pressed();
        });
        dialogs.queueHook([&](QDialog& box) {
            ++inUseAlerts;
            static_cast<QMessageBox&>(box).checkBox()->setChecked(true);
        });
        tickAll();
        sheets.OKPressed();
    });
    EXPECT_EQ(series("Name (1)"), QStringLiteral("Zoë\nBob\nAnn\n").toUtf8());
    EXPECT_EQ(series("Photo (1)"), "zoe.png\nbob.png\n\n");
    EXPECT_EQ(series("Name"), "old name\n");
    EXPECT_EQ(series(QStringLiteral("Città")), "in use\n");
    EXPECT_EQ(inUseAlerts, 1);

    // Replace for the first only, then Cancel.
    open(sheets, [&] {
        dialogs.queueHook([&](QDialog& box) { static_cast<Replcae_Confirm_Box&>(box).Replace_Pressed(); });
        dialogs.queueHook([&](QDialog&) { ++inUseAlerts; });
        dialogs.queueHook([&](QDialog& box) { static_cast<Replcae_Confirm_Box&>(box).CancelPressed(); });
        sheets.columns().setTicked(0, true);
        sheets.columns().setTicked(3, true);
        sheets.columns().setTicked(2, true);
        sheets.OKPressed();
    });
    EXPECT_EQ(series("Name"), QStringLiteral("Zoë\nBob\nAnn\n").toUtf8());
    EXPECT_EQ(series("Photo"), "old photo\n");
    EXPECT_EQ(inUseAlerts, 2);
}

TEST_F(SpreadsheetImportTest, OneSeriesNewReplacedOrAppendedAndNeverEmptiedByAnEmptySheet)
{
    writeSeries("Codes", "first\n");
    const auto fill = [&](int kind, int sheet, const QString& name) {
        return open(sheets, [&] {
            sheets.Fill_Col_RD_Click();
            sheets.Fill_Type_CellClick(kind);
            if (kind == Import_Excel_DataSheet::NewSeries)
                sheets.findChild<QLineEdit*>("list_name")->setText(name);
            else
                sheets.findChild<QComboBox*>("List_ComboBox")->setCurrentText(name);
            sheets.sheetChosen(sheet);
            sheets.columns().setAllTicked(true);
            sheets.OKPressed();
        });
    };
    EXPECT_EQ(fill(Import_Excel_DataSheet::AppendToSeries, 2, "Codes"), 1);
    EXPECT_EQ(series("Codes"), "first\n007\nA-1\n");
    EXPECT_EQ(fill(Import_Excel_DataSheet::ReplaceSeries, 2, "Codes"), 1);
    EXPECT_EQ(series("Codes"), "007\nA-1\n");
    messages.queueAnswers({1});  // No to replacing
    EXPECT_EQ(fill(Import_Excel_DataSheet::NewSeries, 0, "Codes"), 0);
    EXPECT_EQ(series("Codes"), "007\nA-1\n");
    EXPECT_EQ(fill(Import_Excel_DataSheet::NewSeries, 0, "All"), 1);
    EXPECT_EQ(series("All").split('\n').size(), 3 * 4 + 1);
    EXPECT_TRUE(series("All").startsWith(QStringLiteral("Zoë\nx1\nzoe.png\nZürich\nBob\n\n").toUtf8()));

    // A sheet without data rows replaces nothing, whichever way the series was to be written.
    EXPECT_EQ(fill(Import_Excel_DataSheet::ReplaceSeries, 3, "Codes"), 1);
    EXPECT_EQ(messages.texts().last(), "\n" + kNoDataInSheetMessage);
    messages.queueAnswers({0});  // Yes to replacing
    EXPECT_EQ(fill(Import_Excel_DataSheet::NewSeries, 3, "Codes"), 1);
    EXPECT_EQ(series("Codes"), "007\nA-1\n");

    inUse = {"Codes"};
    EXPECT_EQ(fill(Import_Excel_DataSheet::AppendToSeries, 2, "Codes"), 0);
    EXPECT_EQ(messages.texts().last(), "\n" + kSeriesCreateInUseMessage);
    EXPECT_EQ(series("Codes"), "007\nA-1\n");
}

// Tabs not in the order of their parts: each item shows its sheet's name over that sheet's
// columns; a part declaring a document type is refused with a message that says so.
TEST_F(SpreadsheetImportTest, EachSheetItemShowsItsOwnColumnsOrWhyNone)
{
    book = at("moved.xlsx");
    ASSERT_TRUE(MovedTabWorkbook::make(book));
    table.open_mode = "E";
    open(table, [&] {
        auto* sheetCombo = table.findChild<QComboBox*>("Sheet_ComboBox");
        ASSERT_EQ(sheetCombo->count(), 2);
        EXPECT_EQ(sheetCombo->itemText(0), "Staff");
        EXPECT_EQ(sheetCombo->itemText(1), "Codes");
        ASSERT_EQ(table.columns().entryCount(), 2);
        EXPECT_EQ(table.columns().name(1), "Photo");
        sheetCombo->setCurrentIndex(1);
        Q_EMIT sheetCombo->activated(1);
        ASSERT_EQ(table.columns().entryCount(), 1);
        EXPECT_EQ(table.columns().name(0), "Code");
        sheetCombo->setCurrentIndex(0);
        Q_EMIT sheetCombo->activated(0);
        table.columns().setTicked(1, true);
        table.OKPressed();
    });
    EXPECT_EQ(tableTitles(), QStringList({"No.", "Photo"}));
    EXPECT_EQ(tableColumn(1), QStringList({"ann.png"}));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('|').toStdString();

    book = at("declaring.xlsx");
    ASSERT_TRUE(HostileWorkbooks::make(HostileWorkbooks::kEntities, book));
    open(table, [&] {
        EXPECT_EQ(table.columns().entryCount(), 0);
        table.OKPressed();
        table.CancelPressed();
    });
    EXPECT_EQ(messages.texts(),
              QStringList({"\nThe part xl/worksheets/sheet1.xml declares a document type (DOCTYPE), which no workbook "
                           "part may hold.",
                           "\n" + kNoColumnMessage}));
}
