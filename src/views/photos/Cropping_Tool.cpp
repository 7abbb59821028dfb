#include "views/photos/Cropping_Tool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTableWidgetItem>
#include <QTemporaryDir>

#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "photos/Capture.h"
#include "photos/CropSources.h"
#include "photos/FaceDetector.h"
#include "photos/ImageGeometry.h"
#include "platform/DialogPresenter.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureReading.h"
#include "platform/StringHelpers.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/photos/ImageViewDrag.h"
#include "views/photos/PictureAdjustmentControls.h"
#include "views/photos/SelectionCanvasWidget.h"
#include "views/series/LoadedDataTableWindow.h"
#include "views/series/View_Data_Series.h"
#include "ui_Cropping_Tool.h"

namespace {

const QStringList kListKeys{QStringLiteral("SNO"), QStringLiteral("IMG_NAME"), QStringLiteral("Image_Path")};

void enableAll(std::initializer_list<QWidget*> widgets, bool enabled)
{
    for (QWidget* widget : widgets)
        widget->setEnabled(enabled);
}

void setShown(std::initializer_list<QWidget*> widgets, bool shown)
{
    for (QWidget* widget : widgets)
        widget->setVisible(shown);
}

}  // namespace

Cropping_Tool::Cropping_Tool(CroppingToolLinks links, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Cropping_Tool>()), links_(std::move(links)),
      faces_(std::make_unique<CascadeFaceDetector>())
{
    ui->setupUi(this);
    applySharedDialogBackground(*this);
    canvas_ = new SelectionCanvasWidget(ui->Modified_image);
    for (QWidget* view : {ui->Modified_image, ui->capture_image})
        ImageViewDrag::install(*view);
    adjustments_ = std::make_unique<PictureAdjustmentControls>(*this);
    ui->Used_Option->hide();
    ui->capture_image->hide();
    ui->capture_btn->hide();
    // The direct modes show their own buttons when they open.
    ui->Crop_direct_Btn->hide();
    ui->Close_direct_Btn->hide();
    ui->ColList->setColumnCount(int(kListKeys.size()));
    ui->ColList->setHorizontalHeaderLabels({tr("No."), tr("Name"), tr("Path")});
    ui->ColList->horizontalHeader()->setStretchLastSection(true);
    ui->ColList->verticalHeader()->hide();
    connectControls();
    connectAdjustments();
    Reset_Image_Editing_Controls();
}

Cropping_Tool::~Cropping_Tool()
{
    Clear_Camera_Objects();
}

void Cropping_Tool::setFaceDetector(std::unique_ptr<FaceDetector> detector)
{
    faces_ = std::move(detector);
}

