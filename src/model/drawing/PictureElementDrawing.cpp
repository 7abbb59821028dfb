// Drawing of the picture kinds: image, barcode and signature.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/CardHost.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTSignature.h"
#include "model/drawing/PaintRules.h"

namespace {

// The whole picture stretched over the box, aspect ratio not kept, smoothly.
void drawPictureInBox(QPainter& painter, const QImage& picture, const QRectF& box, qreal opacity)
{
    if (picture.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setOpacity(opacity);
    painter.drawImage(box, picture, QRectF(picture.rect()));
    painter.restore();
}

void strokeBox(QPainter& painter, SKTGraphic& graphic, const QRectF& box)
{
    QPainterPath path;
    path.addRect(box);
    strokeElementPath(painter, graphic, path);
}

// img_trnsp_val is a per cent; anything out of range or not a number is brought into 0..1.
qreal opacityFromPercent(float percent)
{
    if (!std::isfinite(percent))
        return 1.0;
    return std::clamp(percent / 100.0, 0.0, 1.0);
}

}  // namespace

void SKTImage::Draw_the_image_border(QPainter& painter, const QRectF& rect)
{
    strokeBox(painter, *this, rect);
}

void SKTImage::drawContentsInView(QPainter& painter, bool)
{
    if (!ctrl_is_visible)
        return;
    if (_file_path.isEmpty() || _contents.isNull()) {
        Draw_the_image_border(painter, _bounds);
        return;
    }
    ensureAdjustedPicture();
    drawPictureInBox(painter, _contents_with_settings, _bounds, opacityFromPercent(picture.img_trnsp_val));
    Draw_the_image_border(painter, _bounds);
    cardHost().Refresh_Canvas();
}

void SKTBarcode::drawContentsInView(QPainter& painter, bool)
{
    if (!ctrl_is_visible)
        return;
    // At its own size, so that bars keep their widths and edges.
    painter.save();
    painter.setOpacity(1.0);
    _barcode_image.draw(painter, _bounds.topLeft());
    painter.restore();
    cardHost().Refresh_Canvas();
}

void SKTSignature::drawContentsInView(QPainter& painter, bool)
{
    if (!ctrl_is_visible)
        return;
    if (file_path != _file_path) {
        file_path = _file_path;
        setFilePath(file_path);
    }
    drawPictureInBox(painter, _contents_img, _bounds, 1.0);
    strokeBox(painter, *this, _bounds);
    cardHost().Refresh_Canvas();
}
