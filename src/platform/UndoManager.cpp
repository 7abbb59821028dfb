#include "platform/UndoManager.h"

#include <utility>

void UndoManager::registerUndo(Action action)
{
    if (!m_enabled)
        return;
    // While undoing or redoing, the open group is the one being built for the other stack.
    m_open.append(std::move(action));
    if (!m_undoing && !m_redoing)
        m_redoStack.clear();
}

void UndoManager::closeOpenGroup()
{
    if (!m_open.isEmpty())
        m_undoStack.append(std::exchange(m_open, {}));
}

void UndoManager::checkpoint()
{
    // While undoing or redoing, the open group belongs to the other stack until the run ends.
    if (!m_undoing && !m_redoing)
        closeOpenGroup();
    if (m_onCheckpoint)
        m_onCheckpoint();
}

bool UndoManager::canUndo() const
{
    return !m_undoStack.isEmpty() || !m_open.isEmpty();
}

bool UndoManager::canRedo() const
{
    return !m_redoStack.isEmpty();
}

void UndoManager::runGroup(Group group)
{
    for (auto it = group.crbegin(); it != group.crend(); ++it)
        (*it)();
}

void UndoManager::undo()
{
    if (m_undoing || m_redoing)
        return;
    closeOpenGroup();
    if (m_undoStack.isEmpty())
        return;
    m_undoing = true;
    runGroup(m_undoStack.takeLast());
    m_undoing = false;
    if (!m_open.isEmpty())
        m_redoStack.append(std::exchange(m_open, {}));
}

void UndoManager::redo()
{
    if (m_undoing || m_redoing || m_redoStack.isEmpty())
        return;
    closeOpenGroup();
    m_redoing = true;
    runGroup(m_redoStack.takeLast());
    m_redoing = false;
    closeOpenGroup();
}

void UndoManager::removeAllActions()
{
    m_undoStack.clear();
    m_redoStack.clear();
    m_open.clear();
}
