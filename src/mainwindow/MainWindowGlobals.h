#pragma once
// Program-wide state owned by the main window controller and read everywhere.
#include <QString>
#include <atomic>

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
