// The picture adjustments of the cropping tool: five check boxes and nine sliders that run the
// filter chain again on the preview at every change.
#include <QCheckBox>
#include <QSlider>

#include "filters/ImageProcesser.h"
#include "photos/ImageGeometry.h"
#include "photos/ImgFilterSettings.h"
#include "platform/MessageBoxes.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/PictureAdjustmentControls.h"
#include "views/photos/SelectionCanvasWidget.h"
#include "ui_Cropping_Tool.h"

void Cropping_Tool::connectAdjustments()
{
    adjustments_->connect(this, [this] { Update_Image_With_Settings(); });
    connect(ui->Image_Edit_Prop_Box->image_reset_btn(), &QPushButton::clicked, this, &Cropping_Tool::Image_reset_Button);
}

void Cropping_Tool::Reset_Image_Editing_Controls()
{
    adjustments_->reset();
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
    return adjustments_->settings();
}

void Cropping_Tool::Update_Image_With_Settings()
{
    const PictureSettings settings = adjustments();
    Set_IMG_Adjustments(settings);
    showPicture(ImageProcesser::Get_Processed_Image_Full_Combined(User_Picture_PREVIEW, settings, true));
}

ImageViewLayout Cropping_Tool::pictureLayout() const
{
    return SelectionCanvasWidget::fittedLayout(ui->Modified_image->size());
}

void Cropping_Tool::showPicture(const QImage& picture)
{
    User_Picture = picture;
    canvas_->showFitted(*ui->Modified_image, picture);
}

QSizeF Cropping_Tool::originalImageRatio() const
{
    return SelectionCanvasWidget::fittedRatio(User_Picture, ui->Modified_image->size());
}
