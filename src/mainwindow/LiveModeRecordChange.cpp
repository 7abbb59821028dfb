#include "mainwindow/LiveModePanels.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStackedWidget>

#include "data/Data_From_Excel.h"
#include "data/GroupRecords.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "model/profiles/ProfileCaptions.h"
#include "platform/MessageBoxes.h"
#include "views/inspector/CardSizePanel.h"
#include "views/inspector/PropertyInspector.h"
#include "views/visitors/Profile_Side_Panel.h"

// Group mode's records as the user moves between them: nothing typed over a record is lost
// unasked, Save Details says what it saved, and one column shows one field of a side.

void LiveModePanels::markChosenRow(int row)
{
    const QScopedValueRollback programSelects(m_programSelects, true);
    m_controller.inspector().sizePanel().Mark_Group_List_New_Selection(row);
}

bool LiveModePanels::hasUnsavedTyping() const
{
    const Data_From_Excel& table = Loaded_Data_Table();
    if (m_shownRow < 0 || m_shownRow >= table.rowCount())
        return false;
    const QMap<int, QString> values = panelValues(sideInForce(), m_shownRow);
    for (auto value = values.cbegin(); value != values.cend(); ++value) {
        if (value.value() != table.objectValue(Column_Key_For_Index(value.key()), m_shownRow))
            return true;
    }
    return false;
}

bool LiveModePanels::leaveRecordShown(int row)
{
    if (!hasUnsavedTyping())
        return true;
    const Data_From_Excel& table = Loaded_Data_Table();
    return settleUnsavedTyping(kUnsavedRecordQuestion.arg(GroupRecords::groupListText(table, m_shownRow),
                                                          GroupRecords::groupListText(table, row)));
}

bool LiveModePanels::typingSettledBeforeDesignCopy()
{
    // The copy reads the design back and shows the stored record again on both sides.
    return typingOverRecordShownSettled(kUnsavedBeforeCopyQuestion);
}

bool LiveModePanels::typingSettledBeforeProfile()
{
    return typingOverRecordShownSettled(kUnsavedBeforeProfileQuestion);
}

bool LiveModePanels::typingSettledBeforeSideShown(int side)
{
    // The side shown takes the stored record; the question, and the save or the drop, are the
    // side's whose panel the user sees.
    const int seen = m_sides->currentIndex();
    if (side == seen || (side != 0 && side != 1))
        return true;
    const int inForce = Card_Front_Or_Back;
    Card_Front_Or_Back = seen;
    const bool settled = typingOverRecordShownSettled(kUnsavedBeforeSideQuestion);
    // Kept, the side seen stays the one edited, even where the preview is shown again.
    if (settled)
        Card_Front_Or_Back = inForce;
    return settled;
}

bool LiveModePanels::typingOverRecordShownSettled(const QString& question)
{
    if (Start_Card_Option != QLatin1String("G") || !hasUnsavedTyping())
        return true;
    return settleUnsavedTyping(question.arg(GroupRecords::groupListText(Loaded_Data_Table(), m_shownRow)));
}

bool LiveModePanels::settleUnsavedTyping(const QString& question)
{
    // Yes: saved first, and not left when it could not be (the user was told why). No: dropped.
    // Cancel: the record stays.
    switch (askAboutTyping(question)) {
    case TypingAnswer::Save:
        return Save_Details_Clicked();
    case TypingAnswer::Stay:
        return false;
    case TypingAnswer::Drop:
        break;
    }
    // The record as stored again first: with nothing else changed, the design is as saved.
    showRow(m_shownRow);
    return true;
}

bool LiveModePanels::Save_Details_Clicked()
{
    const int row = recordShown();
    if (!saveProject())
        return false;
    const Data_From_Excel& table = Loaded_Data_Table();
    if (row < table.rowCount())
        Show_MessageBox(kRecordSavedMessage.arg(GroupRecords::groupListText(table, row),
                                                QFileInfo(projectWorkbookPath(Project_File_Name)).fileName()));
    return true;
}

QString LiveModePanels::fieldName(int side, const QString& ctrlId) const
{
    if (const QString caption = Profile_Field_Caption(ctrlId); !caption.isEmpty())
        return Caption_Without_Colon(caption);
    for (const DynamicControl& dynamic : dynamicControls(side)) {
        if (dynamic.controlId == ctrlId)
            return Caption_Without_Colon(dynamic.caption);
    }
    return ctrlId;
}

bool LiveModePanels::refuseColumnTaken(int side, const QString& ctrlId, int column) const
{
    if (column < 1)
        return false;
    QString holder;
    for (const QString& id : boundFieldIds()) {
        if (id != ctrlId && excel_cb_value[bindingSlot(id, side)] == column) {
            holder = id;
            break;
        }
    }
    for (const DynamicControl& dynamic : dynamicControls(side)) {
        if (holder.isEmpty() && dynamic.controlId != ctrlId && dynamic.column == column)
            holder = dynamic.controlId;
    }
    if (holder.isEmpty())
        return false;
    Show_MessageBox(kColumnTakenMessage.arg(Loaded_Data_Table().ColList.titles().value(column), fieldName(side, holder),
                                            fieldName(side, ctrlId)));
    return true;
}
