#include "model/CardFont.h"

#include <QStringList>

namespace {

// The weights that fontconfig's style names spell out.
struct WeightWord {
    QLatin1String word;
    QFont::Weight weight;
};
constexpr WeightWord kWeightWords[] = {
    {QLatin1String("Thin"), QFont::Thin},           {QLatin1String("Hairline"), QFont::Thin},
    {QLatin1String("ExtraLight"), QFont::ExtraLight}, {QLatin1String("UltraLight"), QFont::ExtraLight},
    {QLatin1String("Light"), QFont::Light},         {QLatin1String("Medium"), QFont::Medium},
    {QLatin1String("SemiBold"), QFont::DemiBold},   {QLatin1String("DemiBold"), QFont::DemiBold},
    {QLatin1String("Demi"), QFont::DemiBold},       {QLatin1String("Bold"), QFont::Bold},
    {QLatin1String("ExtraBold"), QFont::ExtraBold}, {QLatin1String("UltraBold"), QFont::ExtraBold},
    {QLatin1String("Black"), QFont::Black},         {QLatin1String("Heavy"), QFont::Black}};

// Weight and slant as the style's words say them. Devices that pick faces by weight and slant
// rather than by style name (or that fall back to another family) then still draw the face meant.
void setWeightAndSlant(QFont& font, const QString& style)
{
    for (const QString& word : style.split(u' ', Qt::SkipEmptyParts)) {
        for (const WeightWord& known : kWeightWords)
            if (word.compare(known.word, Qt::CaseInsensitive) == 0)
                font.setWeight(known.weight);
        if (word.compare(QLatin1String("Italic"), Qt::CaseInsensitive) == 0)
            font.setStyle(QFont::StyleItalic);
        else if (word.compare(QLatin1String("Oblique"), Qt::CaseInsensitive) == 0)
            font.setStyle(QFont::StyleOblique);
    }
}

}  // namespace

QString CardFont::name() const
{
    return style.isEmpty() ? family : family + u' ' + style;
}

QFont CardFont::toQFont() const
{
    QFont font(family);
    if (size > 0)
        font.setPointSizeF(size);
    if (!style.isEmpty()) {
        font.setStyleName(style);
        setWeightAndSlant(font, style);
    }
    return font;
}
