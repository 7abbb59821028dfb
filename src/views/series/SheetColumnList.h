#pragma once
// The column list of the spreadsheet windows: one entry per position of the sheet's first row, in
// order, so a tick always names the sheet column at its position (a blank first-row cell is
// listed as "Untitled Column n"). Each entry has a tick, the column's name and the series name
// the column gets (first its name, editable).
#include <QList>
#include <QStandardItemModel>
#include <QStringList>

class SheetColumnList : public QStandardItemModel {
    Q_OBJECT
public:
    enum Column { StateAndName = 0, Header = 1 };

    explicit SheetColumnList(QObject* parent = nullptr);

    // Refills the list from a first row (empty row: no entries), every entry unticked.
    void fill(const QStringList& firstRow, int columns);
    void setAllTicked(bool ticked);
    int entryCount() const { return rowCount(); }
    bool isTicked(int position) const;
    void setTicked(int position, bool ticked);
    QString name(int position) const;
    QString seriesName(int position) const;
    void setSeriesName(int position, const QString& name);
    // Positions of the ticked entries, in order.
    QList<int> tickedPositions() const;
};
