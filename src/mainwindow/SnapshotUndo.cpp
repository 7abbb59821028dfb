#include "mainwindow/SnapshotUndo.h"

#include <algorithm>

#include <QCheckBox>
#include <QLineEdit>
#include <QScopedValueRollback>

#include "mainwindow/MainWindowGlobals.h"
#include "model/OriginalImagePath.h"
#include "mainwindow/SnapshotUndoWindow.h"
#include "model/SKTDocument.h"
#include "platform/KeyedArchive.h"
#include "platform/Log.h"
#include "platform/ResourcePaths.h"
#include "visitors/VisitorElementValues.h"

SnapshotStack Ucontrol;
SnapshotStack Ucontrol_back;
SnapshotStack Rcontrol;
SnapshotStack Rcontrol_back;
bool live_mode_list_value_change = false;

namespace {

bool editingBack()
{
    return Card_Front_Or_Back == 1;
}

int currentSide()
{
    return editingBack() ? 1 : 0;
}

SnapshotStack& undoStack()
{
    return editingBack() ? Ucontrol_back : Ucontrol;
}

SnapshotStack& redoStack()
{
    return editingBack() ? Rcontrol_back : Rcontrol;
}

// A panel text field back to its empty state: editable but disabled; photo captions are only
// selectable.
void resetPanelTextField(const QString& controlId, QLineEdit& field)
{
    field.setReadOnly(controlId.contains(QLatin1String("_Photo")));
    field.setEnabled(false);
}

void uncheck(QCheckBox* check)
{
    if (check)
        check->setChecked(false);
}

}  // namespace

SnapshotUndo::SnapshotUndo(SKTDocument& document, SnapshotUndoWindow& window)
    : m_document(document), m_window(window)
{
}

// ---- Recording ---------------------------------------------------------------------------------

void SnapshotUndo::Restart_Undo_History()
{
    recordBothSides();
    m_editedSinceStart = false;
}

void SnapshotUndo::Restart_Undo_History_After_Resize()
{
    const bool edited = m_editedSinceStart;
    recordBothSides();
    m_editedSinceStart = edited;
}

void SnapshotUndo::recordBothSides()
{
    Undo_Redo_Clear();
    const int inForce = Card_Front_Or_Back;
    for (int side : {1, 0}) {
        Card_Front_Or_Back = side;
        Insert_In_Undo_Redo();
    }
    Card_Front_Or_Back = inForce;
    Check_Undo_Redo_Btn_Enability();
}

UndoSnapshot SnapshotUndo::snapshotOf(const GraphicList& graphics)
{
    UndoSnapshot snapshot;
    snapshot.archives.reserve(graphics.size());
    snapshot.digests.reserve(graphics.size());
    for (const GraphicPtr& graphic : graphics) {
        if (!graphic)
            continue;
        const KeyedArchiver archiver = graphic->archiver();
        QByteArray blob = archiver.finish();
        if (blob.isEmpty()) {
            Show_NSLog_Message(QStringLiteral("Undo snapshot: %1 \"%2\" could not be archived")
                                   .arg(graphic->className(), graphic->control_ID));
            continue;
        }
        snapshot.archives.append(std::move(blob));
        snapshot.digests.append(archiver.digest());
    }
    return snapshot;
}

const GraphicList& SnapshotUndo::currentGraphics() const
{
    return editingBack() ? m_document.graphics_back() : m_document.graphics();
}

UndoSnapshot SnapshotUndo::shownSnapshot()
{
    m_window.settleDrawnValues(currentSide());
    return snapshotOf(currentGraphics());
}

void SnapshotUndo::Insert_In_Undo_Redo()
{
    if (live_mode_list_value_change)
        return;
    m_typingSide = -1;
    recordShownSide();
}

void SnapshotUndo::Record_Typing(bool continuesRun)
{
    if (live_mode_list_value_change)
        return;
    SnapshotStack& undo = undoStack();
    if (continuesRun && m_typingSide == currentSide() && !undo.isEmpty()) {
        const UndoSnapshot present = shownSnapshot();
        undo.last() = present;
        updateButtons(present);
        return;
    }
    m_typingSide = recordShownSide() ? currentSide() : -1;
}

bool SnapshotUndo::recordShownSide()
{
    const UndoSnapshot present = shownSnapshot();
    // A record that changes nothing (the "before" of an edit right after the previous "after")
    // would cost the user an Undo that shows no change.
    SnapshotStack& undo = undoStack();
    const bool changed = undo.isEmpty() || undo.last() != present;
    if (changed) {
        m_editedSinceStart = m_editedSinceStart || !undo.isEmpty();
        undo.append(present);
        redoStack().clear();
    }
    updateButtons(present);
    return changed;
}

void SnapshotUndo::Undo_Stack()
{
    Insert_In_Undo_Stack(currentGraphics());
}

void SnapshotUndo::Insert_In_Undo_Stack(const GraphicList& graphics)
{
    undoStack().append(snapshotOf(graphics));
}

void SnapshotUndo::Insert_In_Redo_Stack(const GraphicList& graphics)
{
    redoStack().append(snapshotOf(graphics));
}

