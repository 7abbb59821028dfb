#include "mainwindow/ControllerCanvasHost.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMimeData>
#include <QPainter>

#include "mainwindow/DesignSession.h"
#include "mainwindow/LiveModePanels.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/TemplateCommands.h"
#include "model/CardHost.h"
#include "model/profiles/ProfileFillScope.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "views/canvas/InterfaceObjects.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/PropertyInspector.h"
#include "views/visitors/Profile_Side_Panel.h"

namespace {

// The commands a locked element must not reach; Unlock_btn mirrors them.
constexpr std::initializer_list<const char*> kAlignmentButtons{
    "align_left_btn",   "align_right_btn",     "align_top_btn",      "align_bottom_btn",
    "align_center_btn", "align_horzontal_btn", "align_vertical_btn",
};

} // namespace

ControllerCanvasHost::ControllerCanvasHost(SKTWindowController& controller)
    : m_controller(controller), m_undo(controller.document(), *this)
{
    QObject::connect(action("Undo_btn"), &QAction::triggered, m_controller.window(),
                     [this] { Undo_Action_Perform(); });
    QObject::connect(action("Redo_btn"), &QAction::triggered, m_controller.window(),
                     [this] { Redo_Action_Perform(); });
    // Select All, a rubber band and an undo change the selection without the inspector's dispatch.
    for (const auto side : {SKTDocument::FrontSide, SKTDocument::BackSide}) {
        SKTGraphicView* view = m_controller.graphicView(side);
        QObject::connect(view, &SKTGraphicView::selectionChanged, m_controller.window(), [this, view] {
            if (view == m_controller.editedGraphicView())
                m_controller.inspector().Set_Standard_Buttons_For_Selection();
        });
    }
    // Paste follows what the clipboard holds, whichever program put it there.
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, m_controller.window(),
                     [this] { m_controller.inspector().Set_Standard_Buttons_For_Selection(); });
    m_undo.Check_Undo_Redo_Btn_Enability();
}

QAction* ControllerCanvasHost::action(const char* name) const
{
    QAction* found = m_controller.window()->findChild<QAction*>(QString::fromLatin1(name));
    Q_ASSERT_X(found, "ControllerCanvasHost", name);
    return found;
}

void ControllerCanvasHost::setActionsEnabled(std::initializer_list<const char*> names, bool enabled)
{
    for (const char* name : names)
        action(name)->setEnabled(enabled);
}

void ControllerCanvasHost::Show_RHS_Properties(SKTGraphic* graphic)
{
    m_controller.inspector().Show_RHS_Properties(graphic);
}

void ControllerCanvasHost::Open_Barcode_Window()
{
    m_controller.inspector().barcodePanel().Open_Barcode_Window();
}

void ControllerCanvasHost::Set_Selected_Graphic(const SKTGraphic& element)
{
    for (const GraphicPtr& graphic : m_controller.editedGraphicView()->graphics()) {
        if (graphic.get() == &element) {
            m_controller.Set_Selected_Graphic(graphic);
            return;
        }
    }
}

int ControllerCanvasHost::recordOnCard() const
{
    return m_controller.liveModes().recordOnCard();
}

void ControllerCanvasHost::Refresh_Canvas()
{
    m_controller.Refresh_Canvas();
}

float ControllerCanvasHost::Frame_Field_Value(FrameField field) const
{
    return m_controller.inspector().positionFields().Frame_Field_Value(field);
}

void ControllerCanvasHost::Set_Selected_Control_Tool(int tool)
{
    m_tool = tool;
    m_controller.windowLayout().syncToolButtons();
}

void ControllerCanvasHost::Set_Same_Size_Buttons_Enabled(bool enabled)
{
    setActionsEnabled({"Make_same_width_btn", "Make_same_height_btn"}, enabled);
}

void ControllerCanvasHost::Set_Natural_And_Fit_Buttons_Enabled(bool enabled)
{
    setActionsEnabled({"Make_natural_size_btn", "fit_to_label_btn"}, enabled);
}

