#pragma once
// Small services of the main window that many parts of the program call: unit conversion, path
// checks, the resource path repair, the camera folder file and the picture loader. None of them
// needs the window itself.
#include <QImage>
#include <QString>
#include <QUrl>

#include "platform/ResourcePaths.h"

// Millimetres to points and back (computed in double precision).
float MM_to_Points_Convert(float millimetres);
float Points_to_MM_Convert(float points);

// A fixed toolkit version number. The program gates a few old-toolkit fallbacks on the version
// being below 1039; our toolkit has none of those limits, so the number always lies above it.
inline constexpr int kToolkitVersionNumber = 2000;
int Get_OS_Version();

// The local file path of a URL chosen in a file panel.
QString Convert_Path_From_URL(const QUrl& url);
// False when the trimmed path is not empty and something exists there. Otherwise shows
// "Please select valid file path." and answers true (true means invalid).
bool Check_And_Validate_File_Path(const QString& path);
inline const QString kInvalidFilePathMessage = QStringLiteral("Please select valid file path.");

// No size limit applies to pictures: always false.
bool Image_Is_Over_Size(const QString& path, bool show_msg);
// A preview of the picture file, at most 500 points on its longer side; null when no picture file
// is there. Qt draws no file icons, so as_icon changes nothing.
QImage Get_Image_For_Path(const QString& path, bool as_icon);

// Removes the spreadsheet unpacking folder; errors are ignored.
void Delete_Excel_File_Temp_Folder();

// The camera folder file: "idcardcampics.txt" in the user folder, holding one folder path.
QString Default_Camera_Path_File();
// Where camera pictures go without a chosen folder: "Images_save_by_user" in the user folder.
QString Default_Camera_Folder_Path();
// Replaces the file's content with the folder path (UTF-8, no line end). The old file stays whole
// when the write fails; false then, with the reason logged.
bool Create_Camera_Path_File(const QString& camera_path_file, const QString& folder);
// The folder the file names when that folder exists, else Default_Camera_Folder_Path().
QString Read_Camera_Folder_Path(const QString& camera_path_file);
