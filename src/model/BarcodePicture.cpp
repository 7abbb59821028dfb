#include "model/BarcodePicture.h"

#include <QPaintDevice>
#include <QPainter>
#include <QStringList>
#include <cmath>
#include <mutex>

#include "platform/PictureReading.h"

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kInchesPerMetre = 1.0 / 0.0254;
// Resolutions a stored raster may name; anything else is read one point per pixel.
constexpr double kLowestStoredDpi = 72.0;
constexpr double kHighestStoredDpi = 4800.0;

bool isPositiveSize(QSizeF size)
{
    return std::isfinite(size.width()) && std::isfinite(size.height()) && size.width() > 0 && size.height() > 0;
}

// Pixels for an extent in points as the raster step counts them: the product in double, rounded
// to single precision, then up.
double pixelExtent(double points, double dpi)
{
    return std::ceil(double(float(dpi * points / kPointsPerInch)));
}

// Whether a raster of the size in points at dpi stays within what a stored picture may hold.
bool fitsStoredRaster(QSizeF points, double dpi)
{
    if (!std::isfinite(dpi) || dpi <= 0)
        return false;
    const double width = pixelExtent(points.width(), dpi);
    const double height = pixelExtent(points.height(), dpi);
    return width >= 1 && height >= 1 && width <= kMaxStoredPictureSide && height <= kMaxStoredPictureSide &&
           width * height * 4 <= double(kMaxPictureBytes);
}

QString pointSizeText(QSizeF points)
{
    return QString::number(points.width(), 'g', 17) + u' ' + QString::number(points.height(), 'g', 17);
}

// Pictures and screens, as against PDF, print and recording devices.
bool isPixelDevice(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    const int type = device ? device->devType() : 0;
    return type == QInternal::Image || type == QInternal::Widget || type == QInternal::Pixmap;
}

// A screen or picture showing a raster smaller than its pixels: nearest pixels would drop bars
// and letters there, while a print or PDF device keeps every pixel, so it is never smoothed.
bool showsRasterShrunk(const QPainter& painter, const QRectF& target, const QImage& raster)
{
    if (!isPixelDevice(painter))
        return false;
    const QPaintDevice* device = painter.device();
    const QTransform t = painter.combinedTransform();
    const double scale = std::hypot(t.m11(), t.m12()) * device->devicePixelRatio();
    return target.width() * scale < raster.width();
}

}  // namespace

struct BarcodePicture::Item {
    QList<QRectF> rectangles;
    QList<QPainterPath> outlines;
    QColor colour;
    bool antialiased = false;
    BarcodePicture picture;  // drawn into target when not null
    QRectF target;
};

struct BarcodePicture::Data {
    QSizeF size;
    std::vector<std::shared_ptr<const Item>> items;
    bool drawing = false;
    // A drawing's raster is made when a file or archive first asks for it: a record's picture
    // during output is only ever drawn, and rasterising every one would cost more than the rest
    // of its binding.
    double storedDpi = kStoredDpi;
    mutable std::once_flag storedOnce;
    mutable QImage stored;
};

const QString& BarcodePicture::pointSizeKey()
{
    static const QString key = QStringLiteral("Size in points");
    return key;
}

BarcodePicture::BarcodePicture(const QImage& raster) : BarcodePicture(raster, raster.deviceIndependentSize()) {}

BarcodePicture::BarcodePicture(QImage raster, QSizeF points)
{
    if (raster.isNull() || !isPositiveSize(points))
        return;
    auto data = std::make_shared<Data>();
    data->size = points;
    data->stored = std::move(raster);
    // Only a raster that is not one pixel per point needs to name its size.
    const bool pixelsArePoints = QSizeF(data->stored.size()) == points;
    if (!pixelsArePoints && data->stored.text(pointSizeKey()) != pointSizeText(points))
        data->stored.setText(pointSizeKey(), pointSizeText(points));
    d_ = std::move(data);
}

QSizeF BarcodePicture::size() const
{
    return d_ ? d_->size : QSizeF();
}

bool BarcodePicture::isDrawing() const
{
    return d_ && d_->drawing;
}

void BarcodePicture::paint(QPainter& painter) const
{
    if (!d_->drawing) {
        const QRectF target(QPointF(0, 0), d_->size);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, showsRasterShrunk(painter, target, d_->stored));
        // PDF and print devices store a picture as JPEG unless told otherwise, which smudges the
        // edges of bars and modules and fringes them with grey.
        painter.setRenderHint(QPainter::LosslessImageRendering);
        painter.drawImage(target, d_->stored, QRectF(d_->stored.rect()));
        return;
    }
    for (const std::shared_ptr<const Item>& item : d_->items) {
        if (!item->picture.isNull()) {
            const QSizeF inner = item->picture.size();
            painter.save();
            painter.translate(item->target.topLeft());
            painter.scale(item->target.width() / inner.width(), item->target.height() / inner.height());
            item->picture.paint(painter);
            painter.restore();
            continue;
        }
        if (!item->rectangles.isEmpty()) {
            fillRectangles(painter, item->rectangles, item->colour);
            continue;
        }
        painter.setRenderHint(QPainter::Antialiasing, item->antialiased);
        fillOutlines(painter, item->outlines, item->colour);
    }
}