void Cropping_Tool::connectControls()
{
    const QList<QRadioButton*> sources{ui->input_file_radio, ui->input_folder_radio, ui->input_camera_radio,
                                       ui->input_series_radio};
    for (int row = 0; row < sources.size(); ++row)
        connect(sources[row], &QRadioButton::clicked, this, [this, row] { input_option_CellClick(row); });
    connect(ui->output_name_radio, &QRadioButton::clicked, this, [this] { output_option_CellClick(0); });
    connect(ui->output_custom_radio, &QRadioButton::clicked, this, [this] { output_option_CellClick(1); });
    const QList<QRadioButton*> methods{ui->crop_select_radio, ui->crop_face_radio, ui->crop_size_radio};
    for (int row = 0; row < methods.size(); ++row)
        connect(methods[row], &QRadioButton::clicked, this, [this, row] { cropping_option_CellClick(row); });
    connect(ui->file_browse_btn, &QPushButton::clicked, this, &Cropping_Tool::File_Browse_Clicked);
    connect(ui->folder_browse_btn, &QPushButton::clicked, this, &Cropping_Tool::Folder_Browse_Clicked);
    connect(ui->output_browse_btn, &QPushButton::clicked, this, &Cropping_Tool::Output_Browse_Clicked);
    connect(ui->Next_Btn, &QPushButton::clicked, this, &Cropping_Tool::OK_Btn_Clicked);
    connect(ui->Back_Btn, &QPushButton::clicked, this, &Cropping_Tool::Back_Btn_Clicked);
    connect(ui->refresh_camera_btn, &QPushButton::clicked, this, &Cropping_Tool::Refresh_Camera_Clicked);
    connect(ui->capture_btn, &QPushButton::clicked, this, &Cropping_Tool::Capture_Clicked);
    connect(ui->Cancel_Btn, &QPushButton::clicked, this, &Cropping_Tool::Cancel_Btn_Clicked);
    connect(ui->crop_btn, &QPushButton::clicked, this, &Cropping_Tool::Crop_Single_Image_Clicked);
    connect(ui->crop_all_btn, &QPushButton::clicked, this, &Cropping_Tool::Crop_All_Clicked);
    connect(ui->Crop_direct_Btn, &QPushButton::clicked, this, &Cropping_Tool::Crop_Direct_Image_Clicked);
    connect(ui->Close_direct_Btn, &QPushButton::clicked, this, &Cropping_Tool::Close_Box_With_Cancel);
    connect(ui->Open_Folder_Btn, &QPushButton::clicked, this, &Cropping_Tool::Open_Output_Folder_Clicked);
    connect(ui->view_series_btn, &QPushButton::clicked, this, &Cropping_Tool::View_batch_Series_Button);
    connect(ui->width_Stepper, &QSpinBox::valueChanged, this, [this] { Width_Changed(true); });
    connect(ui->height_Stepper, &QSpinBox::valueChanged, this, [this] { Height_Changed(true); });
    connect(ui->Face_Size_Stepper, &QSpinBox::valueChanged, this, [this] { Extend_Face_Size_Changed(true); });
    connect(ui->width_Text, &QLineEdit::textEdited, this, [this] { controlTextDidChange(ui->width_Text); });
    connect(ui->height_Text, &QLineEdit::textEdited, this, [this] { controlTextDidChange(ui->height_Text); });
    connect(ui->Face_Size_Text, &QLineEdit::textEdited, this, [this] { Extend_Face_Size_Changed(false); });
    connect(ui->ColList, &QTableWidget::itemSelectionChanged, this, [this] {
        const QList<QTableWidgetItem*> chosen = ui->ColList->selectedItems();
        if (loadingList_ || chosen.isEmpty())
            return;
        Crop_Input_Path = Get_Item_Text(chosen.front()->row());
        Load_Image_File(Crop_Input_Path);
    });
}

int Cropping_Tool::runModal()
{
    const int code = dialogPresenter().runModal(*this);
    // However the window ended, its camera does not run on behind it.
    Clear_Camera_Objects();
    hide();
    return code;
}

void Cropping_Tool::Set_Default_Values()
{
    ui->output_custom_name->setText(QStringLiteral("Untitled"));
    ui->Next_Btn->setEnabled(true);
    ui->Back_Btn->setEnabled(false);
    ListData.clear();
    ui->ColList->setRowCount(0);
    Show_Hide_List_Ctrl(true);
    ui->output_format_combo->setCurrentIndex(0);
    for (QRadioButton* first : {ui->input_file_radio, ui->output_name_radio, ui->crop_select_radio, ui->batch_new_radio})
        first->setChecked(true);
    ui->output_name_radio->setEnabled(true);
    canvas_->model().removeAllSelectorsFromCanvas();
    // The face method needs the face cascade.
    const auto* cascade = dynamic_cast<const CascadeFaceDetector*>(faces_.get());
    ui->crop_face_radio->setEnabled(faces_ && (!cascade || cascade->unavailableReason().isEmpty()));
    for (QLineEdit* path : {ui->file_path, ui->folder_path, ui->output_path})
        path->clear();
    Set_Default_Cropping_Option();
    Get_And_Fill_Camera_List();
    User_Picture = User_Picture_PREVIEW = QImage();
    ui->Modified_image->clear();
    ui->capture_image->clear();
    enableSourceBoxes();
    ui->Face_Size_Stepper->setValue(0);
    ui->Face_Size_Text->setText(QStringLiteral("0"));
    enableAll({ui->Face_Size_Text, ui->Face_Size_Stepper, ui->extend_face_box, ui->cropping_wid_size,
                ui->output_custom_name},
               false);
}

