#pragma once
// Program-wide state owned by the main window controller. What lower layers read of it is in the
// application context (platform/AppContext.h).
#include <QString>
#include <atomic>

#include "model/CardFont.h"
#include "platform/AppContext.h"

class SKTWindowController;

extern SKTWindowController* Main_App_wnd;
extern std::atomic<int> Card_Front_Or_Back;  // 0 front, 1 back
extern QString Camera_Folder_Path;
extern QString Project_File_Name;
extern std::atomic<bool> Card_Value_In_Process;
extern CardFont DEFAULT_FONT;        // the system's general font; the fallback of unknown fonts
extern bool copy_card_design;        // set while a design is being copied onto the other side
extern bool Fill_User_Profile;       // the card-holder profile was confirmed for this design
extern int Camera_Capture_Count;
extern QString Camera_Capture_Image; // where the camera's last picture is saved
extern int export_card_counter;      // the number a single export proposes, "Card_1" first
