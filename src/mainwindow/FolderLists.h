#pragma once
// Folder and file lists (the list of series is in data/SeriesFiles.h) and the clean-up of a folder. Every list is sorted by
// name, ignoring case, and leaves out hidden entries (names starting with a dot): the order the
// file system gives is arbitrary on Linux.
#include <QString>
#include <QStringList>

#include "data/SeriesFiles.h"

class SKTDocument;

// Names of the folders directly inside the folder; empty when the path is no folder.
QStringList Get_Folder_Array_At_Path(const QString& folder);
// Names of the files directly inside the folder, without their extension when del_ext is set;
// empty when the path is no folder.
QStringList Get_Files_Array_At_Path(const QString& folder, bool del_ext);
// The names of the pattern pictures of the resource folder, which the pattern lists offer.
QStringList Get_Hatch_Style_Names();
// Every folder at any depth below the folder, as paths relative to it. Symbolic links to folders
// are listed but not entered, so a link loop cannot trap the walk.
QStringList Get_Folders_And_Sub_Folder_Array_At_Path(const QString& folder);

// Deletes every file directly inside the folder whose extension is not "did" (in any case);
// sub-folders are left alone. Only folders inside the user folder or inside the program's private
// temporary folder are cleaned: any other folder is refused (false, logged) and left untouched.
bool Filter_Non_Log_Files_At_Path(const QString& folder);

// Whether a series is bound to a text, picture or barcode element of the design: of the front, and
// of the back when the card has two sides. A series whose file is gone is not in use.
bool Check_Batch_File_In_Use_Validation(const QString& name, const SKTDocument& document);