void ControllerCanvasHost::Set_Paste_Button_Status()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const bool pastable =
        data && (data->hasFormat(SKTGraphicViewPasteboardType) || data->hasImage());
    action("Paste_btn")->setEnabled(pastable && m_controller.designSession().isOpen());
}

bool ControllerCanvasHost::Get_Menu_Status(const QString& menuAction) const
{
    if (menuAction == QLatin1String("undo:"))
        return action("Undo_btn")->isEnabled();
    if (menuAction == QLatin1String("redo:"))
        return action("Redo_btn")->isEnabled();
    return true;
}

// ---- Locking -----------------------------------------------------------------------------------

void ControllerCanvasHost::Disable_Standard_Button_For_Lock()
{
    setActionsEnabled({"Cut_btn", "Paste_btn", "Delete_btn", "Begin_Front_btn", "Send_Back_btn", "Lock_btn"},
                      false);
    setActionsEnabled(kAlignmentButtons, false);
    action("Unlock_btn")->setEnabled(true);
}

void ControllerCanvasHost::Enable_Standard_Button_For_Control()
{
    // Selecting an element offers what unlocking one does.
    Enable_Standard_Button_For_Unlock();
}

void ControllerCanvasHost::Disable_Standard_Button_For_Card()
{
    setActionsEnabled({"Cut_btn", "Copy_btn"}, false);
    Set_Paste_Button_Status();
    setActionsEnabled({"Delete_btn", "Begin_Front_btn", "Send_Back_btn", "Lock_btn", "Unlock_btn"}, false);
    setActionsEnabled(kAlignmentButtons, false);
}

void ControllerCanvasHost::Enable_Standard_Button_For_Unlock()
{
    Undo_Redo_Button_state();
    setActionsEnabled({"Cut_btn", "Copy_btn"}, true);
    Set_Paste_Button_Status();
    setActionsEnabled({"Delete_btn", "Begin_Front_btn", "Send_Back_btn", "Lock_btn"}, true);
    setActionsEnabled(kAlignmentButtons, true);
    action("Unlock_btn")->setEnabled(false);
}

bool ControllerCanvasHost::setSelectionLocked(bool locked)
{
    SKTGraphicView& view = *m_controller.editedGraphicView();
    const GraphicList selection = view.selectedGraphics();
    if (selection.isEmpty())
        return false;
    for (const GraphicPtr& graphic : selection) {
        graphic->ctrl_is_locked = locked;
        view.startEditingGraphic(graphic);
    }
    Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    // The handles change colour with the lock: show them now, not at the next click.
    const QList<int> indexes = view.selectionIndexes();
    Show_RHS_Properties(nullptr);
    view.changeSelectionIndexes(indexes);
    Refresh_Canvas();
    Show_RHS_Properties(selection.last().get());
    Insert_In_Undo_Redo();
    return true;
}

void ControllerCanvasHost::Lock_Clicked()
{
    Disable_Standard_Button_For_Lock();
    if (!setSelectionLocked(true))
        Show_MessageBox(QStringLiteral("Please select a control to Lock."));
}

void ControllerCanvasHost::Unlock_Clicked()
{
    Enable_Standard_Button_For_Unlock();
    if (!setSelectionLocked(false))
        Show_MessageBox(QStringLiteral("Please select a control to Unlock."));
}

// ---- Snapshot undo -----------------------------------------------------------------------------

void ControllerCanvasHost::Undo_Action_Perform()
{
    if (m_controller.liveModes().typingSettledBeforeUndo())
        m_undo.Undo_Action_Perform();
}

void ControllerCanvasHost::Redo_Action_Perform()
{
    if (m_controller.liveModes().typingSettledBeforeRedo())
        m_undo.Redo_Action_Perform();
}

