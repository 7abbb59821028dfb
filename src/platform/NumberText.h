#pragma once
// Numbers written to and read from files are always in the C locale, whatever the user's locale.
#include <QString>
#include <QStringView>

// printf-style "%0.<decimals>f" in the C locale.
QString numberText(double value, int decimals);

// The "leading number, rest ignored" rule: leading white space is skipped, then an optional sign,
// digits, an optional fraction and exponent are read; anything after is ignored. No number, or a
// value that is not finite, gives 0.
double leadingDouble(QStringView text);
// As leadingDouble, truncated toward zero and clamped to the 32-bit range.
qint32 leadingInt(QStringView text);