void BarcodePicture::fillRectangles(QPainter& painter, const QList<QRectF>& rectangles, const QColor& colour)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (isPixelDevice(painter)) {
        for (const QRectF& rectangle : rectangles)
            painter.fillRect(rectangle, colour);
        return;
    }
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QRectF& rectangle : rectangles)
        path.addRect(rectangle);
    painter.fillPath(path, colour);
}

void BarcodePicture::fillOutlines(QPainter& painter, const QList<QPainterPath>& outlines, const QColor& colour)
{
    // Paths of its own: painting keeps caches inside the paths it fills, and these are shared
    // with every copy of the picture, which other threads may be drawing. Outlines are filled
    // by the non-zero rule, as every path of a card.
    const auto ownPath = [] {
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        return path;
    };
    if (isPixelDevice(painter)) {
        for (const QPainterPath& outline : outlines) {
            QPainterPath own = ownPath();
            own.addPath(outline);
            painter.fillPath(own, colour);
        }
        return;
    }
    QPainterPath all = ownPath();
    for (const QPainterPath& outline : outlines)
        all.addPath(outline);
    painter.fillPath(all, colour);
}

void BarcodePicture::draw(QPainter& painter, QPointF topLeft) const
{
    if (!d_)
        return;
    painter.save();
    painter.translate(topLeft);
    painter.setClipRect(QRectF(QPointF(0, 0), d_->size), Qt::IntersectClip);
    paint(painter);
    painter.restore();
}

QImage BarcodePicture::toImage(double dpi) const
{
    if (!d_ || !std::isfinite(dpi) || dpi <= 0)
        return {};
    if (!fitsStoredRaster(d_->size, dpi))
        return {};
    const double width = pixelExtent(d_->size.width(), dpi);
    const double height = pixelExtent(d_->size.height(), dpi);
    QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.scale(width / d_->size.width(), height / d_->size.height());
        paint(painter);
    }
    const int dotsPerMetre = int(std::lround(dpi * kInchesPerMetre));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.setDevicePixelRatio(dpi / kPointsPerInch);
    image.setText(pointSizeKey(), pointSizeText(d_->size));
    return image;
}

QImage BarcodePicture::image() const
{
    if (!d_)
        return {};
    if (d_->drawing)
        std::call_once(d_->storedOnce, [this] { d_->stored = toImage(d_->storedDpi); });
    return d_->stored;
}

BarcodePicture BarcodePicture::fromStoredImage(const QImage& image)
{
    if (image.isNull())
        return {};
    const QStringList parts = image.text(pointSizeKey()).split(u' ');
    bool widthRead = false;
    bool heightRead = false;
    const QSizeF named(parts.value(0).toDouble(&widthRead), parts.value(1).toDouble(&heightRead));
    if (parts.size() == 2 && widthRead && heightRead && isPositiveSize(named)) {
        const double dpiX = image.width() * kPointsPerInch / named.width();
        const double dpiY = image.height() * kPointsPerInch / named.height();
        const auto plausible = [](double dpi) { return dpi >= kLowestStoredDpi && dpi <= kHighestStoredDpi; };
        if (plausible(dpiX) && plausible(dpiY)) {
            QImage raster = image;
            raster.setDevicePixelRatio(dpiX / kPointsPerInch);
            return BarcodePicture(raster, named);
        }
    }
    QImage raster = image;
    raster.setDevicePixelRatio(1.0);
    return BarcodePicture(raster, QSizeF(raster.size()));
}

bool BarcodePicture::operator==(const BarcodePicture& other) const
{
    if (d_ == other.d_)
        return true;
    if (!d_ || !other.d_)
        return false;
    return d_->size == other.d_->size && image().convertToFormat(QImage::Format_ARGB32) ==
                                             other.image().convertToFormat(QImage::Format_ARGB32);
}

void BarcodePicture::Builder::fillOutlines(const QList<QPainterPath>& outlines, const QColor& colour, bool antialiased)
{
    if (outlines.isEmpty() || colour.alpha() == 0)
        return;
    auto item = std::make_shared<Item>();
    item->outlines = outlines;
    item->colour = colour;
    item->antialiased = antialiased;
    items_.push_back(std::move(item));
}

void BarcodePicture::Builder::drawPicture(const QRectF& target, const BarcodePicture& picture)
{
    if (picture.isNull() || target.isEmpty())
        return;
    auto item = std::make_shared<Item>();
    item->picture = picture;
    item->target = target;
    items_.push_back(std::move(item));
}

void BarcodePicture::Builder::fillRectangles(const QList<QRectF>& rectangles, const QColor& colour)
{
    if (rectangles.isEmpty() || colour.alpha() == 0)
        return;
    auto item = std::make_shared<Item>();
    item->rectangles = rectangles;
    item->colour = colour;
    items_.push_back(std::move(item));
}

BarcodePicture BarcodePicture::Builder::finish(double storedDpi)
{
    if (!isPositiveSize(size_) || !fitsStoredRaster(size_, storedDpi))
        return {};
    auto data = std::make_shared<Data>();
    data->size = size_;
    data->items = std::move(items_);
    data->drawing = true;
    data->storedDpi = storedDpi;
    BarcodePicture picture;
    picture.d_ = std::move(data);
    return picture;
}
