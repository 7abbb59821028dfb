#include "model/SKTMapTableOwner.h"

QVariantMap& SKTMapTableOwner::valuesFor(const GraphicPtr& graphic)
{
    Entry& entry = table_[graphic.get()];
    if (!entry.graphic)
        entry.graphic = graphic;
    return entry.values;
}
