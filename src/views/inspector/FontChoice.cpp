#include "views/inspector/FontChoice.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>

#include "platform/DialogPresenter.h"

namespace {

// The style of the face a family gives when no style is asked for ("Book" for DejaVu Sans).
QString regularStyle(const QString& family)
{
    return QFontInfo(QFont(family)).styleName();
}

// The dialog looks a font's style up by name and, finding no "Normal" among the family's
// styles, would start on the family's first listed face (an oblique one for DejaVu Sans).
QFont startingFont(const CardFont& current)
{
    QFont font = current.toQFont();
    if (current.style.isEmpty())
        font.setStyleName(regularStyle(current.family));
    return font;
}

// The chosen face's style; empty for the regular face, so that a regular font keeps its plain
// family name.
QString chosenStyle(const QFont& chosen)
{
    const QString family = chosen.family();
    const QString style = chosen.styleName().isEmpty() ? QFontDatabase::styleString(chosen) : chosen.styleName();
    if (!QFontDatabase::styles(family).contains(style) || style == regularStyle(family))
        return QString();
    return style;
}

}  // namespace

std::optional<CardFont> chooseFont(QWidget* parent, const CardFont& current)
{
    QFontDialog dialog(startingFont(current), parent);
    if (dialogPresenter().runModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.selectedFont();
    return CardFont{chosen.family(), chosen.pointSizeF() > 0 ? chosen.pointSizeF() : current.size, chosenStyle(chosen)};
}
