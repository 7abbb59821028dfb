#include "mainwindow/MainWindowGlobals.h"

SKTWindowController* Main_App_wnd = nullptr;
std::atomic<int> Card_Front_Or_Back{0};
QString Camera_Folder_Path;
QString Project_File_Name;
std::atomic<bool> Card_Value_In_Process{false};
// Set from the system font at start-up; the application context's default text font until then.
CardFont DEFAULT_FONT{QStringLiteral("DejaVu Sans"), 12.0};
bool copy_card_design = false;
int Camera_Capture_Count = 1;
QString Camera_Capture_Image;
// Counts on for the whole run: each single export and each name the user would not replace.
int export_card_counter = 1;
bool Fill_User_Profile = false;
