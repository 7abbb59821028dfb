#include "data/SeriesFiles.h"

#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "platform/Log.h"

QStringList Get_datasheet_File_Name_Array() { return SeriesStore().names(); }

SeriesFirstValue readFirstSeriesValue(const QString& name)
{
    const SeriesStore::Values first = SeriesStore().readFirstValue(name);
    return {first.values.value(0), first.failure};
}

QString Get_First_Value_Of_Dataset(const QString& name)
{
    const SeriesFirstValue first = readFirstSeriesValue(name);
    if (!first.readable())
        Show_NSLog_Message(first.failure);
    return first.value;
}

QString Get_Profile_Sample_Of_Dataset(const QString& name)
{
    const SeriesStore::Values first = SeriesStore().readFirstValue(name);
    if (!first.failure.isEmpty())
        Show_NSLog_Message(first.failure);
    // No list at all: the series file is missing.
    if (first.values.isEmpty())
        return QString();
    return first.values.first().isEmpty() ? QStringLiteral(" ") : first.values.first();
}

std::optional<QString> Get_First_Value_Of_Excel_Binding(int n)
{
    return Get_Value_Of_Excel_Binding(0, n);
}

std::optional<QString> Get_Value_Of_Excel_Binding(int row, int n)
{
    Data_From_Excel& table = Loaded_Data_Table();
    if (row < 0 || row >= table.ListData.size()) {
        Show_NSLog_Message(table.ListData.isEmpty()
                               ? QStringLiteral("No spreadsheet rows are loaded.")
                               : QStringLiteral("No row %1 among the %2 spreadsheet rows.").arg(row + 1).arg(table.ListData.size()));
        return QString();
    }
    const std::optional<QString> value = table.Get_Item_Text(row, n);
    if (value && value->isEmpty())
        return QStringLiteral(" ");
    return value;
}
