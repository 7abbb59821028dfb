#include "views/inspector/InspectorLists.h"

#include "platform/Log.h"
#include "platform/StringHelpers.h"

InspectorListModel::InspectorListModel(QString key, QObject* parent) : QAbstractListModel(parent), m_key(std::move(key))
{
}

int InspectorListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant InspectorListModel::data(const QModelIndex& index, int role) const
{
    if (!holdsRow(index) || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_rows.at(index.row());
}

QVariant InspectorListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section != 0 || orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return m_key;
}

Qt::ItemFlags InspectorListModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags base = QAbstractListModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsEditable : base;
}

bool InspectorListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole)
        return false;
    if (!holdsRow(index)) {
        Show_NSLog_Message(QStringLiteral("%1 list: no row %2 to store \"%3\" in")
                               .arg(m_key)
                               .arg(index.row())
                               .arg(value.toString()));
        return false;
    }
    m_rows[index.row()] = value.toString();
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

bool InspectorListModel::holdsRow(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.column() == 0 && index.row() < m_rows.size();
}

QString InspectorListModel::Get_Item_Text(int row) const
{
    return m_rows.value(row);
}

void InspectorListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void InspectorListModel::appendRow(const QString& text)
{
    const int row = int(m_rows.size());
    beginInsertRows({}, row, row);
    m_rows.append(text);
    endInsertRows();
}

ListData::ListData(QObject* parent) : InspectorListModel(QStringLiteral("Extension"), parent)
{
}

void ListData::Create_List(const QString& name)
{
    const QString trimmed = Trim_Str(name);
    if (!trimmed.isEmpty())
        appendRow(trimmed);
}

GroupListData::GroupListData(QObject* parent) : InspectorListModel(QStringLiteral("BatchList"), parent)
{
}

void GroupListData::Create_Group_List(const QString& name)
{
    appendRow(Trim_Str(name));
}
