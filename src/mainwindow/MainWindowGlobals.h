#pragma once
// Program-wide state owned by the main window controller and read everywhere.
#include <QString>
#include <atomic>

#include "canvas/model/CardFont.h"

class SKTWindowController;

extern SKTWindowController* Main_App_wnd;
extern QString Start_Card_Option;    // "T", "W", "L", "V", "G" or empty
extern std::atomic<int> Card_Front_Or_Back;  // 0 front, 1 back
extern QString Resource_Path;
extern QString Created_Resource_Path;
extern QString Data_Folder_Path;
extern QString Camera_Folder_Path;
extern QString Project_File_Name;
extern QString Library_Selected_Image;
extern QString Text_Ctrl_Font;       // name of the default text font
extern double Text_Ctrl_Font_Size;   // 12
extern int Measument_Unit_Is;        // 0 inch, 1 cm, 2 mm
extern int last_unit_val;
extern std::atomic<bool> Card_Value_In_Process;
extern bool Not_Draw_Only_Prop_Change;
extern const QString default_file_name;  // "Untitled"
extern CardFont DEFAULT_FONT;        // the system's general font; the fallback of unknown fonts
extern bool copy_card_design;
extern bool Fill_User_Profile;       // the card-holder profile was confirmed for this design        // set while a design is being copied onto the other side
extern int Camera_Capture_Count;
extern QString Camera_Capture_Image; // where the camera's last picture is saved

// Sets Not_Draw_Only_Prop_Change while code fills the controls, so their change handlers stay
// quiet, and restores it on every way out.
class NotDrawOnlyPropChangeGuard {
public:
    NotDrawOnlyPropChangeGuard() : m_previous(Not_Draw_Only_Prop_Change) { Not_Draw_Only_Prop_Change = true; }
    ~NotDrawOnlyPropChangeGuard() { Not_Draw_Only_Prop_Change = m_previous; }
    NotDrawOnlyPropChangeGuard(const NotDrawOnlyPropChangeGuard&) = delete;
    NotDrawOnlyPropChangeGuard& operator=(const NotDrawOnlyPropChangeGuard&) = delete;

private:
    bool m_previous;
};
