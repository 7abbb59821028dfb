#include "filters/ImageProcesser.h"

#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <exception>

#include "filters/FilterStages.h"
#include "platform/Log.h"
#include "platform/PictureResolution.h"

namespace {

constexpr double kMaxBackgroundWidth = 724;
constexpr double kMaxBackgroundHeight = 468;

// Settings come from design files, so anything not a number falls back to the neutral value.
float finiteOr(float value, float neutral)
{
    return std::isfinite(value) ? value : neutral;
}

// All colour stages folded into one matrix; grey and sepia only when asked for.
ColourMatrix colourStages(const PictureSettings& s)
{
    ColourMatrix m = ColourMatrix::identity();
    if (s.gray_Scale)
        m = m.then(monochromeMatrix());
    if (s.Sepia)
        m = m.then(sepiaMatrix());
    return m.then(hueMatrix(finiteOr(s.hue_val, 0)))
        .then(colourControlsMatrix(finiteOr(s.sat_val, 1), finiteOr(s.brt_val, 0), finiteOr(s.con_val, 1)));
}

QImage withColour(const QImage& picture, const ColourMatrix& matrix)
{
    return matrix.isIdentity() ? picture : applyColourMatrix(picture, matrix);
}

// The blur radius that covers as much of a picture `reach` times larger as the radius covered
// on the picture it was chosen on: a box of 2r + 1 pixels there spans (2r + 1) * reach here.
float reachedRadius(float radius, double reach)
{
    const long chosen = std::lround(radius);
    if (reach == 1.0 || chosen < 1)
        return radius;
    return float(((2.0 * double(chosen) + 1.0) * reach - 1.0) / 2.0);
}

// Grey, sepia, hue, colour controls, sharpening, exposure, blur, in that order. Exposure is
// folded into the colour matrix unless sharpening sits between them.
QImage filtered(const QImage& source, const PictureSettings& s, double reach)
{
    const ColourMatrix colour = colourStages(s);
    const ColourMatrix exposure = exposureMatrix(finiteOr(s.ev_val, 0));
    QImage picture;
    if (finiteOr(s.srp_val, 0) == 0.0f)
        picture = withColour(source, colour.then(exposure));
    else
        picture = withColour(sharpenLuminance(withColour(source, colour), s.srp_val, reach), exposure);
    return boxBlur(picture, reachedRadius(finiteOr(s.blr_val, 0), reach));
}

QSizeF turnedBoundingSize(const QSizeF& size, double degrees)
{
    const double radians = qDegreesToRadians(degrees);
    const double c = std::abs(std::cos(radians));
    const double s = std::abs(std::sin(radians));
    return QSizeF(size.width() * c + size.height() * s, size.width() * s + size.height() * c);
}

// Whole pixels for a canvas size, without the rounding noise of the sine and cosine.
QSize wholePixels(const QSizeF& size)
{
    const auto whole = [](double v) { return std::max(1, int(std::ceil(v - 1e-6))); };
    return QSize(whole(size.width()), whole(size.height()));
}

// The source's size in points carried over to a picture of the same pixel size.
QImage withResolutionOf(QImage picture, const QImage& source)
{
    picture.setDotsPerMeterX(source.dotsPerMeterX());
    picture.setDotsPerMeterY(source.dotsPerMeterY());
    picture.setDevicePixelRatio(source.devicePixelRatio());
    return picture;
}

// The picture turned counter-clockwise (y up) by `degrees` about the centre of a canvas of
// `canvas` pixels, the canvas then scaled into `target` pixels.
QImage drawTurned(const QImage& picture, double degrees, const QSizeF& canvas, const QSize& target)
{
    QImage result(target, QImage::Format_ARGB32_Premultiplied);
    if (result.isNull())
        return result;
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.scale(target.width() / canvas.width(), target.height() / canvas.height());
    painter.translate(canvas.width() / 2, canvas.height() / 2);
    // Rows run downwards here, so a counter-clockwise turn is a negative angle.
    painter.rotate(-degrees);
    const QRectF pixels(-picture.width() / 2.0, -picture.height() / 2.0, picture.width(), picture.height());
    painter.drawImage(pixels, picture, QRectF(picture.rect()));
    painter.end();
    return result;
}

bool isWholeTurn(double degrees)
{
    return std::fmod(degrees, 360.0) == 0.0;
}

}  // namespace

QImage ImageProcesser::Get_Processed_Image_Full_Combined(const QImage& image, const PictureSettings& settings,
                                                         bool yes_rotate_on_box, double reach)
{
    if (image.isNull())
        return QImage();
    QImage inHand = image;
    try {
        QImage result = filtered(image, settings, std::isfinite(reach) && reach > 0 ? reach : 1.0);
        if (result.isNull())
            return inHand;
        const bool flipH = settings._isFlippedHorizontally, flipV = settings._isFlippedVertically;
        if (flipH || flipV)
            result = result.mirrored(flipH, flipV);
        result = withResolutionOf(result, image);
        inHand = result;
        if (!yes_rotate_on_box)
            return result;
        const QRectF box(QPointF(0, 0), image.size());
        const QImage turned =
            imageRotatedByDegrees_On_Ctrl_Bound(result, -double(wholeDegrees(settings.rotate_image)), box);
        return turned.isNull() ? result : turned;
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return inHand;
    }
}

QImage ImageProcesser::imageRotatedByDegrees_On_Ctrl_Bound(const QImage& image, double degrees, const QRectF&)
{
    if (image.isNull() || !std::isfinite(degrees) || isWholeTurn(degrees))
        return image;
    try {
        const QImage turned = drawTurned(image, degrees, turnedBoundingSize(image.size(), degrees), image.size());
        return turned.isNull() ? turned : withResolutionOf(turned, image);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return QImage();
    }
}

QImage ImageProcesser::imageRotatedByDegrees(const QImage& image, double degrees)
{
    if (image.isNull() || !std::isfinite(degrees))
        return image;
    const QSize canvas = wholePixels(turnedBoundingSize(image.size(), degrees));
    const QImage turned = drawTurned(image, degrees, canvas, canvas);
    return turned.isNull() ? turned : withResolutionOf(turned, image);
}

QImage ImageProcesser::adjust_Rotate(const QImage& image, float withvalue)
{
    if (withvalue == 0.0f)
        return image;
    try {
        return imageRotatedByDegrees(image, withvalue);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return image;
    }
}

QImage ImageProcesser::Set_Dimaension(QImage image)
{
    const QSizeF size = sizeInPoints(image);
    if (size.width() > kMaxBackgroundWidth)
        image.setDotsPerMeterX(dotsPerMeterFor(image.width(), kMaxBackgroundWidth));
    if (size.height() > kMaxBackgroundHeight)
        image.setDotsPerMeterY(dotsPerMeterFor(image.height(), kMaxBackgroundHeight));
    return image;
}

int ImageProcesser::wholeDegrees(float degrees)
{
    if (!std::isfinite(degrees))
        return 0;
    return int(std::trunc(std::fmod(degrees, 360.0f)));
}
