#pragma once
// The visitor log as a workbook: a title row with the twelve titles, then one row per visitor.
#include <QList>
#include <QString>

#include "data/SpreadsheetWriter.h"
#include "visitors/VisitorRecord.h"

SheetRows visitorLogRows(const QList<VisitorRecord>& visitors);
// Writes the workbook atomically; false when nothing was written.
bool exportVisitorLog(const QList<VisitorRecord>& visitors, const QString& target);
