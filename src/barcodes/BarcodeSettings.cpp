#include "barcodes/BarcodeSettings.h"
#include <QFontMetricsF>
#include <QImage>
#include "platform/AppContext.h"

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

BarcodeSettings::BarcodeSettings()
    : value_font{Text_Ctrl_Font, 10}, header_font{Text_Ctrl_Font, 10}, footer_font{Text_Ctrl_Font, 10}
{
}

void BarcodeSettings::setCaptionFontSize(float size)
{
    caption_fontSize = size;
    captionHeight = barcodeBandHeight(value_font);
}

void BarcodeSettings::setHeaderFontSize(float size)
{
    header_fontSize = size;
    headerHeight = barcodeBandHeight(header_font);
    headerWidth = barcodeTextWidth(header_font, header);
}

void BarcodeSettings::setFooterFontSize(float size)
{
    footer_fontSize = size;
    footerHeight = barcodeBandHeight(footer_font);
    footerWidth = barcodeTextWidth(footer_font, footer);
}
