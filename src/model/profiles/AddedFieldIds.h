#pragma once
// The identifiers of the fields a user adds in the live-mode panels: a text field is a caption
// "F_label<n>" and a value "F_field<n>" ("B_" on designs of older versions), a picture field
// "F_Photo<n>".
#include <QString>

// Whether an element's identifier is an added field's own: neither empty, a profile field
// ("Fup_...") nor an extra photo numbered by the program ("F_Pic...").
bool Is_Added_Field_Id(const QString& id);
// The identifier of the caption that goes with an added text field's value; the identifier
// itself when it names no value.
QString Added_Field_Caption_Id(const QString& valueId);
