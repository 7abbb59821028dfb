#pragma once
// A main window for the inspector's tests: two card records, element lists per side, a canvas of
// a chosen size, real front and back canvases over a document, and counts of what the inspector
// asked for. The selection is `selection` when set, else the edited canvas's.
#include <QStringList>

#include "model/Card_Property.h"
#include "model/SKTDocument.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTGrid.h"
#include "views/inspector/InspectorWindow.h"

class FakeInspectorWindow : public InspectorWindow {
public:
    int side = 0;
    GraphicList selection;
    GraphicList front, back;
    Card_Property frontRecord, backRecord;
    QRectF canvas{0, 0, 242.65, 153.07};
    QStringList calls;  // the button operations and other commands, in order
    int refreshes = 0;
    int libraryAnswer = 0;
    QString libraryFile;
    QString templatePath;
    QStringList templatesRead;

    FakeInspectorWindow()
    {
        frontView.setList(&document, SKTDocument::FrontSide);
        backView.setList(&document, SKTDocument::BackSide);
    }

    int sideInForce() const override { return side; }
    GraphicList selectedGraphics() const override
    {
        return selection.isEmpty() ? editedCanvas().selectedGraphics() : selection;
    }
    void Clear_Control_Selection() override { calls << QStringLiteral("Clear_Control_Selection"); }
    void selectArrowTool() override { calls << QStringLiteral("selectArrowTool"); }

    void Enable_Standard_Button_For_Control() override { calls << QStringLiteral("Control"); }
    void Enable_Standard_Button_For_Unlock() override { calls << QStringLiteral("Unlock"); }
    void Disable_Standard_Button_For_Lock() override { calls << QStringLiteral("Lock"); }
    void Disable_Standard_Button_For_Card() override { calls << QStringLiteral("Card"); }
    void Set_Natural_And_Fit_Buttons_Enabled(bool enabled) override
    {
        calls << (enabled ? QStringLiteral("NaturalOn") : QStringLiteral("NaturalOff"));
    }

    Card_Property& cardRecord(int which) override { return which == 0 ? frontRecord : backRecord; }
    GraphicList graphicsOfSide(int which) const override { return which == 0 ? front : back; }
    QRectF frontCanvasBounds() const override { return canvas; }
    void Refresh_Canvas() override { ++refreshes; }
    void Set_Log_Name_In_Title() override { calls << QStringLiteral("Title"); }
    void Select_front_side() override
    {
        side = 0;
        calls << QStringLiteral("Select_front_side");
    }
    void setBackSideCommandsEnabled(bool enabled) override
    {
        calls << (enabled ? QStringLiteral("BackOn") : QStringLiteral("BackOff"));
    }
    QStringList Allowd_Image_fileTypes() const override { return {QStringLiteral("png"), QStringLiteral("jpg")}; }
    int Open_Image_Library_Window(const QString&) override { return libraryAnswer; }
    QString lib_window_sel_file() const override { return libraryFile; }

    void Set_Canvas_to_100_percent() override { calls << QStringLiteral("100%"); }
    void applyCanvasSize(QSizeF points) override { canvas.setSize(points); }
    bool hasEditsSinceStart() const override { return edited; }
    void Restart_Undo_History_After_Resize() override { calls << QStringLiteral("RestartHistory"); }
    QString Project_File_Name() const override { return {}; }
    QString Selected_Template_Path() const override { return templatePath; }
    int readTemplate(const QString& path) override
    {
        templatesRead << path;
        return 1;
    }
    // 85.6 x 54 mm landscape for every row, portrait for "V"; row -1 is 30 x 30.
    QSizeF Get_My_card_Size(const QString&, const QString& orientation, int row) const override
    {
        if (row < 0)
            return {30, 30};
        return orientation == QLatin1String("V") ? QSizeF(54, 85.6) : QSizeF(85.6, 54);
    }
    QStringList pvc_card_arry() const override { return {QStringLiteral("CR80")}; }
    QStringList paper_card_arry() const override { return {QStringLiteral("A6")}; }

    void Insert_In_Undo_Redo() override { ++snapshots; }
    // A typing run counts once, at its first key.
    void Record_Typing_In_Undo_Redo(bool continuesRun) override { snapshots += continuesRun ? 0 : 1; }
    GraphicPtr Get_Selected_Graphic() const override { return editedCanvas()._Selected_Graphic; }
    SKTGraphicView& editedCanvas() const override { return side == 0 ? frontView : backView; }
    SKTGraphicView& frontCanvas() const override { return frontView; }
    SKTGrid& grid() const override { return canvasGrid; }
    void Set_User_Image_Control(int whichSide, const QString& path, const QImage&, const QString& ctrlId) override
    {
        calls << QStringLiteral("SidePanel %1 %2 %3").arg(whichSide).arg(path, ctrlId);
    }
    void pictureOfElementChanged(int whichSide, const QString& path, const QImage&, const QString& ctrlId) override
    {
        calls << QStringLiteral("PictureChanged %1 %2 %3").arg(whichSide).arg(path, ctrlId);
    }
    void panelFieldFollowsBarcode(int, const SKTGraphic&) override {}

    SKTDocument document;
    mutable SKTGraphicView frontView, backView;
    mutable SKTGrid canvasGrid;
    int snapshots = 0;
    bool edited = false;
};