void Cropping_Tool::enableSourceBoxes()
{
    ui->File_Box->setEnabled(input_selection == 0);
    ui->Folder_Box->setEnabled(input_selection == 1);
    ui->Camera_Box->setEnabled(input_selection == 2);
    ui->batch_series_box->setEnabled(input_selection == 3);
}

void Cropping_Tool::fillSeriesList(const QString& select)
{
    ui->batch_list->clear();
    ui->batch_list->addItem(kSelectPrompt);
    ui->batch_list->addItems(SeriesStore().names());
    ui->batch_list->setCurrentIndex(select.isEmpty() ? 0 : ui->batch_list->findText(select));
}

void Cropping_Tool::showPage(bool second)
{
    ui->pages->setCurrentWidget(second ? ui->Crop_Screen_Box : ui->Main_Screen_Box);
    ui->Next_Btn->setEnabled(!second);
    ui->Back_Btn->setEnabled(second);
}

int Cropping_Tool::Open_Wnd()
{
    Reset_Image_Editing_Controls();
    crop_num = crop_direct = croping_selection = input_selection = 0;
    Crop_Rect = QRectF();
    Set_Default_Values();
    ui->Image_Edit_Prop_Box->setEnabled(false);
    fillSeriesList({});
    showPage(false);
    setShown({ui->button_box, ui->crop_btn, ui->crop_all_btn, ui->Open_Folder_Btn, ui->Croping_option_Box}, true);
    setShown({ui->Crop_direct_Btn, ui->Close_direct_Btn}, false);
    return runModal();
}

void Cropping_Tool::prepareDirectEntry(int mode, const QString& buttonTitle)
{
    Reset_Image_Editing_Controls();
    ui->Crop_direct_Btn->setText(buttonTitle);
    crop_num = 0;
    crop_direct = mode;
    croping_selection = 0;
    Crop_Rect = QRectF();
    Crop_Direct_Path_.clear();
    input_selection = mode == 1 ? 0 : mode + 1;
    Set_Default_Values();
    showPage(true);
    setShown({ui->crop_btn, ui->crop_all_btn, ui->Open_Folder_Btn, ui->button_box}, false);
    setShown({ui->Crop_direct_Btn, ui->Close_direct_Btn}, true);
}

int Cropping_Tool::Open_Wnd_Direct_To_Crop(const QString& path)
{
    prepareDirectEntry(1, tr("Crop Image"));
    Crop_Input_Path = path;
    if (!Load_for_Next_Screen())
        return 0;
    return runModal();
}

int Cropping_Tool::Open_Wnd_Direct_Crop_Series(const QString& seriesName)
{
    prepareDirectEntry(2, tr("Crop Images"));
    Show_Hide_List_Ctrl(false);
    fillSeriesList(seriesName);
    if (!Load_for_Next_Screen())
        return 0;
    return runModal();
}

int Cropping_Tool::Open_Wnd_Direct_Excel_Column(const QString& columnTitle, int columnIndex)
{
    prepareDirectEntry(3, tr("Crop Image"));
    Passed_Excel_Col_Index = columnIndex;
    Passed_Excel_Col_Name = columnTitle;
    Show_Hide_List_Ctrl(false);
    ui->batch_list->clear();
    ui->batch_list->addItems(Loaded_Data_Table().ColList.titles());
    ui->batch_list->setCurrentIndex(columnIndex);
    if (!Load_for_Next_Screen())
        return 0;
    return runModal();
}

void Cropping_Tool::input_option_CellClick(int row)
{
    input_selection = row;
    enableSourceBoxes();
    const bool camera = row == 2;
    if (camera) {
        ui->output_custom_radio->setChecked(true);
        ui->output_custom_name->setEnabled(true);
    }
    ui->output_name_radio->setEnabled(!camera);
    if (row == 3 && ui->batch_list->currentIndex() < 0)
        ui->batch_list->setCurrentIndex(0);
}

