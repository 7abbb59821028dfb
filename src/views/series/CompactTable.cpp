#include "views/series/CompactTable.h"

#include <QHeaderView>
#include <QTableView>

void setCompactRows(QTableView& table)
{
    table.setWordWrap(false);
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 6);
}
