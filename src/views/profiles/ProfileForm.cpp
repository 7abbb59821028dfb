#include "views/profiles/ProfileForm.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <exception>

#include "data/Data_From_Excel.h"
#include "data/SeriesFiles.h"
#include "model/profiles/ProfileCaptions.h"
#include "platform/AppContext.h"
#include "platform/DialogPresenter.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureReading.h"
#include "platform/StringHelpers.h"
#include "views/inspector/ComboSelection.h"
#include "views/inspector/DataSourcePanel.h"
#include "views/inspector/PictureFileChoice.h"
#include "views/photos/CameraWindow.h"
#include "views/photos/ImageViewDrag.h"
#include "views/photos/PhotoWindows.h"
#include "views/profiles/ProfileFormHost.h"
#include "views/series/Import_Excel.h"
#include "views/series/LoadedDataTableWindow.h"
#include "views/series/View_Data_Series.h"

namespace {

const QString kNoExcelDataMessage = QStringLiteral("There is no excel data to view.");
const QString kSelectColumnMessage = QStringLiteral("Please select the 'Series / Excel Column'");

constexpr int kPhoto = User_Profile_Photo_Field;

// The five binding fields of a record field; the defaults are the typed source's.
struct Binding {
    bool ds = false;
    QString ds_name;
    std::int32_t ds_indx = 0;
    bool xl = false;
    std::int32_t xl_col_indx = 0;
};

void writeBinding(User_Profile_Class& record, const User_Profile_Field& f, const Binding& binding)
{
    record.*f.ds = binding.ds;
    record.*f.ds_name = binding.ds_name;
    record.*f.ds_indx = binding.ds_indx;
    record.*f.xl = binding.xl;
    record.*f.xl_col_indx = binding.xl_col_indx;
}

}  // namespace

ProfileForm::ProfileForm(ProfileFormHost& host, QObject* parent) : QObject(parent), m_host(host) {}

ProfileForm::~ProfileForm() = default;

void ProfileForm::attach(const ProfileFormControls& controls)
{
    m_controls = controls;
    for (int field = 0; field < User_Profile_Field_Count; ++field)
        connectRow(field);
    const ProfilePhotoRow& photo = m_controls.photo;
    ImageViewDrag::install(*photo.user_picture);
    connect(photo.camera_btn, &QPushButton::clicked, this, &ProfileForm::Camera_Btn_Clicked);
    connect(photo.browse_pic_btn, &QPushButton::clicked, this, &ProfileForm::Browse_image_Btn_Clicked);
    connect(photo.clear_pic_btn, &QPushButton::clicked, this, &ProfileForm::Clear_image_Btn_Clicked);
    connect(m_controls.sheet.view_excel_btn, &QPushButton::clicked, this, &ProfileForm::View_Excel_Btn_Clicked);
    connect(m_controls.sheet.batch_series_btn, &QPushButton::clicked, this, &ProfileForm::Batch_Series_Btn_Clicked);
}

void ProfileForm::connectRow(int field)
{
    const ProfileFieldRow& r = row(field);
    // activated is the user's choice only, and comes even for the item already shown; code selects
    // through selectSource/selectColumn, which run the same rules once.
    connect(r.ds_combo, &QComboBox::activated, this, [this, field] { Source_Chosen(field); });
    connect(r.ser_col_cb, &QComboBox::activated, this, [this, field] { Column_Chosen(field); });
    connect(r.view_btn, &QPushButton::clicked, this, [this, field] { View_Data_Series_By_Name(field); });
}

QString ProfileForm::fieldCaption(int field)
{
    static const std::array<QString*, User_Profile_Field_Count> captions = {
        &Title_Name,  &Title_Title, &Title_Company_name, &Title_slogan,  &Title_address, &Title_phone,
        &Title_fax,   &Title_email, &Title_website,      &Title_unique,  &Title_image};
    return *captions.at(size_t(field));
}

void ProfileForm::selectSource(int field, int index)
{
    selectComboIndex(*row(field).ds_combo, index, [this, field] { Source_Chosen(field); });
}

