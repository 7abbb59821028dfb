#include "views/inspector/ColorWell.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

#include "platform/DialogPresenter.h"

ColorWell::ColorWell(QWidget* parent) : QToolButton(parent)
{
    setIconSize(QSize(36, 14));
    paintSwatch();
    connect(this, &QToolButton::clicked, this, &ColorWell::chooseColor);
}

void ColorWell::setColor(const QColor& color)
{
    m_color = color;
    paintSwatch();
}

void ColorWell::chooseColor()
{
    QColorDialog dialog(m_color, this);
    dialog.setOption(QColorDialog::ShowAlphaChannel, m_showsAlpha);
    if (dialogPresenter().runModal(dialog) != QDialog::Accepted)
        return;
    const QColor chosen = dialog.currentColor();
    if (!chosen.isValid() || chosen == m_color)
        return;
    setColor(chosen);
    Q_EMIT colorChosen(chosen);
}

void ColorWell::paintSwatch()
{
    QPixmap swatch(iconSize());
    swatch.fill(Qt::white);
    QPainter painter(&swatch);
    // A checker under the colour shows how transparent it is.
    const int half = swatch.height() / 2;
    for (int x = 0; x < swatch.width(); x += half)
        painter.fillRect(x, (x / half) % 2 == 0 ? 0 : half, half, half, QColor(200, 200, 200));
    painter.fillRect(swatch.rect(), m_color);
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    painter.end();
    QIcon icon(swatch);
    // The style greys a disabled icon; a greyed well still shows its colour, only paler.
    QPixmap pale(swatch.size());
    pale.fill(palette().color(QPalette::Disabled, QPalette::Button));
    painter.begin(&pale);
    painter.setOpacity(0.6);
    painter.drawPixmap(0, 0, swatch);
    painter.end();
    icon.addPixmap(pale, QIcon::Disabled);
    setIcon(icon);
    setToolTip(m_color.name(QColor::HexArgb));
}
