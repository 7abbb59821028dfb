#pragma once
// What the canvases ask of the main window, one concern per interface: the inspector, snapshot
// undo, the tools, the command buttons, the placeholder pictures, the work modes with their side
// panels, and the commands of the context menu. The main window implements them all; until it
// exists, and in tests, a stand-in answers.
#include <QImage>
#include <QString>
#include <optional>

#include "model/SKTGraphic.h"

class CanvasInspector {
public:
    virtual ~CanvasInspector() = default;
    // Fills the inspector for the element; nullptr shows the card's own properties.
    virtual void Show_RHS_Properties(SKTGraphic* graphic) = 0;
    // Redisplays the canvas of the side being edited.
    virtual void Refresh_Canvas() = 0;
    enum class FrameField { XPos, YPos, Width, Height };
    // The float value typed into frame_main_pic_X_pos, _Y_pos, _width or _height.
    virtual float Frame_Field_Value(FrameField field) const = 0;
};

// The main window's side-snapshot undo.
class CanvasUndo {
public:
    virtual ~CanvasUndo() = default;
    // Records the current side.
    virtual void Insert_In_Undo_Redo() = 0;
    // Editing commands call this after an edit.
    virtual void Undo_Redo_Button_state() = 0;
    virtual void Undo_Action_Perform() = 0;
    virtual void Redo_Action_Perform() = 0;
};

class CanvasTools {
public:
    virtual ~CanvasTools() = default;
    // The tool number: 0 the arrow, 2 text, 3-7 and 13-15 shapes, 8 image, 9 library image,
    // 10 barcode, 11 signature, 12 fingerprint.
    virtual int Selected_Control_Tool() const = 0;
    // 0 puts the arrow back.
    virtual void Set_Selected_Control_Tool(int tool) = 0;
    // The kind the selected tool creates; none for the arrow.
    virtual std::optional<GraphicKind> currentGraphicClass() const = 0;
};

class CanvasButtons {
public:
    virtual ~CanvasButtons() = default;
    // Make_same_width_btn and Make_same_height_btn.
    virtual void Set_Same_Size_Buttons_Enabled(bool enabled) = 0;
    // Make_natural_size_btn and fit_to_label_btn.
    virtual void Set_Natural_And_Fit_Buttons_Enabled(bool enabled) = 0;
    // The Paste button follows the clipboard.
    virtual void Set_Paste_Button_Status() = 0;
    // The window's own validation of a menu action ("undo:", "redo:").
    virtual bool Get_Menu_Status(const QString& action) const = 0;
};

// What new elements show until they get pictures of their own.
class CanvasPictures {
public:
    virtual ~CanvasPictures() = default;
    virtual QImage no_image() const = 0;
    virtual QImage barcode_sample_img() const = 0;
    virtual QImage sign_sample_img() const = 0;
    virtual QImage fp_sample_img() const = 0;
};

// The side being edited and the work mode's state.
class CanvasWorkModes {
public:
    virtual ~CanvasWorkModes() = default;
    // The side being edited: 0 front, 1 back.
    virtual int sideInForce() const = 0;
    // Set while the card-holder profile is applied: creation records no snapshots then.
    virtual bool Fill_User_Profile() const = 0;
    // The spreadsheet column chosen for a group-mode field, -1 for none.
    virtual int Get_Excel_Coulmn_Index_According_ID(const QString& ctrlId) const = 0;
    // Graphics_array_Batch becomes the controls of the side being edited.
    virtual void Set_Graphics_array_Batch_To_Current_Side() = 0;
};

// The visitor and group side panels' fields, found by the control ID of their element.
class VisitorFields {
public:
    virtual ~VisitorFields() = default;
    // Whether the panels have a text field for the control.
    virtual bool hasVisitorTextField(const QString& ctrlId) const = 0;
    // Enables or disables the control's text field and its check box.
    virtual void setVisitorFieldEnabled(const QString& ctrlId, bool enabled) = 0;
    virtual void focusVisitorTextField(const QString& ctrlId) = 0;
    // The element is gone: its check box is cleared, its text field read-only and disabled.
    virtual void releaseVisitorField(const QString& ctrlId) = 0;
    // Puts the picture of the element with the identifier into the side panel of side 0 (front)
    // or 1 (back); an empty path when the element is deleted.
    virtual void Set_User_Image_Control(int side, const QString& path, const QImage& picture,
                                        const QString& ctrlId) = 0;
};