void ProfileForm::selectColumn(int field, int index)
{
    selectComboIndex(*row(field).ser_col_cb, index, [this, field] { Column_Chosen(field); });
}

int ProfileForm::sourceIndex(int field) const
{
    return row(field).ds_combo->currentIndex();
}

int ProfileForm::columnIndex(int field) const
{
    return row(field).ser_col_cb->currentIndex();
}

void ProfileForm::Source_Chosen(int field)
{
    try {
        const ProfileFieldRow& r = row(field);
        const bool manual = sourceIndex(field) == kSourceManual;
        if (r.value)
            r.value->setReadOnly(!manual);
        if (field == kPhoto) {
            const ProfilePhotoRow& photo = m_controls.photo;
            for (QPushButton* button : {photo.camera_btn, photo.browse_pic_btn, photo.clear_pic_btn})
                button->setEnabled(manual);
        }
        r.ser_col_cb->setEnabled(!manual);
        r.view_btn->setEnabled(!manual);
        if (manual) {
            fillComboQuietly(*r.ser_col_cb, {});
            Manual_Source_Chosen(field);
        } else {
            fillColumnCombo(field);
        }
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromUtf8(error.what()));
    }
}

void ProfileForm::fillColumnCombo(int field)
{
    QComboBox& combo = *row(field).ser_col_cb;
    if (sourceIndex(field) == kSourceSeries)
        fillComboQuietly(combo, Get_datasheet_File_Name_Array());
    else
        fillComboQuietly(combo, Loaded_Data_Table().ColList.titles());
}

void ProfileForm::Column_Chosen(int field)
{
    try {
        const ProfileFieldRow& r = row(field);
        const int source = sourceIndex(field);
        const int column = columnIndex(field);
        const QString chosen = r.ser_col_cb->currentText();
        if (field != kPhoto)
            Text_Column_Chosen(field);
        QString sample;
        bool haveSample = false;
        if (source == kSourceSeries && column >= 0 && !chosen.isEmpty()) {
            sample = Get_Profile_Sample_Of_Dataset(chosen);
            haveSample = true;
        } else if (source == kSourceExcel && column >= 0 && (field == kPhoto || !chosen.isEmpty())) {
            // A text takes a sample only from a titled column; the photo from any chosen one.
            sample = Get_Value_Of_Excel_Binding(m_host.recordShown(), column).value_or(QString());
            haveSample = true;
        }
        if (!haveSample)
            return;
        if (field == kPhoto)
            Set_User_Image(sample);
        else
            r.value->setText(sample);
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromUtf8(error.what()));
    }
}

void ProfileForm::Manual_Source_Chosen(int) {}

void ProfileForm::Text_Column_Chosen(int) {}

bool ProfileForm::Field_Lacks_Choice(int field) const
{
    const int source = sourceIndex(field);
    return (source == kSourceSeries || source == kSourceExcel) && columnIndex(field) < 0;
}

int ProfileForm::Calculate_Excel_table_rows()
{
    Excel_table_rows = Loaded_Data_Table().rowCount();
    return Excel_table_rows;
}

void ProfileForm::Add_Excel_in_Data_Source_Combo()
{
    for (int field = 0; field < User_Profile_Field_Count; ++field)
        DataSourcePanel::Add_Excel_Col_Name_In_Combo(*row(field).ds_combo);
    // A field already on the spreadsheet lists the table's columns as they now are.
    for (int field = 0; field < User_Profile_Field_Count; ++field) {
        if (row(field).ds_combo->count() == 3 && sourceIndex(field) == kSourceExcel)
            selectSource(field, kSourceExcel);
    }
}

void ProfileForm::Remove_Excel_in_Data_Source_Combo()
{
    for (int field = 0; field < User_Profile_Field_Count; ++field) {
        QComboBox& combo = *row(field).ds_combo;
        if (combo.count() != 3)
            continue;
        const bool showedExcel = combo.currentIndex() == kSourceExcel;
        const QSignalBlocker quiet(combo);
        combo.removeItem(kSourceExcel);
        // Qt would show another source; the field has none until the user chooses one.
        if (showedExcel)
            combo.setCurrentIndex(-1);
    }
}

