#include "views/photos/PictureAdjustmentBox.h"

#include "ui_PictureAdjustmentBox.h"

PictureAdjustmentBox::PictureAdjustmentBox(QWidget* parent)
    : QGroupBox(parent), ui(std::make_unique<Ui::PictureAdjustmentBox>())
{
    ui->setupUi(this);
}

PictureAdjustmentBox::~PictureAdjustmentBox() = default;

QPushButton* PictureAdjustmentBox::image_reset_btn() const
{
    return ui->image_reset_btn;
}
