#pragma once
// The window of rows in the loaded data table's form, as laid out in its .ui: the table, the row
// and column counts and OK. The loaded data table's viewer and the series table window use it.
#include <QDialog>
#include <memory>

namespace Ui {
class DataRowsView;
}

class DataRowsView : public QDialog {
    Q_OBJECT
public:
    explicit DataRowsView(QWidget* parent = nullptr);
    ~DataRowsView() override;

    Ui::DataRowsView& ui() const { return *m_ui; }
    // The row-number column as narrow as six digits; after the columns were set.
    void fitRowNumberColumn();
    // Selects that row alone, scrolls to it and focuses the table.
    void Mark_List_New_Selection(int row);

private:
    std::unique_ptr<Ui::DataRowsView> m_ui;
};
