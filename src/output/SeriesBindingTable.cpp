#include "output/SeriesBindingTable.h"

#include "platform/Log.h"

SeriesBindingTable::SeriesBindingTable(const SeriesStore& store)
    : SeriesBindingTable(store.names(), [store](const QString& name) { return store.readRecords(name); })
{
}

SeriesBindingTable::SeriesBindingTable(QStringList names, Reader reader)
    : m_names(std::move(names)), m_slots(m_names.size()), m_reader(std::move(reader))
{
}

bool SeriesBindingTable::isLoaded(int slot) const
{
    return slot >= 0 && slot < m_slots.size() && m_slots[slot].has_value();
}

int SeriesBindingTable::Get_Data_SetIndex_According_Name(const QString& name) const
{
    if (name.isNull())
        return -1;
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void SeriesBindingTable::Add_dataset_col_in_binding_table(const QString& name)
{
    const int slot = Get_Data_SetIndex_According_Name(name);
    if (slot < 0) {
        Show_NSLog_Message(QStringLiteral("The series \"%1\" is not among the series.").arg(name));
        return;
    }
    if (m_slots[slot])
        return;
    SeriesStore::Values read = m_reader(m_names[slot]);
    if (!read.readable()) {
        Show_NSLog_Message(read.failure);
        return;
    }
    // A missing file reads as no values at all; an empty one as one empty record.
    if (!read.values.isEmpty())
        m_slots[slot] = std::move(read.values);
}

int SeriesBindingTable::Calculate_data_table_rows() const
{
    qsizetype rows = 0;
    for (const std::optional<QStringList>& slot : m_slots) {
        if (slot)
            rows = std::max(rows, slot->size());
    }
    return int(rows);
}

QString SeriesBindingTable::Get_sel_row_col_value_of_dataset(int n, int s) const
{
    if (!isLoaded(s) || n < 0 || n >= m_slots[s]->size())
        return QString();
    return m_slots[s]->at(n);
}
