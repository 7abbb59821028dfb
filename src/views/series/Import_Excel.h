#pragma once
// The spreadsheet import window: a workbook's sheet and ticked columns fill the loaded data table,
// or (mode "D") become values of the series the manager edits, row by row, left to right.
#include <QDialog>
#include <memory>

#include "data/SpreadsheetWriter.h"
#include "views/series/SeriesWindowLinks.h"

class SheetColumnList;
class SheetWindowCore;
namespace Ui {
class Import_Excel;
}

class Import_Excel : public QDialog {
    Q_OBJECT
public:
    explicit Import_Excel(SeriesWindowLinks links = {}, QWidget* parent = nullptr);
    ~Import_Excel() override;

    // The window the profile dialogs open (mode "E"), made on first use; in mode "D" its values go
    // to the series manager.
    static Import_Excel& defaultInstance();

    // "D": values into the series being edited; anything else ("E"): fill the loaded data table.
    QString open_mode = QStringLiteral("D");

    // Reads the workbook's sheets and runs the window modally: 1 after OK, 0 after Cancel or
    // when the file is no workbook that can be read (said, and the window not shown).
    int Open_excel_Wnd(const QString& path);
    // The window reset onto the workbook, its sheets listed and the first one's columns; false,
    // after saying why, when the file gave no sheet.
    bool Load_file_Func(const QString& path);
    SheetColumnList& columns();
    void sheetChosen(int index);
    void OKPressed();
    void CancelPressed();

    // The loaded data table gets one column per ticked sheet column and one row per sheet row,
    // empty ones included, up to the last row holding a value in a ticked column.
    void Create_Excel_List_Func(SheetRows rows);
    void Insert_file_Func(const SheetRows& rows);

private:
    std::unique_ptr<Ui::Import_Excel> ui;
    std::unique_ptr<SheetWindowCore> _core;
    SeriesWindowLinks _links;
};
