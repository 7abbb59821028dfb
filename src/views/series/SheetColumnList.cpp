#include "views/series/SheetColumnList.h"

#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"
#include "platform/StringHelpers.h"

SheetColumnList::SheetColumnList(QObject* parent) : QStandardItemModel(0, 2, parent)
{
    setHorizontalHeaderLabels({tr("Column"), tr("Series name")});
}

void SheetColumnList::fill(const QStringList& firstRow, int columns)
{
    removeRows(0, rowCount());
    const QStringList cells = paddedRow(firstRow, std::max(columns, int(firstRow.size())));
    for (int position = 0; position < cells.size(); ++position) {
        QString name = Trim_Str(cells.at(position));
        if (name.isEmpty())
            name = Untitled_Column_Title(position + 1);
        auto* entry = new QStandardItem(name);
        entry->setCheckable(true);
        entry->setCheckState(Qt::Unchecked);
        entry->setEditable(false);
        appendRow({entry, new QStandardItem(name)});
    }
}

void SheetColumnList::setAllTicked(bool ticked)
{
    for (int position = 0; position < rowCount(); ++position)
        setTicked(position, ticked);
}

bool SheetColumnList::isTicked(int position) const
{
    const QStandardItem* entry = item(position, StateAndName);
    return entry && entry->checkState() == Qt::Checked;
}

void SheetColumnList::setTicked(int position, bool ticked)
{
    if (QStandardItem* entry = item(position, StateAndName))
        entry->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

QString SheetColumnList::name(int position) const
{
    const QStandardItem* entry = item(position, StateAndName);
    return entry ? entry->text() : QString();
}

QString SheetColumnList::seriesName(int position) const
{
    const QStandardItem* entry = item(position, Header);
    return entry ? entry->text() : QString();
}

void SheetColumnList::setSeriesName(int position, const QString& name)
{
    if (QStandardItem* entry = item(position, Header))
        entry->setText(name);
}

QList<int> SheetColumnList::tickedPositions() const
{
    QList<int> positions;
    for (int position = 0; position < rowCount(); ++position) {
        if (isTicked(position))
            positions.append(position);
    }
    return positions;
}