void Cropping_Tool::output_option_CellClick(int row)
{
    ui->output_custom_name->setEnabled(row == 1);
}

void Cropping_Tool::File_Browse_Clicked()
{
    FilePanelRequest request{this, tr("Choose a Picture"), {}, {}};
    QStringList patterns;
    for (const QString& type : links_.imageTypes)
        patterns << QStringLiteral("*.") + type;
    request.filter = tr("Pictures (%1)").arg(patterns.join(QLatin1Char(' ')));
    const QString path = dialogPresenter().openFile(request);
    if (!path.isEmpty() && !(links_.imageIsOverSize && links_.imageIsOverSize(path, true)))
        ui->file_path->setText(path);
}

void Cropping_Tool::Folder_Browse_Clicked()
{
    const QString folder = dialogPresenter().chooseFolder({this, tr("Choose a Folder of Pictures"), {}, {}});
    if (!folder.isEmpty())
        ui->folder_path->setText(folder);
}

void Cropping_Tool::Output_Browse_Clicked()
{
    const QString folder = dialogPresenter().chooseFolder({this, tr("Choose the Output Folder"), {}, {}});
    if (!folder.isEmpty())
        ui->output_path->setText(folder);
}

void Cropping_Tool::OK_Btn_Clicked()
{
    QString source;
    switch (input_selection) {
    case 0:
        source = Trim_Str(ui->file_path->text());
        if (source.isEmpty())
            return Show_MessageBox(QStringLiteral("Please select input image file path."));
        Show_Hide_List_Ctrl(true);
        break;
    case 1:
        source = Trim_Str(ui->folder_path->text());
        if (source.isEmpty())
            return Show_MessageBox(QStringLiteral("Please select input folder path."));
        Show_Hide_List_Ctrl(false);
        break;
    case 2:
        if (ui->camera_list->currentIndex() < 0)
            return Show_MessageBox(QStringLiteral("Please select camera."));
        if (ui->output_name_radio->isChecked())
            return Show_MessageBox(QStringLiteral("Please select Custom output file name option."));
        source = ui->camera_list->currentData().toString();
        Show_Hide_List_Ctrl(true);
        break;
    default:
        source = ui->batch_list->currentIndex() >= 1 ? Trim_Str(ui->batch_list->currentText()) : QString();
        if (source.isEmpty())
            return Show_MessageBox(input_selection == 3 ? QStringLiteral("Please select batch series.")
                                                        : QStringLiteral("Please select excel column."));
        Show_Hide_List_Ctrl(false);
        break;
    }
    Crop_Input_Path = source;
    Crop_Output_Path = Trim_Str(ui->output_path->text());
    if (Crop_Output_Path.isEmpty())
        return Show_MessageBox(QStringLiteral("Please select output folder path."));
    if (ui->output_custom_radio->isChecked() && Trim_Str(ui->output_custom_name->text()).isEmpty())
        return Show_MessageBox(QStringLiteral("Please select output file custom name."));
    if (ui->output_custom_radio->isChecked() && !CropSources::isUsableOutputName(ui->output_custom_name->text()))
        return Show_MessageBox(kOutputNameMessage);
    Load_for_Next_Screen();
}

bool Cropping_Tool::Load_for_Next_Screen()
{
    Find_Face = false;
    ui->Croping_option_Box->setVisible(crop_direct != 1);
    ui->Modified_image->show();
    ui->Image_Edit_Prop_Box->setEnabled(true);
    // Only the camera source captures; it shows the button again itself.
    ui->capture_btn->hide();
    switch (input_selection) {
    case 0:
        ui->crop_btn->setVisible(crop_direct == 0);
        ui->crop_all_btn->hide();
        ui->Used_Option->setText(tr("Crop Single File"));
        ListData.clear();
        ui->ColList->setRowCount(0);
        Create_List(Crop_Input_Path);
        Load_Image_File(Crop_Input_Path);
        if (crop_direct == 1 && User_Picture_PREVIEW.isNull()) {
            // Nothing to crop: the window is not shown.
            Show_MessageBox(QStringLiteral("The picture \"%1\" cannot be read.").arg(Crop_Input_Path));
            return false;
        }
        break;
    case 1:
        if (!loadFolder())
            return false;
        break;
    case 2:
        if (!loadCamera())
            return false;
        break;
    case 3:
        ui->crop_all_btn->setVisible(crop_direct == 0);
        if (!loadListedSource(tr("Crop Images of Batch Series"),
                              QStringLiteral("The selected series does not contains any image with supported extension.")))
            return false;
        break;
    case 4:
        ui->crop_btn->hide();
        ui->crop_all_btn->setVisible(crop_direct == 0);
        if (!loadListedSource(tr("Crop Images of Excel"),
                              QStringLiteral("The selected control does not contains any image with supported extension.")))
            return false;
        break;
    default:
        return false;
    }
    ui->view_series_btn->setVisible(input_selection >= 3);
    showPage(true);
    if (croping_selection == 0)
        Show_hide_Crop_Selection(true);
    return true;
}