// The commands of the canvas menu that belong to the window.
class CanvasMenuCommands {
public:
    virtual ~CanvasMenuCommands() = default;
    virtual void Lock_Clicked() = 0;
    virtual void Unlock_Clicked() = 0;
    virtual void Card_Prop_Clicked() = 0;
    virtual void Card_Bckgrnd_Clicked() = 0;
    virtual void Export_Button() = 0;
    virtual void Export_As_Template_Clicked() = 0;
    virtual void Mail_Button() = 0;
    virtual void Print_Button() = 0;
    virtual void Open_Barcode_Window() = 0;
};

class CanvasHost : public CanvasInspector,
                   public CanvasUndo,
                   public CanvasTools,
                   public CanvasButtons,
                   public CanvasPictures,
                   public CanvasWorkModes,
                   public VisitorFields,
                   public CanvasMenuCommands {
};

// The kind a tool number creates (none for the arrow and unknown numbers).
std::optional<GraphicKind> graphicKindForTool(int tool);

// Plain grey tiles for the pictures the window would load.
enum class PlaceholderPicture { NoImage, BarcodeSample, SignatureSample, FingerprintSample };
QImage placeholderPicture(PlaceholderPicture which);

// Answers while no main window exists: nothing to show, the arrow tool, no panels. Tests derive
// from it and override what they watch.
class CanvasHostStandIn : public CanvasHost {
public:
    void Show_RHS_Properties(SKTGraphic*) override {}
    void Refresh_Canvas() override {}
    float Frame_Field_Value(FrameField) const override { return 0.0f; }
    void Insert_In_Undo_Redo() override {}
    void Undo_Redo_Button_state() override {}
    void Undo_Action_Perform() override {}
    void Redo_Action_Perform() override {}
    int Selected_Control_Tool() const override { return m_tool; }
    void Set_Selected_Control_Tool(int tool) override { m_tool = tool; }
    std::optional<GraphicKind> currentGraphicClass() const override { return graphicKindForTool(m_tool); }
    void Set_Same_Size_Buttons_Enabled(bool) override {}
    void Set_Natural_And_Fit_Buttons_Enabled(bool) override {}
    void Set_Paste_Button_Status() override {}
    bool Get_Menu_Status(const QString&) const override { return true; }
    QImage no_image() const override { return placeholderPicture(PlaceholderPicture::NoImage); }
    QImage barcode_sample_img() const override { return placeholderPicture(PlaceholderPicture::BarcodeSample); }
    QImage sign_sample_img() const override { return placeholderPicture(PlaceholderPicture::SignatureSample); }
    QImage fp_sample_img() const override { return placeholderPicture(PlaceholderPicture::FingerprintSample); }
    int sideInForce() const override { return m_side; }
    bool Fill_User_Profile() const override { return false; }
    int Get_Excel_Coulmn_Index_According_ID(const QString&) const override { return -1; }
    void Set_Graphics_array_Batch_To_Current_Side() override {}
    bool hasVisitorTextField(const QString&) const override { return false; }
    void setVisitorFieldEnabled(const QString&, bool) override {}
    void focusVisitorTextField(const QString&) override {}
    void releaseVisitorField(const QString&) override {}
    void Set_User_Image_Control(int, const QString&, const QImage&, const QString&) override {}
    void Lock_Clicked() override {}
    void Unlock_Clicked() override {}
    void Card_Prop_Clicked() override {}
    void Card_Bckgrnd_Clicked() override {}
    void Export_Button() override {}
    void Export_As_Template_Clicked() override {}
    void Mail_Button() override {}
    void Print_Button() override {}
    void Open_Barcode_Window() override {}

protected:
    int m_tool = 0;
    int m_side = 0;
};

// The host in use: a built-in stand-in until another is installed.
CanvasHost& canvasHost();
// Installs a host (not owned); nullptr restores the stand-in.
void setCanvasHost(CanvasHost* host);
