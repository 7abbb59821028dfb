// The cropping tool's camera source: page 1 lists the cameras, page 2 shows the chosen one live
// until Capture takes its last frame as the picture to crop; Resume goes back to the live view.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include "photos/CameraSource.h"
#include "photos/Capture.h"
#include "platform/MessageBoxes.h"
#include "views/photos/Cropping_Tool.h"
#include "ui_Cropping_Tool.h"

namespace {

const QString kCaptureTitle = QStringLiteral("Capture");
const QString kResumeTitle = QStringLiteral("Resume");

}  // namespace

void Cropping_Tool::Get_And_Fill_Camera_List()
{
    ui->camera_list->clear();
    if (!links_.cameras)
        return;
    for (const CameraDevice& device : links_.cameras->cameras())
        ui->camera_list->addItem(device.name, device.id);
    ui->camera_list->setCurrentIndex(ui->camera_list->count() > 0 ? 0 : -1);
}

void Cropping_Tool::Refresh_Camera_Clicked()
{
    Clear_Camera_Objects();
    Get_And_Fill_Camera_List();
    ui->capture_image->clear();
}

bool Cropping_Tool::Start_Btn_Clicked()
{
    if (!links_.cameras || ui->camera_list->currentIndex() < 0) {
        Show_MessageBox(QStringLiteral("Please select camera."));
        return false;
    }
    Clear_Camera_Objects();
    capture_ = std::make_unique<Capture>(QStringLiteral("CROP"));
    connect(capture_.get(), &Capture::frameShown, this, [this](const QImage& frame) {
        ui->capture_image->setPixmap(QPixmap::fromImage(
            frame.scaled(ui->Modified_image->maximumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        ui->capture_btn->setEnabled(true);
    });
    Capture* receiver = capture_.get();
    const QString reason = links_.cameras->start(
        ui->camera_list->currentData().toString(),
        [receiver](std::unique_ptr<CameraFrame> frame) { receiver->deliver(std::move(frame)); },
        [this](const QString& why) { cameraLost(why); });
    if (!reason.isEmpty()) {
        Clear_Camera_Objects();
        Show_MessageBox(QStringLiteral("[error] %1").arg(reason));
        return false;
    }
    return true;
}

void Cropping_Tool::Stop_Camera_Reading()
{
    if (capture_)
        capture_->setStopped(true);
    if (links_.cameras)
        links_.cameras->stop();
}

void Cropping_Tool::Clear_Camera_Objects()
{
    // Stopped before the receiver goes, so no frame can reach it afterwards.
    Stop_Camera_Reading();
    capture_.reset();
}

void Cropping_Tool::cameraLost(const QString& reason)
{
    Stop_Camera_Reading();
    ui->capture_image->clear();
    ui->capture_btn->setEnabled(capture_ && !capture_->final_image().isNull());
    Show_MessageBox(QStringLiteral("The live view has stopped: %1").arg(reason));
}

void Cropping_Tool::showLiveView(bool live)
{
    ui->capture_image->setVisible(live);
    ui->Modified_image->setVisible(!live);
    ui->capture_btn->setVisible(input_selection == 2 && crop_direct == 0);
    ui->capture_btn->setText(live ? kCaptureTitle : kResumeTitle);
    ui->crop_btn->setVisible(!live && crop_direct == 0);
}

bool Cropping_Tool::loadCamera()
{
    ui->crop_all_btn->hide();
    ui->Used_Option->setText(tr("Crop Picture from Camera"));
    ListData.clear();
    ui->ColList->setRowCount(0);
    User_Picture = User_Picture_PREVIEW = QImage();
    ui->Modified_image->clear();
    ui->Image_Edit_Prop_Box->setEnabled(false);
    if (!Start_Btn_Clicked())
        return false;
    showLiveView(true);
    // Enabled once a first frame is on show.
    ui->capture_btn->setEnabled(false);
    return true;
}

void Cropping_Tool::Capture_Clicked()
{
    if (!capture_)
        return Show_MessageBox(QStringLiteral("Please first select and start the camera."));
    if (ui->capture_btn->text() == kResumeTitle) {
        showLiveView(true);
        Start_Btn_Clicked();
        return;
    }
    Stop_Camera_Reading();
    ui->Image_Edit_Prop_Box->setEnabled(true);
    const QImage still = capture_->final_image();
    if (!still.isNull()) {
        // The crop works on picture files; the still becomes one, beside the others of this run.
        if (!stills_)
            stills_ = std::make_unique<QTemporaryDir>();
        const QString path = QDir(stills_->path()).filePath(QStringLiteral("camera_still_%1.png").arg(++stillNumber_));
        if (!stills_->isValid() || !still.save(path, "PNG"))
            return Show_MessageBox(QStringLiteral("The camera picture could not be kept for cropping."));
        Crop_Input_Path = path;
        Load_Image_File(path);
    }
    showLiveView(false);
}
