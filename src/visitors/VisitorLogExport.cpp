#include "visitors/VisitorLogExport.h"

SheetRows visitorLogRows(const QList<VisitorRecord>& visitors)
{
    SheetRows rows{visitorLogTitles()};
    for (const VisitorRecord& visitor : visitors)
        rows << (QStringList{QString::number(visitor.sNo)} + visitor.fields());
    return rows;
}

bool exportVisitorLog(const QList<VisitorRecord>& visitors, const QString& target)
{
    return SpreadsheetWriter::WriteWorkbook(target, visitorLogRows(visitors), true);
}
