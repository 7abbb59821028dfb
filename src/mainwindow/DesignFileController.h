#pragma once
// The main window controller's share of design files: saving the open design and loading one
// into the live objects (the document's element lists, the card settings of both sides and the
// loaded data table). The window's own steps (panels, combo boxes, canvases, inspector) go
// through DesignFileWindow.
#include <QImage>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "data/SeriesFiles.h"
#include "designfile/DesignFile.h"
#include "designfile/DesignState.h"
#include "mainwindow/LoadedPicturePreviews.h"
#include "model/SKTDocument.h"

extern int load_log_ret_value;        // 1 when the last open loaded a design, 0 when not
extern int Load_log_flag;
extern QString curr_msg_count_str;    // what a progress display would show during a load

inline const QString kCorruptDesignFileMessage = QStringLiteral("File is corrupt and cannot be opened.");
inline const QString kDesignSavedMessage = QStringLiteral("File has been saved successfully.");
inline const QString kDesignNotSavedMessage =
    QStringLiteral("Unable to save file on this location please select any other location to save.");



// The window's steps around saving and loading a design. The main window implements it
// (WindowDesignFile); WindowlessDesignFile answers where no window takes part.
class DesignFileWindow {
public:
    virtual ~DesignFileWindow() = default;
    // 0 two sides, any other index front only.
    virtual int Sides_ComboBox_Index() const = 0;
    // Group mode: the group panel's values into the selected table row.
    virtual void Save_Group_Mode_List_Details_In_XL_Data_List() = 0;
    // Group mode: the project itself was just written; its workbook follows it.
    virtual void Group_Project_Saved() = 0;
    virtual void Set_Log_Name_In_Title() = 0;
    // A new project's reset: the window's steps around resetDesign, the design's own reset.
    virtual void New_Project_Setting_Reset(bool full, const std::function<void()>& resetDesign) = 0;
    // The sides a design read has (0 two sides, 1 front only): CARD_SIDE_STR, and with a window
    // the sides choice, the back's commands and the front edited when the back goes.
    virtual void Set_Card_Sides(int index) = 0;
    // The window's part of a load (side buttons, size fields, inspector, canvases), run last.
    virtual void Show_Loaded_Design() = 0;
};

// The sides choice as CARD_SIDE_STR holds it: 0 two sides, 1 front only.
int Sides_Index_Of_Card_Side_Str();

// No window takes part (tools, tests, the copy of a design onto the other side): the sides
// follow CARD_SIDE_STR and there is nothing to show.
class WindowlessDesignFile final : public DesignFileWindow {
public:
    int Sides_ComboBox_Index() const override { return Sides_Index_Of_Card_Side_Str(); }
    // No panel holds values to put into the records: the table is written as it stands.
    void Save_Group_Mode_List_Details_In_XL_Data_List() override {}
    // Never the project's own file (a tool's output or the copy's temporary file): the project's
    // workbook is not this file's to follow.
    void Group_Project_Saved() override {}
    // No title to show the file in; the copy onto the other side keeps the project's title.
    void Set_Log_Name_In_Title() override {}
    void New_Project_Setting_Reset(bool, const std::function<void()>& resetDesign) override { resetDesign(); }
    // The copy onto the other side reads back the sides it wrote, which the window shows already.
    void Set_Card_Sides(int index) override;
    // Nothing shown; the copy onto the other side has the panels follow the cards itself.
    void Show_Loaded_Design() override {}
};

class DesignFileController {
public:
    DesignFileController(SKTDocument& document, Card_Property& front, Card_Property& back, DesignFileWindow& window);
    DesignFileController(const DesignFileController&) = delete;
    DesignFileController& operator=(const DesignFileController&) = delete;

    GroupColumnBindings excel_cb_value = unboundGroupColumns();
    QList<DynamicControl> dynamic_ctrl_list_front;
    QList<DynamicControl> dynamic_ctrl_list_back;

    // The open design as the file will hold it. As saving does, first on the live objects: both
    // sides' Card_Side follow the sides choice, a side's background path is emptied unless its fill
    // is a picture ("I"), and in template form every element's data binding is cleared.
    DesignState Prepare_Design_State(bool templateForm);
    // Writes the design to the path, in template form ("T", no table) when log_or_template is "T".
    // In group mode the group panel's values go into the table first. With show_msg the outcome
    // is shown, a failure forgets Project_File_Name, and the title is refreshed. True when the
    // whole file was written; a failed write leaves any old file whole.
    bool Save_project_file(const QString& path, bool show_msg, const QString& log_or_template);

    // Reads the file into a fresh state; only a file that passes every check replaces the open
    // design (kind "L" design, "T" template; read_xl takes over the file's spreadsheet binding
    // and table). 1 when loaded; 0, with "File is corrupt and cannot be opened." and nothing
    // changed, when not.
    int Read_and_load_design_Log_NEW_METHOD(const QString& path, const QString& log_or_template, bool read_xl);
    // The loading steps after a successful read. The change guard Not_Draw_Only_Prop_Change and the
    // document's undo registration are restored on every way out.
    void Load_Design_State(DesignState state, const QString& path, const QString& log_or_template, bool read_xl);
    // Removes every table column but the first.
    void Delete_Excel_File_Column();
    // The reset of a new project, the window's steps around the design's own: no elements,
    // default card settings, no panel rows or group bindings, no file name, and with full also
    // no spreadsheet binding.
    void New_Project_Setting_Reset(bool full);

private:
    void resetDesign(bool full);
    Data_From_Excel& table() const;
    // Takes the state's rows.
    void Restore_Table(DesignState& state);
    void Make_Missing_Barcode_Picture(SKTGraphic& element);
    void Load_Read_Design(DesignState state, const QString& path, const QString& log_or_template, bool read_xl,
                          LoadedPicturePreviews& previews);
    void Prepare_Loaded_Elements(const GraphicList& elements, LoadedPicturePreviews& previews);
    void Apply_Card_Side(const QString& cardSide);
    QString Mode_After_Load(const QString& fileMode, const QString& log_or_template, bool read_xl) const;

    SKTDocument& m_document;
    Card_Property& m_front;
    Card_Property& m_back;
    DesignFileWindow& m_window;
};
