#include "output/RunSources.h"

#include <algorithm>

#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"

RunSources::RunSources(const SeriesStore& store, const Data_From_Excel& table)
    : m_store(store), m_dataTable(table)
{
}

bool RunSources::isBindable(const SKTGraphic& element)
{
    const GraphicKind kind = element.kind();
    return kind == GraphicKind::Text || kind == GraphicKind::Image || kind == GraphicKind::Barcode;
}

bool RunSources::sideUsesSeries(const GraphicList& side)
{
    return std::any_of(side.cbegin(), side.cend(), [](const GraphicPtr& element) {
        return element && isBindable(*element) && element->data_source_type == 1 &&
               element->batch_list_index != -1 && element->print_object == 0;
    });
}

bool RunSources::sideUsesColumn(const GraphicList& side)
{
    return std::any_of(side.cbegin(), side.cend(), [](const GraphicPtr& element) {
        return element && isBindable(*element) && element->data_source_type == 2 && element->excel_binding &&
               element->excel_col_indx != -1 && element->print_object == 0;
    });
}

void RunSources::Check_Series_Or_Excel_Use_or_not(const GraphicList& front, const GraphicList& back, bool twoSided)
{
    Check_Data_Sheet_Value_Use_or_Not(front, back, twoSided);
    Check_Excel_Binding_Value_Use_or_Not(front, back, twoSided);
    Get_total_Card_count();
}

void RunSources::Check_Data_Sheet_Value_Use_or_Not(const GraphicList& front, const GraphicList& back, bool twoSided)
{
    m_table = SeriesBindingTable();
    Use_Data_Sheet_Values = sideUsesSeries(front) || (twoSided && sideUsesSeries(back));
    if (!Use_Data_Sheet_Values)
        return;
    Create_Dataset_binding_table(front, back, twoSided);
    Data_table_rows = m_table.Calculate_data_table_rows();
}

void RunSources::Create_Dataset_binding_table(const GraphicList& front, const GraphicList& back, bool twoSided)
{
    if (!twoSided && front.isEmpty())
        return;
    SeriesBindingTable::Reader reader = m_reader;
    if (!reader)
        reader = [store = m_store](const QString& name) { return store.readRecords(name); };
    m_table = SeriesBindingTable(m_store.names(), std::move(reader));
    // An element left out of output still loads its series: its series may lengthen the run.
    const auto load = [this](const GraphicList& side) {
        for (const GraphicPtr& element : side) {
            if (element && isBindable(*element) && element->data_source_type == 1)
                m_table.Add_dataset_col_in_binding_table(element->batch_list_name);
        }
    };
    load(front);
    if (twoSided)
        load(back);
}

void RunSources::Check_Excel_Binding_Value_Use_or_Not(const GraphicList& front, const GraphicList& back,
                                                     bool twoSided)
{
    Use_Excel_Binding_Values = sideUsesColumn(front) || (twoSided && sideUsesColumn(back));
    if (Use_Excel_Binding_Values && Calculate_Excel_table_rows() == 0)
        Use_Excel_Binding_Values = false;
}

int RunSources::Calculate_Excel_table_rows()
{
    Excel_table_rows = m_dataTable.rowCount();
    ::Excel_table_rows = Excel_table_rows;
    return Excel_table_rows;
}

void RunSources::Get_total_Card_count()
{
    Data_table_rows = Use_Data_Sheet_Values ? m_table.Calculate_data_table_rows() : 0;
    if (Use_Excel_Binding_Values)
        Calculate_Excel_table_rows();
    else
        Excel_table_rows = 0;
    Total_Batch_Excel_Card = std::max(Data_table_rows, Excel_table_rows);
    if (Total_Batch_Excel_Card == 0)
        Total_Batch_Excel_Card = 1;
}

QString RunSources::Get_sel_row_col_value_of_Excel(int n, int c) const
{
    if (c == -1 || n < 0 || n >= Excel_table_rows || n >= m_dataTable.rowCount())
        return QString();
    return m_dataTable.Get_Item_Text(n, c).value_or(QString());
}

QString RunSources::Get_sel_row_col_value_of_dataset(int n, int s) const
{
    return m_table.Get_sel_row_col_value_of_dataset(n, s);
}