void ProfileForm::Sync_Excel_Item_With_Table()
{
    const bool rows = Calculate_Excel_table_rows() >= 1;
    if (rows)
        Add_Excel_in_Data_Source_Combo();
    else
        Remove_Excel_in_Data_Source_Combo();
    m_controls.sheet.view_excel_btn->setEnabled(rows);
    m_controls.sheet.excel_browse_btn->setEnabled(true);
    if (!rows)
        m_controls.sheet.excel_path_field->setEnabled(true);
}

void ProfileForm::Record_Spreadsheet_State() const
{
    if (Calculate_Excel_table_rows() < 1) {
        Excel_Binding_Use = false;
        return;
    }
    // A group project's own workbook stands for its records; the source they came from stays named.
    if (const QString shown = m_controls.sheet.excel_path_field->text(); shown != m_host.recordsWorkbook())
        Excel_Source_Path = shown;
    Excel_Binding_Use = true;
}

SpreadsheetLoad ProfileForm::Load_Spreadsheet_File(QString* path)
{
    m_host.Delete_Excel_File_Temp_Folder();
    FilePanelRequest request;
    request.parent = m_controls.sheet.excel_browse_btn->window();
    request.filter = QStringLiteral("Spreadsheets (*.xlsx *.XLSX)");
    const QString chosen = dialogPresenter().openFile(request);
    if (chosen.isEmpty())
        return SpreadsheetLoad::PanelCancelled;
    if (path)
        *path = chosen;
    if (m_host.Check_And_Validate_File_Path(chosen))
        return SpreadsheetLoad::InvalidPath;
    Import_Excel& import = Import_Excel::defaultInstance();
    import.open_mode = QStringLiteral("E");
    if (import.Open_excel_Wnd(chosen) != 1)
        return SpreadsheetLoad::NotImported;
    return SpreadsheetLoad::Imported;
}

void ProfileForm::View_Excel_Btn_Clicked()
{
    try {
        if (Calculate_Excel_table_rows() >= 1)
            LoadedDataTableWindow::defaultInstance().Open_Wnd();
        else
            Show_MessageBox(kNoExcelDataMessage);
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromUtf8(error.what()));
    }
}

void ProfileForm::View_Data_Series_By_Name(int field)
{
    const int source = sourceIndex(field);
    if (source == kSourceSeries) {
        const QString chosen = Trim_Str(row(field).ser_col_cb->currentText());
        if (chosen.isEmpty() || chosen == kSeriesPlaceholder)
            Show_MessageBox(kSelectSeriesMessage);
        else
            Open_Series_Viewer(chosen);
    } else if (source == kSourceExcel) {
        View_Excel_Btn_Clicked();
    }
}

void ProfileForm::Batch_Series_Btn_Clicked()
{
    try {
        m_host.Batch_Series_Button();
        for (int field = 0; field < User_Profile_Field_Count; ++field) {
            if (sourceIndex(field) != kSourceSeries)
                continue;
            QComboBox& combo = *row(field).ser_col_cb;
            const QString before = combo.currentText();
            fillColumnCombo(field);
            if (!before.isEmpty())
                selectColumn(field, combo.findText(before, Qt::MatchExactly | Qt::MatchCaseSensitive));
        }
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromUtf8(error.what()));
    }
}

void ProfileForm::Set_User_Image(const QString& path)
{
    const ProfilePhotoRow& photo = m_controls.photo;
    photo.invalid_source_label->setVisible(false);
    const QString trimmed = Trim_Str(path);
    photo.image_path_val->setText(trimmed);
    if (!trimmed.isEmpty() && QFileInfo(trimmed).isFile()) {
        // The picture fits the frame the layout gives it; without one, the usual preview size.
        const QSize frame = photo.user_picture->maximumSize();
        const bool framed = frame.width() < QWIDGETSIZE_MAX && frame.height() < QWIDGETSIZE_MAX;
        const QImage picture = framed ? readPictureFitted(trimmed, frame) : readPicturePreview(trimmed);
        if (!picture.isNull())
            photo.user_picture->setPixmap(QPixmap::fromImage(picture));
        return;
    }
    photo.user_picture->clear();
    photo.invalid_source_label->setVisible(true);
}

