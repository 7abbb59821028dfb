#pragma once
#include <QString>
#include <QUrl>
#include <functional>

// Makes the folder with its missing parents (mode 0777 less the umask). True when anything
// already exists at the path, else whether the folder could be made.
bool Create_Folder(const QString& path);
// Takes every permission of group and others off an existing file or folder (a symbolic link is
// left alone); true when nothing is left for them or nothing is there.
bool Restrict_To_Owner(const QString& path);
// A name read from a file that stays inside the folder it is joined to: not empty, not "." or
// "..", and without "/" or NUL. A "\" is an ordinary character of a file name here.
bool isPlainFileName(const QString& name);
// A name the user typed for a file of ours, trimmed and without the characters no file name may
// hold on any of the systems the file may be copied to.
QString Clean_File_Name(const QString& typed);
// Remove the item at the path with everything inside it; a failed removal is ignored.
void Delete_File(const QString& path);
void Delete_Folder(const QString& path);
// Makes the resource and user folder layout where it is missing, sets Cropped_Img_Path and
// print_profile_path, and seeds the user's Default.zvp once.
void Check_Path_And_Create_Files();
// Opens Help.pdf of the resource folder with the desktop's viewer; says so when the file is
// missing or no viewer could take it, naming the file then so the user can open it.
void Open_Help_File();
// Hands a file to a viewer; false when none could take it.
using HelpFileViewer = std::function<bool(const QUrl&)>;
// Replaces the viewer Open_Help_File uses (tests); an empty one restores the desktop's.
void setHelpFileViewer(HelpFileViewer viewer);
