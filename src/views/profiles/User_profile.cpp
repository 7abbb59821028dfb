#include "views/profiles/User_profile.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include "platform/DialogPresenter.h"
#include "platform/FileHelpers.h"
#include "platform/MessageBoxes.h"
#include "views/profiles/ProfileForm.h"
#include "ui_User_profile.h"

namespace {

// The window's own light blue-grey, behind every control.
const QColor kWindowColour(241, 244, 250);

}  // namespace

User_profile::User_profile(ProfileFormHost& host, QString noImagePath, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::User_profile>()), m_host(host), m_noImagePath(std::move(noImagePath)),
      m_form(new ProfileForm(host, this))
{
    ui->setupUi(this);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kWindowColour);
    setPalette(palette);
    setAutoFillBackground(true);

    ProfileFormControls controls;
    const std::array<QLineEdit*, User_Profile_Photo_Field> values{
        ui->name_value,    ui->title_value, ui->comp_name_value, ui->slogan_value,  ui->address_value,
        ui->phone_value,   ui->fax_value,   ui->email_value,     ui->website_value, ui->unique_value};
    const std::array<QComboBox*, User_Profile_Field_Count> sources{
        ui->name_ds_combo,  ui->title_ds_combo,   ui->comp_name_ds_combo, ui->slogan_ds_combo,
        ui->address_ds_combo, ui->phone_ds_combo, ui->fax_ds_combo,       ui->email_ds_combo,
        ui->website_ds_combo, ui->unique_ds_combo, ui->image_ds_combo};
    const std::array<QComboBox*, User_Profile_Field_Count> columns{
        ui->name_ser_col_cb,    ui->title_ser_col_cb, ui->comp_name_ser_col_cb, ui->slogan_ser_col_cb,
        ui->address_ser_col_cb, ui->phone_ser_col_cb, ui->fax_ser_col_cb,       ui->email_ser_col_cb,
        ui->website_ser_col_cb, ui->unique_ser_col_cb, ui->image_ser_col_cb};
    const std::array<QPushButton*, User_Profile_Field_Count> views{
        ui->name_view_btn,    ui->title_view_btn, ui->comp_name_view_btn, ui->slogan_view_btn,
        ui->address_view_btn, ui->phone_view_btn, ui->fax_view_btn,       ui->email_view_btn,
        ui->website_view_btn, ui->unique_view_btn, ui->image_view_btn};
    for (int field = 0; field < User_Profile_Field_Count; ++field) {
        ProfileFieldRow& row = controls.rows[size_t(field)];
        row.value = field < User_Profile_Photo_Field ? values[size_t(field)] : nullptr;
        row.ds_combo = sources[size_t(field)];
        row.ser_col_cb = columns[size_t(field)];
        row.view_btn = views[size_t(field)];
    }
    controls.photo = {ui->image_path_val, ui->user_picture,  ui->invalid_source_label, ui->camera_btn,
                      ui->browse_pic_btn, ui->clear_pic_btn, ui->photo_box};
    controls.sheet = {ui->excel_path_field, ui->excel_browse_btn, ui->view_excel_btn, ui->batch_series_btn};
    controls.preview = {ui->preview_box, ui->preview_picture};
    m_form->attach(controls);
    m_sideCombos = {ui->name_side_combo,    ui->title_side_combo, ui->comp_name_side_combo, ui->slogan_side_combo,
                    ui->address_side_combo, ui->phone_side_combo, ui->fax_side_combo,       ui->email_side_combo,
                    ui->website_side_combo, ui->unique_side_combo, ui->image_side_combo};
    m_captionLabels = {ui->name_label,    ui->title_label, ui->comp_name_label, ui->slogan_label,
                       ui->address_label, ui->phone_label, ui->fax_label,       ui->email_label,
                       ui->website_label, ui->unique_label, ui->image_label};
    connectButtons();
    Reset_all_Ctrl();
}

User_profile::~User_profile() = default;

void User_profile::connectButtons()
{
    connect(ui->ok_btn, &QPushButton::clicked, this, &User_profile::OK_Btn_Clicked);
    connect(ui->cancel_btn, &QPushButton::clicked, this, &User_profile::Cancel_Btn_Clicked);
    connect(ui->reset_btn, &QPushButton::clicked, this, &User_profile::Reset_Btn_Clicked);
    connect(ui->help_btn, &QPushButton::clicked, this, &User_profile::Help_Btn_Clicked);
    connect(ui->preview_btn, &QPushButton::clicked, this, &User_profile::Preview_Btn_Clicked);
    connect(ui->excel_browse_btn, &QPushButton::clicked, this, &User_profile::Browse_excel_Btn_Clicked);
}

int User_profile::Open_Wnd(bool keepForm)
{
    setWindowTitle(kUserProfileTitle);
    if (!keepForm)
        Reset_all_Ctrl();
    else
        keepExcelItemWithTable();
    // A form kept from the last opening keeps its values, not a picture of the card as it was then.
    m_form->Create_and_Set_Preview_picture(QImage());
    const bool oneSided = load_side == QLatin1String("F");
    ui->select_side_label->setVisible(!oneSided);
    for (QComboBox* side : m_sideCombos) {
        side->setVisible(!oneSided);
        if (oneSided)
            side->setCurrentIndex(kSideFront);
    }
    ui->name_value->setFocus();
    return dialogPresenter().runModal(*this) == QDialog::Accepted ? 1 : 0;
}

