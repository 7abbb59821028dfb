#pragma once
// The main window's answers to the canvases: side snapshots with the Undo and Redo commands,
// locking with its button states, the current tool and the command buttons the canvases switch.
// What the window does not have yet (the side panels and the secondary windows) answers as an
// empty window would: no field, no column.
#include <QString>

#include "mainwindow/SnapshotUndo.h"
#include "mainwindow/SnapshotUndoWindow.h"
#include "views/barcodes/BarcodeWindowCanvas.h"
#include "views/canvas/CanvasHost.h"

class QAction;
class SKTGraphicView;
class SKTWindowController;

class ControllerCanvasHost : public CanvasHost, public SnapshotUndoWindow, public BarcodeWindowCanvas {
public:
    // Connects the Undo and Redo commands of the controller's window.
    explicit ControllerCanvasHost(SKTWindowController& controller);

    SnapshotUndo& snapshotUndo() { return m_undo; }

    // ---- CanvasHost ---------------------------------------------------------------------------
    // The inspector's dispatch; both seams meet here.
    void Show_RHS_Properties(SKTGraphic* graphic) override;
    void Refresh_Canvas() override;
    float Frame_Field_Value(FrameField field) const override;
    void Insert_In_Undo_Redo() override { m_undo.Insert_In_Undo_Redo(); }
    void Undo_Redo_Button_state() override { m_undo.Check_Undo_Redo_Btn_Enability(); }
    // In a group project, typing over the record shown that is not saved is asked about first.
    void Undo_Action_Perform() override;
    void Redo_Action_Perform() override;
    int Selected_Control_Tool() const override { return m_tool; }
    // Also checks the tool's button.
    void Set_Selected_Control_Tool(int tool) override;
    std::optional<GraphicKind> currentGraphicClass() const override { return graphicKindForTool(m_tool); }
    void Set_Same_Size_Buttons_Enabled(bool enabled) override;
    void Set_Natural_And_Fit_Buttons_Enabled(bool enabled) override;
    void Set_Paste_Button_Status() override;
    // Undo and Redo as the window's own commands stand; every other item is the canvas's to judge.
    bool Get_Menu_Status(const QString& menuAction) const override;
    // The pictures the window loaded; grey tiles for any the resources lack.
    QImage no_image() const override;
    QImage barcode_sample_img() const override;
    QImage sign_sample_img() const override;
    QImage fp_sample_img() const override;
    // Card_Front_Or_Back.
    int sideInForce() const override;
    bool Fill_User_Profile() const override;
    int Get_Excel_Coulmn_Index_According_ID(const QString& ctrlId) const override;
    // Nothing to re-point: record fills and output runs take the side's list from the document
    // when they act, so no list of a side is kept between them.
    void Set_Graphics_array_Batch_To_Current_Side() override {}
    // The side panels' fields, through the panels' own lookups below.
    bool hasVisitorTextField(const QString& ctrlId) const override;
    void setVisitorFieldEnabled(const QString& ctrlId, bool enabled) override;
    void focusVisitorTextField(const QString& ctrlId) override;
    void releaseVisitorField(const QString& ctrlId) override;
    // The panel of the side shows the picture element's picture, where the element is one the
    // panel shows.
    void Set_User_Image_Control(int side, const QString& path, const QImage& picture, const QString& ctrlId) override;
    // The inspector's barcode page opens it.
    void Open_Barcode_Window() override;
    void Card_Prop_Clicked() override;
    void Card_Bckgrnd_Clicked() override;
    void Export_Button() override;
    void Export_As_Template_Clicked() override;
    void Mail_Button() override;
    void Print_Button() override;
    void Lock_Clicked() override;
    void Unlock_Clicked() override;

    // ---- BarcodeWindowCanvas --------------------------------------------------------------------
    void Set_Selected_Graphic(const SKTGraphic& element) override;
    int recordOnCard() const override;

    // The toolbar's edit, order, lock and align buttons for a selected element, an unlocked
    // one, a locked one and the card side.
    void Enable_Standard_Button_For_Control();
    void Enable_Standard_Button_For_Unlock();
    void Disable_Standard_Button_For_Lock();
    void Disable_Standard_Button_For_Card();

    // ---- SnapshotUndoWindow -------------------------------------------------------------------
    void setUndoControlsEnabled(bool enabled) override;
    void setRedoControlsEnabled(bool enabled) override;
    void dropSelection(int side) override;
    void designMayHaveChanged() override;
    void settleDrawnValues(int side) override;
    QImage no_image_ctrl_GP() const override;
    void sideRebuiltFromSnapshot(int side) override;
    void userRowsFollowSide(int side) override;
    void Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK() override;
    ProfileSidePanel* profilePanel(int side) override;
    QWidget* Get_Dynamic_Photo_Ctrl(const QString& ctrlId) override;
    QCheckBox* Get_chk_box_of_visitor_mode(const QString& ctrlId) const override;
    QLineEdit* Get_text_box_of_visitor_mode(const QString& ctrlId) const override;
    void showPicture(QWidget* view, const QImage& picture) override;

private:
    QAction* action(const char* name) const;
    void setActionsEnabled(std::initializer_list<const char*> names, bool enabled);
    // Sets the lock flag of the edited side's selected elements; false when none is selected.
    bool setSelectionLocked(bool locked);

    SKTWindowController& m_controller;
    SnapshotUndo m_undo;
    int m_tool = 0;
};
