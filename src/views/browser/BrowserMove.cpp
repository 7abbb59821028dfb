#include "views/browser/BrowserMove.h"

#include <algorithm>
#include <set>

QList<int> orderAfterMove(int count, const QList<int>& indexes, int toIndex)
{
    std::set<int> moved;
    for (int index : indexes)
        if (index >= 0 && index < count)
            moved.insert(index);
    QList<int> order;
    for (int index = 0; index < count; ++index)
        if (!moved.contains(index))
            order.append(index);
    const auto before = std::distance(moved.begin(), moved.lower_bound(toIndex));
    const qsizetype at = std::clamp<qsizetype>(toIndex - before, 0, order.size());
    order.insert(at, moved.size(), 0);
    std::copy(moved.begin(), moved.end(), order.begin() + at);
    return order;
}
