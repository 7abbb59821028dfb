#pragma once
// The records of a group project as the side panels edit them: rows of the loaded data table made,
// replaced, added and removed, and the table as workbook rows. No window takes part.
#include <QMap>
#include <QString>

#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"

namespace GroupRecords {

// How Get_Array_For_Excel_List builds a row: a new one, the row being saved, or a copy of it.
enum class RowMode { Add = 0, Save = 1, Copy = 2 };

// One row of the table: "Extension" is the row count + 1 for Add, else the existing row's; the
// columns "Column1".."Column<columnCount - 1>" come from the existing row (Save, Copy) or are
// empty (Add); for Add and Save the panel's values (column index -> text) then fill their columns
// exactly as typed. A manual-photo cell naming the program's no-picture picture is empty. Nothing
// for a row outside the table unless adding.
std::optional<DataRow> Get_Array_For_Excel_List(const Data_From_Excel& table, int columnCount, int row,
                                                RowMode mode, const QMap<int, QString>& panelValues);

// The columns that keep the photos set by hand in the side panels of a project whose photo shows
// no column of the user's: "MFPC" for the front, "MBPC" for the back; -1 where there is none.
struct ManualPhotoColumns {
    int front = -1;
    int back = -1;
    int of(int side) const { return side == 1 ? back : front; }
};
ManualPhotoColumns manualPhotoColumns(const DataColumnList& columns);
bool isManualPhotoColumn(const DataColumnList& columns, int column);
// Adds whichever of the two is missing after the last column (identifier "Column<n>", n the
// column count before it), every row's cell under it empty (no photo); both columns' indexes.
ManualPhotoColumns addManualPhotoColumns(Data_From_Excel& table);
// A record without a photo of its own has an empty manual-photo cell: the program's no-picture
// picture, which older projects wrote there, is emptied in every row.
void forgetNoPicturePaths(Data_From_Excel& table);

// Puts the row in place of row `row`; false, with nothing changed, for a row outside the table
// (never the last row instead).
bool replaceRow(Data_From_Excel& table, int row, const DataRow& values);
void appendRow(Data_From_Excel& table, const DataRow& values);

enum class DeleteResult { Deleted, LastRecord, NoSuchRow };
// Removes the row; the others keep their "Extension". The last record is never removed.
DeleteResult deleteRow(Data_From_Excel& table, int row);

// The header titles (the row-number column left out), then every row's columns in order.
SheetRows workbookRows(const Data_From_Excel& table);

// The group list's text of a row: "<row number> - <first column>".
QString groupListText(const Data_From_Excel& table, int row);

}  // namespace GroupRecords
