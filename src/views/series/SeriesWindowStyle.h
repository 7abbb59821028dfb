#pragma once
// The light background every series window has.
#include <QColor>

class QWidget;

inline const QColor kSeriesWindowBackground = QColor(241, 244, 250);

void styleSeriesWindow(QWidget& window);
