#pragma once
// The application context: what the layers below the main window read about the run instead of
// the main window's own state. The main window sets these at start-up (and the unit when the
// user picks another); the names are the ones the rest of the program has always used.
#include <QString>

extern QString Resource_Path;          // the folder of the pictures, templates and seeds we ship
extern QString Created_Resource_Path;  // the user's folder ("ZOVA ID Card" in the data folder)
extern QString Data_Folder_Path;       // the user's series ("DataSet")
extern QString Text_Ctrl_Font;         // name of the default text font
extern double Text_Ctrl_Font_Size;     // 12
extern int Measument_Unit_Is;          // the user's unit: 0 inch, 1 cm, 2 mm
// The unit the card size fields hold their values in; differs from Measument_Unit_Is only while
// the unit is being changed.
extern int last_unit_val;
extern const QString default_file_name;  // "Untitled"
// The run's work mode, chosen in the start chooser: "T", "W", "L", "V", "G" or empty.
extern QString Start_Card_Option;
// The visitor and group modes, whose side panels fill the elements that carry an identifier.
inline bool isVisitorOrGroupMode()
{
    return Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G");
}
// The picture file the user last chose with a picture tool or the picture library.
extern QString Library_Selected_Image;
// What the invitation wizard's OK leaves for the invitation design: its texts and the paths of
// the invitation photo (Pic) and of the frame picture; all empty until then.
extern QString Invite_Title, Invite_To, Invite_Message, Invite_Date, Invite_Time, Invite_Venue, Invite_From;
extern QString Invite_Frame_Pic_IMG, Invite_Frame_IMG;
// "2" for a two-sided card, "1" for the front only.
extern QString CARD_SIDE_STR;
// Set while code fills the controls of the windows, so their change handlers write nothing.
extern bool Not_Draw_Only_Prop_Change;

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
