#pragma once
// The card size presets offered for new designs: plastic cards and paper name badges. Stored
// designs keep a preset by its index, so the order of each list is fixed.
#include <QSizeF>
#include <QStringList>

// The preset names, in index order.
const QStringList& pvc_card_names();
const QStringList& paper_card_names();

// The size in millimetres (width, height) of preset `list_index` of the kind ("PVC Card" for
// plastic cards, anything else for paper badges). Orientation "V" swaps the preset's two values.
// Index -1 gives 30 x 30 mm; any other index without an entry gives 762 x 762 mm.
QSizeF Get_My_card_Size(const QString& kind, const QString& orientation, int list_index);
