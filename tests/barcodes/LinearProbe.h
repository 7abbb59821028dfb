#pragma once
// Runs barcode-probe and zint for the linear symbology checks.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include "support/TestEnvironment.h"

namespace linear_probe {

inline TestEnvironment::ProcessResult probe(const QStringList& arguments)
{
    return TestEnvironment::run(QStringLiteral(ZOVA_BARCODE_PROBE), arguments);
}

// The first line barcode-probe prints for `bars`, or "" when it refuses.
inline QString probeBars(const QString& title, const QString& value)
{
    const auto result = probe({QStringLiteral("bars"), title, value});
    return result.exitCode == 0 ? QString::fromLatin1(result.out).section('\n', 0, 0) : QString();
}

// zint's rows of modules as 0/1 text. zint pads each row to whole hex digits, so trailing light
// modules are not significant.
inline QStringList zintRows(int symbology, const QString& value)
{
    const auto result = TestEnvironment::run(QStringLiteral("zint"),
        {QStringLiteral("-b"), QString::number(symbology), QStringLiteral("--dump"), QStringLiteral("-d"), value});
    QStringList rows;
    for (const QString& line : QString::fromLatin1(result.out).split('\n', Qt::SkipEmptyParts)) {
        QString bits;
        const QString hexDigits = QString(line).remove(' ');
        for (QChar hex : hexDigits)
            bits += QStringLiteral("%1").arg(QString(hex).toInt(nullptr, 16), 4, 2, QLatin1Char('0'));
        rows << bits;
    }
    return rows;
}

inline QString withoutTrailingLight(QString bars)
{
    while (bars.endsWith('0'))
        bars.chop(1);
    return bars;
}

// zint's bars of a bar-height code as letters: F top and bottom row, A top only, D bottom only,
// T neither (two-row codes have no tracker-only bars).
inline QString zintBarLetters(int symbology, const QString& value)
{
    const QStringList rows = zintRows(symbology, value);
    if (rows.isEmpty())
        return {};
    QString letters;
    for (int i = 0; i < rows.first().size(); ++i) {
        bool any = false;
        for (const QString& row : rows)
            any = any || row.at(i) == '1';
        if (!any)
            continue;
        const bool top = rows.first().at(i) == '1';
        const bool bottom = rows.last().at(i) == '1';
        letters += top ? (bottom ? 'F' : 'A') : (bottom ? 'D' : 'T');
    }
    return letters;
}

}  // namespace linear_probe
