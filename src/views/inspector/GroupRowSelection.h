#pragma once
// The selection of the group list: every change of the selected record, by the mouse, the keys or
// code, first asks a gate whether it may happen, so that what was typed over the record shown is
// never replaced unasked. A refused change leaves selection and current row as they were; one let
// through selects that one record alone.
#include <QItemSelectionModel>
#include <functional>

class GroupRowSelection : public QItemSelectionModel {
    Q_OBJECT
public:
    // The row about to be selected (the one selected already, too); false keeps the selection as
    // it is. The gate may rebuild the list (a save does): the row is then selected in the list as
    // it is afterwards.
    using Gate = std::function<bool(int row)>;

    explicit GroupRowSelection(QAbstractItemModel* model, QObject* parent = nullptr);
    void setGate(Gate gate) { m_gate = std::move(gate); }

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override;
    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override;
    using QItemSelectionModel::select;

private:
    bool mayChoose(int row);
    QItemSelection wholeRow(int row) const;

    Gate m_gate;
    bool m_passing = false;  // a change the gate let through, on its way
    int m_refusedRow = -1;   // refused while the event that asked is handled
};