void ControllerCanvasHost::setUndoControlsEnabled(bool enabled)
{
    action("Undo_btn")->setEnabled(enabled && m_controller.designSession().isOpen());
}

void ControllerCanvasHost::setRedoControlsEnabled(bool enabled)
{
    action("Redo_btn")->setEnabled(enabled && m_controller.designSession().isOpen());
}

void ControllerCanvasHost::settleDrawnValues(int side)
{
    SKTGraphicView& view = *m_controller.graphicView(side == 1 ? SKTDocument::BackSide : SKTDocument::FrontSide);
    // The drawing runs in full; a one-pixel target keeps its cost down. As in a paint, the
    // redisplays the drawing asks for are not wanted.
    const CanvasPaintScope painting;
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    view.drawRect(painter, view.viewBounds());
}

void ControllerCanvasHost::designMayHaveChanged()
{
    m_controller.designSession().scheduleCheck();
}

void ControllerCanvasHost::dropSelection(int side)
{
    m_controller.graphicView(side == 1 ? SKTDocument::BackSide : SKTDocument::FrontSide)->dropSelection();
}

int ControllerCanvasHost::sideInForce() const
{
    return Card_Front_Or_Back == 1 ? 1 : 0;
}

bool ControllerCanvasHost::hasVisitorTextField(const QString& ctrlId) const
{
    return Get_text_box_of_visitor_mode(ctrlId) != nullptr;
}

void ControllerCanvasHost::setVisitorFieldEnabled(const QString& ctrlId, bool enabled)
{
    if (QLineEdit* field = Get_text_box_of_visitor_mode(ctrlId))
        SetObjEnabled(field, enabled);
    if (QCheckBox* check = Get_chk_box_of_visitor_mode(ctrlId))
        SetObjEnabled(check, enabled);
}

void ControllerCanvasHost::focusVisitorTextField(const QString& ctrlId)
{
    if (QLineEdit* field = Get_text_box_of_visitor_mode(ctrlId))
        field->setFocus();
}

void ControllerCanvasHost::releaseVisitorField(const QString& ctrlId)
{
    if (QCheckBox* check = Get_chk_box_of_visitor_mode(ctrlId))
        check->setChecked(false);
    if (QLineEdit* field = Get_text_box_of_visitor_mode(ctrlId)) {
        // A visitor's value the card no longer shows is neither shown nor registered; undo brings
        // the element back with its value, and the panel's with it. A group field keeps showing
        // its record's cell, which a saved record then writes back unchanged.
        if (Start_Card_Option == QLatin1String("V"))
            field->clear();
        field->setReadOnly(true);
        field->setEnabled(false);
    }
}

bool ControllerCanvasHost::Fill_User_Profile() const
{
    // Only while a fill runs: a confirmed profile must not take undo from the user's later edits.
    return Profile_Fill_Running;
}

void ControllerCanvasHost::Card_Prop_Clicked()
{
    ::Card_Prop_Clicked(m_controller);
}

void ControllerCanvasHost::Card_Bckgrnd_Clicked()
{
    ::Card_Bckgrnd_Clicked(m_controller);
}

void ControllerCanvasHost::Export_Button()
{
    ::Export_Button(m_controller);
}

void ControllerCanvasHost::Export_As_Template_Clicked()
{
    ::Export_As_Template_Clicked(m_controller);
}

void ControllerCanvasHost::Mail_Button()
{
    ::Mail_Button(m_controller);
}

void ControllerCanvasHost::Print_Button()
{
    ::Print_Button(m_controller);
}

namespace {

QImage loadedOr(const QImage& loaded, const QImage& standIn)
{
    return loaded.isNull() ? standIn : loaded;
}

}  // namespace

QImage ControllerCanvasHost::no_image() const
{
    return loadedOr(m_controller.pictures.no_image, placeholderPicture(PlaceholderPicture::NoImage));
}

QImage ControllerCanvasHost::no_image_ctrl_GP() const
{
    return loadedOr(m_controller.pictures.no_image_ctrl_GP, no_image());
}