void ProfileForm::Camera_Btn_Clicked()
{
    CameraWindow& camera = cameraWindow();
    if (camera.Open_Wnd() == 1)
        Set_User_Image(camera.Camera_Capture_Image());
}

void ProfileForm::Browse_image_Btn_Clicked()
{
    FilePanelRequest request;
    request.parent = m_controls.photo.browse_pic_btn->window();
    request.filter = pictureFileFilter(m_host.Allowd_Image_fileTypes());
    const QString chosen = dialogPresenter().openFile(request);
    if (chosen.isEmpty()) {
        // No picture was chosen from anywhere; a new picture element must not take an older one.
        Library_Selected_Image.clear();
        return;
    }
    Set_User_Image(chosen);
}

void ProfileForm::Clear_image_Btn_Clicked()
{
    Set_User_Image(QString());
}

bool ProfileForm::Check_Validation()
{
    checked_field_name.clear();
    try {
        for (int field = 0; field < User_Profile_Field_Count; ++field) {
            if (Field_Lacks_Choice(field)) {
                checked_field_name = fieldCaption(field);
                return false;
            }
        }
        return true;
    } catch (const std::exception& error) {
        // A form that could not be checked is not stored.
        Show_NSLog_Message(QString::fromUtf8(error.what()));
        return false;
    }
}

QString ProfileForm::validationMessage() const
{
    QString name = Trim_Str(checked_field_name);
    if (name.isEmpty())
        return kSelectColumnMessage;
    name.remove(QStringLiteral(" :"));
    return kSelectColumnMessage + QStringLiteral(" for '%1'").arg(name);
}

bool ProfileForm::Check_And_Tell()
{
    if (Check_Validation())
        return true;
    Show_MessageBox(validationMessage());
    return false;
}

void ProfileForm::Write_Field_Source(int field, User_Profile_Class& record) const
{
    const User_Profile_Field& f = User_Profile_Fields().at(size_t(field));
    const int column = columnIndex(field);
    switch (sourceIndex(field)) {
    case kSourceManual:
        writeBinding(record, f, {});
        break;
    case kSourceSeries:
        writeBinding(record, f, {true, row(field).ser_col_cb->currentText(), column, false, 0});
        break;
    case kSourceExcel:
        writeBinding(record, f, {false, QString(), 0, true, column});
        break;
    default:
        break;  // no source chosen: the record keeps its binding
    }
}

QString ProfileForm::fieldValue(int field) const
{
    const QLineEdit* value = row(field).value;
    return value ? value->text() : QString();
}

void ProfileForm::Clear_Field_Of_Record(int field, User_Profile_Class& record)
{
    const User_Profile_Field& f = User_Profile_Fields().at(size_t(field));
    record.*f.value = QString();
    writeBinding(record, f, {});
    if (field == kPhoto)
        record.image_USE = false;
}

void ProfileForm::Create_and_Set_Preview_picture(const QImage& side)
{
    m_preview = side;
    QLabel& frame = *m_controls.preview.preview_picture;
    if (side.isNull())
        frame.clear();
    else
        frame.setPixmap(QPixmap::fromImage(side.scaled(frame.maximumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    m_controls.preview.preview_box->setVisible(!side.isNull());
    // A window whose minimum width was set for its title does not grow with its layout by
    // itself; without this the preview would take its room from the form's columns.
    if (!side.isNull()) {
        QWidget& window = *frame.window();
        window.resize(window.size().expandedTo(window.minimumSizeHint()));
    }
}

void ProfileForm::Reset_Rows()
{
    Create_and_Set_Preview_picture(QImage());
    Set_User_Image(QString());
    m_controls.photo.invalid_source_label->setVisible(false);
    for (int field = 0; field < User_Profile_Field_Count; ++field) {
        if (QLineEdit* value = row(field).value)
            value->clear();
        selectSource(field, kSourceManual);
        const QSignalBlocker quiet(row(field).ser_col_cb);
        row(field).ser_col_cb->setCurrentIndex(-1);
    }
}
