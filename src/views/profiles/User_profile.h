#pragma once
// The card's profile window, "User Profile Information": every card-holder field of the card,
// each with its value, its source and the side it goes on (front, back or both). OK writes the
// form into the front record and, on a card with a back, into the back record; Preview writes
// it into the preview record and shows the side in force with it. The form is kept from one
// opening to the next.
#include <QDialog>
#include <QString>
#include <array>
#include <memory>

#include "model/profiles/User_Profile_Class.h"
#include "views/profiles/ProfileFormHost.h"

class ProfileForm;
class QComboBox;
class QLabel;
namespace Ui {
class User_profile;
}

// Items of a side combo.
enum ProfileSideIndex : int { kSideFront = 0, kSideBack = 1, kSideBoth = 2 };

class User_profile : public QDialog {
    Q_OBJECT
public:
    // noImagePath: the picture a cleared form shows as its photo.
    User_profile(ProfileFormHost& host, QString noImagePath, QWidget* parent = nullptr);
    ~User_profile() override;

    // "F" for a card without a back; "" (or "B") for a card with one. Set before each opening.
    QString load_side;

    // Clears the form first unless keepForm; a one-sided card hides the side combos and puts every
    // field on the front. 1 after OK, with the records written; 0 after Cancel.
    int Open_Wnd(bool keepForm);
    ProfileForm& form() const { return *m_form; }

    // The record side a field goes on (kSideFront, kSideBack, kSideBoth), and setting it.
    int sideIndex(int field) const;
    void selectSide(int field, int side);
    QComboBox& sideCombo(int field) const;
    QLabel& captionLabel(int field) const;

    void OK_Btn_Clicked();
    // Records the spreadsheet in the design (a sheet loaded here stays loaded) and closes; the
    // form stays as it is.
    void Cancel_Btn_Clicked();
    // Asks "Are you sure you want to reset user profile?" first.
    void Reset_Btn_Clicked();
    void Help_Btn_Clicked();
    void Preview_Btn_Clicked();
    void Browse_excel_Btn_Clicked();
    // Closing the window any way is a Cancel.
    void reject() override;

    // The form as a new design starts it: captions from the caption globals, every field typed,
    // empty and on both sides, the no-image picture as the photo; "Excel" and the path only while
    // the table has rows.
    void Reset_all_Ctrl();
    // Each checks the form and writes it: the front record takes the fields on the front or both
    // sides, the back record those on the back or both, the preview record every field. A field
    // off a record's side is cleared from that record, so that a field moved to the other side no
    // longer shows on this one. False, with the reason shown, when the form is refused.
    bool Fill_Front_User_profile_value_in_Variable();
    bool Fill_Back_User_profile_value_in_Variable();
    bool Fill_TEMP_User_profile_value_in_Variable();

private:
    // The front or back record: the validation, the photo check, the spreadsheet state, then the
    // fields of that side.
    bool fillSideRecord(ProfileRecord which, int sideOfRecord);
    void writeField(int field, User_Profile_Class& record) const;
    void connectButtons();
    // A kept form offers "Excel" exactly while the table has rows.
    void keepExcelItemWithTable();

    std::unique_ptr<Ui::User_profile> ui;
    ProfileFormHost& m_host;
    QString m_noImagePath;
    ProfileForm* m_form;
    std::array<QComboBox*, User_Profile_Field_Count> m_sideCombos{};
    std::array<QLabel*, User_Profile_Field_Count> m_captionLabels{};
};

inline const QString kUserProfileTitle = QStringLiteral("User Profile Information");
inline const QString kResetProfileQuestion = QStringLiteral("Are you sure you want to reset user profile?");
inline const QString kSelectValidImageMessage = QStringLiteral("Please select valid image file.");