QImage ControllerCanvasHost::barcode_sample_img() const
{
    return loadedOr(m_controller.pictures.barcode_sample_img, placeholderPicture(PlaceholderPicture::BarcodeSample));
}

QImage ControllerCanvasHost::sign_sample_img() const
{
    return loadedOr(m_controller.pictures.sign_sample_img, placeholderPicture(PlaceholderPicture::SignatureSample));
}

QImage ControllerCanvasHost::fp_sample_img() const
{
    return loadedOr(m_controller.pictures.fp_sample_img, placeholderPicture(PlaceholderPicture::FingerprintSample));
}

// ---- Visitor and group side panels ---------------------------------------------------------------

int ControllerCanvasHost::Get_Excel_Coulmn_Index_According_ID(const QString& ctrlId) const
{
    return m_controller.liveModes().Get_Excel_Coulmn_Index_According_ID(ctrlId);
}

void ControllerCanvasHost::Set_User_Image_Control(int side, const QString& path, const QImage& picture,
                                                  const QString& ctrlId)
{
    m_controller.liveModes().showPictureOfElement(side, path, picture, ctrlId);
}

ProfileSidePanel* ControllerCanvasHost::profilePanel(int side)
{
    return &m_controller.liveModes().panel(side);
}

QWidget* ControllerCanvasHost::Get_Dynamic_Photo_Ctrl(const QString& ctrlId)
{
    return m_controller.liveModes().Get_Dynamic_Photo_Ctrl(ctrlId);
}

QCheckBox* ControllerCanvasHost::Get_chk_box_of_visitor_mode(const QString& ctrlId) const
{
    return m_controller.liveModes().Get_chk_box_of_visitor_mode(ctrlId);
}

QLineEdit* ControllerCanvasHost::Get_text_box_of_visitor_mode(const QString& ctrlId) const
{
    return m_controller.liveModes().Get_text_box_of_visitor_mode(ctrlId);
}

void ControllerCanvasHost::sideRebuiltFromSnapshot(int side)
{
    m_controller.liveModes().Show_Chosen_Record_After_Rebuild(side);
}

void ControllerCanvasHost::userRowsFollowSide(int side)
{
    m_controller.liveModes().userRowsFollowCard(side);
}

// A locked element's fields cannot be typed into; an unlocked one's follow its shown box.
void ControllerCanvasHost::Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK()
{
    if (Not_Draw_Only_Prop_Change || !isVisitorOrGroupMode())
        return;
    LiveModePanels& panels = m_controller.liveModes();
    Profile_Side_Panel& panel = panels.panel(Card_Front_Or_Back == 1 ? 1 : 0);
    const GraphicList& elements =
        Card_Front_Or_Back == 1 ? m_controller.Get_Back_Controls_Array() : m_controller.Get_Front_Controls_Array();
    for (const GraphicPtr& element : elements) {
        if (element->kind() != GraphicKind::Text && element->kind() != GraphicKind::Image)
            continue;
        const QString& id = element->control_ID;
        const bool unlocked = !element->ctrl_is_locked;
        if (id == QLatin1String("Fup_Date"))
            panel.date_manual_chk()->setEnabled(unlocked);
        else if (id == QLatin1String("Fup_Time"))
            panel.time_manual_chk()->setEnabled(unlocked);
        QCheckBox* check = panel.checkBox(id);
        QLineEdit* field = panel.textBox(id);
        if (check)
            check->setEnabled(unlocked);
        if (field)
            field->setEnabled(unlocked && ((check && check->isChecked()) || element->ctrl_is_visible));
    }
}

void ControllerCanvasHost::showPicture(QWidget* view, const QImage& picture)
{
    // A field without a picture looks as a new one does.
    Profile_Side_Panel::showPicture(view, picture.isNull() ? no_image_ctrl_GP() : picture);
}
