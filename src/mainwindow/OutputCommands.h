#pragma once
// The main window's commands that send the design out or open another subsystem's window
// (export, print, mail, the series and import windows, the cropping tool, the profile window),
// the steps around every output run, and the card commands of the canvas menu. Windows that are
// not built yet say so plainly.
#include <QString>

#include "views/print/PrinterCatalog.h"

class SKTWindowController;

// Before an output run: remember both sides' elements, so the run may fill them in freely.
void Set_Front_Back_Value_To_Print_Export_Mail(SKTWindowController& controller);
// After an output run: record values are no longer being assigned to the side in force.
void Set_Graphic_Array_According_Side(SKTWindowController& controller);
// Record 0 on both sides of the design, bound into fresh copies that take the elements' places,
// so that the canvas shows the first values; in group mode the group list marks its first row.
// A first record that cannot be shown whole changes nothing and says why.
void Select_first_row_value_for_design(SKTWindowController& controller);

void Export_Button(SKTWindowController& controller);
// "No printer found." without a printer; otherwise the print window, with the design backed up
// before and rebuilt after, on the side that was in force.
void Print_Button(SKTWindowController& controller);
// The mail window over the design, backed up before and rebuilt after like a print.
void Mail_Button(SKTWindowController& controller);
// The mail settings window over the user's settings.
void Mail_Settings_Button(SKTWindowController& controller);
void Batch_Series_Button(SKTWindowController& controller);
void Import_Wizard_Button(SKTWindowController& controller);
void Create_Series_Button(SKTWindowController& controller);
void Cropping_Tool_Clicked(SKTWindowController& controller);
void User_Profile_Button_Clicked(SKTWindowController& controller);
// The card's pages in the inspector.
void Card_Prop_Clicked(SKTWindowController& controller);
// A background picture from the picture library for the side in force.
void Card_Bckgrnd_Clicked(SKTWindowController& controller);

// Adds the output and data commands to the File menu.
void Connect_Output_Commands(SKTWindowController& controller);
