#include "visitors/VisitorLogExport.h"

#include "visitors/VisitorOtherValues.h"

QStringList visitorLogRow(const VisitorRecord& visitor)
{
    QStringList row = QStringList{QString::number(visitor.sNo)} + visitor.fields();
    row.last() = shownOther(visitor.other);  // "Other" is the last column
    return row;
}

SheetRows visitorLogRows(const QList<VisitorRecord>& visitors)
{
    SheetRows rows{visitorLogTitles()};
    for (const VisitorRecord& visitor : visitors)
        rows << visitorLogRow(visitor);
    return rows;
}

bool exportVisitorLog(const QList<VisitorRecord>& visitors, const QString& target)
{
    return SpreadsheetWriter::WriteWorkbook(target, visitorLogRows(visitors), true);
}
