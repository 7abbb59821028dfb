#pragma once
// The side profile dialog: the card-holder details of the card side being edited. It opens
// filled from the side's profile elements (identifiers beginning "Fup_"), lets the user type each
// value or take it from a series or a spreadsheet column, choose which values and captions go on
// the card, and on OK writes the form into the side's profile record for the main window to place.
// Each text field has a caption and two check boxes: caption shown and value shown.
#include <QList>
#include <QString>
#include <array>
#include <memory>

#include "data/Data_From_Excel.h"
#include "views/profiles/ProfileForm.h"

class QCheckBox;
class ProfileDialogWindow;
class SKTGraphic;
class QLineEdit;
class QWidget;
namespace Ui {
class Show_User_Profile;
}

// Set when, in the dialog's last opening, a spreadsheet replaced one that had rows and was
// imported; the main window then drops the column bindings the old sheet left on the card.
extern bool Browse_Excel_AGAIN;

inline const QString kLoadSheetAgainQuestion = QStringLiteral(
    "You have already used the Excel file data with your Card.\r\n"
    "Are you sure you want to select excel file again and use new excel data with your card?");
inline const QString kFrontProfileTitle = QStringLiteral("Front Side User Profile Information");
inline const QString kBackProfileTitle = QStringLiteral("Back Side User Profile Information");

class Show_User_Profile : public ProfileForm {
    Q_OBJECT
public:
    explicit Show_User_Profile(ProfileFormHost& host, QWidget* parent = nullptr);
    ~Show_User_Profile() override;

    ProfileDialogWindow& window() const { return *m_window; }
    Ui::Show_User_Profile& ui() const { return *m_ui; }

    // "F" or "B", set by the opener before each opening.
    QString load_side;

    // Resets the form, then fills it from the profile elements of the side in force and runs it
    // modally: 1 after OK, with the side's record written, 0 after Cancel.
    int Open_Wnd(bool flag = true);
    // Everything Open_Wnd does before the modal run.
    void Prepare_Wnd();

    void Enable_All_Ctrl();
    void Reset_all_Ctrl();

    // The form into the front, back or preview record; false, with the message shown and the
    // record untouched, when a series or column is missing.
    bool Fill_Front_User_profile_value_in_Variable();
    bool Fill_Back_User_profile_value_in_Variable();
    bool Fill_TEMP_User_profile_value_in_Variable();

    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();
    void Reset_Btn_Clicked();
    void Help_Btn_Clicked();
    void Preview_Btn_Clicked();
    void Browse_excel_Btn_Clicked();

    // A caption shown check box: the caption box is editable exactly while it is on. A value shown
    // check box: the value box is enabled while it is on, editable only for a typed value.
    void Label_Chk_Clicked(int field);
    void Value_Chk_Clicked(int field);

    // The value or caption box of a profile element's identifier; nullptr for the photo and
    // anything else.
    QLineEdit* Get_text_box_of_ID(const QString& ctrlId) const;
    // After the spreadsheet was loaded again, the field of a locked element stays uneditable.
    void Check_On_Again_Browse_Excel_Lock_Control(const QString& ctrlId);

    QCheckBox* labelCheck(int field) const { return m_labelChecks.at(size_t(field)); }
    QCheckBox* valueCheck(int field) const { return m_valueChecks.at(size_t(field)); }
    QLineEdit* captionBox(int field) const { return m_captions.at(size_t(field)); }

protected:
    void Manual_Source_Chosen(int field) override;
    void Text_Column_Chosen(int field) override;

private:
    static constexpr int kTextFields = User_Profile_Field_Count - 1;

    ProfileFormControls controlsOfUi() const;
    void connectCaptionAndChecks(int field);
    // One element's share of the pre-fill.
    void Prefill_From_Element(const SKTGraphic& element);
    void Prefill_Value(int field, const SKTGraphic& element);
    void Prefill_Binding(int field, const SKTGraphic& element);
    void Prefill_Caption(int field, const SKTGraphic& element);
    void Disable_Field(int field);
    // Writes the form into a record; with the spreadsheet state and the photo marked used for
    // the records the card is filled from, not for the preview.
    bool Fill_Record(User_Profile_Class& record, bool forCard);
    void Write_Form(User_Profile_Class& record) const;
    void Restore_Sheet_Backup();

    std::unique_ptr<ProfileDialogWindow> m_window;
    std::unique_ptr<Ui::Show_User_Profile> m_ui;
    std::array<QCheckBox*, kTextFields> m_labelChecks{};
    std::array<QCheckBox*, kTextFields> m_valueChecks{};
    std::array<QLineEdit*, kTextFields> m_captions{};

    // The spreadsheet as it was before the first confirmed re-load of this opening, kept by value
    // so Cancel puts it back whatever the loads did since: the path shown, the design's source.
    struct SheetBackup {
        bool held = false;
        QString path;
        QString sourcePath;
        DataColumnList columns;
        QList<DataRow> rows;
    } m_sheetBackup;
};
