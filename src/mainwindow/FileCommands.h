#pragma once
// The main window's commands on the design file as a whole: new, open, close, save, save as and
// quit. Each question before a command that drops the design answers Yes (save first), No (go on
// without saving) or Cancel (stop).
class SKTWindowController;

// Resets to an empty design with default card settings and no file, then runs the start chooser.
// False when the chooser was cancelled; a running application then quits.
bool New_Project(SKTWindowController& controller);
void New_Btn_Clicked(SKTWindowController& controller);
// True when a design was loaded; otherwise the start chooser has run.
bool Open_Btn_Clicked(SKTWindowController& controller);
void Close_Document_Clicked(SKTWindowController& controller);
// Writes to the current design file; without one it asks for a location as Save As does.
// True when the file was written.
bool Save_Btn_Clicked(SKTWindowController& controller);
bool SaveAs_Btn_Clicked(SKTWindowController& controller);
// True when the user confirmed that the application should quit.
bool Exit_App(SKTWindowController& controller);

// Enables the File menu's New, Open, Close, Save and Save As items and connects them; closing
// the window goes through Exit_App.
void Connect_File_Commands(SKTWindowController& controller);
