#pragma once
// The two sides of a design laid out on a card of the size (points); a card taller than wide
// gets the portrait arrangement.
#include <QSizeF>

#include "TemplateDesigns.h"

namespace templates {

GraphicList frontOf(const TemplateDesign& design, QSizeF card);
GraphicList backOf(const TemplateDesign& design, QSizeF card);

}  // namespace templates
