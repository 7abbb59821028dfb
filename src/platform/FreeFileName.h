#pragma once
// The free numbered name that "keep both" gives when a file is already there.
#include <QString>

// Whether a file is at the path, or at its name with the extension in lower or upper case: the
// same card written as .TIFF and as .tiff is one card to the user.
bool cardFileExists(const QString& path);

// The path when no file is there; otherwise the first free "name (k).ext" with the extension in
// lower case. A name already ending in " (n)" goes on from n + 1: "X (3).png" gives "X (4).png".
QString Check_Exist_Path_and_Create_New(const QString& path);
