// The visitor and group side panel on its own: its fields by identifier, its captions, its photo,
// the rows the design adds, and what it reports as the user types and chooses.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "model/profiles/ProfileCaptions.h"
#include "views/visitors/Profile_Side_Panel.h"

namespace {

DynamicControl row(const char* id, const char* value, const char* kind = "T", int column = -1, const char* caption = "")
{
    return DynamicControl{QLatin1String(id), QLatin1String(value), true, column, QLatin1String(kind), QLatin1String(caption)};
}

class ProfileSidePanelTest : public ::testing::Test {
protected:
    void TearDown() override { Title_For_Gen_ID_Card(); }
    QString captionBeside(const char* id) const
    {
        // The caption sits in the grid row above the field, beside the shown box.
        for (QLabel* label : panel.findChildren<QLabel*>()) {
            if (label->text().endsWith(QLatin1String(" :")) && label->parentWidget() == panel.textBox(id)->parentWidget()
                && label->y() < panel.textBox(id)->y() && panel.textBox(id)->y() - label->y() < 40)
                return label->text();
        }
        return {};
    }
    Profile_Side_Panel panel{0};
};

}  // namespace

TEST_F(ProfileSidePanelTest, EveryProfileFieldHasItsBoxesAndTheCaptionsFollowTheCaptionSet)
{
    for (const char* id : {"Fup_Name", "Fup_Title", "Fup_Company", "Fup_CompanySlogan", "Fup_Address", "Fup_PhoneNO",
                           "Fup_FaxNo", "Fup_EmailID", "Fup_Website", "Fup_UniqueNo"}) {
        ASSERT_NE(panel.textBox(id), nullptr) << id;
        EXPECT_NE(panel.checkBox(id), nullptr) << id;
    }
    EXPECT_NE(panel.textBox("Fup_Date"), nullptr);
    ASSERT_NE(panel.textBox("Fup_Photo"), nullptr);
    EXPECT_TRUE(panel.textBox("Fup_Photo")->isReadOnly());
    EXPECT_EQ(panel.textBox("F_field9"), nullptr);

    panel.resize(320, 900);
    panel.show();
    Title_For_Visitor();
    panel.Refresh_Controls();
    QStringList captions;
    for (QLabel* label : panel.findChildren<QLabel*>()) {
        if (label->text().endsWith(QLatin1String(" :")))
            captions.append(label->text());
    }
    EXPECT_TRUE(captions.contains("Purpose :"));
    EXPECT_TRUE(captions.contains("Person to Meet :"));
    EXPECT_TRUE(captions.contains("Visitor No. :"));
    EXPECT_FALSE(captions.contains("Company Slogan :"));
    Title_For_Gen_ID_Card();
    panel.Refresh_Controls();
    EXPECT_EQ(captionBeside("Fup_CompanySlogan"), "Company Slogan :");
}

TEST_F(ProfileSidePanelTest, TheAddedRowsAreBuiltOnceHoweverOftenTheDesignLoads)
{
    const QList<DynamicControl> rows{row("F_labelBlood", "Blood group :"), row("F_fieldBlood", "O+", "T", 3, "Blood group :"),
                                     row("F_Photo2", "/nowhere/sign.png", "P", -1, "Signature"), row("F_Pic1", "x", "P")};
    panel.Rebuild_User_Rows(rows);
    panel.Rebuild_User_Rows(rows);
    // A caption is its value's row's caption, not a row of its own.
    ASSERT_EQ(panel.view_array_label().size(), 1);
    ASSERT_EQ(panel.view_array_value().size(), 1);
    EXPECT_EQ(panel.view_array_label().at(0).controlId, "F_Photo2");
    EXPECT_EQ(panel.view_array_value().at(0).controlId, "F_fieldBlood");
    EXPECT_EQ(panel.textBox("F_labelBlood"), nullptr);
    EXPECT_EQ(panel.findChild<QLabel*>("F_fieldBlood_caption")->text(), "Blood group :");
    EXPECT_EQ(panel.findChild<QLabel*>("F_Photo2_caption")->text(), "Signature");
    EXPECT_EQ(panel.findChildren<QLineEdit*>("F_fieldBlood").size(), 1);
    EXPECT_EQ(panel.textBox("F_fieldBlood")->text(), "O+");
    EXPECT_NE(panel.Get_Dynamic_Photo_Ctrl("F_Photo2"), nullptr);
    EXPECT_EQ(panel.Get_Dynamic_Photo_Ctrl("F_labelBlood"), nullptr);

    panel.Reset_Controls();
    EXPECT_TRUE(panel.view_array_label().isEmpty());
    EXPECT_EQ(panel.findChildren<QLineEdit*>("F_fieldBlood").size(), 0);
}

