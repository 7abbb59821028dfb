#pragma once
// The series table window: rows in the loaded data table's form (a row number under "Extension",
// trimmed cells under "Column<n>") in an editable table with its row and column counts. Nothing
// in the program fills or opens it yet; it stands ready for rows made from a series.
#include <QList>
#include <QStringList>
#include <memory>
#include <optional>

#include "data/Data_From_Excel.h"

class DataRowsModel;
class DataRowsView;
class QWidget;

class Data_From_Series {
public:
    explicit Data_From_Series(QWidget* parent = nullptr);
    ~Data_From_Series();
    Data_From_Series(const Data_From_Series&) = delete;
    Data_From_Series& operator=(const Data_From_Series&) = delete;

    static Data_From_Series& defaultInstance();

    QList<DataRow> ListData;

    DataRowsView& view() const { return *m_view; }
    DataRowsModel& model() const { return *m_model; }

    // Appends a row of the first count cells, trimmed, numbered one past the highest number in
    // the table (so a number stays unique after rows were removed); false (logged) when cells
    // holds fewer.
    bool Create_List_By_Array(const QStringList& cells, int count);
    // Appends a row holding only that key.
    void Create_List_By_Value(const QString& value, const QString& col_key);
    // Column 0 the row number, n the cell under "Column<n>"; none when the row lacks the key,
    // "" (logged) for a row outside the table.
    std::optional<QString> Get_Item_Text(int row, int col_index) const;
    void Mark_List_New_Selection(int row);
    // The table's columns: the row number and every "Column<n>" a row holds, in number order.
    QList<DataColumn> columns() const;
    // Sets the counts and runs the window modally: 1 after OK, 0 when closed.
    int Open_Wnd();
    void OK_Click();

private:
    int nextRowNumber() const;

    std::unique_ptr<DataRowsView> m_view;
    DataRowsModel* m_model;
};

extern Data_From_Series* Data_From_Ser_Window;
