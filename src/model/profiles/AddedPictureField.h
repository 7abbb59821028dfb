#pragma once
// A picture field the user adds in the live-mode panels ("F_Photo<n>"): its element keeps the
// field's name as its text and the chosen picture as its file.
#include <QString>

class SKTGraphic;

// The field's name, which its element keeps as its text unless that is its file; empty when it
// has none.
QString Picture_Field_Name(const SKTGraphic& picture);
// The picture file the field shows; empty when the file is gone or is one of the program's
// placeholders, which stand for no picture.
QString Picture_Field_File(const SKTGraphic& picture);
