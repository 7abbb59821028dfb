#pragma once
// What the canvases ask of the main window: the inspector, the tool state, buttons, snapshots,
// the visitor and group side panels and the commands of the context menu. The main window
// implements it once it exists; until then, and in tests, a stand-in answers.
#include <QImage>
#include <QString>
#include <optional>

#include "canvas/model/SKTGraphic.h"

class QCheckBox;
class QLineEdit;
class QWidget;

class CanvasHost {
public:
    virtual ~CanvasHost() = default;

    // ---- Inspector and redisplay ----------------------------------------------------------
    // Fills the inspector for the element; nullptr shows the card's own properties.
    virtual void Show_RHS_Properties(SKTGraphic* graphic) = 0;
    // Redisplays the canvas of the side being edited.
    virtual void Refresh_Canvas() = 0;

    // ---- Snapshot undo ----------------------------------------------------------------------
    // Records the current side (the main window's side-snapshot undo).
    virtual void Insert_In_Undo_Redo() = 0;
    // Editing commands call this after an edit.
    virtual void Undo_Redo_Button_state() = 0;
    virtual void Undo_Action_Perform() = 0;
    virtual void Redo_Action_Perform() = 0;

    // ---- Tools --------------------------------------------------------------------------------
    // The tool number: 0 the arrow, 2 text, 3-7 and 13-15 shapes, 8 image, 9 library image,
    // 10 barcode, 11 signature, 12 fingerprint.
    virtual int Selected_Control_Tool() const = 0;
    // 0 puts the arrow back.
    virtual void Set_Selected_Control_Tool(int tool) = 0;
    // The kind the selected tool creates; none for the arrow.
    virtual std::optional<GraphicKind> currentGraphicClass() const = 0;

    // ---- Buttons ------------------------------------------------------------------------------
    // Make_same_width_btn and Make_same_height_btn.
    virtual void Set_Same_Size_Buttons_Enabled(bool enabled) = 0;
    // Make_natural_size_btn and fit_to_label_btn.
    virtual void Set_Natural_And_Fit_Buttons_Enabled(bool enabled) = 0;
    // The Paste button follows the clipboard.
    virtual void Set_Paste_Button_Status() = 0;

    // ---- Windows and placeholder pictures ---------------------------------------------------
    virtual void Open_Barcode_Window() = 0;
    virtual QImage no_image() const = 0;
    virtual QImage barcode_sample_img() const = 0;
    virtual QImage sign_sample_img() const = 0;
    virtual QImage fp_sample_img() const = 0;

    // ---- Work modes -------------------------------------------------------------------------
    // Set while the card-holder profile is applied: creation records no snapshots then.
    virtual bool Fill_User_Profile() const = 0;
    // The spreadsheet column chosen for a group-mode field, -1 for none.
    virtual int Get_Excel_Coulmn_Index_According_ID(const QString& ctrlId) const = 0;
    // Graphics_array_Batch becomes the controls of the side being edited.
    virtual void Set_Graphics_array_Batch_To_Current_Side() = 0;
    // The visitor and group side panels' fields for a control ID; nullptr where there is none.
    virtual QLineEdit* Get_text_box_of_visitor_mode(const QString& ctrlId) = 0;
    virtual QCheckBox* Get_chk_box_of_visitor_mode(const QString& ctrlId) = 0;
    virtual void SetFocus(QWidget* widget) = 0;
    // Puts a photo into the side panel of side 0 (front) or 1 (back).
    virtual void Set_User_Image_Control(int side, const QString& path, const QImage& picture,
                                        const QString& ctrlId) = 0;

    // ---- Inspector position and size fields -------------------------------------------------
    enum class FrameField { XPos, YPos, Width, Height };
    // The float value typed into frame_main_pic_X_pos, _Y_pos, _width or _height.
    virtual float Frame_Field_Value(FrameField field) const = 0;
    // A length from one display unit into another (0 inch, 1 cm, 2 mm).
    virtual double Get_Unit_Convertor(double value, int from, int into) const = 0;
    virtual double MM_to_Points_Convert(double millimetres) const = 0;

    // ---- Commands of the canvas menu ----------------------------------------------------------
    virtual void Lock_Clicked() = 0;
    virtual void Unlock_Clicked() = 0;
    virtual void Card_Prop_Clicked() = 0;
    virtual void Card_Bckgrnd_Clicked() = 0;
    virtual void Export_Button() = 0;
    virtual void Export_As_Template_Clicked() = 0;
    virtual void Mail_Button() = 0;
    virtual void Print_Button() = 0;
    // The window's own validation of a menu action ("undo:", "redo:").
    virtual bool Get_Menu_Status(const QString& action) const = 0;
};

// Answers while no main window exists: nothing to show, the arrow tool, no panels; the unit
// conversions are the real ones. Tests derive from it and override what they watch.
class CanvasHostStandIn : public CanvasHost {
public:
    void Show_RHS_Properties(SKTGraphic*) override {}
    void Refresh_Canvas() override {}
    void Insert_In_Undo_Redo() override {}
    void Undo_Redo_Button_state() override {}
    void Undo_Action_Perform() override {}
    void Redo_Action_Perform() override {}
    int Selected_Control_Tool() const override { return m_tool; }
    void Set_Selected_Control_Tool(int tool) override { m_tool = tool; }
    std::optional<GraphicKind> currentGraphicClass() const override;
    void Set_Same_Size_Buttons_Enabled(bool) override {}
    void Set_Natural_And_Fit_Buttons_Enabled(bool) override {}
    void Set_Paste_Button_Status() override {}
    void Open_Barcode_Window() override {}
    QImage no_image() const override;
    QImage barcode_sample_img() const override;
    QImage sign_sample_img() const override;
    QImage fp_sample_img() const override;
    bool Fill_User_Profile() const override { return false; }
    int Get_Excel_Coulmn_Index_According_ID(const QString&) const override { return -1; }
    void Set_Graphics_array_Batch_To_Current_Side() override {}
    QLineEdit* Get_text_box_of_visitor_mode(const QString&) override { return nullptr; }
    QCheckBox* Get_chk_box_of_visitor_mode(const QString&) override { return nullptr; }
    void SetFocus(QWidget*) override {}
    void Set_User_Image_Control(int, const QString&, const QImage&, const QString&) override {}
    float Frame_Field_Value(FrameField) const override { return 0.0f; }
    double Get_Unit_Convertor(double value, int from, int into) const override;
    double MM_to_Points_Convert(double millimetres) const override;
    void Lock_Clicked() override {}
    void Unlock_Clicked() override {}
    void Card_Prop_Clicked() override {}
    void Card_Bckgrnd_Clicked() override {}
    void Export_Button() override {}
    void Export_As_Template_Clicked() override {}
    void Mail_Button() override {}
    void Print_Button() override {}
    bool Get_Menu_Status(const QString&) const override { return true; }

    // The kind a tool number creates (none for the arrow and unknown numbers).
    static std::optional<GraphicKind> kindForTool(int tool);

private:
    int m_tool = 0;
};

// The host in use: a built-in stand-in until another is installed.
CanvasHost& canvasHost();
// Installs a host (not owned); nullptr restores the stand-in.
void setCanvasHost(CanvasHost* host);
