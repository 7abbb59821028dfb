#include "data/GroupRecords.h"

#include "platform/ResourcePaths.h"

namespace GroupRecords {

namespace {

// The row's manual-photo cells as the workbook keeps them: the program's no-picture picture,
// which older projects wrote into every row without a photo of its own, is no photo (empty).
void forgetNoPicturePaths(DataRow& values, const ManualPhotoColumns& manual)
{
    for (const int column : {manual.front, manual.back}) {
        const auto cell = values.find(Column_Key_For_Index(column));
        if (column >= 1 && cell != values.end() && Is_No_Image_Path(*cell))
            cell->clear();
    }
}

}  // namespace

std::optional<DataRow> Get_Array_For_Excel_List(const Data_From_Excel& table, int columnCount, int row,
                                                RowMode mode, const QMap<int, QString>& panelValues)
{
    const bool adding = mode == RowMode::Add;
    if (!adding && (row < 0 || row >= table.rowCount()))
        return std::nullopt;
    DataRow values;
    values.insert(Extension_Key, adding ? QString::number(table.rowCount() + 1)
                                        : table.ListData.at(row).value(Extension_Key));
    for (int column = 1; column < columnCount; ++column) {
        const QString key = Column_Key_For_Index(column);
        values.insert(key, adding ? QString() : table.ListData.at(row).value(key));
    }
    if (mode != RowMode::Copy) {
        for (auto it = panelValues.begin(); it != panelValues.end(); ++it) {
            if (it.key() >= 1 && it.key() < columnCount)
                values.insert(Column_Key_For_Index(it.key()), it.value());
        }
    }
    forgetNoPicturePaths(values, manualPhotoColumns(table.ColList));
    return values;
}

ManualPhotoColumns manualPhotoColumns(const DataColumnList& columns)
{
    return {columns.indexOfTitle(kFrontManualPhotoTitle), columns.indexOfTitle(kBackManualPhotoTitle)};
}

bool isManualPhotoColumn(const DataColumnList& columns, int column)
{
    const ManualPhotoColumns manual = manualPhotoColumns(columns);
    return column >= 1 && (column == manual.front || column == manual.back);
}

ManualPhotoColumns addManualPhotoColumns(Data_From_Excel& table)
{
    for (const QString& title : {kFrontManualPhotoTitle, kBackManualPhotoTitle}) {
        if (table.ColList.indexOfTitle(title) >= 0)
            continue;
        const QString key = Column_Key_For_Index(table.ColList.count());
        table.ColList.addColumn(key, title);
        // Every record starts without a photo of its own (an empty cell), as a record added later does.
        for (DataRow& values : table.ListData)
            values.insert(key, QString());
    }
    return manualPhotoColumns(table.ColList);
}

void forgetNoPicturePaths(Data_From_Excel& table)
{
    const ManualPhotoColumns manual = manualPhotoColumns(table.ColList);
    for (DataRow& values : table.ListData)
        forgetNoPicturePaths(values, manual);
}

bool replaceRow(Data_From_Excel& table, int row, const DataRow& values)
{
    if (row < 0 || row >= table.rowCount())
        return false;
    table.ListData[row] = values;
    return true;
}

void appendRow(Data_From_Excel& table, const DataRow& values)
{
    table.ListData.append(values);
    Excel_table_rows = table.rowCount();
}

DeleteResult deleteRow(Data_From_Excel& table, int row)
{
    if (row < 0 || row >= table.rowCount())
        return DeleteResult::NoSuchRow;
    if (table.rowCount() <= 1)
        return DeleteResult::LastRecord;
    table.ListData.removeAt(row);
    Excel_table_rows = table.rowCount();
    return DeleteResult::Deleted;
}

SheetRows workbookRows(const Data_From_Excel& table)
{
    SheetRows rows;
    rows.append(table.ColList.titles().mid(1));
    const int columns = table.ColList.count();
    for (const DataRow& values : table.ListData) {
        QStringList cells;
        for (int column = 1; column < columns; ++column)
            cells.append(values.value(Column_Key_For_Index(column)));
        rows.append(cells);
    }
    return rows;
}

QString groupListText(const Data_From_Excel& table, int row)
{
    return QStringLiteral("%1 - %2").arg(row + 1).arg(table.objectValue(Column_Key_For_Index(1), row).trimmed());
}

}  // namespace GroupRecords