bool Cropping_Tool::loadFolder()
{
    // A folder's crops are named from the first name on; the other sources go on counting.
    crop_num = 0;
    setShown({ui->crop_btn, ui->crop_all_btn}, true);
    ui->Used_Option->setText(tr("Crop Files in Folder"));
    ListData.clear();
    ui->ColList->setRowCount(0);
    Show_Hide_List_Ctrl(false);
    const auto tooLarge = [this](const QString& path) {
        return links_.imageIsOverSize && links_.imageIsOverSize(path, false);
    };
    for (const QString& path : CropSources::picturesInFolder(ui->folder_path->text().trimmed(), links_.imageTypes, tooLarge))
        Create_List(path);
    if (ListData.isEmpty()) {
        Back_Btn_Clicked();
        Show_MessageBox(QStringLiteral("The selected folder does not contains any image with supported extension."));
        return false;
    }
    Mark_List_New_Selection(0);
    return true;
}

bool Cropping_Tool::loadListedSource(const QString& caption, const QString& emptyMessage)
{
    ui->Used_Option->setText(caption);
    ListData.clear();
    ui->ColList->setRowCount(0);
    if (ui->batch_list->currentIndex() > 0) {
        if (input_selection == 3) {
            Load_file_Func(ui->batch_list->currentText());
        } else {
            const Data_From_Excel& table = Loaded_Data_Table();
            for (int row = 0; row < table.rowCount(); ++row)
                Create_List(table.Get_Item_Text(row, Passed_Excel_Col_Index).value_or(QString()));
        }
    }
    if (ListData.isEmpty()) {
        Back_Btn_Clicked();
        Show_MessageBox(emptyMessage);
        if (crop_direct >= 2)
            Close_Box_With_Cancel();
        return false;
    }
    if (input_selection == 3 && crop_direct == 0) {
        const QString question = ui->batch_new_radio->isChecked()
            ? QStringLiteral("This action will create new batch series with all new cropped images.\nAre you sure you want to continue?")
            : QStringLiteral("This action will replace selected batch series items with all new cropped images.\nAre you sure you want to continue?");
        if (Show_YES_NO_MessageBox(question) != 1)
            return false;
    }
    Mark_List_New_Selection(0);
    return true;
}

void Cropping_Tool::Back_Btn_Clicked()
{
    Clear_Camera_Objects();
    showLiveView(false);
    Show_Hide_List_Ctrl(true);
    showPage(false);
}

void Cropping_Tool::Cancel_Btn_Clicked()
{
    done(0);
}

void Cropping_Tool::Load_Image_File(const QString& path)
{
    User_Picture = User_Picture_PREVIEW = QImage();
    ui->Modified_image->clear();
    if (QFileInfo(path).isFile()) {
        User_Picture_PREVIEW = readPicturePreview(path, kPicturePreviewMaxPoints);
        Update_Image_With_Settings();
        if (croping_selection == 0)
            keepSelectionOnPicture();
    }
    Check_And_Set_Selection(false);
}

