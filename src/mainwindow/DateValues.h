#pragma once
// The present date and time as text in a date pattern of the Unicode form ("yyyy-MM-dd",
// "h:mm:ss a", ...), as date texts on cards use them.
#include <QDateTime>
#include <QLocale>
#include <QString>

// The moment in the pattern: y, M, d, H, h, m and s fields as the Unicode patterns define them,
// month names in the locale's language, and "a" always "AM" or "PM" whatever the locale. Text in
// single quotes is kept; other letters are kept as they are.
QString Format_Date_Value(const QString& pattern, const QDateTime& moment, const QLocale& locale = QLocale());
// The present moment in the pattern (two names for the date and the time fields of a card).
QString Get_date_Value(const QString& pattern);
QString Get_time_Value(const QString& pattern);
