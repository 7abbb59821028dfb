#include "views/inspector/GroupRowSelection.h"

#include <QScopedValueRollback>

namespace {

bool selects(QItemSelectionModel::SelectionFlags command)
{
    return command.testFlag(QItemSelectionModel::Select);
}

}  // namespace

GroupRowSelection::GroupRowSelection(QAbstractItemModel* model, QObject* parent)
    : QItemSelectionModel(model, parent)
{
}

bool GroupRowSelection::mayChoose(int row)
{
    if (m_passing || !m_gate)
        return true;
    // The view tries a key's move twice (current row, then selection): one answer serves both.
    if (row == m_refusedRow)
        return false;
    if (m_gate(row))
        return true;
    m_refusedRow = row;
    QMetaObject::invokeMethod(this, [this] { m_refusedRow = -1; }, Qt::QueuedConnection);
    return false;
}

QItemSelection GroupRowSelection::wholeRow(int row) const
{
    const QAbstractItemModel* list = model();
    return QItemSelection(list->index(row, 0), list->index(row, std::max(0, list->columnCount() - 1)));
}

void GroupRowSelection::setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command)
{
    if (!selects(command) || !index.isValid()) {
        QItemSelectionModel::setCurrentIndex(index, command);
        return;
    }
    const int row = index.row();
    const int column = index.column();
    if (!mayChoose(row))
        return;
    const QScopedValueRollback passing(m_passing, true);
    if (row < model()->rowCount())
        QItemSelectionModel::setCurrentIndex(model()->index(row, column), command | QItemSelectionModel::Clear);
}

void GroupRowSelection::select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command)
{
    if (m_passing || !selects(command) || selection.isEmpty()) {
        QItemSelectionModel::select(selection, command);
        return;
    }
    const int row = selection.first().top();
    if (!mayChoose(row)) {
        // The mouse moved the current row before selecting: it goes back with the selection.
        const QModelIndexList rows = selectedRows();
        if (!rows.isEmpty())
            QItemSelectionModel::setCurrentIndex(rows.first(), QItemSelectionModel::NoUpdate);
        return;
    }
    const QScopedValueRollback passing(m_passing, true);
    if (row >= model()->rowCount())
        return;
    QItemSelectionModel::select(wholeRow(row), command | QItemSelectionModel::Clear);
    // A list the gate rebuilt lost the row the mouse made current: the keys go on from this one.
    if (currentIndex().row() != row)
        QItemSelectionModel::setCurrentIndex(model()->index(row, 0), QItemSelectionModel::NoUpdate);
}
