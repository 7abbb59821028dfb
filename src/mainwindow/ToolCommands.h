#pragma once
// The main window's tool bar. Pressing a tool creates its element at once on the side being
// edited, at a default size and the next free place; the canvas then returns to the arrow. Only
// the picture tools can be left chosen: when their picture chooser is cancelled, the next press
// on the canvas draws the element instead.
#include <QString>

class SKTWindowController;

// The picture the library chose last (valid after an answer of 1).
extern QString lib_window_sel_file;

// Sets the tool and runs Select_tool_action.
void Arrow_Tool_Clicked(SKTWindowController& controller);
void Line_Tool_Clicked(SKTWindowController& controller);
void Text_Tool_Clicked(SKTWindowController& controller);
void Rect_Tool_Clicked(SKTWindowController& controller);
void Circle_Tool_Clicked(SKTWindowController& controller);
void Round_Rect_Tool_Clicked(SKTWindowController& controller);
void Triangle_Tool_Clicked(SKTWindowController& controller);
void Diamond_Tool_Clicked(SKTWindowController& controller);
void Image_Tool_Clicked(SKTWindowController& controller);
void Image_Library_Tool_Clicked(SKTWindowController& controller);
void Barcode_Tool_Clicked(SKTWindowController& controller);
void Signature_Tool_Clicked(SKTWindowController& controller);
void Fingure_Print_Tool_Clicked(SKTWindowController& controller);
void Star_Tool_Clicked(SKTWindowController& controller);
void Double_Star_Tool_Clicked(SKTWindowController& controller);
void Polygon_Tool_Clicked(SKTWindowController& controller);

// Applies the current tool, redisplays the edited side, fills the inspector for its current
// element and gives that canvas the keyboard focus.
void Select_tool_action(SKTWindowController& controller);
// Creates the element of the current tool on the edited side; nothing for the arrow, or when a
// picture tool's chooser is cancelled (the tool then stays chosen).
void selectedToolDidChange(SKTWindowController& controller);

// Not a tool: shows the card's pages of the inspector with the border page in front.
void Watermark_Tool_Clicked(SKTWindowController& controller);

// Lets the user pick one picture file of the accepted types. True, with the path in
// Library_Selected_Image, for a file that reads as a picture; otherwise Library_Selected_Image is
// emptied, and a file that is no readable picture is refused with a message.
bool Browse_User_Image_Manually(SKTWindowController& controller);

// Runs the picture library (views/photos/PhotoWindows.h) for a purpose ("C" a picture for an
// element, "B" a card background): 1 with the chosen path in lib_window_sel_file, anything else
// means cancelled.
int Open_Image_Library_Window(const QString& purpose);

// Connects each tool button of the window to its press.
void Connect_Tool_Commands(SKTWindowController& controller);
