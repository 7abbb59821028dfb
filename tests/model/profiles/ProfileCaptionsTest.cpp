// The two caption sets of the profile fields.
#include <gtest/gtest.h>

#include <QStringList>

#include "model/profiles/ProfileCaptions.h"

namespace {

QStringList captions()
{
    return {Title_Name,  Title_Title,   Title_Company_name, Title_slogan, Title_address, Title_phone, Title_fax,
            Title_email, Title_website, Title_unique,       Title_image,  Title_Date,    Title_Time};
}

TEST(ProfileCaptions, TheIdCardSetAndTheVisitorSet)
{
    Title_For_Visitor();
    EXPECT_EQ(captions(), QStringList({"Name :", "Position / Title :", "Company Name :", "Purpose :", "Address :",
                                       "Phone No. :", "Visitor Type :", "Email Id :", "Person to Meet :",
                                       "Visitor No. :", "Photo :", "Date :", "Time :"}));
    Title_For_Gen_ID_Card();
    EXPECT_EQ(captions(), QStringList({"Name :", "Position / Title :", "Company Name :", "Company Slogan :",
                                       "Address :", "Phone No. :", "Fax No. :", "Email Id :", "Website :",
                                       "Unique No. :", "Photo :", "Date :", "Time :"}));
}

}  // namespace
