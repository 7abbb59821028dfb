#include "model/profiles/ProfileCaptions.h"

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
