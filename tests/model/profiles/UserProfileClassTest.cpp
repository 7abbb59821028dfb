// The card holder's profile record and its reset.
#include <gtest/gtest.h>

#include <QStringList>

#include "model/profiles/User_Profile_Class.h"

TEST(UserProfileClass, ResetGivesEveryFieldItsFixedElementIdentifiers)
{
    User_Profile_Class record;
    EXPECT_TRUE(record.Name_id.isEmpty());
    record.Reset_All_Values();
    const QStringList ids{record.Name_id,    record.Title_id, record.Company_name_id, record.slogan_id,
                          record.address_id, record.phone_id, record.fax_id,          record.email_id,
                          record.website_id, record.unique_id, record.image_id};
    const QStringList expected{"Fup_Name",    "Fup_Title", "Fup_Company", "Fup_CompanySlogan",
                               "Fup_Address", "Fup_PhoneNO", "Fup_FaxNo", "Fup_EmailID",
                               "Fup_Website", "Fup_UniqueNo", "Fup_Photo"};
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(record.Name_label_id, "Fup_lbl_Name");
    EXPECT_EQ(record.phone_label_id, "Fup_lbl_PhoneNO");
    EXPECT_EQ(record.unique_label_id, "Fup_lbl_UniqueNo");
    EXPECT_EQ(record.image_label_id, "Fup_lbl_Photo");
}

TEST(UserProfileClass, ResetClearsValuesAndBindingsToZeroButKeepsTheCaptions)
{
    User_Profile_Class record;
    record.Reset_All_Values();
    record.Fill_User_Profile_Enable = record.Excel_Binding = record.image_USE = true;
    for (const User_Profile_Field& field : User_Profile_Fields()) {
        record.*field.value = "value";
        record.*field.label = "Caption :";
        record.*field.id = record.*field.label_id = "stale";
        record.*field.ds = record.*field.xl = true;
        record.*field.ds_name = "series";
        record.*field.ds_indx = record.*field.xl_col_indx = -1;
    }
    record.Reset_All_Values();

    User_Profile_Class expected;
    expected.Reset_All_Values();
    for (const User_Profile_Field& field : User_Profile_Fields())
        expected.*field.label = "Caption :";
    EXPECT_EQ(record, expected);
    EXPECT_EQ(record.fax_xl_col_indx, 0);
    EXPECT_TRUE(record.website.isEmpty());
    EXPECT_EQ(record.image_label, "Caption :");
}

TEST(UserProfileClass, CopiesAreIndependentAndCompareByValue)
{
    User_Profile_Class front;
    front.Reset_All_Values();
    front.Name = "Ada";
    User_Profile_Class saved = front;
    EXPECT_EQ(saved, front);
    front.Name = "Grace";
    front.email_xl_col_indx = 2;
    EXPECT_EQ(saved.Name, "Ada");
    EXPECT_EQ(saved.email_xl_col_indx, 0);
    EXPECT_NE(saved, front);
    front = saved;
    EXPECT_EQ(front, saved);
}
