#include "views/photos/Camera.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "filters/ImageProcesser.h"
#include "photos/Capture.h"
#include "photos/ImageGeometry.h"
#include "photos/ImgFilterSettings.h"
#include "photos/PictureCrop.h"
#include "photos/SelectionCanvasModel.h"
#include "photos/Selector.h"
#include "platform/AtomicFile.h"
#include "platform/DialogPresenter.h"
#include "platform/FileHelpers.h"
#include "platform/MessageBoxes.h"
#include "render/ImageResolution.h"
#include "views/dialogs/AccessoryViewController.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/photos/ImageViewDrag.h"
#include "views/photos/PictureAdjustmentControls.h"
#include "views/photos/SelectionCanvasWidget.h"
#include "ui_Camera.h"

namespace {

QPixmap fitted(const QImage& picture, const QSize& box)
{
    return QPixmap::fromImage(picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

}  // namespace

Camera::Camera(CameraSource& source, CameraLinks links, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Camera>()), source_(source), links_(std::move(links))
{
    ui->setupUi(this);
    applySharedDialogBackground(*this);
    canvas_ = new SelectionCanvasWidget(ui->Modified_image);
    for (QWidget* view : {ui->capture_image, ui->capture_saved_image, ui->Modified_image})
        ImageViewDrag::install(*view);
    adjustments_ = std::make_unique<PictureAdjustmentControls>(*this);
    connectControls();
    Reset_Image_Editing_Controls();
}

Camera::~Camera()
{
    Stop_Camera_Reading();
}

void Camera::connectControls()
{
    const auto click = [this](QAbstractButton* button, void (Camera::*action)()) {
        connect(button, &QAbstractButton::clicked, this, [this, action] { (this->*action)(); });
    };
    click(ui->refresh_btn, &Camera::Get_List_Btn_Clicked);
    click(ui->start_btn, &Camera::Start_Btn_Clicked);
    click(ui->stop_btn, &Camera::Stop_Btn_Clicked);
    click(ui->capture_btn, &Camera::Capture_Btn_Clicked);
    click(ui->enable_cropping_btn, &Camera::Enable_Cropping_Clicked);
    click(ui->crop_btn, &Camera::Crop_Image_Clicked);
    click(ui->Image_Edit_Prop_Box->image_reset_btn(), &Camera::Image_reset_Button);
    click(ui->ok_btn, &Camera::OK_Btn_Clicked);
    click(ui->cancel_btn, &Camera::Cancel_Btn_Clicked);
    click(ui->save_btn, &Camera::Save_Crop_Image_Clicked);
    click(ui->browse_path_btn, &Camera::Browse_Path_Clicked);
    click(ui->reset_path_btn, &Camera::Reset_Path_Clicked);
    adjustments_->connect(this, [this] { Update_Image_With_Settings(); });
}

int Camera::Open_Wnd()
{
    prepareToOpen();
    const int code = dialogPresenter().runModal(*this);
    hide();
    return code;
}

void Camera::prepareToOpen()
{
    setResult(0);
    const QString folder = links_.folder ? links_.folder() : QString();
    ui->def_save_path->setText(folder);
    // A folder changed elsewhere since the last import starts its own names.
    if (QFileInfo(Camera_Capture_Image_).absolutePath() != QFileInfo(QDir(folder).filePath(kCameraPictureName)).absolutePath())
        Camera_Capture_Image_ = QDir(folder).filePath(kCameraPictureName);
    canvas_->model().removeAllSelectorsFromCanvas();
    edited_ = still_ = QImage();
    ui->Modified_image->clear();
    ui->capture_saved_image->clear();
    ui->enable_cropping_btn->setChecked(false);
    ui->crop_btn->setEnabled(false);
    ui->cropping_Box->setEnabled(false);
    ui->Image_Edit_Prop_Box->setEnabled(false);
    Reset_Image_Editing_Controls();
    Get_List_Btn_Clicked();
}

void Camera::Get_And_Fill_Camera_List()
{
    ui->camera_list->clear();
    for (const CameraDevice& device : source_.cameras())
        ui->camera_list->addItem(device.name, device.id);
    ui->camera_list->setCurrentIndex(ui->camera_list->count() > 0 ? 0 : -1);
}

void Camera::Get_List_Btn_Clicked()
{
    Stop_Camera_Reading();
    Clear_Camera_Objects();
    Get_And_Fill_Camera_List();
    ui->capture_btn->setEnabled(false);
    showNoCamera();
    ui->connection_msg_label->setText(ui->camera_list->count() == 0 ? kConnectCameraHint : kStartCameraHint);
    ui->connection_msg_label->show();
    Start_Stop_Btn_State();
}

void Camera::Start_Btn_Clicked()
{
    if (ui->camera_list->currentIndex() < 0) {
        Show_MessageBox(QStringLiteral("Please select camera."));
        ui->connection_msg_label->setText(kConnectCameraHint);
        return;
    }
    const QString id = ui->camera_list->currentData().toString();
    Stop_Camera_Reading();
    Clear_Camera_Objects();
    capture_ = std::make_unique<Capture>(QStringLiteral("CAM"));
    connect(capture_.get(), &Capture::frameShown, this, &Camera::showLiveFrame);
    Capture* receiver = capture_.get();
    const QString reason = source_.start(
        id, [receiver](std::unique_ptr<CameraFrame> frame) { receiver->deliver(std::move(frame)); },
        [this](const QString& why) { cameraLost(why); });
    if (!reason.isEmpty()) {
        Clear_Camera_Objects();
        Show_MessageBox(QStringLiteral("[error] %1").arg(reason));
        Start_Stop_Btn_State();
        return;
    }
    ui->capture_btn->setEnabled(true);
    Start_Stop_Btn_State();
}

void Camera::Stop_Camera_Reading()
{
    if (capture_)
        capture_->setStopped(true);
    source_.stop();
}

void Camera::Clear_Camera_Objects()
{
    // The source is stopped first, so no frame can reach the receiver being released.
    source_.stop();
    capture_.reset();
}

bool Camera::reading() const
{
    // A real camera starts and fails asynchronously; the receiver says what was asked of it.
    return capture_ && !capture_->stopped();
}

void Camera::Start_Stop_Btn_State()
{
    const bool running = reading();
    ui->start_btn->setEnabled(!running);
    ui->stop_btn->setEnabled(running);
    if (running) {
        ui->connection_msg_label->hide();
    } else if (capture_) {
        ui->connection_msg_label->setText(kStartCameraHint);
        ui->connection_msg_label->show();
    }
}

void Camera::Stop_Btn_Clicked()
{
    Stop_Camera_Reading();
    showNoCamera();
    ui->connection_msg_label->setText(kStartCameraHint);
    ui->connection_msg_label->show();
    ui->capture_btn->setEnabled(false);
    Start_Stop_Btn_State();
}

void Camera::cameraLost(const QString& reason)
{
    Stop_Btn_Clicked();
    Show_MessageBox(QStringLiteral("The live view has stopped: %1").arg(reason));
}

void Camera::showNoCamera()
{
    ui->capture_image->clear();
    ui->capture_image->setText(tr("No camera picture"));
}

void Camera::showLiveFrame(const QImage& frame)
{
    ui->capture_image->setPixmap(fitted(frame, ui->capture_image->size()));
}

void Camera::Capture_Btn_Clicked()
{
    if (!capture_)
        return Show_MessageBox(QStringLiteral("Please first select and start the camera."));
    if (reading()) {
        Stop_Camera_Reading();
        Start_Stop_Btn_State();
    }
    User_Picture = still_ = capture_->final_image();
    if (still_.isNull())
        ui->capture_saved_image->clear();
    else
        ui->capture_saved_image->setPixmap(fitted(still_, ui->capture_saved_image->size()));
    Update_Image_With_Settings();
    ui->cropping_Box->setEnabled(true);
    ui->Image_Edit_Prop_Box->setEnabled(true);
    ui->capture_btn->setEnabled(false);
}

void Camera::Reset_Image_Editing_Controls()
{
    adjustments_->reset();
}

void Camera::Image_reset_Button()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to reset image settings?")) != 1)
        return;
    User_Picture = still_;
    Reset_Image_Editing_Controls();
    Update_Image_With_Settings();
}

void Camera::Update_Image_With_Settings()
{
    const PictureSettings settings = adjustments_->settings();
    Set_IMG_Adjustments(settings);
    showEdited(User_Picture.isNull() ? QImage()
                                     : ImageProcesser::Get_Processed_Image_Full_Combined(User_Picture, settings, true));
}

ImageViewLayout Camera::editedLayout() const
{
    return SelectionCanvasWidget::fittedLayout(ui->Modified_image->size());
}

void Camera::showEdited(const QImage& picture)
{
    edited_ = picture;
    canvas_->showFitted(*ui->Modified_image, picture);
}

QSizeF Camera::originalImageRatio() const
{
    return SelectionCanvasWidget::fittedRatio(edited_, ui->Modified_image->size());
}

void Camera::Enable_Cropping_Clicked()
{
    ui->crop_btn->setEnabled(ui->enable_cropping_btn->isChecked());
}

void Camera::Crop_Image_Clicked()
{
    SelectionCanvasModel& model = canvas_->model();
    if (model.selectors().isEmpty())
        return Show_MessageBox(QStringLiteral("Please select area to crop."));
    // The selection drawn last, as the cropping tool takes it: after one cut the others no longer
    // lie over the picture they were drawn on.
    const QSizeF ratio = originalImageRatio();
    CropRequest request;
    request.method = CropRequest::Selection;
    request.selectionInView = model.selectors().last()->frame();
    request.viewSize = QSizeF(edited_.width() * ratio.width(), edited_.height() * ratio.height());
    const QImage cut = croppedPicture(edited_, request, {});
    if (!cut.isNull()) {
        // The cut already carries the adjustments: the controls start again from neutral, or the
        // next change would apply them to it a second time.
        User_Picture = cut;
        adjustments_->reset();
        Set_IMG_Adjustments(adjustments_->settings());
        showEdited(cut);
    }
    model.removeAllSelectorsFromCanvas();
    canvas_->update();
}

QString Camera::Create_New_Camera_File_Path(const QString& path) const
{
    const QFileInfo given(path);
    if (!given.exists())
        return path;
    // Only the file name changes; the folders on the way there stay as they are.
    const QDir folder = given.dir();
    const QString base = QFileInfo(kCameraPictureName).completeBaseName();
    for (int n = std::max(Camera_Capture_Count, 1);; ++n) {
        const QString candidate = folder.filePath(QStringLiteral("%1_%2.%3").arg(base).arg(n).arg(given.suffix()));
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

QString Camera::writeEdited(const QString& path) const
{
    QString error;
    const QByteArray bytes = Encode_gen_image(edited_, path, &error);
    if (bytes.isEmpty())
        return error.isEmpty() ? tr("The picture could not be encoded.") : error;
    const QString folder = QFileInfo(path).absolutePath();
    if (!Create_Folder(folder) || !QFileInfo(folder).isDir())
        return tr("The folder %1 could not be made.").arg(folder);
    if (!writeFileAtomically(path, bytes, &error))
        return error;
    return {};
}

void Camera::OK_Btn_Clicked()
{
    if (User_Picture.isNull() || edited_.isNull())
        return Show_MessageBox(kNoImageToImportMessage);
    Stop_Camera_Reading();
    Clear_Camera_Objects();
    const QString path = Create_New_Camera_File_Path(Camera_Capture_Image_);
    const QString failure = writeEdited(path);
    if (!failure.isEmpty()) {
        Show_MessageBox(QStringLiteral("The picture could not be saved as %1: %2").arg(QDir::toNativeSeparators(path), failure));
        return done(0);
    }
    Camera_Capture_Image_ = path;
    ++Camera_Capture_Count;
    done(1);
}

void Camera::Cancel_Btn_Clicked()
{
    Stop_Camera_Reading();
    Clear_Camera_Objects();
    done(0);
}

void Camera::reject()
{
    // Closing the window is a Cancel: the camera must not keep running behind it.
    Cancel_Btn_Clicked();
}

void Camera::Save_Crop_Image_Clicked()
{
    if (edited_.isNull())
        return Show_MessageBox(QStringLiteral("There is no image to save. Please capture an image."));
    const QString path = Export_image_method_2();
    if (path.isEmpty())
        return;
    const QString failure = writeEdited(path);
    if (!failure.isEmpty())
        return Show_MessageBox(QStringLiteral("The picture could not be saved as %1: %2").arg(QDir::toNativeSeparators(path), failure));
    Open_Export_Log::Show_Closing_Box(path, QStringLiteral("File has been exported successfully."), {}, 1, kOpenFile);
}

QString Camera::Export_image_method_2()
{
    QFileDialog panel(this, tr("Save Image"));
    panel.setAcceptMode(QFileDialog::AcceptSave);
    panel.setNameFilters(
        {QStringLiteral("*.jpg"), QStringLiteral("*.bmp"), QStringLiteral("*.png"), QStringLiteral("*.tiff")});
    auto* chooser = new AccessoryViewController(&panel);
    chooser->attachTo(panel);
    chooser->showFormat(0);
    const int answer = dialogPresenter().runModal(panel);
    raise();
    const QString chosen = panel.selectedFiles().value(0);
    if (answer != QDialog::Accepted || chosen.isEmpty())
        return {};
    // The format chosen decides the file's type, whatever extension the typed name has.
    return chooser->pathInShownFormat(chosen);
}

void Camera::useFolder(const QString& folder)
{
    ui->def_save_path->setText(folder);
    if (links_.storeFolder)
        links_.storeFolder(folder);
    Camera_Capture_Image_ = QDir(folder).filePath(kCameraPictureName);
}

void Camera::Browse_Path_Clicked()
{
    const QString folder = dialogPresenter().chooseFolder({this, tr("Choose the Camera Folder"), {}, {}});
    if (!folder.isEmpty())
        useFolder(folder);
}

void Camera::Reset_Path_Clicked()
{
    if (links_.defaultFolder)
        useFolder(links_.defaultFolder());
}