void Cropping_Tool::keepSelectionOnPicture()
{
    Show_hide_Crop_Selection(true);
    SelectionCanvasModel& model = canvas_->model();
    const QRectF old = model.currentSelector() ? model.currentSelector()->frame() : QRectF();
    const QSizeF ratio = originalImageRatio();
    if (ratio.width() <= 0 || ratio.height() <= 0)
        return;
    const QPointF origin(old.x() / ratio.width(), old.y() / ratio.height());
    if (QRectF(QPointF(0, 0), User_Picture.size()).contains(origin))
        return;
    // A selection left over from a larger picture starts again in the far corner of this one.
    const QSizeF canvasSize = model.canvasFrame().size();
    model.removeAllSelectorsFromCanvas();
    model.addSelectorWithFrame(QRectF(canvasSize.width() - old.width(), canvasSize.height() - old.height(),
                                      old.width(), old.height()));
    Show_hide_Crop_Selection(true);
}

void Cropping_Tool::Load_file_Func(const QString& seriesName)
{
    QFile file(SeriesStore().series_path(seriesName));
    if (!file.open(QIODevice::ReadOnly)) {
        Show_NSLog_Message(QStringLiteral("The series \"%1\" cannot be read: %2").arg(seriesName, file.errorString()));
        return;
    }
    const QString text = QString::fromUtf8(file.read(SeriesStore::kMaxFileBytes));
    for (const QString& path : CropSources::picturesOfSeriesText(text, crop_direct == 2, links_.imageTypes))
        Create_List(path);
}

QString Cropping_Tool::Cropped_File_Name()
{
    const QString custom = ui->output_custom_radio->isChecked() ? ui->output_custom_name->text() : QString();
    const QString path = CropSources::croppedFileName(Crop_Output_Path, Crop_Input_Path, custom, crop_num,
                                                      ui->output_format_combo->currentIndex());
    ++crop_num;
    return path;
}

void Cropping_Tool::Show_Hide_List_Ctrl(bool hide)
{
    ui->ColList->setVisible(!hide);
}

void Cropping_Tool::Create_List(const QString& path)
{
    const QString trimmed = Trim_Str(path);
    if (trimmed.isEmpty() && crop_direct < 2)
        return;
    const QMap<QString, QString> row{{QStringLiteral("SNO"), QString::number(ListData.size() + 1)},
                                     {QStringLiteral("Image_Path"), trimmed},
                                     {QStringLiteral("IMG_NAME"), QFileInfo(trimmed).fileName()}};
    ListData.append(row);
    const int at = ui->ColList->rowCount();
    ui->ColList->setRowCount(at + 1);
    for (int column = 0; column < kListKeys.size(); ++column)
        ui->ColList->setItem(at, column, new QTableWidgetItem(row.value(kListKeys[column])));
}

QString Cropping_Tool::Get_Item_Text(int row) const
{
    if (row < 0 || row >= ListData.size()) {
        Show_NSLog_Message(QStringLiteral("No file list row %1").arg(row));
        return {};
    }
    return ListData[row].value(QStringLiteral("Image_Path"));
}

void Cropping_Tool::Mark_List_New_Selection(int row)
{
    // The row is loaded here, also when it was selected already and the table says nothing.
    loadingList_ = true;
    ui->ColList->clearSelection();
    ui->ColList->selectRow(row);
    loadingList_ = false;
    ui->ColList->scrollToItem(ui->ColList->item(row, 0));
    Crop_Input_Path = Get_Item_Text(row);
    Load_Image_File(Crop_Input_Path);
}

QStringList Cropping_Tool::listedPaths() const
{
    QStringList paths;
    for (const auto& row : ListData)
        paths << row.value(QStringLiteral("Image_Path"));
    return paths;
}

void Cropping_Tool::Close_Box_With_OK(const QStringList& leftOut)
{
    done(1);
    Show_Report_Box(Export_File_Message, leftOut);
}

void Cropping_Tool::View_batch_Series_Button()
{
    if (input_selection == 3)
        Open_Chosen_Series_Viewer(ui->batch_list->currentText());
    else if (input_selection == 4)
        LoadedDataTableWindow::defaultInstance().Open_Wnd();
}

void Cropping_Tool::Close_Box_With_Cancel()
{
    done(0);
}
