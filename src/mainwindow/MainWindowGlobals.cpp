#include "mainwindow/MainWindowGlobals.h"

SKTWindowController* Main_App_wnd = nullptr;
QString Start_Card_Option = QStringLiteral("T");  // before the chooser first answers
std::atomic<int> Card_Front_Or_Back{0};
QString Resource_Path;
QString Created_Resource_Path;
QString Data_Folder_Path;
QString Camera_Folder_Path;
QString Project_File_Name;
QString Library_Selected_Image;
QString Text_Ctrl_Font = QStringLiteral("DejaVu Sans");
double Text_Ctrl_Font_Size = 12.0;
int Measument_Unit_Is = 2;
int last_unit_val = 2;
std::atomic<bool> Card_Value_In_Process{false};
bool Not_Draw_Only_Prop_Change = false;
const QString default_file_name = QStringLiteral("Untitled");
CardFont DEFAULT_FONT{Text_Ctrl_Font, Text_Ctrl_Font_Size};
bool copy_card_design = false;
int Camera_Capture_Count = 1;
QString Camera_Capture_Image;
bool Fill_User_Profile = false;