void User_profile::keepExcelItemWithTable()
{
    // The name's combo stands for all eleven: a form that still offers "Excel" keeps its columns.
    if (ProfileForm::Calculate_Excel_table_rows() < 1 || ui->name_ds_combo->count() == 2)
        m_form->Sync_Excel_Item_With_Table();
}

int User_profile::sideIndex(int field) const
{
    return m_sideCombos.at(size_t(field))->currentIndex();
}

void User_profile::selectSide(int field, int side)
{
    m_sideCombos.at(size_t(field))->setCurrentIndex(side);
}

QComboBox& User_profile::sideCombo(int field) const
{
    return *m_sideCombos.at(size_t(field));
}

QLabel& User_profile::captionLabel(int field) const
{
    return *m_captionLabels.at(size_t(field));
}

void User_profile::Reset_all_Ctrl()
{
    if (ProfileForm::Calculate_Excel_table_rows() < 1)
        ui->excel_path_field->clear();
    m_form->Sync_Excel_Item_With_Table();
    m_form->Reset_Rows();
    m_form->Set_User_Image(m_noImagePath);
    ui->invalid_source_label->hide();
    for (int field = 0; field < User_Profile_Field_Count; ++field) {
        if (field != User_Profile_Photo_Field)
            m_captionLabels[size_t(field)]->setText(ProfileForm::fieldCaption(field));
        selectSide(field, kSideBoth);
    }
}

void User_profile::OK_Btn_Clicked()
{
    if (!Fill_Front_User_profile_value_in_Variable())
        return;
    if (load_side != QLatin1String("F") && !Fill_Back_User_profile_value_in_Variable())
        return;
    accept();
}

void User_profile::Cancel_Btn_Clicked()
{
    reject();
}

void User_profile::reject()
{
    // A spreadsheet loaded here stays loaded for the design, whichever way the window closes.
    m_form->Record_Spreadsheet_State();
    QDialog::reject();
}

void User_profile::Reset_Btn_Clicked()
{
    if (Show_YES_NO_MessageBox(kResetProfileQuestion) == 1)
        Reset_all_Ctrl();
}

void User_profile::Help_Btn_Clicked()
{
    Open_Help_File();
}

void User_profile::Preview_Btn_Clicked()
{
    if (!Fill_TEMP_User_profile_value_in_Variable())
        return;
    m_form->Create_and_Set_Preview_picture(
        m_host.Show_Profile_Preview(m_host.Card_Front_Or_Back() == 0 ? QStringLiteral("F") : QStringLiteral("B")));
}

void User_profile::Browse_excel_Btn_Clicked()
{
    QString path;
    if (m_form->Load_Spreadsheet_File(&path) != SpreadsheetLoad::Imported)
        return;
    // A sheet without rows leaves the path box as it was.
    if (ProfileForm::Calculate_Excel_table_rows() >= 1)
        ui->excel_path_field->setText(path);
    m_form->Sync_Excel_Item_With_Table();
}

bool User_profile::Fill_Front_User_profile_value_in_Variable()
{
    return fillSideRecord(ProfileRecord::Front, kSideFront);
}

bool User_profile::Fill_Back_User_profile_value_in_Variable()
{
    return fillSideRecord(ProfileRecord::Back, kSideBack);
}

bool User_profile::Fill_TEMP_User_profile_value_in_Variable()
{
    if (!m_form->Check_And_Tell())
        return false;
    User_Profile_Class& record = m_host.profileRecord(ProfileRecord::Preview);
    for (int field = 0; field < User_Profile_Field_Count; ++field)
        writeField(field, record);
    return true;
}

bool User_profile::fillSideRecord(ProfileRecord which, int sideOfRecord)
{
    if (!m_form->Check_And_Tell())
        return false;
    // A typed photo must be a file, whichever side it goes on.
    if (m_form->sourceIndex(User_Profile_Photo_Field) == kSourceManual &&
        !QFileInfo(ui->image_path_val->text()).isFile()) {
        Show_MessageBox(kSelectValidImageMessage);
        return false;
    }
    m_form->Record_Spreadsheet_State();
    User_Profile_Class& record = m_host.profileRecord(which);
    record.Fill_User_Profile_Enable = true;
    record.Excel_Binding = ProfileForm::Calculate_Excel_table_rows() >= 1;
    for (int field = 0; field < User_Profile_Field_Count; ++field) {
        const int side = sideIndex(field);
        if (side == sideOfRecord || side == kSideBoth) {
            writeField(field, record);
            if (field == User_Profile_Photo_Field)
                record.image_USE = true;
        } else {
            ProfileForm::Clear_Field_Of_Record(field, record);
        }
    }
    return true;
}

void User_profile::writeField(int field, User_Profile_Class& record) const
{
    const User_Profile_Field& members = User_Profile_Fields()[size_t(field)];
    record.*members.value = field == User_Profile_Photo_Field ? ui->image_path_val->text() : m_form->fieldValue(field);
    m_form->Write_Field_Source(field, record);
}
