#pragma once
// The free numbered name that "keep both" gives when a file is already there.
#include <QString>
#include <functional>

// Whether a file is at the path, or at its name with the extension in lower or upper case: the
// same card written as .TIFF and as .tiff is one card to the user.
bool cardFileExists(const QString& path);

// The first "stem (k)" that is not taken, k from 1 and the stem the name itself; a name already
// ending in " (n)", n above 0, goes on from its stem and n + 1: "X (3)" gives "X (4)" when free.
QString nextFreeNumberedName(const QString& name, const std::function<bool(const QString&)>& taken);

// The path when no file is there; otherwise the first free "name (k).ext" with the extension in
// lower case. A name already ending in " (n)" goes on from n + 1: "X (3).png" gives "X (4).png".
QString Check_Exist_Path_and_Create_New(const QString& path);