void SnapshotUndo::Last_Stack(const QString& stack)
{
    // Copy the list: archiving must not see it change under it.
    const GraphicList present = currentGraphics();
    if (stack == QLatin1String("U"))
        Insert_In_Redo_Stack(present);
    else
        Insert_In_Undo_Stack(present);
}

void SnapshotUndo::appendUnlessNewest(SnapshotStack& stack, const UndoSnapshot& snapshot)
{
    if (stack.isEmpty() || stack.last() != snapshot)
        stack.append(snapshot);
}

qsizetype SnapshotUndo::newestDifferentFrom(const SnapshotStack& stack, const UndoSnapshot& shown)
{
    for (qsizetype i = stack.size() - 1; i >= 0; --i) {
        if (stack.at(i) != shown)
            return i;
    }
    return -1;
}

// ---- Undo and redo -----------------------------------------------------------------------------

void SnapshotUndo::Undo_Action_Perform()
{
    restoreNewest(Direction::Undo);
}

void SnapshotUndo::Redo_Action_Perform()
{
    restoreNewest(Direction::Redo);
}

// Edits record the side after they change it, so the newest undo snapshot is normally what is
// shown. Snapshots equal to the shown side are passed over, and the restored state stays the
// newest undo snapshot: each Undo visibly takes back one edit and each Redo brings it back.
void SnapshotUndo::restoreNewest(Direction direction)
{
    m_typingSide = -1;
    const bool undoing = direction == Direction::Undo;
    const UndoSnapshot present = shownSnapshot();
    SnapshotStack& from = undoing ? undoStack() : redoStack();
    const qsizetype index = newestDifferentFrom(from, present);
    if (index < 0) {
        updateButtons(present);
        return;
    }
    const UndoSnapshot restored = from.at(index);
    m_editedSinceStart = true;
    if (undoing) {
        from.resize(index + 1);
        appendUnlessNewest(redoStack(), present);
    } else {
        from.resize(index);
        appendUnlessNewest(undoStack(), present);
        undoStack().append(restored);
    }
    Fill_Undo_Redo_Control(restored);
    m_window.sideRebuiltFromSnapshot(currentSide());

    Check_Undo_Redo_Btn_Enability();
    m_window.Refresh_Canvas();
    m_window.Show_RHS_Properties(nullptr);
}

GraphicList SnapshotUndo::sideAfterStep(Direction direction)
{
    const SnapshotStack& from = direction == Direction::Undo ? undoStack() : redoStack();
    const qsizetype index = newestDifferentFrom(from, shownSnapshot());
    return index < 0 ? GraphicList() : elementsOf(from.at(index));
}

GraphicList SnapshotUndo::elementsOf(const UndoSnapshot& snapshot)
{
    GraphicList elements;
    elements.reserve(snapshot.size());
    for (const QByteArray& blob : snapshot.archives) {
        GraphicPtr graphic = SKTGraphic::fromArchivedData(blob);
        if (!graphic)
            continue;
        graphic->keepBarcodeBoxAtBounds();  // snapshots hold no box
        elements.append(std::move(graphic));
    }
    return elements;
}

void SnapshotUndo::Fill_Undo_Redo_Control(const UndoSnapshot& snapshot)
{
    const int side = currentSide();
    m_window.dropSelection(side);
    m_document.replaceGraphicsOnSide(side == 1 ? SKTDocument::BackSide : SKTDocument::FrontSide,
                                     elementsOf(snapshot));
    m_window.userRowsFollowSide(side);
    Show_Side_In_Panel();
}

void SnapshotUndo::Show_Side_In_Panel()
{
    Refresh_Visitor_Dyn_Ctrl_and_image();
    for (const GraphicPtr& graphic : currentGraphics())
        Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(*graphic);
    showFieldsOnlySymbolsShow();
    m_window.Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
}

// A visitor's field whose text is gone while a symbol on the pass still carries it (the pass
// number under its barcode) shows the symbol's value: Register then logs what the pass carries.
void SnapshotUndo::showFieldsOnlySymbolsShow()
{
    if (Start_Card_Option != QLatin1String("V"))
        return;
    const GraphicList elements = currentGraphics();
    const auto shownAsText = [&elements](const QString& id) {
        return std::any_of(elements.cbegin(), elements.cend(), [&id](const GraphicPtr& element) {
            return element->kind() == GraphicKind::Text && element->control_ID.trimmed() == id;
        });
    };
    for (const GraphicPtr& symbol : elements) {
        const QString id = symbol->control_ID.trimmed();
        if (symbol->kind() != GraphicKind::Barcode || !symbol->ctrl_is_visible || !isVisitorProfileValueId(id)
            || shownAsText(id))
            continue;
        QLineEdit* box = m_window.Get_text_box_of_visitor_mode(id);
        if (!box)
            continue;
        box->setText(symbol->barcode.shownValue().trimmed());
        box->setReadOnly(false);
        if (QCheckBox* check = m_window.Get_chk_box_of_visitor_mode(id))
            check->setChecked(true);
        box->setEnabled(true);
    }
}

