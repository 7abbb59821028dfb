#pragma once
// What the two spreadsheet windows share: the workbook path, the header box, the sheet choice, the
// column list with its ticks, and the reading of the chosen sheet.
#include <QString>
#include <QStringList>

#include "data/SpreadsheetWriter.h"
#include "views/series/SheetColumnList.h"

class QCheckBox;
class QComboBox;
class QDialog;
class QLineEdit;
class QPushButton;
class QTableView;

inline const QString kNoColumnMessage = QStringLiteral("There is no column.");
inline const QString kNoColumnSelectedMessage = QStringLiteral("No column is selected.");
inline const QString kCorruptedWorkbookMessage =
    QStringLiteral("Either file is corrupted or selected file contains invalid characters.");

struct SheetWindowWidgets {
    QLineEdit* file_path;
    QCheckBox* contains_header;
    QComboBox* Sheet_ComboBox;
    QTableView* ColList;
    QPushButton* selectAll;
    QPushButton* clearAll;
};

class SheetWindowCore {
public:
    SheetWindowCore(QDialog& window, const SheetWindowWidgets& widgets);

    SheetColumnList& columns() { return _columns; }
    // Resets the window (sheet 1, header on, empty lists) and reads the workbook's sheets; false,
    // after saying why, when the file gave none.
    bool open(const QString& path);
    // Reads the chosen sheet's first row into the column list.
    void sheetChosen(int index);
    // "There is no column." or "No column is selected." shown; false then.
    bool ticksHold() const;
    // Every row of the chosen sheet.
    SheetRows readRows() const;
    // The first row holding values: 1 with the header box on, else 0.
    int firstDataRow() const;
    QString path() const;

private:
    // The workbook's sheets into the sheet list, the first chosen; false when there is none.
    bool listSheets();
    // Why the workbook or the sheet read last was refused, told to the user.
    void showRefusal();

    SheetWindowWidgets _widgets;
    SheetColumnList _columns;
};
