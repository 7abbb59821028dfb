#pragma once
// Picture paths of the program's resources in designs made here or by another installation.
#include <QString>

// A stored path into the resources of an application bundle (".app/Contents/Resources/"), as
// designs made on another machine hold, re-pointed to the same place in our resource folder
// (Resource_Path). The path is trimmed; any other path, and one that would climb out of the
// resource folder, is returned as it is. Any thread.
QString Check_Path_For_App_Resources(const QString& path);

// Whether the path names the resource file of that name in this installation's resource folder
// (whatever its name) or another's: the file in another folder named "resources" (any case) that
// is not on this machine or holds the same bytes as ours. A picture of the user's of that name is
// the user's, wherever it lies. Designs and workbooks keep no path of the program's.
bool Is_Resource_File_Path(const QString& path, const QString& fileName);

// The picture an element without one of its own holds: no.png of the resource folder.
QString No_Image_Path();
// Whether the path names that picture, in this installation's resources or another's.
bool Is_No_Image_Path(const QString& path);
// Whether the path names one of the pictures the program shows where a photo or picture of the
// user's is missing (no.png, photo_placeholder.png, pic_ic.png, the signature and fingerprint
// samples), in this installation's resources or another's.
bool Is_Placeholder_Path(const QString& path);
// The path of a holder's photo as a window shows it: trimmed, or "" when it names one of those
// placeholders, which are nobody's photo.
QString Holders_Photo_Path(const QString& path);

// The file of our resource folder at that relative path as designs name it, inside the
// application's resources (".app/Contents/Resources/"), which Check_Path_For_App_Resources re-points
// into whichever copy reads it.
QString Portable_Resource_Path(const QString& name);
// The path a design keeps for a picture: a file of our resource folder, and a placeholder of
// another installation's, named as above, so that a design holds no path of an installation;
// any other path as it is.
QString Stored_Picture_Path(const QString& path);
