#pragma once
// Owner of one table from elements to values, keyed by element identity; both are held strongly.
// The document keeps the old property values of one undo group in it.
#include <QHash>
#include <QVariantMap>

#include "model/SKTGraphic.h"

class SKTMapTableOwner {
public:
    struct Entry {
        GraphicPtr graphic;
        QVariantMap values;
    };
    using MapTable = QHash<const SKTGraphic*, Entry>;

    MapTable& mapTable() { return table_; }
    const MapTable& mapTable() const { return table_; }
    // The values kept for the element, made empty on first use.
    QVariantMap& valuesFor(const GraphicPtr& graphic);

private:
    MapTable table_;
};
