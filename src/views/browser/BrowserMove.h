#pragma once
// The reorder of the image browser, apart from the model so it can be checked on its own.
#include <QList>

// The order of count items after the items at indexes are taken out and put back, in their order,
// at toIndex less the number of them that stood before it: entry i is the old index of the item
// that ends at place i. Indexes outside the list and repeats are ignored; the destination is held
// within the list.
QList<int> orderAfterMove(int count, const QList<int>& indexes, int toIndex);
