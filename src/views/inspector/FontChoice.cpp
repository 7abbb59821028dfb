#include "views/inspector/FontChoice.h"

#include <QFontDialog>

#include "platform/DialogPresenter.h"

std::optional<CardFont> chooseFont(QWidget* parent, const CardFont& current)
{
    QFontDialog dialog(current.toQFont(), parent);
    if (dialogPresenter().runModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.selectedFont();
    return CardFont{chosen.family(), chosen.pointSizeF() > 0 ? chosen.pointSizeF() : current.size};
}
