#include "views/profiles/Show_User_Profile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <exception>

#include "platform/DialogPresenter.h"
#include "platform/FileHelpers.h"
#include "platform/MessageBoxes.h"
#include "platform/ResourcePaths.h"
#include "platform/StringHelpers.h"
#include "views/canvas/InterfaceObjects.h"
#include "views/inspector/DataSourcePanel.h"
#include "views/profiles/ProfileDialogWindow.h"
#include "views/profiles/ProfileFormHost.h"
#include "ui_Show_User_Profile.h"

bool Browse_Excel_AGAIN = false;

namespace {

constexpr int kPhoto = User_Profile_Photo_Field;

// The field whose value (or, with caption set, caption) element carries this identifier; -1 none.
int fieldOfId(const QString& ctrlId, bool* caption)
{
    const auto& fields = User_Profile_Fields();
    for (int field = 0; field < User_Profile_Field_Count; ++field) {
        if (ctrlId == QLatin1String(fields[size_t(field)].valueId)) {
            *caption = false;
            return field;
        }
        if (field != kPhoto && ctrlId == QLatin1String(fields[size_t(field)].captionId)) {
            *caption = true;
            return field;
        }
    }
    return -1;
}

bool isTextOrPicture(const SKTGraphic& element)
{
    return element.kind() == GraphicKind::Text || element.kind() == GraphicKind::Image;
}

}  // namespace

Show_User_Profile::Show_User_Profile(ProfileFormHost& host, QWidget* parent)
    : ProfileForm(host), m_window(std::make_unique<ProfileDialogWindow>(parent)), m_ui(std::make_unique<Ui::Show_User_Profile>())
{
    m_ui->setupUi(m_window.get());
    QPalette palette = m_window->palette();
    palette.setColor(QPalette::Window, QColor(241, 244, 250));
    m_window->setPalette(palette);
    m_window->setAutoFillBackground(true);

    Ui::Show_User_Profile& u = *m_ui;
    m_labelChecks = {u.name_label_chk,    u.title_label_chk, u.comp_name_label_chk, u.slogan_label_chk,
                     u.address_label_chk, u.phone_label_chk, u.fax_label_chk,       u.email_label_chk,
                     u.website_label_chk, u.unique_label_chk};
    m_valueChecks = {u.name_value_chk,    u.title_value_chk, u.comp_name_value_chk, u.slogan_value_chk,
                     u.address_value_chk, u.phone_value_chk, u.fax_value_chk,       u.email_value_chk,
                     u.website_value_chk, u.unique_value_chk};
    m_captions = {u.name_label,    u.title_label, u.comp_name_label, u.slogan_label, u.address_label,
                  u.phone_label,   u.fax_label,   u.email_label,     u.website_label, u.unique_label};
    attach(controlsOfUi());
    for (int field = 0; field < kTextFields; ++field)
        connectCaptionAndChecks(field);

    QObject::connect(m_ui->ok_btn, &QPushButton::clicked, this, &Show_User_Profile::OK_Btn_Clicked);
    QObject::connect(m_ui->cancel_btn, &QPushButton::clicked, this, &Show_User_Profile::Cancel_Btn_Clicked);
    QObject::connect(m_ui->reset_btn, &QPushButton::clicked, this, &Show_User_Profile::Reset_Btn_Clicked);
    QObject::connect(m_ui->help_btn, &QPushButton::clicked, this, &Show_User_Profile::Help_Btn_Clicked);
    QObject::connect(m_ui->preview_btn, &QPushButton::clicked, this, &Show_User_Profile::Preview_Btn_Clicked);
    QObject::connect(m_ui->excel_browse_btn, &QPushButton::clicked, this, &Show_User_Profile::Browse_excel_Btn_Clicked);
    // Closing the window is a Cancel, with its restore of the spreadsheet.
    m_window->setCancel([this] { Cancel_Btn_Clicked(); });
}

Show_User_Profile::~Show_User_Profile() = default;

