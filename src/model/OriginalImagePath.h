#pragma once
// Where a picture element's source picture lives.
#include <QString>

class SKTGraphic;

// The element's text path when files exist both there and at its picture path; otherwise empty.
QString Get_Original_Path_Of_Image_Control(const SKTGraphic& graphic);
