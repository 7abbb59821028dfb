#pragma once
// The size page's lists, which the start windows offer too: orientations and categories in index
// order (start windows hand the indexes on, design files keep the texts), and the preset sizes of
// a category.
#include <QSizeF>
#include <QString>
#include <QStringList>

class InspectorCardSize;

// "Horizontal", "Vertical", "Custom".
const QStringList& cardOrientations();
inline constexpr int kCustomOrientation = 2;
// "PVC Card", "Paper Card".
const QStringList& cardCategories();

// The preset names of the category at that index: plastic cards for the first, paper badges for
// any other.
QStringList sizeNamesOfCategory(const InspectorCardSize& presets, int category);
// The size in millimetres of a preset row: landscape for "Horizontal", portrait for any other
// orientation text.
QSizeF presetSize(const InspectorCardSize& presets, const QString& orientation, const QString& category, int row);
