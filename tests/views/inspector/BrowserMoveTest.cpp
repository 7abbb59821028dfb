// The browser's reorder against a plain reading of it: the items that stay and stood before the
// destination, then the moved ones in their order, then the rest.
#include <QList>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include "views/browser/BrowserMove.h"

namespace {

std::vector<int> reference(int count, const std::vector<int>& moved, int toIndex)
{
    const auto isMoved = [&](int item) { return std::find(moved.begin(), moved.end(), item) != moved.end(); };
    std::vector<int> items(count), order;
    for (int item = 0; item < count; ++item)
        items[item] = item;
    std::copy_if(items.begin(), items.end(), std::back_inserter(order),
                 [&](int item) { return item < toIndex && !isMoved(item); });
    std::copy_if(items.begin(), items.end(), std::back_inserter(order), isMoved);
    std::copy_if(items.begin(), items.end(), std::back_inserter(order),
                 [&](int item) { return item >= toIndex && !isMoved(item); });
    return order;
}

std::vector<int> moved(int count, const QList<int>& indexes, int toIndex)
{
    const QList<int> order = orderAfterMove(count, indexes, toIndex);
    return std::vector<int>(order.begin(), order.end());
}

TEST(BrowserMove, TheWorkedExampleAndEveryMoveOfFiveItems)
{
    EXPECT_EQ(moved(5, {0, 1}, 4), (std::vector<int>{2, 3, 0, 1, 4}));
    for (int subset = 0; subset < (1 << 5); ++subset) {
        QList<int> indexes;
        std::vector<int> items;
        for (int item = 0; item < 5; ++item)
            if (subset & (1 << item)) {
                indexes.append(item);
                items.push_back(item);
            }
        for (int toIndex = 0; toIndex <= 5; ++toIndex)
            EXPECT_EQ(moved(5, indexes, toIndex), reference(5, items, toIndex)) << subset << " to " << toIndex;
    }
}

TEST(BrowserMove, IndexesOutsideTheListRepeatsAndFarDestinationsAreHeld)
{
    EXPECT_EQ(moved(4, {3, 1, 3, 9, -2}, 0), (std::vector<int>{1, 3, 0, 2}));
    EXPECT_EQ(moved(4, {0}, 40), (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(moved(4, {2}, -5), (std::vector<int>{2, 0, 1, 3}));
    EXPECT_EQ(moved(3, {}, 1), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(moved(0, {0}, 0).empty());
}

}  // namespace
