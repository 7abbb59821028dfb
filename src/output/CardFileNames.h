#pragma once
// The names of exported card files: the side names made from a card's name, and the free
// numbered name that "keep both" gives when a file is already there.
#include <QString>

// "dir/Card_1.png" -> "dir/Card_1_Front.png" and "dir/Card_1_Back.png"; only the last component
// changes, and a name without extension ends in a dot.
QString Create_Front_Card_Path(const QString& path);
QString Create_Back_Card_Path(const QString& path);

// Whether a file is at the path, or at its name with the extension in lower or upper case: the
// same card written as .TIFF and as .tiff is one card to the user.
bool cardFileExists(const QString& path);

// The path when no file is there; otherwise the first free "name (k).ext" with the extension in
// lower case. A name already ending in " (n)" goes on from n + 1: "X (3).png" gives "X (4).png".
QString Check_Exist_Path_and_Create_New(const QString& path);
