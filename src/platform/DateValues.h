#pragma once
// The present date and time as text in a date pattern of the Unicode form ("yyyy-MM-dd",
// "h:mm:ss a", ...), as date texts on cards use them.
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

// The moment in the pattern: y, M, d, H, h, m and s fields as the Unicode patterns define them,
// month names in the locale's language, and "a" always "AM" or "PM" whatever the locale. Text in
// single quotes is kept; other letters are kept as they are.
QString Format_Date_Value(const QString& pattern, const QDateTime& moment, const QLocale& locale = QLocale());
// The moment (the present one unless given) in the pattern as a card shows it in every locale:
// English month names ("Dec"), "AM" and "PM", Western digits. Two names for the date and the time
// fields of a card.
QString Get_date_Value(const QString& pattern, const QDateTime& moment = QDateTime::currentDateTime());
QString Get_time_Value(const QString& pattern, const QDateTime& moment = QDateTime::currentDateTime());

// The patterns offered for date and time texts, in the order their lists show them.
inline const QStringList Text_Date_styles{
    QStringLiteral("M-d-yyyy"), QStringLiteral("M-d-yy"),     QStringLiteral("MM-dd-yy"),
    QStringLiteral("MM-dd-yyyy"), QStringLiteral("yy-MM-dd"), QStringLiteral("yyyy-MM-dd"),
    QStringLiteral("dd-MMM-yy"), QStringLiteral("dd-MM-yyyy"), QStringLiteral("d-M-yy")};
inline const QStringList Text_Time_styles{QStringLiteral("h:mm:ss a"), QStringLiteral("hh:mm:ss a"),
                                          QStringLiteral("H:mm:ss"), QStringLiteral("HH:mm:ss")};