ProfileFormControls Show_User_Profile::controlsOfUi() const
{
    Ui::Show_User_Profile& u = *m_ui;
    ProfileFormControls c;
    c.rows = {{{u.name_value, u.name_ds_combo, u.name_ser_col_cb, u.name_view_btn},
               {u.title_value, u.title_ds_combo, u.title_ser_col_cb, u.title_view_btn},
               {u.comp_name_value, u.comp_name_ds_combo, u.comp_name_ser_col_cb, u.comp_name_view_btn},
               {u.slogan_value, u.slogan_ds_combo, u.slogan_ser_col_cb, u.slogan_view_btn},
               {u.address_value, u.address_ds_combo, u.address_ser_col_cb, u.address_view_btn},
               {u.phone_value, u.phone_ds_combo, u.phone_ser_col_cb, u.phone_view_btn},
               {u.fax_value, u.fax_ds_combo, u.fax_ser_col_cb, u.fax_view_btn},
               {u.email_value, u.email_ds_combo, u.email_ser_col_cb, u.email_view_btn},
               {u.website_value, u.website_ds_combo, u.website_ser_col_cb, u.website_view_btn},
               {u.unique_value, u.unique_ds_combo, u.unique_ser_col_cb, u.unique_view_btn},
               {nullptr, u.image_ds_combo, u.image_ser_col_cb, u.image_view_btn}}};
    c.photo = {u.image_path_val, u.user_picture, u.invalid_source_label, u.camera_btn,
               u.browse_pic_btn, u.clear_pic_btn, u.photo_box};
    c.sheet = {u.excel_path_field, u.excel_browse_btn, u.view_excel_btn, u.batch_series_btn};
    c.preview = {u.preview_box, u.preview_picture};
    return c;
}

void Show_User_Profile::connectCaptionAndChecks(int field)
{
    QObject::connect(labelCheck(field), &QCheckBox::clicked, this, [this, field] { Label_Chk_Clicked(field); });
    QObject::connect(valueCheck(field), &QCheckBox::clicked, this, [this, field] { Value_Chk_Clicked(field); });
    // Typing (never a change made by code) puts the caption or the value on the card.
    QObject::connect(captionBox(field), &QLineEdit::textEdited, this, [this, field] { labelCheck(field)->setChecked(true); });
    QObject::connect(row(field).value, &QLineEdit::textEdited, this, [this, field] { valueCheck(field)->setChecked(true); });
}

int Show_User_Profile::Open_Wnd(bool)
{
    Prepare_Wnd();
    const int result = dialogPresenter().runModal(*m_window);
    m_window->hide();
    return result;
}

void Show_User_Profile::Prepare_Wnd()
{
    Browse_Excel_AGAIN = false;
    m_sheetBackup = {};
    m_window->setResult(QDialog::Rejected);
    Reset_all_Ctrl();
    m_ui->excel_path_field->setText(host().recordsWorkbook());
    Sync_Excel_Item_With_Table();
    const bool back = host().Card_Front_Or_Back() == 1;
    m_window->setWindowTitle(back ? kBackProfileTitle : kFrontProfileTitle);
    for (const GraphicPtr& element : host().graphicsOfSide(back ? 1 : 0)) {
        if (element)
            Prefill_From_Element(*element);
    }
    row(0).value->setFocus();
}

void Show_User_Profile::Prefill_From_Element(const SKTGraphic& element)
{
    if (!isTextOrPicture(element) || !element.ctrl_is_visible)
        return;
    const QString ctrlId = Trim_Str(element.control_ID);
    if (ctrlId.isEmpty())
        return;
    bool caption = false;
    const int field = fieldOfId(ctrlId, &caption);
    if (field < 0)
        return;
    if (caption)
        Prefill_Caption(field, element);
    else
        Prefill_Value(field, element);
}

void Show_User_Profile::Prefill_Value(int field, const SKTGraphic& element)
{
    if (field == kPhoto) {
        // A placeholder the card shows is no one's photo: the row stays empty, and OK writes none.
        const QString photo = Holders_Photo_Path(element._file_path);
        controls().photo.image_path_val->setText(photo);
        selectSource(field, element.data_source_type);
        if (!photo.isEmpty())
            Set_User_Image(photo);
    } else {
        row(field).value->setText(element.Text_Value);
        valueCheck(field)->setChecked(true);
        row(field).value->setEnabled(true);
        selectSource(field, element.data_source_type);
    }
    Prefill_Binding(field, element);
    if (element.ctrl_is_locked)
        Disable_Field(field);
}

void Show_User_Profile::Prefill_Binding(int field, const SKTGraphic& element)
{
    if (element.data_source_type == kSourceManual)
        return;
    int position = -1;
    QComboBox& list = *row(field).ser_col_cb;
    if (element.data_source_type == kSourceSeries) {
        // The source's rule has just listed the series in the column combo.
        QStringList names;
        for (int i = 0; i < list.count(); ++i)
            names << list.itemText(i);
        position = Get_Data_SetIndex_According_Name(names, element.batch_list_name);
    }
    else if (element.data_source_type == kSourceExcel)
        position = element.excel_col_indx;
    if (position >= 0 && position < list.count())
        selectColumn(field, position);
    else if (element.ctrl_is_locked && position == -1)
        selectSource(field, kSourceManual);  // a locked field the user cannot mend goes back to typed
}

