#include "model/profiles/ProfileCaptions.h"

#include "model/profiles/User_Profile_Class.h"

QString Title_Name, Title_Title, Title_Company_name, Title_slogan, Title_address, Title_phone, Title_fax, Title_email,
    Title_website, Title_unique, Title_image, Title_Date, Title_Time;

void Title_For_Gen_ID_Card()
{
    Title_Name = QStringLiteral("Name :");
    Title_Title = QStringLiteral("Position / Title :");
    Title_Company_name = QStringLiteral("Company Name :");
    Title_slogan = QStringLiteral("Company Slogan :");
    Title_address = QStringLiteral("Address :");
    Title_phone = QStringLiteral("Phone No. :");
    Title_fax = QStringLiteral("Fax No. :");
    Title_email = QStringLiteral("Email Id :");
    Title_website = QStringLiteral("Website :");
    Title_unique = QStringLiteral("Unique No. :");
    Title_image = QStringLiteral("Photo :");
    Title_Date = QStringLiteral("Date :");
    Title_Time = QStringLiteral("Time :");
}

void Title_For_Visitor()
{
    Title_For_Gen_ID_Card();
    Title_slogan = QStringLiteral("Purpose :");
    Title_fax = QStringLiteral("Visitor Type :");
    Title_website = QStringLiteral("Person to Meet :");
    Title_unique = QStringLiteral("Visitor No. :");
}

QString Profile_Field_Caption(const QString& valueId)
{
    // In the order of the profile's fields.
    const QString* const captions[] = {&Title_Name,    &Title_Title,   &Title_Company_name, &Title_slogan,
                                       &Title_address, &Title_phone,   &Title_fax,          &Title_email,
                                       &Title_website, &Title_unique,  &Title_image};
    static_assert(std::size(captions) == User_Profile_Field_Count);
    const auto& fields = User_Profile_Fields();
    for (int field = 0; field < User_Profile_Field_Count; ++field) {
        if (valueId == QLatin1String(fields[field].valueId))
            return *captions[field];
    }
    if (valueId == QLatin1String("Fup_Date"))
        return Title_Date;
    if (valueId == QLatin1String("Fup_Time"))
        return Title_Time;
    return QString();
}

QString Caption_Without_Colon(const QString& caption)
{
    QString words = caption.trimmed();
    if (words.endsWith(u':'))
        words.chop(1);
    return words.trimmed();
}
