#pragma once
// What the property inspector asks of the main window, one concern per interface. The main
// window implements them all; tests implement them apart.
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include "model/SKTGraphic.h"

class Card_Property;
class SKTGraphicView;
class SKTGrid;

// The side being edited and its selection.
class InspectorSelection {
public:
    virtual ~InspectorSelection() = default;
    // 0 front, 1 back.
    virtual int sideInForce() const = 0;
    // The selected elements of the side being edited, in selection order.
    virtual GraphicList selectedGraphics() const = 0;
    virtual void Clear_Control_Selection() = 0;
    virtual void selectArrowTool() = 0;
};

// The toolbar's edit, order, lock and align buttons.
class InspectorButtons {
public:
    virtual ~InspectorButtons() = default;
    virtual void Enable_Standard_Button_For_Control() = 0;
    virtual void Enable_Standard_Button_For_Unlock() = 0;
    virtual void Disable_Standard_Button_For_Lock() = 0;
    virtual void Disable_Standard_Button_For_Card() = 0;
    // Make_natural_size_btn and fit_to_label_btn.
    virtual void Set_Natural_And_Fit_Buttons_Enabled(bool enabled) = 0;
};

// The card's two records and what shows them.
class InspectorCard {
public:
    virtual ~InspectorCard() = default;
    // Front_card_Prop for side 0, Back_card_Prop for any other.
    virtual Card_Property& cardRecord(int side) = 0;
    // The live element list of side 0 (front) or 1 (back).
    virtual GraphicList graphicsOfSide(int side) const = 0;
    virtual QRectF frontCanvasBounds() const = 0;
    virtual void Refresh_Canvas() = 0;
    virtual void Set_Log_Name_In_Title() = 0;
    // Switches editing to the front side.
    virtual void Select_front_side() = 0;
    // Back_Side_btn and copy_card_design_btn.
    virtual void setBackSideCommandsEnabled(bool enabled) = 0;
    // The picture extensions every picture chooser accepts.
    virtual QStringList Allowd_Image_fileTypes() const = 0;
    // The picture library for a background ("B"); 1 with the choice in lib_window_sel_file.
    virtual int Open_Image_Library_Window(const QString& purpose) = 0;
    virtual QString lib_window_sel_file() const = 0;
};

// The card's size: the canvases, the presets and the template the design came from.
class InspectorCardSize {
public:
    virtual ~InspectorCardSize() = default;
    virtual void Set_Canvas_to_100_percent() = 0;
    // The document and the front, back and preview canvases take the size (points).
    virtual void applyCanvasSize(QSizeF points) = 0;
    // Whether an edit of either side was recorded, undone or redone since the design started.
    virtual bool hasEditsSinceStart() const = 0;
    // After a new size moved the elements: the undo history starts afresh from the design as it
    // now stands, so that no Undo puts elements of the old size on the new card.
    virtual void Restart_Undo_History_After_Resize() = 0;
    virtual QString Project_File_Name() const = 0;
    virtual QString Selected_Template_Path() const = 0;
    // Reads a template into the design ("T", no spreadsheet); 1 when loaded.
    virtual int readTemplate(const QString& path) = 0;
    // The preset size in millimetres of a category ("PVC Card" or another), "H" or "V" and row.
    virtual QSizeF Get_My_card_Size(const QString& category, const QString& orientation, int row) const = 0;
    virtual QStringList pvc_card_arry() const = 0;
    virtual QStringList paper_card_arry() const = 0;
};

// What the element panels' writers and commands work on.
class InspectorEditing {
public:
    virtual ~InspectorEditing() = default;
    // One undo snapshot of the side being edited.
    virtual void Insert_In_Undo_Redo() = 0;
    // A key typed into a text: the first of a run is one undo step, and each later key of the
    // same run joins that step.
    virtual void Record_Typing_In_Undo_Redo(bool continuesRun) = 0;
    // The current element of the side being edited, or none.
    virtual GraphicPtr Get_Selected_Graphic() const = 0;
    // The canvas of the side being edited (its selection, arrange commands and position fields).
    virtual SKTGraphicView& editedCanvas() const = 0;
    // The front canvas.
    virtual SKTGraphicView& frontCanvas() const = 0;
    virtual SKTGrid& grid() const = 0;
    // Visitor and group modes: the side panel of side 0 (front) or 1 (back) shows a picture
    // element's picture.
    virtual void Set_User_Image_Control(int side, const QString& path, const QImage& picture,
                                        const QString& ctrlId) = 0;
    // Visitor and group modes: a crop or a reset gave the side's picture element this picture;
    // the side panel shows it, and a visitor's new photo is the photo of both sides.
    virtual void pictureOfElementChanged(int side, const QString& path, const QImage& picture,
                                         const QString& ctrlId) = 0;
    // Visitor mode: the barcode window gave the side's barcode a value; the panel's field whose
    // identifier the barcode carries, and the card's text of that field, show it too.
    virtual void panelFieldFollowsBarcode(int side, const SKTGraphic& barcode) = 0;
};

class InspectorWindow : public InspectorSelection,
                        public InspectorButtons,
                        public InspectorCard,
                        public InspectorCardSize,
                        public InspectorEditing {
};
