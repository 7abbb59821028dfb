#include "model/SKTBarcode.h"

std::shared_ptr<SKTBarcode> SKTBarcode::initWithPosition(QPointF position, const QImage&)
{
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->barcode_image_var_assign();
    const QSizeF size = barcode->_barcode_image.size();
    barcode->setBounds(QRectF(position - QPointF(size.width() / 2, size.height() / 2), size));
    return barcode;
}
