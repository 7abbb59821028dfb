#pragma once
// The captions the profile windows show beside each field, and offer as the default caption
// elements: one set for ID cards and one for visitor passes.
#include <QString>

extern QString Title_Name, Title_Title, Title_Company_name, Title_slogan, Title_address, Title_phone, Title_fax,
    Title_email, Title_website, Title_unique, Title_image, Title_Date, Title_Time;

// "Name :", "Position / Title :", "Company Name :", "Company Slogan :" ... "Time :".
void Title_For_Gen_ID_Card();
// The same with the slogan, fax, website and unique number as purpose, visitor type, person to
// meet and visitor number.
void Title_For_Visitor();

// The caption global of a profile field by its value identifier ("Fup_Name" gives Title_Name,
// "Fup_Photo" Title_image, "Fup_Date" and "Fup_Time" theirs); empty for any other identifier.
QString Profile_Field_Caption(const QString& valueId);
// A caption's words without its closing colon: "Lanyard :" gives "Lanyard".
QString Caption_Without_Colon(const QString& caption);
