#include "platform/UndoManager.h"

#include <gtest/gtest.h>

TEST(UndoManager, GroupsUndoRedoAndCheckpointsDuringUndo)
{
    UndoManager undo;
    // A value whose setter records its own undo, as model setters do.
    int value = 0;
    std::function<void(int)> set = [&](int newValue) {
        undo.registerUndo([&, old = value] { set(old); });
        value = newValue;
    };
    // The value after each undo (-1) or redo (+1) step.
    const auto valuesAfter = [&](std::initializer_list<int> steps) {
        QList<int> values;
        for (int step : steps) {
            step < 0 ? undo.undo() : undo.redo();
            values << value;
        }
        return values;
    };
    undo.disableUndoRegistration();
    set(9);
    undo.checkpoint();
    EXPECT_FALSE(undo.canUndo());
    undo.enableUndoRegistration();
    set(1);
    set(2);  // one group with the change before, undone last first
    undo.checkpoint();
    set(3);
    undo.checkpoint();
    EXPECT_EQ(valuesAfter({-1, -1}), (QList<int>{2, 9}));
    EXPECT_FALSE(undo.canUndo());
    EXPECT_EQ(valuesAfter({+1, +1}), (QList<int>{2, 3}));
    EXPECT_FALSE(undo.canRedo());
    EXPECT_EQ(valuesAfter({-1}), QList<int>{2});
    ASSERT_TRUE(undo.canRedo());
    set(5);  // a fresh change clears redo; undo closes the open group first
    EXPECT_FALSE(undo.canRedo());
    EXPECT_EQ(valuesAfter({+1, -1}), (QList<int>{5, 2}));

    // An action that checkpoints while it is undone or redone (as when the run loop passes) stays in its group.
    std::function<void()> action = [&] {
        undo.checkpoint();
        undo.registerUndo(action);
    };
    set(7);
    undo.checkpoint();
    undo.registerUndo(action);
    set(8);
    undo.checkpoint();
    EXPECT_EQ(valuesAfter({-1, -1, +1, +1}), (QList<int>{7, 2, 7, 8}));
    EXPECT_FALSE(undo.isUndoing() || undo.isRedoing() || undo.canRedo());
}
