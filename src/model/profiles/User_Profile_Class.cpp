#include "model/profiles/User_Profile_Class.h"

using P = User_Profile_Class;

#define ZOVA_PROFILE_FIELD(prefix, valueId, captionId)                                                        \
    User_Profile_Field{valueId, captionId, &P::prefix, &P::prefix##_label, &P::prefix##_id,                   \
                       &P::prefix##_label_id, &P::prefix##_ds, &P::prefix##_ds_name, &P::prefix##_ds_indx,    \
                       &P::prefix##_xl, &P::prefix##_xl_col_indx}

const std::array<User_Profile_Field, User_Profile_Field_Count>& User_Profile_Fields()
{
    static const std::array<User_Profile_Field, User_Profile_Field_Count> fields{{
        ZOVA_PROFILE_FIELD(Name, "Fup_Name", "Fup_lbl_Name"),
        ZOVA_PROFILE_FIELD(Title, "Fup_Title", "Fup_lbl_Title"),
        ZOVA_PROFILE_FIELD(Company_name, "Fup_Company", "Fup_lbl_Company"),
        ZOVA_PROFILE_FIELD(slogan, "Fup_CompanySlogan", "Fup_lbl_CompanySlogan"),
        ZOVA_PROFILE_FIELD(address, "Fup_Address", "Fup_lbl_Address"),
        ZOVA_PROFILE_FIELD(phone, "Fup_PhoneNO", "Fup_lbl_PhoneNO"),
        ZOVA_PROFILE_FIELD(fax, "Fup_FaxNo", "Fup_lbl_FaxNo"),
        ZOVA_PROFILE_FIELD(email, "Fup_EmailID", "Fup_lbl_EmailID"),
        ZOVA_PROFILE_FIELD(website, "Fup_Website", "Fup_lbl_Website"),
        ZOVA_PROFILE_FIELD(unique, "Fup_UniqueNo", "Fup_lbl_UniqueNo"),
        ZOVA_PROFILE_FIELD(image, "Fup_Photo", "Fup_lbl_Photo"),
    }};
    return fields;
}

#undef ZOVA_PROFILE_FIELD

void User_Profile_Class::Reset_All_Values()
{
    Fill_User_Profile_Enable = false;
    Excel_Binding = false;
    image_USE = false;
    for (const User_Profile_Field& field : User_Profile_Fields()) {
        this->*field.id = QString::fromLatin1(field.valueId);
        this->*field.label_id = QString::fromLatin1(field.captionId);
        (this->*field.value).clear();
        this->*field.ds = false;
        (this->*field.ds_name).clear();
        this->*field.ds_indx = 0;
        this->*field.xl = false;
        this->*field.xl_col_indx = 0;
    }
}

void User_Profile_Class::Clear_Captions()
{
    for (const User_Profile_Field& field : User_Profile_Fields())
        (this->*field.label).clear();
}
