#include "data/Data_From_Excel.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <utility>
#include <vector>

#include "data/SpreadsheetWriter.h"
#include "platform/Log.h"
#include "platform/StringHelpers.h"

Data_From_Excel* Data_From_Excel_Window = nullptr;
int Excel_Sheet_Number = 1;
QString Excel_Source_Path;
bool Excel_Binding_Use = false;
int Excel_table_rows = 0;

namespace {
Data_From_Excel* lastMadeInstance = nullptr;
}

QString Column_Key_For_Index(int index)
{
    if (index == 0)
        return Extension_Key;
    if (index < 0)
        return {};
    // Every cell of every row needs its key: the common ones are made once and shared.
    static const QStringList keys = [] {
        QStringList made;
        for (int k = 0; k < 1024; ++k)
            made.append(QStringLiteral("Column%1").arg(k));
        return made;
    }();
    if (index < keys.size())
        return keys.at(index);
    return QStringLiteral("Column%1").arg(index);
}

QString Untitled_Column_Title(int k) { return QStringLiteral("Untitled Column %1").arg(k); }

QList<int> leadingPositions(int count)
{
    QList<int> positions(std::max(0, count));
    std::iota(positions.begin(), positions.end(), 0);
    return positions;
}

qsizetype rowsUpToLastValue(const QList<QStringList>& rows, const QList<int>& positions)
{
    const auto holdsValue = [&positions](const QStringList& row) {
        return std::any_of(positions.cbegin(), positions.cend(),
                           [&row](int position) { return !Trim_Str(row.value(position)).isEmpty(); });
    };
    qsizetype end = rows.size();
    while (end > 0 && !holdsValue(rows.at(end - 1)))
        --end;
    return end;
}

DataColumnList::DataColumnList() { _columns.append(DataColumn{Extension_Key, QStringLiteral("No.")}); }

QStringList DataColumnList::titles() const
{
    QStringList result;
    result.reserve(_columns.size());
    for (const DataColumn& column : _columns)
        result.append(column.title);
    return result;
}

int DataColumnList::indexOfTitle(const QString& title) const
{
    for (int i = 0; i < _columns.size(); ++i) {
        if (_columns[i].title == title)
            return i;
    }
    return -1;
}

void DataColumnList::addColumn(const QString& identifier, const QString& title)
{
    _columns.append(DataColumn{identifier, title});
}

void DataColumnList::removeDataColumns() { _columns.resize(1); }

Data_From_Excel* Data_From_Excel::defaultInstance()
{
    if (!lastMadeInstance)
        new Data_From_Excel();  // lives for the rest of the run
    return lastMadeInstance;
}

Data_From_Excel& Loaded_Data_Table()
{
    return Data_From_Excel_Window ? *Data_From_Excel_Window : *Data_From_Excel::defaultInstance();
}

Data_From_Excel::Data_From_Excel()
{
    lastMadeInstance = this;
    Data_From_Excel_Window = this;
}

Data_From_Excel::~Data_From_Excel()
{
    if (lastMadeInstance == this)
        lastMadeInstance = nullptr;
    if (Data_From_Excel_Window == this)
        Data_From_Excel_Window = nullptr;
}

int Data_From_Excel::shownColumnCount(const QString& startMode) const
{
    int count = ColList.count();
    if (startMode == QLatin1String("G")) {
        for (const QString& manualPhotoColumn : {kFrontManualPhotoTitle, kBackManualPhotoTitle}) {
            if (ColList.indexOfTitle(manualPhotoColumn) >= 0)
                --count;
        }
    }
    return count;
}

namespace {

// The keys of a row of `count` cells in the row's own (sorted) order, each with its cell (-1 for
// the row number), and a row of those keys with empty values: a row of a large table is a copy of
// that row filled in order, without a search or a comparison per key.
struct RowShape {
    std::vector<std::pair<int, QString>> keys;
    DataRow emptyRow;
};

const RowShape& rowShape(int count)
{
    thread_local RowShape shape;
    thread_local int madeFor = -1;
    if (madeFor != count) {
        shape.keys.clear();
        shape.keys.emplace_back(-1, Extension_Key);
        for (int i = 0; i < count; ++i)
            shape.keys.emplace_back(i, Column_Key_For_Index(i + 1));
        std::sort(shape.keys.begin(), shape.keys.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
        std::map<QString, QString> row;
        for (const auto& [cell, key] : shape.keys)
            row.emplace_hint(row.cend(), key, QString());
        shape.emptyRow = DataRow(std::move(row));
        madeFor = count;
    }
    return shape;
}

}  // namespace

bool appendRowOfCells(QList<DataRow>& rows, int number, const QStringList& cells, int count)
{
    if (count < 0 || cells.size() < count) {
        Show_NSLog_Message(QStringLiteral("Row not added: %1 cells given, %2 needed").arg(cells.size()).arg(count));
        return false;
    }
    const RowShape& shape = rowShape(count);
    DataRow row = shape.emptyRow;
    auto key = shape.keys.cbegin();
    for (auto value = row.begin(); value != row.end(); ++value, ++key)
        *value = key->first < 0 ? QString::number(number) : Trim_Str(cells.at(key->first));
    rows.append(std::move(row));
    return true;
}

std::optional<QString> itemTextOfRow(const QList<DataRow>& rows, int row, int col_index, const QString& tableName)
{
    if (row < 0 || row >= rows.size()) {
        Show_NSLog_Message(QStringLiteral("No row %1 in the %2 of %3 rows").arg(row).arg(tableName).arg(rows.size()));
        return QString();
    }
    const DataRow& values = rows.at(row);
    const auto found = values.constFind(Column_Key_For_Index(col_index));
    if (found == values.cend())
        return std::nullopt;
    return found.value();
}

bool Data_From_Excel::Create_List_By_Array(const QStringList& cells, int count)
{
    return appendRowOfCells(ListData, int(ListData.size()) + 1, cells, count);
}

bool Data_From_Excel::Fill_From_Sheet(const QList<QStringList>& rows, qsizetype first, const QList<int>& positions,
                                      QString* why)
{
    const qsizetype filled = std::max<qsizetype>(0, rows.size() - first);
    if (!SpreadsheetWriter::fillFits(filled, positions.size(), why))
        return false;
    const int count = int(positions.size());
    ListData.reserve(ListData.size() + filled);
    QStringList cells;
    for (qsizetype r = std::max<qsizetype>(0, first); r < rows.size(); ++r) {
        const QStringList& row = rows.at(r);
        cells.clear();
        for (const int position : positions)
            cells.append(row.value(position));
        Create_List_By_Array(cells, count);
    }
    return true;
}

void Data_From_Excel::Create_List_By_Value(const QString& value, const QString& col_key)
{
    ListData.append(DataRow{{col_key, value}});
}

std::optional<QString> Data_From_Excel::Get_Item_Text(int row, int col_index) const
{
    return itemTextOfRow(ListData, row, col_index, QStringLiteral("data table"));
}

QString Data_From_Excel::objectValue(const QString& identifier, int row) const
{
    if (row < 0 || row >= ListData.size())
        return {};
    return ListData.at(row).value(identifier);
}

bool Data_From_Excel::setObjectValue(const QString& value, const QString& identifier, int row)
{
    if (row < 0 || row >= ListData.size()) {
        Show_NSLog_Message(QStringLiteral("No row %1 in the data table of %2 rows").arg(row).arg(ListData.size()));
        return false;
    }
    ListData[row].insert(identifier, value);
    return true;
}
