#pragma once
// The main window's own undo and redo of whole card sides, apart from the document's undo
// manager. A snapshot holds one keyed archive per element of a side, in list order; the front and
// the back side each have an undo and a redo stack, newest snapshot last. Every operation works
// on the side that Card_Front_Or_Back names when it runs. GUI thread only.
#include <QByteArray>
#include <QList>
#include <functional>

#include "model/SKTGraphic.h"

class SKTDocument;
class SnapshotUndoWindow;

// One side as it stood: an element archive per element, in list order, to rebuild it from, and
// each archive's digest, by which snapshots compare (equal sides may archive to other bytes).
struct UndoSnapshot {
    QList<QByteArray> archives;
    QList<QByteArray> digests;

    qsizetype size() const { return archives.size(); }
    bool isEmpty() const { return archives.isEmpty(); }
    bool operator==(const UndoSnapshot& other) const { return digests == other.digests; }
};
using SnapshotStack = QList<UndoSnapshot>;

extern SnapshotStack Ucontrol;       // undo, front
extern SnapshotStack Ucontrol_back;  // undo, back
extern SnapshotStack Rcontrol;       // redo, front
extern SnapshotStack Rcontrol_back;  // redo, back
// Set while the group list fills the card from a newly selected row: nothing is recorded then.
extern bool live_mode_list_value_change;

// The main window controller's share of undo and redo.
class SnapshotUndo {
public:
    SnapshotUndo(SKTDocument& document, SnapshotUndoWindow& window);

    // Records the current side after (or before) an edit, unless the live-mode flag is set, and
    // updates the buttons then. A side that changed since the newest snapshot is a new edit: the
    // redo stack of the side is emptied, so that no Redo puts back a state from before it.
    void Insert_In_Undo_Redo();
    // Typing into a text is one edit however many keys it takes: the first key of a run records
    // the side as Insert_In_Undo_Redo does, and each later key of the same run, with nothing
    // recorded, undone or redone in between, puts the side as it now stands in place of that
    // snapshot.
    void Record_Typing(bool continuesRun);
    // A design that has just started: the stacks are emptied and both sides as they stand become
    // the first snapshot of their undo stacks, so that the first edit on either side can be taken
    // back. Both commands are disabled then.
    void Restart_Undo_History();
    // The card took a new size, which moved and scaled the elements of both sides: snapshots of
    // the old size would put elements of one size on a card of another, so the history starts
    // afresh from both sides as they now stand. Whether the design was edited since it started
    // is kept.
    void Restart_Undo_History_After_Resize();
    // Whether any edit was recorded, undone or redone since the design started.
    bool hasEditsSinceStart() const { return m_editedSinceStart; }
    void Undo_Stack();
    void Insert_In_Undo_Stack(const GraphicList& graphics);
    void Insert_In_Redo_Stack(const GraphicList& graphics);
    // The current side as it stands onto the redo stack for "U", otherwise onto the undo stack.
    void Last_Stack(const QString& stack);

    enum class Direction { Undo, Redo };
    // The current side's elements as the next Undo (or Redo) would rebuild them, new objects
    // apart from the live ones; empty when the step would change nothing that is shown.
    GraphicList sideAfterStep(Direction direction);

    void Undo_Action_Perform();
    void Redo_Action_Perform();
    void Undo_Clicked() { Undo_Action_Perform(); }
    void Redo_Clicked() { Redo_Action_Perform(); }

    // Replaces the current side's elements with new ones decoded from the snapshot; blobs that do
    // not decode are left out.
    void Fill_Undo_Redo_Control(const UndoSnapshot& snapshot);

    int Get_Undo_Count() const;
    int Get_Redo_Count() const;
    // Each command is enabled when its stack holds a snapshot other than the side as shown.
    void Check_Undo_Redo_Btn_Enability();
    void Enable_Disable_Undo(bool enabled);
    void Enable_Disable_Redo(bool enabled);
    // Runs a step that puts a record's values onto the side (0 front, 1 back) and is no edit:
    // nothing is recorded meanwhile, and the newest undo snapshot becomes the side as it is
    // after, so that no Undo is spent bringing back another record.
    void showRecordWithoutEdit(int side, const std::function<void()>& step);
    // Empties all four stacks and disables both commands.
    void Undo_Redo_Clear();
    // Editing operations call this after an edit; the buttons follow Insert_In_Undo_Redo instead.
    void Undo_Redo_Button_state() {}

    // Visitor and group modes only: the side panel's user fields go back to their empty state
    // before a rebuild, and each rebuilt text or picture element writes its value back.
    void Refresh_Visitor_Dyn_Ctrl_and_image();
    void Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(const SKTGraphic& graphic);
    // Both of the above for the current side as it stands: its panel shows what its elements hold.
    void Show_Side_In_Panel();

    // One archive per element in list order; an element that cannot be archived is left out.
    static UndoSnapshot snapshotOf(const GraphicList& graphics);

private:
    // The elements decoded from the snapshot, in its order; blobs that do not decode are left out.
    static GraphicList elementsOf(const UndoSnapshot& snapshot);
    void restoreNewest(Direction direction);
    void showFieldsOnlySymbolsShow();
    const GraphicList& currentGraphics() const;
    // The current side as the canvas shows it.
    UndoSnapshot shownSnapshot();
    void updateButtons(const UndoSnapshot& shown);
    static void appendUnlessNewest(SnapshotStack& stack, const UndoSnapshot& snapshot);
    // The side as shown onto its undo stack unless it is the newest snapshot there; true when it
    // was added.
    bool recordShownSide();
    // The newest snapshot that differs from the shown side, -1 for none.
    static qsizetype newestDifferentFrom(const SnapshotStack& stack, const UndoSnapshot& shown);

    void recordBothSides();

    SKTDocument& m_document;
    SnapshotUndoWindow& m_window;
    bool m_editedSinceStart = false;
    // The side whose newest undo snapshot a typing run may still replace; -1 for none.
    int m_typingSide = -1;
};
