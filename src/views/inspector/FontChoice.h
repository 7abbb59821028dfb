#pragma once
// The font panel of the inspector: the font dialog behind the dialog seam.
#include <optional>

#include "model/CardFont.h"

class QWidget;

// The font (family, style and size) the user chose starting from `current`; nothing when the
// dialog was cancelled.
std::optional<CardFont> chooseFont(QWidget* parent, const CardFont& current);