void Show_User_Profile::Prefill_Caption(int field, const SKTGraphic& element)
{
    captionBox(field)->setText(element.Text_Value);
    labelCheck(field)->setChecked(true);
    captionBox(field)->setEnabled(true);
    if (element.ctrl_is_locked) {
        labelCheck(field)->setEnabled(false);
        captionBox(field)->setEnabled(false);
    }
}

void Show_User_Profile::Disable_Field(int field)
{
    const ProfileFieldRow& r = row(field);
    r.ds_combo->setEnabled(false);
    r.ser_col_cb->setEnabled(false);
    r.view_btn->setEnabled(false);
    if (field == kPhoto) {
        SetObjEnabled(controls().photo.photo_box, false);
        return;
    }
    valueCheck(field)->setEnabled(false);
    r.value->setEnabled(false);
}

void Show_User_Profile::Enable_All_Ctrl()
{
    for (int field = 0; field < kTextFields; ++field) {
        labelCheck(field)->setEnabled(true);
        captionBox(field)->setEnabled(true);
        valueCheck(field)->setEnabled(true);
        row(field).value->setEnabled(true);
    }
    for (int field = 0; field < User_Profile_Field_Count; ++field)
        row(field).ds_combo->setEnabled(true);
    SetObjEnabled(controls().photo.photo_box, true);
    row(kPhoto).ser_col_cb->setEnabled(false);
    row(kPhoto).view_btn->setEnabled(false);
}

void Show_User_Profile::Reset_all_Ctrl()
{
    Enable_All_Ctrl();
    for (int field = 0; field < kTextFields; ++field)
        captionBox(field)->setText(fieldCaption(field));
    Reset_Rows();
    for (int field = 0; field < kTextFields; ++field) {
        labelCheck(field)->setChecked(false);
        valueCheck(field)->setChecked(false);
        captionBox(field)->setReadOnly(false);
        row(field).value->setEnabled(true);
        row(field).value->setReadOnly(false);
    }
}

bool Show_User_Profile::Fill_Record(User_Profile_Class& record, bool forCard)
{
    if (!Check_And_Tell())
        return false;
    if (forCard)
        Record_Spreadsheet_State();
    Write_Form(record);
    if (forCard)
        record.image_USE = true;
    return true;
}

void Show_User_Profile::Write_Form(User_Profile_Class& record) const
{
    const auto& fields = User_Profile_Fields();
    for (int field = 0; field < User_Profile_Field_Count; ++field) {
        const User_Profile_Field& f = fields[size_t(field)];
        Write_Field_Source(field, record);
        if (field == kPhoto) {
            record.*f.value = controls().photo.image_path_val->text();
            continue;
        }
        // A value or caption left off the card is stored empty; a value's binding stays.
        record.*f.value = valueCheck(field)->isChecked() ? fieldValue(field) : QString();
        record.*f.label = labelCheck(field)->isChecked() ? captionBox(field)->text() : QString();
    }
}

bool Show_User_Profile::Fill_Front_User_profile_value_in_Variable()
{
    return Fill_Record(host().profileRecord(ProfileRecord::Front), true);
}

bool Show_User_Profile::Fill_Back_User_profile_value_in_Variable()
{
    return Fill_Record(host().profileRecord(ProfileRecord::Back), true);
}

bool Show_User_Profile::Fill_TEMP_User_profile_value_in_Variable()
{
    return Fill_Record(host().profileRecord(ProfileRecord::Preview), false);
}

void Show_User_Profile::OK_Btn_Clicked()
{
    if (!Fill_Front_User_profile_value_in_Variable())
        return;
    if (load_side != QLatin1String("F") && !Fill_Back_User_profile_value_in_Variable())
        return;
    m_window->done(1);
}

void Show_User_Profile::Cancel_Btn_Clicked()
{
    const bool rows = Calculate_Excel_table_rows() >= 1;
    Record_Spreadsheet_State();
    // Whatever the re-loads left in the table, even no rows, the design gets its sheet back.
    if (Browse_Excel_AGAIN && m_sheetBackup.held)
        Restore_Sheet_Backup();
    if (rows || m_sheetBackup.held)
        Browse_Excel_AGAIN = false;
    m_sheetBackup = {};
    Reset_all_Ctrl();
    m_window->done(0);
}

void Show_User_Profile::Restore_Sheet_Backup()
{
    Data_From_Excel& table = Loaded_Data_Table();
    table.ColList = m_sheetBackup.columns;
    table.ListData = m_sheetBackup.rows;
    Calculate_Excel_table_rows();
    m_ui->excel_path_field->setText(m_sheetBackup.path);
    Excel_Source_Path = m_sheetBackup.sourcePath;
    Excel_Binding_Use = !table.ListData.isEmpty();
}

void Show_User_Profile::Reset_Btn_Clicked()
{
    Reset_all_Ctrl();
}

