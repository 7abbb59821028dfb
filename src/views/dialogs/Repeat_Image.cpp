#include "views/dialogs/Repeat_Image.h"

#include <QPaintEvent>
#include <QPainter>

Repeat_Image::Repeat_Image(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(0);
}

void Repeat_Image::setPattern(const QImage& pattern)
{
    m_pattern = pattern;
    setFixedHeight(pattern.isNull() ? 0 : pattern.height());
    update();
}

void Repeat_Image::paintEvent(QPaintEvent* event)
{
    if (m_pattern.isNull())
        return;
    QPainter painter(this);
    // Whatever part is repainted, the tiles stay anchored at the strip's corner.
    painter.setBrushOrigin(0, 0);
    painter.fillRect(event->rect(), QBrush(m_pattern));
}
