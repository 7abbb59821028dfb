#include "views/series/SeriesWindowStyle.h"

#include <QPalette>
#include <QWidget>

void styleSeriesWindow(QWidget& window)
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, kSeriesWindowBackground);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}
