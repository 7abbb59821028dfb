#include "render/CardImage.h"

#include "model/SKTImage.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <exception>

#include "model/CardHost.h"
#include "platform/GuiThread.h"
#include "platform/MessageBoxes.h"
#include "model/drawing/CardBackgroundDrawing.h"
#include "platform/Units.h"
#include "render/ImageResolution.h"

namespace {

constexpr double kInchesPerMetre = 1.0 / 0.0254;
// Far beyond any card at any print resolution; keeps a wild dpi from asking for gigabytes.
constexpr double kMaxPixelExtent = 100000.0;

void setDotsPerInch(QImage& image, double dpi)
{
    const int dotsPerMetre = qRound(dpi * kInchesPerMetre);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
}

// Pixels covering the extent: a hair of floating-point error above a whole number stays on it.
double pixelExtent(double points, double dpi)
{
    return std::ceil(dpi * points / kPointsPerInch - 1e-9);
}

// The element's own host makes the picture on the GUI thread; elsewhere the filter chain, which
// runs on any thread, makes it, so a side snapshotted on a worker never loses its photo.
void makeAdjustedPictureCurrent(SKTImage& image)
{
    if (image._contents.isNull() || image.adjustedPictureIsCurrent())
        return;
    if (GuiThread::isCurrent())
        image.ensureCurrentAdjustedPicture();
    else
        image.setAdjustedPicture(imageWithSettingsApplied(image), image._contents.cacheKey(), image.picture);
}

}  // namespace

bool isDrawnInOutput(const SKTGraphic& element)
{
    return element.print_object == 0 && element.ctrl_is_visible;
}

void drawCardScene(QPainter& painter, const CardScene& scene)
{
    try {
        SavedPainterState sideState(painter);
        drawCardBase(painter, scene.side, scene.cardShape, scene.card);
        for (qsizetype i = scene.graphics.size() - 1; i >= 0; --i) {
            SKTGraphic* graphic = scene.graphics[i].get();
            if (!graphic || !isDrawnInOutput(*graphic))
                continue;
            SavedPainterState elementState(painter);
            graphic->drawContentsInView(painter, false);
        }
        drawCardOverlay(painter, scene.side, scene.cardShape, scene.card);
    } catch (const std::exception& e) {
        Show_MessageBox(QString::fromUtf8(e.what()));
    }
}

QByteArray pdfPage(QSizeF pagePoints, const QString& title,
                   const std::function<void(QPainter&)>& paint)
{
    if (pagePoints.isEmpty())
        return {};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(int(kPointsPerInch));
        writer.setTitle(title);
        writer.setPageSize(
            QPageSize(pagePoints, QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        paint(painter);
        painter.end();
    }
    return buffer.data();
}

QImage rasterAt(QSizeF points, double dpi, const std::function<void(QPainter&)>& paint)
{
    if (!std::isfinite(dpi) || dpi <= 0 || points.isEmpty())
        return {};
    const double width = pixelExtent(points.width(), dpi);
    const double height = pixelExtent(points.height(), dpi);
    if (width > kMaxPixelExtent || height > kMaxPixelExtent)
        return {};
    // Painting runs on premultiplied pixels, the raster engine's own format.
    QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    // Fonts take their size from the device's resolution: paint at 72 dpi and scale instead.
    setDotsPerInch(image, kPointsPerInch);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        painter.scale(dpi / kPointsPerInch, dpi / kPointsPerInch);
        paint(painter);
    }
    // Encoders keep an alpha channel by the format, not by the pixels.
    image.convertTo(isOpaque(image) ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    setDotsPerInch(image, dpi);
    return image;
}

CardImage::CardImage(const CardScene& live, const QRectF& frame) : m_frame(frame)
{
    auto scene = std::make_shared<CardScene>();
    scene->side = live.side;
    scene->cardShape = live.cardShape;
    scene->card = live.card;
    scene->graphics.reserve(live.graphics.size());
    for (const GraphicPtr& graphic : live.graphics) {
        if (!graphic)
            continue;
        GraphicPtr copy = graphic->cloneForRendering();
        // The snapshot carries the adjusted picture, so it can be drawn on any thread. The canvas
        // may show one still being made, or made from a smaller copy while a slider moves; output
        // takes the loaded picture's own pixels with the settings in force.
        if (copy->kind() == GraphicKind::Image)
            makeAdjustedPictureCurrent(static_cast<SKTImage&>(*copy));
        scene->graphics.append(std::move(copy));
    }
    m_scene = std::move(scene);
}

void CardImage::draw(QPainter& painter) const
{
    drawOver(painter, size());
}

void CardImage::drawOver(QPainter& painter, QSizeF extent) const
{
    if (!m_scene)
        return;
    SavedPainterState state(painter);
    if (m_mirrored) {
        painter.translate(m_mirroredVertically ? 0 : extent.width(), m_mirroredVertically ? extent.height() : 0);
        painter.scale(m_mirroredVertically ? 1 : -1, m_mirroredVertically ? -1 : 1);
    }
    painter.translate(-m_frame.topLeft());
    if (extent == size()) {
        drawCardScene(painter, *m_scene);
        return;
    }
    CardScene grown = *m_scene;
    grown.card.adjust(0, 0, extent.width() - size().width(), extent.height() - size().height());
    drawCardScene(painter, grown);
}

CardImage CardImage::mirrored(bool vertical) const
{
    CardImage image = *this;
    image.m_mirrored = true;
    image.m_mirroredVertically = vertical;
    return image;
}

QImage CardImage::toImage(double dpi) const
{
    if (!m_scene)
        return {};
    // A card whose size is no whole number of pixels would leave its last column and row partly
    // transparent, which costs its picture an alpha channel and its edge a fringe.
    const QSizeF covered(pixelExtent(size().width(), dpi) * kPointsPerInch / dpi,
                         pixelExtent(size().height(), dpi) * kPointsPerInch / dpi);
    return rasterAt(size(), dpi, [this, covered](QPainter& painter) { drawOver(painter, covered); });
}

QByteArray CardImage::toPdf() const
{
    if (!m_scene)
        return {};
    return pdfPage(size(), QStringLiteral("Print"), [this](QPainter& painter) { draw(painter); });
}
