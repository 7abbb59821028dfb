#pragma once
// One card holder's details for one card side: ten text fields and a photo, each with its value,
// caption, the identifiers of the two card elements that show them, and where the value comes
// from (typed, a series, or a spreadsheet column). The profile dialogs write it, the side fills
// read it; it is never saved. A plain value: copies are independent and compare field by field.
#include <QString>
#include <array>
#include <cstdint>

class User_Profile_Class {
public:
    // A fresh record has empty identifiers as well; owners call Reset_All_Values at once.
    // Sets the identifiers and clears values, bindings and flags. Captions are left as they are:
    // they belong to the side profile dialog's caption boxes, which keep them for the design.
    void Reset_All_Values();
    // Empties the captions, which no reset touches: for a new design, whose caption elements are
    // its own and never those given to the design before it.
    void Clear_Captions();

    bool operator==(const User_Profile_Class&) const = default;

    // Set when a dialog stores a form into the front or back record; nothing reads them.
    bool Fill_User_Profile_Enable = false;
    bool Excel_Binding = false;

    // The value comes from a series.
    bool Name_ds = false, Title_ds = false, Company_name_ds = false, slogan_ds = false, address_ds = false,
         phone_ds = false, fax_ds = false, email_ds = false, website_ds = false, unique_ds = false,
         image_ds = false;

    // The photo is used on this side.
    bool image_USE = false;

    // Position of the chosen series in the dialog's list; meaningful only while the series flag is set.
    std::int32_t Name_ds_indx = 0, Title_ds_indx = 0, Company_name_ds_indx = 0, slogan_ds_indx = 0,
                 address_ds_indx = 0, phone_ds_indx = 0, fax_ds_indx = 0, email_ds_indx = 0,
                 website_ds_indx = 0, unique_ds_indx = 0, image_ds_indx = 0;

    // The value comes from a spreadsheet column.
    bool Name_xl = false, Title_xl = false, Company_name_xl = false, slogan_xl = false, address_xl = false,
         phone_xl = false, fax_xl = false, email_xl = false, website_xl = false, unique_xl = false,
         image_xl = false;

    // Bound column: 0 is the row-number column, n the n-th data column; meaningful only while the
    // spreadsheet flag is set. Unused indexes stay 0 here (the card's -1 is the fills' business).
    std::int32_t Name_xl_col_indx = 0, Title_xl_col_indx = 0, Company_name_xl_col_indx = 0,
                 slogan_xl_col_indx = 0, address_xl_col_indx = 0, phone_xl_col_indx = 0, fax_xl_col_indx = 0,
                 email_xl_col_indx = 0, website_xl_col_indx = 0, unique_xl_col_indx = 0,
                 image_xl_col_indx = 0;

    // Identifiers of the value elements and of the caption elements.
    QString Name_id, Title_id, Company_name_id, slogan_id, address_id, phone_id, fax_id, email_id, website_id,
        unique_id, image_id;
    QString Name_label_id, Title_label_id, Company_name_label_id, slogan_label_id, address_label_id,
        phone_label_id, fax_label_id, email_label_id, website_label_id, unique_label_id, image_label_id;

    // Caption texts; empty means no caption element. Nothing ever places the photo's caption.
    QString Name_label, Title_label, Company_name_label, slogan_label, address_label, phone_label, fax_label,
        email_label, website_label, unique_label, image_label;

    // The values; `image` is the photo's file path. Empty means no value element.
    QString Name, Title, Company_name, slogan, address, phone, fax, email, website, unique, image;

    // Name of the bound series; meaningful only while the series flag is set.
    QString Name_ds_name, Title_ds_name, Company_name_ds_name, slogan_ds_name, address_ds_name, phone_ds_name,
        fax_ds_name, email_ds_name, website_ds_name, unique_ds_name, image_ds_name;
};

// The members of one profile field, with the fixed identifiers its elements carry on every side.
struct User_Profile_Field {
    const char* valueId;    // "Fup_Name" ...
    const char* captionId;  // "Fup_lbl_Name" ...
    QString User_Profile_Class::*value;
    QString User_Profile_Class::*label;
    QString User_Profile_Class::*id;
    QString User_Profile_Class::*label_id;
    bool User_Profile_Class::*ds;
    QString User_Profile_Class::*ds_name;
    std::int32_t User_Profile_Class::*ds_indx;
    bool User_Profile_Class::*xl;
    std::int32_t User_Profile_Class::*xl_col_indx;
};

inline constexpr int User_Profile_Field_Count = 11;
// The photo is the last field: a picture element rather than text, and never given a caption.
inline constexpr int User_Profile_Photo_Field = User_Profile_Field_Count - 1;

// The eleven fields in the record's order: name, title, company, slogan, address, phone, fax,
// e-mail, website, unique number, photo.
const std::array<User_Profile_Field, User_Profile_Field_Count>& User_Profile_Fields();
