#include <QLineEdit>
#include <utility>

#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/LiveModePanels.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/SnapshotUndo.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "views/visitors/Profile_Side_Panel.h"

// Typing in the side panels against Undo and Redo: the panels' typing is no step of the history,
// so a step that would take it back along with an edit asks first.

LiveModePanels::TypingAnswer LiveModePanels::askAboutTyping(const QString& question)
{
    const int answer = Show_YES_NO_Cancel_MessageBox(question);
    return answer == 1000 ? TypingAnswer::Save : answer == 1001 ? TypingAnswer::Drop : TypingAnswer::Stay;
}

bool LiveModePanels::typingSettledBeforeUndo()
{
    return typingSettledBeforeHistoryStep(true);
}

bool LiveModePanels::typingSettledBeforeRedo()
{
    return typingSettledBeforeHistoryStep(false);
}

bool LiveModePanels::typingSettledBeforeHistoryStep(bool undoing)
{
    m_typingKept.clear();
    m_typingDropped.clear();
    if (Start_Card_Option == QLatin1String("V"))
        return visitorTypingSettledBeforeHistoryStep(undoing);
    if (Start_Card_Option != QLatin1String("G") || !hasUnsavedTyping())
        return true;
    if (!typingOverRecordShownSettled(undoing ? kUnsavedBeforeUndoQuestion : kUnsavedBeforeRedoQuestion))
        return false;
    // The record shown again as it is now stored puts the side as shown in place of the newest
    // snapshot, so the typing is not what Undo takes back or Redo weighs against.
    showRow(m_shownRow);
    return true;
}

bool LiveModePanels::visitorTypingSettledBeforeHistoryStep(bool undoing)
{
    const int side = sideInForce();
    const QMap<QString, QString> typing = typingTakenBackBy(undoing);
    if (typing.isEmpty())
        return true;
    QStringList fields;
    for (auto typed = typing.cbegin(); typed != typing.cend(); ++typed)
        fields << QStringLiteral("%1 \"%2\"").arg(fieldName(side, typed.key()), typed.value());
    const QString& question = undoing ? kVisitorTypingBeforeUndoQuestion : kVisitorTypingBeforeRedoQuestion;
    switch (askAboutTyping(question.arg(fields.join(QStringLiteral(", "))))) {
    case TypingAnswer::Save:
        m_typingKept = typing;
        return true;
    case TypingAnswer::Drop:
        // Gone with the step, from both sides: what the field shows later is the history's, not
        // typing.
        m_typingDropped = typing.keys();
        for (const QString& id : m_typingDropped) {
            m_typed[side].remove(id);
            m_typed[1 - side].remove(id);
        }
        return true;
    case TypingAnswer::Stay:
        break;
    }
    return false;
}

QMap<QString, QString> LiveModePanels::typingTakenBackBy(bool undoing)
{
    const int side = sideInForce();
    QMap<QString, QString> taken;
    if (m_typed[side].isEmpty())
        return taken;
    const GraphicList after = m_controller.canvasHostOfWindow().snapshotUndo().sideAfterStep(
        undoing ? SnapshotUndo::Direction::Undo : SnapshotUndo::Direction::Redo);
    for (auto typed = m_typed[side].cbegin(); typed != m_typed[side].cend(); ++typed) {
        const QLineEdit* box = panel(side).textBox(typed.key());
        if (!box || box->text() != typed.value())
            continue;
        // A field whose element the step takes away goes with the edit that made it.
        for (const GraphicPtr& element : after) {
            if (element->kind() == GraphicKind::Text && element->control_ID == typed.key()) {
                if (element->Text_Value != typed.value())
                    taken.insert(typed.key(), typed.value());
                break;
            }
        }
    }
    return taken;
}

void LiveModePanels::putKeptTypingBack(int side)
{
    const QMap<QString, QString> kept = std::exchange(m_typingKept, {});
    if (kept.isEmpty())
        return;
    // In place of the snapshot just shown, so that the next step starts from the side with the
    // typing, as the user sees it.
    m_controller.canvasHostOfWindow().snapshotUndo().showRecordWithoutEdit(side, [&] {
        for (auto typed = kept.cbegin(); typed != kept.cend(); ++typed) {
            if (QLineEdit* box = panel(side).textBox(typed.key()))
                box->setText(typed.value());
            showOnBarcodes(side, typed.key(), typed.value());
            showOnCard(side, typed.key(), typed.value());
        }
    });
}
