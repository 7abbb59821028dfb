#include "platform/AppContext.h"

QString Resource_Path;
QString Created_Resource_Path;
QString Data_Folder_Path;
QString Text_Ctrl_Font = QStringLiteral("DejaVu Sans");
double Text_Ctrl_Font_Size = 12.0;
int Measument_Unit_Is = 2;
int last_unit_val = 2;
const QString default_file_name = QStringLiteral("Untitled");
QString Start_Card_Option = QStringLiteral("T");  // before the chooser first answers
QString Library_Selected_Image;
QString Invite_Title, Invite_To, Invite_Message, Invite_Date, Invite_Time, Invite_Venue, Invite_From;
QString Invite_Frame_Pic_IMG, Invite_Frame_IMG;
QString CARD_SIDE_STR = QStringLiteral("2");
bool Not_Draw_Only_Prop_Change = false;
