#include "model/SKTBarcode.h"

#include "model/PictureFile.h"

std::shared_ptr<SKTBarcode> SKTBarcode::initWithPosition(QPointF position, const QImage&)
{
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->barcode_image_var_assign();
    barcode->setBounds(pictureBoxCentredOn(position, barcode->_contents));
    return barcode;
}
