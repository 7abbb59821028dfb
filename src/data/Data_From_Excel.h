#pragma once
// The loaded data table: the rows of one spreadsheet sheet that every output run reads record by
// record, with its column list. One instance for the whole run; GUI thread only.
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

// One row: "Extension" holds the row number, "Column1".."ColumnN" the trimmed cell texts.
using DataRow = QMap<QString, QString>;

inline const QString Extension_Key = QStringLiteral("Extension");
// The titles of group mode's own columns for the photos set by hand on the front and the back.
inline const QString kFrontManualPhotoTitle = QStringLiteral("MFPC");
inline const QString kBackManualPhotoTitle = QStringLiteral("MBPC");

// The key of a column index: 0 "Extension", n >= 1 "Column<n>", anything else (-1: not bound) none.
QString Column_Key_For_Index(int index);

// The row rules of the data tables (the loaded spreadsheet and a series shown as a table).
// Appends a row numbered `number` whose keys "Column1".."Column<count>" hold the first count cells
// trimmed; false (logged) when fewer cells are given.
bool appendRowOfCells(QList<DataRow>& rows, int number, const QStringList& cells, int count);
// Column col_index of a row; none when the row lacks that column, "" (logged, naming the table)
// for a row past the end.
std::optional<QString> itemTextOfRow(const QList<DataRow>& rows, int row, int col_index, const QString& tableName);
// The title of data column k whose header text is empty.
QString Untitled_Column_Title(int k);
// The positions 0 to count - 1: every column of a sheet filled whole.
QList<int> leadingPositions(int count);
// One past the last of the rows holding a value (a cell not empty once trimmed) at one of the
// positions; 0 when none does.
qsizetype rowsUpToLastValue(const QList<QStringList>& rows, const QList<int>& positions);

struct DataColumn {
    QString identifier;
    QString title;
};

// The column list. Column 0 is the row-number column "Extension" and is never removed; data
// columns are shown left-aligned, not editable, kDataColumnWidth points wide.
class DataColumnList {
public:
    static constexpr double kDataColumnWidth = 100.0;

    DataColumnList();
    int count() const { return int(_columns.size()); }
    const DataColumn& at(int index) const { return _columns.at(index); }
    // Every header title in order, column 0 included.
    QStringList titles() const;
    // Index of the first column with this title, or -1.
    int indexOfTitle(const QString& title) const;
    void addColumn(const QString& identifier, const QString& title);
    // Removes every column but column 0.
    void removeDataColumns();

private:
    QList<DataColumn> _columns;
};

class Data_From_Excel {
public:
    // The instance made last, made on first use.
    static Data_From_Excel* defaultInstance();

    Data_From_Excel();
    ~Data_From_Excel();
    Data_From_Excel(const Data_From_Excel&) = delete;
    Data_From_Excel& operator=(const Data_From_Excel&) = delete;

    QList<DataRow> ListData;
    DataColumnList ColList;

    int rowCount() const { return int(ListData.size()); }
    // The column count the viewer shows: every table column, the row-number column included,
    // less group mode's own manual-photo columns where present (startMode "G").
    int shownColumnCount(const QString& startMode) const;

    // Appends a row of the first count cells, trimmed; false (logged) when cells holds fewer.
    bool Create_List_By_Array(const QStringList& cells, int count);
    // Appends a row for each sheet row from `first` on: its cells at `positions`, in that order,
    // empty past the row's end. A row without cells becomes a row of empty cells, so that record n
    // is the sheet's n-th row here as in a series made of the same sheet's columns. Refused whole
    // (false, *why telling the user, nothing appended) when the rows so filled would not fit what
    // the spreadsheet read last may still take: a far cell or a wide dimension widens every row,
    // so a few kilobytes of workbook could otherwise fill gigabytes.
    bool Fill_From_Sheet(const QList<QStringList>& rows, qsizetype first, const QList<int>& positions, QString* why);
    // Appends a row holding only that key.
    void Create_List_By_Value(const QString& value, const QString& col_key);
    // The row's value under the column index rule; none when the row lacks the key; "" (logged)
    // for a row outside the table.
    std::optional<QString> Get_Item_Text(int row, int col_index) const;
    // The value under a column identifier, or "" when the row or the key is missing.
    QString objectValue(const QString& identifier, int row) const;
    // Stores a value under a column identifier; false (logged) for a row outside the table.
    bool setObjectValue(const QString& value, const QString& identifier, int row);
};

// The table every other part reads; set when the instance is made.
extern Data_From_Excel* Data_From_Excel_Window;
// Data_From_Excel_Window, made on first use.
Data_From_Excel& Loaded_Data_Table();

extern int Excel_Sheet_Number;        // 1-based sheet to read
extern QString Excel_Source_Path;     // spreadsheet bound to the design, "" for none
extern bool Excel_Binding_Use;        // the design uses spreadsheet data ("Y"/"N" in the design file)
extern int Excel_table_rows;          // row count of the table, refreshed by the main window
