#include "views/inspector/PanelValues.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

const QStringList& borderStyleCodes()
{
    static const QStringList codes{QStringLiteral("S"), QStringLiteral("DA"), QStringLiteral("DO"),
                                   QStringLiteral("DD"), QStringLiteral("DDD")};
    return codes;
}

}  // namespace

QString Return_Border_Style_Str_On_index(int index)
{
    const QStringList& codes = borderStyleCodes();
    return index >= 0 && index < codes.size() ? codes[index] : codes.first();
}

int borderStyleIndex(const QString& code)
{
    return int(borderStyleCodes().indexOf(code));
}

QString patternCaption(const QString& stem)
{
    QStringList words = stem.split(QLatin1Char('_'), Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < words.size(); ++i) {
        QString& word = words[i];
        if (word != word.toUpper())
            word[0] = word[0].toLower();
    }
    return words.join(QLatin1Char(' '));
}

int percentShown(double fraction)
{
    if (!std::isfinite(fraction))
        return 0;
    const double shown = std::floor(fraction * 100.0 + 0.001);
    return int(std::clamp(shown, -2147483648.0, 100.0));
}

QString fontCaption(const CardFont& font)
{
    return QStringLiteral("%1 ( %2 )").arg(font.name()).arg(font.size, 0, 'f', 2);
}

int cardShapeIndex(const QString& code)
{
    if (code == QLatin1String("R"))
        return 0;
    if (code == QLatin1String("RR"))
        return 1;
    return 2;
}

QString cardShapeCode(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral("R");
    case 1:
        return QStringLiteral("RR");
    default:
        return QStringLiteral("E");
    }
}
