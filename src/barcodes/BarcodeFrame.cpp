#include "barcodes/BarcodeFrame.h"

#include <QFontMetricsF>
#include <QImage>

namespace {
// Qt rounds font metrics to whole device pixels; measuring at this many times the size and
// scaling back keeps the fractional points of the font's design.
constexpr double kMeasureScale = 64.0;

// Metrics of the font at kMeasureScale times its size on a device of 72 dpi (1 pixel = 1 point).
QFontMetricsF scaledPointMetrics(const CardFont& font)
{
    thread_local QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dotsPerMetre = qRound(72.0 / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    QFont scaled = font.toQFont();
    scaled.setPointSizeF(scaled.pointSizeF() * kMeasureScale);
    return QFontMetricsF(scaled, &device);
}
}  // namespace

float barcodeBandHeight(const CardFont& font)
{
    const double capHeight = scaledPointMetrics(font).capHeight() / kMeasureScale;
    return float(capHeight / 72.0 + 0.35 * capHeight / 72.0);
}

float barcodeTextWidth(const CardFont& font, const QString& text)
{
    return float(scaledPointMetrics(font).horizontalAdvance(text) / kMeasureScale);
}

void BarcodeFrame::setCaptionFontSize(float size, const CardFont* font)
{
    caption_fontSize = size;
    if (font)
        captionHeight = barcodeBandHeight(*font);
}

void BarcodeFrame::setHeaderFontSize(float size, const CardFont* font)
{
    header_fontSize = size;
    if (font) {
        headerHeight = barcodeBandHeight(*font);
        headerWidth = barcodeTextWidth(*font, header);
    }
}

void BarcodeFrame::setFooterFontSize(float size, const CardFont* font)
{
    footer_fontSize = size;
    if (font) {
        footerHeight = barcodeBandHeight(*font);
        footerWidth = barcodeTextWidth(*font, footer);
    }
}
