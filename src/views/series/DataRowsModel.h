#pragma once
// Rows of the loaded data table's form (a row number under "Extension", cells under "Column<n>")
// for a table view: one table column per identifier, the header its title. The rows stay where
// they are kept (the loaded table, the series table window); the model only shows them.
#include <QAbstractTableModel>
#include <QList>

#include "data/Data_From_Excel.h"

class DataRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Editable: a changed cell is stored back under its column.
    explicit DataRowsModel(bool editable, QObject* parent = nullptr);

    // Shows these rows (which must outlive the model or the next reload) under these columns.
    void reload(QList<DataRow>& rows, const QList<DataColumn>& columns);
    // The view learns of rows appended to the list since the last reload or append.
    void rowsAppended();
    const QList<DataColumn>& columns() const { return m_columns; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<DataRow>* m_rows = nullptr;
    bool m_editable;
    QList<DataColumn> m_columns;
    int m_shownRows = 0;
};

// The columns of a table: those of the list.
QList<DataColumn> columnsOf(const DataColumnList& list);
