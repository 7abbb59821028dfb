#include "views/series/SeriesValueModel.h"

#include <algorithm>

SeriesValueModel::SeriesValueModel(QString key, QString title, QObject* parent)
    : QAbstractTableModel(parent), m_key(std::move(key)), m_title(std::move(title))
{
}

void SeriesValueModel::append(const QString& text)
{
    const int row = count();
    beginInsertRows({}, row, row);
    m_texts.append(text);
    endInsertRows();
}

void SeriesValueModel::replace(int row, const QString& text)
{
    if (row < 0 || row >= count())
        return;
    m_texts[row] = text;
    const QModelIndex cell = index(row, 0);
    Q_EMIT dataChanged(cell, cell, {Qt::DisplayRole});
}

void SeriesValueModel::removeRowsAt(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows) {
        if (row < 0 || row >= count())
            continue;
        beginRemoveRows({}, row, row);
        m_texts.removeAt(row);
        endRemoveRows();
    }
}

void SeriesValueModel::clear()
{
    if (m_texts.isEmpty())
        return;
    beginResetModel();
    m_texts.clear();
    endResetModel();
}

int SeriesValueModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

int SeriesValueModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 1; }

QVariant SeriesValueModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return m_texts.at(index.row());
}

QVariant SeriesValueModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section == 0 ? QVariant(m_title) : QVariant();
    return section + 1;
}
