#pragma once
// Which sources an output run reads and how many records it has: the series the design's elements
// are bound to, and the loaded data table when a column is bound. Every export, print and mail run
// decides them first; the window running it may then turn a source off and count again.
#include <QString>

#include "model/SKTGraphic.h"
#include "output/SeriesBindingTable.h"

class Data_From_Excel;
class SeriesStore;

class RunSources {
public:
    // Over the store's series and the loaded table (neither owned; both outlive the run).
    RunSources(const SeriesStore& store, const Data_From_Excel& table);

    bool Use_Data_Sheet_Values = false;     // the run fills series-bound elements
    bool Use_Excel_Binding_Values = false;  // the run fills column-bound elements
    int Data_table_rows = 0;                // the longest bound series
    int Excel_table_rows = 0;               // rows of the loaded table
    int Total_Batch_Excel_Card = 1;         // records of the run: the longer source, at least 1

    // Only exact texts, pictures and barcodes take record values.
    static bool isBindable(const SKTGraphic& element);
    // Whether a side has an output element bound to a series, or to a column of the table.
    static bool sideUsesSeries(const GraphicList& side);
    static bool sideUsesColumn(const GraphicList& side);

    // Decides both sources for the design (the back only on a two-sided card) and counts.
    void Check_Series_Or_Excel_Use_or_not(const GraphicList& front, const GraphicList& back, bool twoSided);
    // The series source: a new binding table with every bound series loaded. The flag stays set
    // even when the bound series hold no records.
    void Check_Data_Sheet_Value_Use_or_Not(const GraphicList& front, const GraphicList& back, bool twoSided);
    // The table source, cleared again when the table has no rows.
    void Check_Excel_Binding_Value_Use_or_Not(const GraphicList& front, const GraphicList& back, bool twoSided);
    // Counts the records of the sources in use.
    void Get_total_Card_count();
    int Calculate_Excel_table_rows();

    const SeriesBindingTable& bindingTable() const { return m_table; }
    // Replaces how series are read (tests count the reads).
    void setSeriesReader(SeriesBindingTable::Reader reader) { m_reader = std::move(reader); }

    // Record n of column c of the loaded table: c 0 the row number, c > 0 "Column<c>". "" for an
    // unbound column, a record past the table's rows, and a row that lacks the column: a record
    // never shows the previous record's value.
    QString Get_sel_row_col_value_of_Excel(int n, int c) const;
    // Record n of the series of slot s of the binding table.
    QString Get_sel_row_col_value_of_dataset(int n, int s) const;

private:
    void Create_Dataset_binding_table(const GraphicList& front, const GraphicList& back, bool twoSided);

    const SeriesStore& m_store;
    const Data_From_Excel& m_dataTable;
    SeriesBindingTable m_table;
    SeriesBindingTable::Reader m_reader;
};