TEST_F(ProfileSidePanelTest, ThePhotoSelectsItsElementAndShowsTheFileOnlyForAnElementTheSideHas)
{
    QTemporaryDir folder;
    const QString photo = folder.filePath("visitor.png");
    QImage picture(40, 50, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(photo));
    QStringList selected;  // the identifiers the panel had selected on the canvas
    panel.setElementSelector([&selected](const QString& id) {
        selected.append(id);
        return id == QLatin1String("Fup_Photo");
    });

    panel.Set_User_Image_Control(QStringLiteral("  ") + photo + QStringLiteral(" "), QImage(), "F_Photo9");
    EXPECT_EQ(panel.photoPath(), "");
    panel.Set_User_Image_Control(QStringLiteral("  ") + photo + QStringLiteral(" "), QImage(), " Fup_Photo ");
    EXPECT_EQ(panel.photoPath(), photo);
    EXPECT_EQ(panel.textBox("Fup_Photo")->text(), photo);
    EXPECT_EQ(panel.shownPhoto().size(), QSize(40, 50));
    EXPECT_EQ(panel.shownPhoto().pixelColor(5, 5), QColor(Qt::red));
    panel.Set_User_Image_Control(folder.filePath("gone.png"), picture, QString());
    EXPECT_EQ(panel.photoPath(), folder.filePath("gone.png"));
    EXPECT_TRUE(panel.shownPhoto().isNull());
    EXPECT_EQ(selected, (QStringList{"F_Photo9", "Fup_Photo"}));
}

TEST_F(ProfileSidePanelTest, TypingChoosingAndTheButtonsAreReported)
{
    QSignalSpy edited(&panel, &Profile_Side_Panel::fieldEdited);
    QSignalSpy chosen(&panel, &Profile_Side_Panel::columnChosen);
    QSignalSpy pass(&panel, &Profile_Side_Panel::passRequested);
    QSignalSpy added(&panel, &Profile_Side_Panel::addRecordRequested);
    QLineEdit* name = panel.textBox("Fup_Name");
    name->setFocus();
    name->insert(QStringLiteral("O'Brien"));
    ASSERT_EQ(edited.size(), 1);
    EXPECT_EQ(edited.at(0).at(0).toString(), "Fup_Name");
    EXPECT_EQ(edited.at(0).at(1).toString(), "O'Brien");

    panel.setMode(Profile_Side_Panel::Mode::Group);
    panel.setColumnTitles({"Name", "Company", "Photo"});
    auto* column = panel.findChild<QComboBox*>("Fup_Company_col");
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->count(), 4);
    Q_EMIT column->activated(2);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen.at(0).at(1).toInt(), 2);
    panel.setChosenColumn("Fup_Company", 9);
    EXPECT_EQ(panel.chosenColumn("Fup_Company"), -1);
    panel.setChosenColumn("Fup_Photo", 3);
    EXPECT_EQ(panel.chosenColumn("Fup_Photo"), 3);

    panel.findChild<QPushButton*>("add_record_btn")->click();
    EXPECT_EQ(added.size(), 1);
    panel.setMode(Profile_Side_Panel::Mode::Visitor);
    panel.findChild<QPushButton*>("preview_pass_btn")->click();
    ASSERT_EQ(pass.size(), 1);
    EXPECT_TRUE(pass.at(0).at(0).toBool());

    // A reset empties the fields and takes the date and time back from manual entry.
    auto* manualDate = panel.findChild<QCheckBox*>("date_manual_chk");
    auto* manualTime = panel.findChild<QCheckBox*>("time_manual_chk");
    manualDate->click();
    manualTime->click();
    ASSERT_TRUE(manualDate->isChecked());
    panel.Reset_Controls();
    EXPECT_FALSE(manualDate->isChecked());
    EXPECT_FALSE(manualTime->isChecked());
    EXPECT_TRUE(panel.textBox("Fup_Date")->isReadOnly());
    EXPECT_EQ(name->text(), "");
}
