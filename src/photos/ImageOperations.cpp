#include "photos/ImageOperations.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "model/drawing/PaintRules.h"
#include "platform/Log.h"

namespace {

// Callers get a null picture to check, never the picture of an earlier call.
QImage answer(QImage result, const char* operation)
{
    if (result.isNull())
        Show_NSLog_Message(QStringLiteral("%1: no picture made").arg(QLatin1String(operation)));
    return result;
}

// A transparent page of the given size in points at the source's resolution.
QImage blankPageLike(const QImage& source, const QSizeF& points)
{
    const qreal ratio = source.devicePixelRatio();
    const QSize pixels(std::max(1, qRound(points.width() * ratio)), std::max(1, qRound(points.height() * ratio)));
    QImage page(pixels, QImage::Format_ARGB32_Premultiplied);
    if (page.isNull())
        return page;
    page.setDevicePixelRatio(ratio);
    page.setDotsPerMeterX(source.dotsPerMeterX());
    page.setDotsPerMeterY(source.dotsPerMeterY());
    page.fill(Qt::transparent);
    return page;
}

// Draws the source centred on the page's centre, turned by the angle (y-up, counter-clockwise as
// seen). Quarter turns map pixels onto pixels and are copied without resampling.
void drawTurned(QImage& page, const QImage& source, double degrees)
{
    const QSizeF size = source.deviceIndependentSize();
    QPainter painter(&page);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const bool quarterTurn = std::fmod(degrees, 90.0) == 0.0;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !quarterTurn);
    painter.setRenderHint(QPainter::Antialiasing, !quarterTurn);
    const QSizeF pageSize = page.deviceIndependentSize();
    painter.translate(pageSize.width() / 2, pageSize.height() / 2);
    painter.rotate(-degrees);
    painter.drawImage(QRectF(QPointF(-size.width() / 2, -size.height() / 2), size), source);
}

QImage turnedOnPage(const QImage& picture, double degrees, const QSizeF& pagePoints)
{
    if (picture.isNull())
        return {};
    QImage page = blankPageLike(picture, pagePoints);
    if (!page.isNull())
        drawTurned(page, picture, degrees);
    return page;
}

QImage halfTurn(const QImage& picture)
{
    return turnedOnPage(picture, 180, picture.deviceIndependentSize());
}

}  // namespace

QImage Create_Mirror_Image_With_CG_Image(const QImage& picture, bool vertical)
{
    return answer(picture.mirrored(!vertical, vertical), "Create_Mirror_Image_With_CG_Image");
}

QImage imageRotatedByDegrees_Angle(const QImage& picture, double angle, const QRectF& dr_rect)
{
    return answer(halfTurn(picture), "imageRotatedByDegrees_Angle");
}

QImage image_rotate_using_cg_context_method(const QImage& picture)
{
    return answer(halfTurn(picture), "image_rotate_using_cg_context_method");
}

QImage image_rotate_using_cg_context_method_With_Angle(const QImage& picture, int degrees)
{
    return answer(turnedOnPage(picture, degrees, picture.deviceIndependentSize()),
                  "image_rotate_using_cg_context_method_With_Angle");
}

QImage flipImageVertically(const QImage& picture)
{
    return answer(picture.mirrored(false, true), "flipImageVertically");
}

QImage Flip_Horz_Mirror_Image(const QImage& picture)
{
    return answer(picture.mirrored(true, false), "Flip_Horz_Mirror_Image");
}

QImage flipImage(const QImage& picture)
{
    return answer(picture.mirrored(true, true), "flipImage");
}

QImage imageRotated(const QImage& picture, float degrees)
{
    const float turn = std::fmod(degrees, 360.0f);
    if (turn == 0.0f || picture.isNull())
        return answer(picture, "imageRotated");
    const QSizeF size = picture.deviceIndependentSize();
    QSizeF page;
    if (std::fabs(turn) == 90.0f || std::fabs(turn) == 270.0f)
        page = size.transposed();
    else if (std::fabs(turn) == 180.0f)
        page = size;
    else {
        const qreal side = std::max(size.width(), size.height()) + 20.0;
        page = QSizeF(side, side);
    }
    return answer(turnedOnPage(picture, turn, page), "imageRotated");
}

QImage image_Drawing_with_border(const QImage& picture, float width, const QString& style,
                                 const QColor& colour)
{
    QImage result = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (result.isNull())
        return answer(result, "image_Drawing_with_border");
    const QSizeF size = result.deviceIndependentSize();
    // Round the bounds from the bottom-left corner, so the dashes start where they always have.
    QPainterPath edge;
    edge.moveTo(0, size.height());
    edge.lineTo(size.width(), size.height());
    edge.lineTo(size.width(), 0);
    edge.lineTo(0, 0);
    edge.closeSubpath();
    QPainter painter(&result);
    painter.strokePath(edge, outlinePen(colour, width, style));
    return result;
}

QImage maskImage(const QImage& picture, const QImage& mask)
{
    if (picture.isNull() || mask.isNull())
        return picture;
    QImage result = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage levels = mask.convertToFormat(QImage::Format_Grayscale8)
                              .scaled(result.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (result.isNull() || levels.isNull())
        return answer(QImage(), "maskImage");
    for (int y = 0; y < result.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        const uchar* level = levels.constScanLine(y);
        for (int x = 0; x < result.width(); ++x) {
            const int keep = 255 - level[x];
            const QRgb p = row[x];
            row[x] = qRgba(qRed(p) * keep / 255, qGreen(p) * keep / 255, qBlue(p) * keep / 255,
                           qAlpha(p) * keep / 255);
        }
    }
    return result;
}
