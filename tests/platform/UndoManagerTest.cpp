#include "platform/UndoManager.h"

#include <gtest/gtest.h>

namespace {
// A value whose setter records its own undo, as model setters do.
struct UndoableValue {
    UndoManager& undo;
    int value = 0;
    void set(int newValue)
    {
        undo.registerUndo([this, old = value] { set(old); });
        value = newValue;
    }
};

// The value after each undo (-1) or redo (+1) step.
QList<int> valuesAfter(UndoManager& undo, const UndoableValue& v, std::initializer_list<int> steps)
{
    QList<int> values;
    for (int step : steps) {
        step < 0 ? undo.undo() : undo.redo();
        values << v.value;
    }
    return values;
}
}  // namespace

TEST(UndoManager, GroupsUndoAndRedoInTurn)
{
    UndoManager undo;
    UndoableValue v{undo};
    undo.disableUndoRegistration();
    v.set(9);
    undo.checkpoint();
    EXPECT_FALSE(undo.canUndo());
    undo.enableUndoRegistration();
    v.set(1);
    v.set(2);  // one group with the change before, undone last first
    undo.checkpoint();
    v.set(3);
    undo.checkpoint();
    EXPECT_EQ(valuesAfter(undo, v, {-1, -1}), (QList<int>{2, 9}));
    EXPECT_FALSE(undo.canUndo());
    EXPECT_EQ(valuesAfter(undo, v, {+1, +1}), (QList<int>{2, 3}));
    EXPECT_FALSE(undo.canRedo());
    EXPECT_EQ(valuesAfter(undo, v, {-1}), QList<int>{2});
    ASSERT_TRUE(undo.canRedo());
    v.set(5);  // a fresh change clears redo; undo closes the open group first
    EXPECT_FALSE(undo.canRedo());
    EXPECT_EQ(valuesAfter(undo, v, {+1, -1}), (QList<int>{5, 2}));
}

TEST(UndoManager, CheckpointDuringUndoKeepsTheRedoGroup)
{
    UndoManager undo;
    UndoableValue v{undo};
    int checkpoints = 0;
    undo.setCheckpointCallback([&] { ++checkpoints; });
    bool sawUndoing = false, sawRedoing = false;
    std::function<void()> action = [&] {
        sawUndoing = sawUndoing || undo.isUndoing();
        sawRedoing = sawRedoing || undo.isRedoing();
        undo.checkpoint();  // e.g. an action that lets the run loop pass
        undo.registerUndo(action);
    };
    v.set(1);
    undo.checkpoint();
    undo.registerUndo(action);
    v.set(2);
    undo.checkpoint();
    undo.checkpoint();  // runs the callback even with nothing open
    EXPECT_EQ(checkpoints, 3);
    EXPECT_EQ(valuesAfter(undo, v, {-1, -1, +1, +1}), (QList<int>{1, 0, 1, 2}));
    EXPECT_TRUE(sawUndoing && sawRedoing);
    EXPECT_FALSE(undo.isUndoing() || undo.isRedoing() || undo.canRedo());
    undo.removeAllActions();
    EXPECT_FALSE(undo.canUndo() || undo.canRedo());
}