void Show_User_Profile::Help_Btn_Clicked()
{
    Open_Help_File();
}

void Show_User_Profile::Preview_Btn_Clicked()
{
    // The preview record gets the form as the side's record would, and nothing else changes:
    // neither the front and back records nor the spreadsheet state of the design.
    if (!Check_And_Tell())
        return;
    const bool back = host().Card_Front_Or_Back() == 1;
    User_Profile_Class preview = host().profileRecord(back ? ProfileRecord::Back : ProfileRecord::Front);
    Write_Form(preview);
    preview.image_USE = true;
    host().profileRecord(ProfileRecord::Preview) = preview;
    Create_and_Set_Preview_picture(host().Show_Profile_Preview(load_side));
}

void Show_User_Profile::Browse_excel_Btn_Clicked()
{
    const bool replacing = Calculate_Excel_table_rows() >= 1;
    if (replacing && Show_YES_NO_MessageBox(kLoadSheetAgainQuestion) != 1)
        return;
    SheetBackup before;
    if (replacing && !m_sheetBackup.held) {
        const Data_From_Excel& table = Loaded_Data_Table();
        before = {true, m_ui->excel_path_field->text(), Excel_Source_Path, table.ColList, table.ListData};
    }
    QString path;
    const SpreadsheetLoad load = Load_Spreadsheet_File(&path);
    if (load == SpreadsheetLoad::PanelCancelled)
        m_ui->excel_path_field->setText(host().recordsWorkbook());
    if (load != SpreadsheetLoad::Imported)
        return;
    // Only a sheet that really replaced one makes the old bindings stale.
    if (before.held)
        m_sheetBackup = std::move(before);
    if (replacing)
        Browse_Excel_AGAIN = true;
    Excel_Source_Path = path;
    if (Calculate_Excel_table_rows() < 1) {
        Remove_Excel_in_Data_Source_Combo();
        m_ui->view_excel_btn->setEnabled(false);
        m_ui->excel_path_field->setEnabled(true);
        m_ui->excel_browse_btn->setEnabled(true);
        return;
    }
    m_ui->excel_path_field->setText(path);
    Add_Excel_in_Data_Source_Combo();
    m_ui->view_excel_btn->setEnabled(true);
    m_ui->excel_browse_btn->setEnabled(true);
    if (!Browse_Excel_AGAIN)
        return;
    for (int field = 0; field < User_Profile_Field_Count; ++field) {
        if (sourceIndex(field) == kSourceExcel)
            selectSource(field, kSourceManual);
    }
}

void Show_User_Profile::Label_Chk_Clicked(int field)
{
    const bool on = labelCheck(field)->isChecked();
    captionBox(field)->setReadOnly(!on);
    captionBox(field)->setEnabled(on);
}

void Show_User_Profile::Value_Chk_Clicked(int field)
{
    QLineEdit* value = row(field).value;
    const bool on = valueCheck(field)->isChecked();
    value->setEnabled(on);
    value->setReadOnly(!on || sourceIndex(field) != kSourceManual);
}

QLineEdit* Show_User_Profile::Get_text_box_of_ID(const QString& ctrlId) const
{
    if (!ctrlId.contains(QLatin1String("Fup_")))
        return nullptr;
    bool caption = false;
    const int field = fieldOfId(ctrlId, &caption);
    if (field < 0 || field == kPhoto)
        return nullptr;
    return caption ? captionBox(field) : row(field).value;
}

void Show_User_Profile::Check_On_Again_Browse_Excel_Lock_Control(const QString& ctrlId)
{
    if (!Browse_Excel_AGAIN)
        return;
    int side = -1;
    if (load_side == QLatin1String("F"))
        side = 0;
    else if (load_side == QLatin1String("B"))
        side = 1;
    if (side < 0 || ctrlId.isEmpty())
        return;
    for (const GraphicPtr& element : host().graphicsOfSide(side)) {
        if (!element || !isTextOrPicture(*element) || element->control_ID != ctrlId)
            continue;
        if (!element->ctrl_is_locked)
            return;
        if (element->kind() == GraphicKind::Image) {
            SetObjEnabled(controls().photo.photo_box, false);
        } else if (QLineEdit* box = Get_text_box_of_ID(ctrlId)) {
            box->setEnabled(false);
            box->setReadOnly(true);
        }
        return;
    }
}

void Show_User_Profile::Manual_Source_Chosen(int field)
{
    Check_On_Again_Browse_Excel_Lock_Control(QLatin1String(User_Profile_Fields()[size_t(field)].valueId));
}

void Show_User_Profile::Text_Column_Chosen(int field)
{
    row(field).value->setEnabled(true);
    valueCheck(field)->setChecked(true);
}
