#pragma once
// The visitor log as a workbook: a title row with the twelve titles, then one row per visitor.
#include <QList>
#include <QString>

#include "data/SpreadsheetWriter.h"
#include "visitors/VisitorRecord.h"

// A visitor's row as the log window and the workbook show it: the serial number, then the texts
// in the order of the log's columns, "Other" as people read it (shownOther()).
QStringList visitorLogRow(const VisitorRecord& visitor);
SheetRows visitorLogRows(const QList<VisitorRecord>& visitors);
// Writes the workbook atomically; false when nothing was written.
bool exportVisitorLog(const QList<VisitorRecord>& visitors, const QString& target);
