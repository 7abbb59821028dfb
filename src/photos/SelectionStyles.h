#pragma once
// The look of the selection rectangles and of their corner handles.
#include <QColor>
#include <QSizeF>

struct SelectorStyle {
    double minHeight = 20.0;
    double minWidth = 20.0;
    // The platform's light gray is two thirds white, not Qt's lightGray.
    QColor strokeColorSelected = QColor::fromRgbF(2.0f / 3, 2.0f / 3, 2.0f / 3);
    QColor strokeColorUnselected = strokeColorSelected;
    QColor fillColorSelected = QColor::fromRgbF(0.0f, 0.2f, 1.0f, 0.1f);
    QColor fillColorUnselected = QColor(Qt::transparent);
    QColor strokeColorPicker = strokeColorSelected;
    QColor fillColorPicker = fillColorSelected;
    bool lineDashedSelected = true;
    bool lineDashedUnselected = true;
    double lineWidthSelected = 1.0;
    double lineWidthUnselected = 1.0;
};

struct HandleStyle {
    QColor strokeColor = QColor(Qt::white);
    QColor fillColor = QColor::fromRgbF(0.1054f, 0.4531f, 0.7929f, 1.0f);
    QSizeF size{8.5, 8.5};
};

// The cursor a point of the canvas asks for.
enum class SelectionCursor { Arrow, Crosshair, OpenHand, TopBottom, BottomTop };
