#pragma once
// The main window's answers to the property inspector: the side being edited and its
// selection, the toolbar buttons, the card records, the canvases' size and the template the
// design came from.
#include "views/inspector/InspectorWindow.h"

class SKTWindowController;

class ControllerInspectorLink final : public InspectorWindow {
public:
    explicit ControllerInspectorLink(SKTWindowController& controller) : m_controller(controller) {}

    int sideInForce() const override;
    GraphicList selectedGraphics() const override;
    void Clear_Control_Selection() override;
    void selectArrowTool() override;

    void Enable_Standard_Button_For_Control() override;
    void Enable_Standard_Button_For_Unlock() override;
    void Disable_Standard_Button_For_Lock() override;
    void Disable_Standard_Button_For_Card() override;
    void Set_Natural_And_Fit_Buttons_Enabled(bool enabled) override;

    Card_Property& cardRecord(int side) override;
    GraphicList graphicsOfSide(int side) const override;
    QRectF frontCanvasBounds() const override;
    void Refresh_Canvas() override;
    void Set_Log_Name_In_Title() override;
    void Select_front_side() override;
    // Also the side tab of the back.
    void setBackSideCommandsEnabled(bool enabled) override;
    QStringList Allowd_Image_fileTypes() const override;
    int Open_Image_Library_Window(const QString& purpose) override;
    QString lib_window_sel_file() const override;

    void Set_Canvas_to_100_percent() override;
    void applyCanvasSize(QSizeF points) override;
    bool hasEditsSinceStart() const override;
    void Restart_Undo_History_After_Resize() override;
    QString Project_File_Name() const override;
    QString Selected_Template_Path() const override;
    int readTemplate(const QString& path) override;
    QSizeF Get_My_card_Size(const QString& category, const QString& orientation, int row) const override;
    QStringList pvc_card_arry() const override;
    QStringList paper_card_arry() const override;

    void Insert_In_Undo_Redo() override;
    void Record_Typing_In_Undo_Redo(bool continuesRun) override;
    GraphicPtr Get_Selected_Graphic() const override;
    SKTGraphicView& editedCanvas() const override;
    SKTGraphicView& frontCanvas() const override;
    SKTGrid& grid() const override;
    void Set_User_Image_Control(int side, const QString& path, const QImage& picture, const QString& ctrlId) override;
    void pictureOfElementChanged(int side, const QString& path, const QImage& picture, const QString& ctrlId) override;
    void panelFieldFollowsBarcode(int side, const SKTGraphic& barcode) override;

private:
    SKTWindowController& m_controller;
};
