#pragma once
// A small undo recorder in the manner of a document's undo manager: actions registered between two
// checkpoints form one group; undoing a group runs its actions last-first, and what they register
// meanwhile becomes the redo group (and the other way round).
#include <QList>
#include <functional>

class UndoManager {
public:
    using Action = std::function<void()>;

    void registerUndo(Action action);
    // Ends the open group; the checkpoint callback runs every time, as a run-loop pass would.
    void checkpoint();
    void setCheckpointCallback(std::function<void()> callback) { m_onCheckpoint = std::move(callback); }

    void enableUndoRegistration() { m_enabled = true; }
    void disableUndoRegistration() { m_enabled = false; }
    bool isUndoRegistrationEnabled() const { return m_enabled; }

    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();
    bool isUndoing() const { return m_undoing; }
    bool isRedoing() const { return m_redoing; }
    void removeAllActions();

private:
    using Group = QList<Action>;
    void runGroup(Group group);
    void closeOpenGroup();

    QList<Group> m_undoStack;
    QList<Group> m_redoStack;
    Group m_open;
    bool m_enabled = true;
    bool m_undoing = false;
    bool m_redoing = false;
    std::function<void()> m_onCheckpoint;
};