void SnapshotUndo::showRecordWithoutEdit(int side, const std::function<void()>& step)
{
    m_typingSide = -1;
    const int inForce = Card_Front_Or_Back;
    Card_Front_Or_Back = side == 1 ? 1 : 0;
    {
        const QScopedValueRollback listChange(live_mode_list_value_change, true);
        step();
    }
    // What was typed over the record shown before is gone with it, so the newest snapshot is
    // the side as it now shows: Undo takes back the last edit, not the change of record.
    SnapshotStack& undo = undoStack();
    if (!undo.isEmpty())
        undo.last() = shownSnapshot();
    Card_Front_Or_Back = inForce;
    Check_Undo_Redo_Btn_Enability();
}

// ---- Counts and buttons ------------------------------------------------------------------------

int SnapshotUndo::Get_Undo_Count() const
{
    return int(undoStack().size());
}

int SnapshotUndo::Get_Redo_Count() const
{
    return int(redoStack().size());
}

void SnapshotUndo::Check_Undo_Redo_Btn_Enability()
{
    updateButtons(shownSnapshot());
}

// A command is offered only when it would change what is shown.
void SnapshotUndo::updateButtons(const UndoSnapshot& shown)
{
    Enable_Disable_Undo(newestDifferentFrom(undoStack(), shown) >= 0);
    Enable_Disable_Redo(newestDifferentFrom(redoStack(), shown) >= 0);
    m_window.designMayHaveChanged();
}

void SnapshotUndo::Enable_Disable_Undo(bool enabled)
{
    m_window.setUndoControlsEnabled(enabled);
}

void SnapshotUndo::Enable_Disable_Redo(bool enabled)
{
    m_window.setRedoControlsEnabled(enabled);
}

void SnapshotUndo::Undo_Redo_Clear()
{
    m_typingSide = -1;
    for (SnapshotStack* stack : {&Ucontrol, &Ucontrol_back, &Rcontrol, &Rcontrol_back})
        stack->clear();
    Enable_Disable_Undo(false);
    Enable_Disable_Redo(false);
}

// ---- Visitor and group side panels -------------------------------------------------------------

void SnapshotUndo::Refresh_Visitor_Dyn_Ctrl_and_image()
{
    if (!isVisitorOrGroupMode())
        return;
    ProfileSidePanel* panel = m_window.profilePanel(currentSide());
    if (!panel)
        return;
    panel->Refresh_Controls();
    panel->Set_User_Image_Control(QString(), QImage(), QString());
    panel->clearProfileFields();

    const QImage placeholder = m_window.no_image_ctrl_GP();
    for (const ProfilePanelRow& row : panel->view_array_label()) {
        uncheck(row.check);
        if (auto* field = qobject_cast<QLineEdit*>(row.input))
            resetPanelTextField(row.controlId, *field);
        else if (row.input)
            m_window.showPicture(row.input, placeholder);
    }
    for (const ProfilePanelRow& row : panel->view_array_value()) {
        uncheck(row.check);
        if (auto* field = qobject_cast<QLineEdit*>(row.input))
            resetPanelTextField(row.controlId, *field);
    }
}

void SnapshotUndo::Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(const SKTGraphic& graphic)
{
    if (!isVisitorOrGroupMode())
        return;
    const bool isText = graphic.kind() == GraphicKind::Text;
    if (!isText && graphic.kind() != GraphicKind::Image)
        return;

    const QString& id = graphic.control_ID;
    const QString value = isText ? graphic.Text_Value : Get_Original_Path_Of_Image_Control(graphic);
    const bool visible = graphic.ctrl_is_visible;

    if (!isText) {
        // The panel's photo is the holder's alone: a picture field added in the panel (either
        // mode) shows in its own row, and a logo nowhere. It registers and Save Details writes
        // it, so it names the file the card shows: after a crop, the cropped file.
        if (id == QLatin1String("Fup_Photo")) {
            if (ProfileSidePanel* panel = m_window.profilePanel(currentSide()))
                panel->Set_User_Image_Control(graphic._file_path, graphic._contents, id);
        } else if (QWidget* view = id.isEmpty() ? nullptr : m_window.Get_Dynamic_Photo_Ctrl(id)) {
            const bool placeholder = Is_No_Image_Path(value);
            m_window.showPicture(view, placeholder ? m_window.no_image_ctrl_GP() : graphic._contents);
        }
    }

    QCheckBox* check = m_window.Get_chk_box_of_visitor_mode(id);
    if (check)
        check->setChecked(visible);
    if (QLineEdit* box = m_window.Get_text_box_of_visitor_mode(id)) {
        // The photo's path box was filled with the panel's photo above.
        if (isText)
            box->setText(value);
        // A deletion made the box read-only; the element is back, and so is the typing. Photo
        // paths and the date and time (read-only unless entered by hand) keep their own state.
        const bool ownEditState = id.contains(QLatin1String("_Photo")) || id == QLatin1String("Fup_Date")
                                  || id == QLatin1String("Fup_Time");
        if (!ownEditState)
            box->setReadOnly(false);
        box->setEnabled(check && check->isChecked());
    }
}
