#pragma once
#include <QDateTime>
#include <QString>

// Flag 0 starts the stopwatch; any other flag shows the whole hours, minutes and seconds since
// the start, titled with label.
void Calculate_Time_Taken(int flag, const QString& label);
// The same at a given moment, so the clock can be stepped without waiting.
void Calculate_Time_Taken_At(int flag, const QString& label, const QDateTime& now);
