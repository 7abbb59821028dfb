#pragma once
// The series the user keeps in the data folder (Data_Folder_Path): one UTF-8 text file per series,
// named after it with the extension "txt", one value a line. Elements bound to a series show its
// first value until a record is chosen.
#include <QString>
#include <QStringList>
#include <optional>

// The extension of series files.
inline const QString batch_file_EXT = QStringLiteral("txt");

// The series: names, without the extension, of the plain files in Data_Folder_Path whose extension
// is "txt" in any case, sorted by name ignoring case (hidden files left out).
QStringList Get_datasheet_File_Name_Array();

// The first value of a series, or why it cannot be read. A missing file, or a name that is no
// plain file name (a series always lies in the data folder), reads as "".
struct SeriesFirstValue {
    QString value;
    QString failure;  // empty when the value was read
    bool readable() const { return failure.isEmpty(); }
};
// The text before the first line end, untrimmed; a file whose first line is not UTF-8 text, or
// that cannot be opened or read, gives a failure naming the series and the reason.
SeriesFirstValue readFirstSeriesValue(const QString& name);
// The same value, with "" (logged) for a series that cannot be read.
QString Get_First_Value_Of_Dataset(const QString& name);
// What a profile form shows for a field bound to the series: its first value, and " " for an
// empty first line, as for an empty cell, so the bound field still reaches the card; "" (logged)
// for a series that is missing or cannot be read.
QString Get_Profile_Sample_Of_Dataset(const QString& name);

// Column n of the loaded table's first row: n 0 the row number, an empty cell " ", none for a
// missing column; empty (logged) when no rows are loaded.
std::optional<QString> Get_First_Value_Of_Excel_Binding(int n);
// The same of another row (0 the first); empty (logged) for a row the table does not have.
std::optional<QString> Get_Value_Of_Excel_Binding(int row, int n);
