#pragma once
// The series an output run reads: one slot per series of the store, in the store's name order,
// each unloaded or holding the series' records. A slot is loaded from its file once per table, so
// a series bound by many elements costs one read per run, however many records the run has.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "data/SeriesStore.h"

class SeriesBindingTable {
public:
    // How a series' records are read; SeriesStore::readRecords unless a caller gives another.
    using Reader = std::function<SeriesStore::Values(const QString& name)>;

    // No slots.
    SeriesBindingTable() = default;
    // One unloaded slot per series of the store, read through the store.
    explicit SeriesBindingTable(const SeriesStore& store);
    SeriesBindingTable(QStringList names, Reader reader);

    int slotCount() const { return int(m_names.size()); }
    bool isLoaded(int slot) const;
    // The index of the first series whose name equals this one ignoring case; -1 for none.
    int Get_Data_SetIndex_According_Name(const QString& name) const;
    // Loads the series' slot when it is not loaded yet. A missing file leaves it unloaded; so does
    // a file that cannot be read as text, which is logged: its elements get "" as for a missing
    // file. A name that is no series of the table is logged and changes nothing.
    void Add_dataset_col_in_binding_table(const QString& name);
    // The length of the longest loaded series; 0 when none is loaded.
    int Calculate_data_table_rows() const;
    // Record n of slot s; "" for an unknown or unloaded slot and past the series' end.
    QString Get_sel_row_col_value_of_dataset(int n, int s) const;

private:
    QStringList m_names;
    QList<std::optional<QStringList>> m_slots;
    Reader m_reader;
};
