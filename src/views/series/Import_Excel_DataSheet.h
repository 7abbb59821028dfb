#pragma once
// Series from a workbook's ticked columns: each column its own series (named after the column,
// the name editable), or all ticked cells into one series, new, replaced or appended to. The sheet
// is read before any series is touched, and a series is replaced only by a complete new file.
#include <QDialog>
#include <memory>

#include "data/SpreadsheetWriter.h"
#include "views/series/SeriesWindowLinks.h"

class SheetColumnList;
class SheetWindowCore;
namespace Ui {
class Import_Excel_DataSheet;
}

inline const QString kNoDataInSheetMessage = QStringLiteral(
    "There is no data in selected sheet.\nPlease select another Sheet/Excel File.\nEither file is corrupted or "
    "selected file contains invalid characters.");
inline const QString kSelectListNameMessage = QStringLiteral("Please select list name.");
inline const QString kEnterListNameMessage = QStringLiteral("Please enter list name.");

class Import_Excel_DataSheet : public QDialog {
    Q_OBJECT
public:
    enum FillKind { NewSeries = 0, ReplaceSeries = 1, AppendToSeries = 2 };

    explicit Import_Excel_DataSheet(SeriesWindowLinks links = {}, QWidget* parent = nullptr);
    ~Import_Excel_DataSheet() override;

    int file_name_Insert = 0;
    int fill_col_option = NewSeries;

    // Reads the workbook's sheets and the series names and runs the window modally; 0 without
    // showing it when the file is no workbook that can be read (said).
    int Open_excel_datasheet_Wnd(const QString& path);
    // The window reset onto the workbook, its sheets and the series names listed; false, after
    // saying why, when the file gave no sheet.
    bool Load_file_Func(const QString& path);
    SheetColumnList& columns();
    void sheetChosen(int index);
    void Each_Col_RD_Click();
    void Fill_Col_RD_Click();
    void Fill_Type_CellClick(int kind);
    void OKPressed();
    void CancelPressed();

    // Each ticked column its own series; the window closes afterwards. The end names every
    // ticked column that gave no series, and why.
    void Create_file_For_Col_Func();
    // All ticked cells into one series; false keeps the window open.
    bool Insert_file_Func();

private:
    // What to do with an existing series of a column, asking unless an earlier answer applies to
    // all; the name to write under, or "" to skip the column, with why in whyNot.
    QString targetForColumn(const QString& name, bool& askInUse, bool& askKeepReplace, QString* whyNot);

    std::unique_ptr<Ui::Import_Excel_DataSheet> ui;
    std::unique_ptr<SheetWindowCore> _core;
    SeriesWindowLinks _links;
};
