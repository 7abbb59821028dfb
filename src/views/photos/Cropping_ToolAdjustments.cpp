// The picture adjustments of the cropping tool: five check boxes and nine sliders that run the
// filter chain again on the preview at every change.
#include <QCheckBox>
#include <QSlider>

#include "filters/ImageProcesser.h"
#include "photos/ImageGeometry.h"
#include "photos/ImgFilterSettings.h"
#include "platform/MessageBoxes.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/SelectionCanvasWidget.h"
#include "ui_Cropping_Tool.h"

namespace {

// A slider holds whole steps; the value it stands for is the step over its divisor.
struct AdjustmentSlider {
    QSlider* slider;
    QLabel* value;
    double divisor;
    float PictureSettings::*setting;
};

QList<AdjustmentSlider> slidersOf(Ui::Cropping_Tool& ui)
{
    return {{ui.shrp_slidr, ui.shrp_slidr_val, 100, &PictureSettings::srp_val},
            {ui.ev_slidr, ui.ev_slidr_val, 10, &PictureSettings::ev_val},
            {ui.blr_slidr, ui.blr_slidr_val, 1, &PictureSettings::blr_val},
            {ui.Sat_slidr, ui.Sat_slidr_val, 100, &PictureSettings::sat_val},
            {ui.Brt_slidr, ui.Brt_slidr_val, 100, &PictureSettings::brt_val},
            {ui.Con_slidr, ui.Con_slidr_val, 100, &PictureSettings::con_val},
            {ui.Hue_slidr, ui.Hue_slidr_val, 100, &PictureSettings::hue_val},
            {ui.Trsp_slidr, ui.Trsp_slidr_val, 1, &PictureSettings::img_trnsp_val},
            {ui.Rotate_slidr, ui.Rotate_slidr_val, 10, &PictureSettings::rotate_image}};
}

float sliderValue(const AdjustmentSlider& s)
{
    return float(s.slider->value() / s.divisor);
}

}  // namespace

void Cropping_Tool::connectAdjustments()
{
    for (QCheckBox* box : {ui->Image_Gray_Scale_chk, ui->Image_Sepia_chk, ui->Image_Invert_chk, ui->Image_FIV_chk,
                           ui->Image_FIH_chk})
        connect(box, &QCheckBox::clicked, this, &Cropping_Tool::Update_Image_With_Settings);
    for (const AdjustmentSlider& s : slidersOf(*ui)) {
        connect(s.slider, &QSlider::valueChanged, this, [this, s] {
            s.value->setText(QString::number(sliderValue(s)));
            Update_Image_With_Settings();
        });
    }
    connect(ui->image_reset_btn, &QPushButton::clicked, this, &Cropping_Tool::Image_reset_Button);
}

void Cropping_Tool::Reset_Image_Editing_Controls()
{
    const PictureSettings neutral;
    for (QCheckBox* box : {ui->Image_Gray_Scale_chk, ui->Image_Sepia_chk, ui->Image_Invert_chk, ui->Image_FIV_chk,
                           ui->Image_FIH_chk})
        box->setChecked(false);
    for (const AdjustmentSlider& s : slidersOf(*ui)) {
        const QSignalBlocker quiet(s.slider);
        s.slider->setValue(int(std::lround(neutral.*s.setting * s.divisor)));
        s.value->setText(QString::number(sliderValue(s)));
    }
}

void Cropping_Tool::Image_reset_Button()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to reset image settings?")) != 1)
        return;
    Reset_Image_Editing_Controls();
    Update_Image_With_Settings();
}

PictureSettings Cropping_Tool::adjustments() const
{
    PictureSettings settings;
    settings.gray_Scale = ui->Image_Gray_Scale_chk->isChecked();
    settings.Sepia = ui->Image_Sepia_chk->isChecked();
    settings.invert_clr = ui->Image_Invert_chk->isChecked();
    settings._isFlippedVertically = ui->Image_FIV_chk->isChecked();
    settings._isFlippedHorizontally = ui->Image_FIH_chk->isChecked();
    for (const AdjustmentSlider& s : slidersOf(*ui))
        settings.*s.setting = sliderValue(s);
    return settings;
}

void Cropping_Tool::Update_Image_With_Settings()
{
    const PictureSettings settings = adjustments();
    Set_IMG_Settings(settings);
    showPicture(ImageProcesser::Get_Processed_Image_Full_Combined(User_Picture_PREVIEW, settings, true));
}

ImageViewLayout Cropping_Tool::pictureLayout() const
{
    ImageViewLayout layout;
    layout.drawingRect = QRectF(QPointF(0, 0), ui->Modified_image->size());
    layout.scaling = ImageScaleProportionallyDown;
    layout.alignment = ImageAlignCenter;
    return layout;
}

void Cropping_Tool::showPicture(const QImage& picture)
{
    User_Picture = picture;
    if (picture.isNull()) {
        ui->Modified_image->clear();
        return;
    }
    const ImageViewLayout layout = pictureLayout();
    const QSizeF shown = scaledImageRect(picture.size(), layout).size();
    ui->Modified_image->setPixmap(
        QPixmap::fromImage(picture.scaled(shown.toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    canvas_->arrangeOver(picture.size(), layout);
}

QSizeF Cropping_Tool::originalImageRatio() const
{
    if (User_Picture.isNull())
        return QSizeF(1, 1);
    return imageRatio(User_Picture.size(), pictureLayout());
}
