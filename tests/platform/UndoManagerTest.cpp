#include "platform/UndoManager.h"

#include <gtest/gtest.h>

namespace {

// A value whose setter records its own undo, as model setters do.
struct UndoableValue {
    UndoManager& undo;
    int value = 0;

    void set(int newValue)
    {
        const int old = value;
        undo.registerUndo([this, old] { set(old); });
        value = newValue;
    }
};

}  // namespace

TEST(UndoManager, GroupsUndoAndRedoInTurn)
{
    UndoManager undo;
    UndoableValue v{undo};
    v.set(1);
    v.set(2);
    undo.checkpoint();
    v.set(3);
    undo.checkpoint();

    undo.undo();
    EXPECT_EQ(v.value, 2);
    undo.undo();  // both changes of the first group go at once
    EXPECT_EQ(v.value, 0);
    EXPECT_FALSE(undo.canUndo());
    EXPECT_TRUE(undo.canRedo());

    undo.redo();
    EXPECT_EQ(v.value, 2);
    undo.redo();
    EXPECT_EQ(v.value, 3);
    EXPECT_FALSE(undo.canRedo());
    undo.undo();
    EXPECT_EQ(v.value, 2);
}

TEST(UndoManager, UndoRunsAGroupLastFirst)
{
    UndoManager undo;
    QList<int> order;
    undo.registerUndo([&] { order.append(1); });
    undo.registerUndo([&] { order.append(2); });
    undo.registerUndo([&] { order.append(3); });
    undo.undo();  // closes the open group first
    EXPECT_EQ(order, (QList<int>{3, 2, 1}));
}

TEST(UndoManager, FreshRegistrationClearsRedo)
{
    UndoManager undo;
    UndoableValue v{undo};
    v.set(1);
    undo.checkpoint();
    undo.undo();
    ASSERT_TRUE(undo.canRedo());
    v.set(5);
    EXPECT_FALSE(undo.canRedo());
    undo.redo();
    EXPECT_EQ(v.value, 5);
}

TEST(UndoManager, DisabledRegistrationIsIgnored)
{
    UndoManager undo;
    UndoableValue v{undo};
    undo.disableUndoRegistration();
    v.set(1);
    undo.checkpoint();
    EXPECT_FALSE(undo.canUndo());
    undo.enableUndoRegistration();
    v.set(2);
    undo.undo();
    EXPECT_EQ(v.value, 1);
}

TEST(UndoManager, ReportsStateAndCheckpoints)
{
    UndoManager undo;
    int checkpoints = 0;
    undo.setCheckpointCallback([&] { ++checkpoints; });
    bool sawUndoing = false;
    bool sawRedoing = false;
    std::function<void()> action = [&] {
        sawUndoing = sawUndoing || undo.isUndoing();
        sawRedoing = sawRedoing || undo.isRedoing();
        undo.registerUndo(action);
    };
    undo.registerUndo(action);
    undo.checkpoint();
    undo.checkpoint();  // runs the callback even with nothing open
    EXPECT_EQ(checkpoints, 2);
    undo.undo();
    undo.redo();
    EXPECT_TRUE(sawUndoing);
    EXPECT_TRUE(sawRedoing);
    EXPECT_FALSE(undo.isUndoing() || undo.isRedoing());
    EXPECT_TRUE(undo.canUndo());

    undo.removeAllActions();
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(undo.canRedo());
}

TEST(UndoManager, CheckpointDuringUndoKeepsTheRedoGroup)
{
    UndoManager undo;
    UndoableValue v{undo};
    v.set(1);
    undo.checkpoint();
    undo.registerUndo([&] { undo.checkpoint(); });  // e.g. an action that lets the run loop pass
    v.set(2);
    undo.checkpoint();
    undo.undo();
    EXPECT_EQ(v.value, 1);
    EXPECT_TRUE(undo.canRedo());
    undo.undo();
    EXPECT_EQ(v.value, 0);
    undo.redo();
    undo.redo();
    EXPECT_EQ(v.value, 2);
}
