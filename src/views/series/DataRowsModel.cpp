#include "views/series/DataRowsModel.h"

DataRowsModel::DataRowsModel(bool editable, QObject* parent) : QAbstractTableModel(parent), m_editable(editable)
{
}

void DataRowsModel::reload(QList<DataRow>& rows, const QList<DataColumn>& columns)
{
    beginResetModel();
    m_rows = &rows;
    m_columns = columns;
    m_shownRows = int(rows.size());
    endResetModel();
}

void DataRowsModel::rowsAppended()
{
    if (!m_rows)
        return;
    const int now = int(m_rows->size());
    if (now <= m_shownRows) {
        reload(*m_rows, m_columns);
        return;
    }
    beginInsertRows({}, m_shownRows, now - 1);
    m_shownRows = now;
    endInsertRows();
}

int DataRowsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_shownRows; }

int DataRowsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_columns.size()); }

QVariant DataRowsModel::data(const QModelIndex& index, int role) const
{
    if (!m_rows || !index.isValid() || index.row() >= m_rows->size() || index.column() >= m_columns.size())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole)
        return {};
    return m_rows->at(index.row()).value(m_columns.at(index.column()).identifier);
}

bool DataRowsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!m_editable || !m_rows || role != Qt::EditRole || !index.isValid() || index.row() >= m_rows->size()
        || index.column() >= m_columns.size())
        return false;
    (*m_rows)[index.row()].insert(m_columns.at(index.column()).identifier, value.toString());
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags DataRowsModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid())
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant DataRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
        return m_columns.at(section).title;
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return {};
}

QList<DataColumn> columnsOf(const DataColumnList& list)
{
    QList<DataColumn> columns;
    for (int i = 0; i < list.count(); ++i)
        columns.append(list.at(i));
    return columns;
}
