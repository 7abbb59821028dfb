#include "barcodes/NKDBarcodeOffscreenView.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTransform>
#include <algorithm>
#include <limits>

#include "barcodes/BarcodeText.h"
#include "barcodes/linear/NKDBarcode.h"

namespace {

constexpr double kPointsPerInch = 72.0;
// Left and right captions stand this far above the caption line.
constexpr double kSideCaptionRaise = 3.0;
// Single-precision sizing leaves this much between the height and what its parts add up to.
constexpr double kHeightTolerance = 0.01;
// Resolutions the stored raster of a framed 2-D picture may take.
constexpr double kHighestStoredDpi = 2400.0;

// The alignment of a header or footer entry ("Left", "Center", "Right"); any other index keeps
// the natural alignment.
BarcodeTextAlignment captionAlignment(int index)
{
    switch (index) {
    case 0: return BarcodeTextAlignment::Left;
    case 1: return BarcodeTextAlignment::Center;
    case 2: return BarcodeTextAlignment::Right;
    default: return BarcodeTextAlignment::Natural;
    }
}

QRectF inkOf(const QList<QPainterPath>& glyphs)
{
    QRectF ink;
    for (const QPainterPath& glyph : glyphs)
        ink = ink.united(glyph.boundingRect());
    return ink;
}

// A caption text placed at full size, the point it shrinks towards, and the largest scale at
// which it keeps to its room.
struct CaptionText {
    QList<QPainterPath> glyphs;
    double anchorX = 0;
    double largestScale = 1;
};

// The largest scale at which ink reaching `reach` past the anchor stays within `room` of it.
double scaleWithin(double room, double reach)
{
    return reach > room ? std::max(0.0, room) / reach : 1.0;
}

}  // namespace

NKDBarcodeOffscreenView::NKDBarcodeOffscreenView(const BarcodeContext& context, const NKDBarcode& barcode)
    : context_(context), barcode_(&barcode)
{
    const float header = barcode.printsHeader() ? barcode.headerWidth() : 0.0f;
    const float footer = barcode.printsFooter() ? barcode.footerWidth() : 0.0f;
    const double needed = neededHeight();
    const double height = needed > barcode.height() + kHeightTolerance ? needed : barcode.height();
    bounds_ = QRectF(0, 0, std::max({header, footer, barcode.width()}), height);
}

NKDBarcodeOffscreenView::Bands NKDBarcodeOffscreenView::bands() const
{
    const NKDBarcode& barcode = *barcode_;
    const BarcodeContext& s = context_;
    Bands b;
    b.caption = barcode.printsCaption() ? barcode.captionHeight() * kPointsPerInch : 0.0;
    b.header = barcode.printsHeader() ? barcode.headerHeight() * kPointsPerInch : 0.0;
    b.footer = barcode.printsFooter() ? barcode.footerHeight() * kPointsPerInch : 0.0;
    b.captionOnTop = s.controls.show_val_on_top != 0;
    b.base = s.TB_margin + b.footer + s.footer_margin + (b.captionOnTop ? 0.0 : b.caption + s.value_margin);
    return b;
}

// The bars stand on the base, the caption on top (when it is there), the header and the top margin
// above them. A symbology whose bars keep their own height (Japan Post bounds its height to that
// of its bars) would have them drawn above a frame of its height alone, so the frame grows to hold
// them; for every other symbology this is its height.
double NKDBarcodeOffscreenView::neededHeight() const
{
    const NKDBarcode& barcode = *barcode_;
    const BarcodeContext& s = context_;
    const Bands b = bands();
    const BarString bars = barcode.completeBarcode();
    double tallest = 0;
    for (size_t i = 0; i < bars.size(); ++i) {
        if (bars[i] == '1')
            tallest = std::max(tallest, double(barcode.barTop(int(i))));
    }
    return b.base + tallest + (b.captionOnTop ? s.value_margin + b.caption : 0.0) + s.header_margin + b.header +
           s.TB_margin;
}

NKDBarcodeOffscreenView::NKDBarcodeOffscreenView(const BarcodeContext& context, const BarcodePicture& image_2d)
    : context_(context), image_2d_(image_2d), bounds_(0, 0, context.frame.width, context.frame.height)
{
}

QRectF NKDBarcodeOffscreenView::rectForPage(int) const
{
    return barcode_ ? QRectF(0, 0, barcode_->width(), barcode_->height()) : QRectF();
}

void NKDBarcodeOffscreenView::drawRect(BarcodePicture::Builder& picture) const
{
    if (barcode_)
        drawLinear(picture);
    else
        draw2d(picture);
}

BarcodePicture NKDBarcodeOffscreenView::dataWithPDFInsideRect(double storedDpi) const
{
    BarcodePicture::Builder picture(bounds_.size());
    drawRect(picture);
    return picture.finish(storedDpi);
}

void NKDBarcodeOffscreenView::drawBandText(BarcodePicture::Builder& picture, const QString& text,
                                           const CardFont& font, const QColor& colour, int alignmentIndex,
                                           double bottom) const
{
    const double height = barcodeTextHeight(font, text);
    const QRectF rect(0, bounds_.height() - bottom - height, bounds_.width(), height);
    picture.fillOutlines(barcodeTextInRect(text, font, kBarcodeTextSpacing, captionAlignment(alignmentIndex), rect), colour, true);
}

void NKDBarcodeOffscreenView::drawLinear(BarcodePicture::Builder& picture) const
{
    const NKDBarcode& barcode = *barcode_;
    const BarcodeContext& s = context_;
    const BarcodeSettings& c = s.controls;
    const double H = bounds_.height();
    const double W = bounds_.width();
    // y-up rectangle (bottom y, height) to the picture's top.
    const auto topOf = [H](double y, double height) { return H - y - height; };

    const bool twoCaptions = !barcode.leftCaption().isEmpty() || barcode.caption().contains(u'\t');

    if (!s.fill_transparent)
        picture.fillRectangles({bounds_}, c.barcode_back_clr_val);

    const BarString bars = barcode.completeBarcode();
    const double barWidth = barcode.barWidth();
    const double total = double(bars.size()) * barWidth;
    const double x0 = (W - total) / 2;
    const Bands b = bands();
    const double headerBand = b.header;
    const double base = b.base;

    // Bar-height codes carry their information in where each bar starts and ends: every bar
    // stands its own bottom above the lowest, which stands on the base.
    const bool ownBottoms = barcode.isBarHeightCode();
    double lowestBottom = 0;
    if (ownBottoms) {
        lowestBottom = std::numeric_limits<double>::max();
        for (size_t i = 0; i < bars.size(); ++i) {
            if (bars[i] == '1')
                lowestBottom = std::min(lowestBottom, double(barcode.barBottom(int(i))));
        }
    }

    // Every run of dark modules becomes one rectangle, whose extent is that of the run's last
    // module; the rectangles are filled as one.
    QList<QRectF> runs;
    double x = x0;
    int run = 0;
    int last = -1;
    bool inside = false;
    double lastBarHeight = 0;
    const auto drawRun = [&] {
        double height = barcode.barTop(last);
        double y = base;
        if (ownBottoms) {
            const double bottom = barcode.barBottom(last) - lowestBottom;
            height = barcode.barTop(last) - bottom;
            y = base + bottom;
        } else if (twoCaptions) {
            height = barcode.barTop(last) - barcode.barBottom(last);
            y = base + barcode.barBottom(last);
        }
        if (height > 0)
            runs.append(QRectF(x, topOf(y, height), barWidth * run, height));
        lastBarHeight = height;
    };
    for (size_t i = 0; i < bars.size(); ++i) {
        if (bars[i] == '1') {
            inside = true;
            ++run;
            last = int(i);
            if (i == bars.size() - 1)
                drawRun();
        } else {
            if (inside)
                drawRun();
            x += barWidth * (run + 1);
            run = 0;
            inside = false;
        }
    }
    picture.fillRectangles(runs, c.barcode_clr_val);

    if (barcode.printsCaption())
        picture.fillOutlines(captionOutlines(x0, total, lastBarHeight), c.barcode_val_clr_val, true);

    if (barcode.printsHeader())
        drawBandText(picture, barcode.header(), c.header_font_val, c.barcode_hdr_clr_val, c.align_hdr_index,
                     H - headerBand - s.TB_margin);
    if (barcode.printsFooter())
        drawBandText(picture, barcode.footer(), c.footer_font_val, c.barcode_ftr_clr_val, c.align_ftr_index,
                     s.TB_margin);
}

// Each group of digits stands centred under its own modules and the side captions beside the
// bars, the left one ending where they begin; all shrink by one scale, towards the edge of the
// line box that faces the bars, until every group keeps under its modules and no side digit
// leaves the picture. Any other caption is centred across the picture.
QList<QPainterPath> NKDBarcodeOffscreenView::captionOutlines(double x0, double total, double lastBarHeight) const
{
    const NKDBarcode& barcode = *barcode_;
    const BarcodeContext& s = context_;
    const Bands b = bands();
    const CardFont& font = s.controls.value_font_val;
    const double H = bounds_.height();
    const double W = bounds_.width();
    const double kerning = s.captionSpacing();
    // y up: the bottom of the caption's line box.
    const double line =
        s.TB_margin + b.footer + s.footer_margin + (b.captionOnTop ? lastBarHeight + s.value_margin : 0.0);
    const QString caption = barcode.caption();
    const double height = barcodeTextHeight(font, caption);
    const QList<CaptionGroup> groups = barcode.captionGroups();

    QList<CaptionText> texts;
    const double barWidth = barcode.barWidth();
    for (const CaptionGroup& group : groups) {
        CaptionText text{barcodeTextAtPoint(group.text, font, kerning, QPointF(0, H - line))};
        const QRectF ink = inkOf(text.glyphs);
        text.anchorX = x0 + (group.firstModule + group.endModule) / 2.0 * barWidth;
        const QTransform centred = QTransform::fromTranslate(text.anchorX - ink.center().x(), 0);
        for (QPainterPath& glyph : text.glyphs)
            glyph = centred.map(glyph);
        text.largestScale = scaleWithin((group.endModule - group.firstModule) * barWidth, ink.width());
        texts.append(text);
    }
    if (const QString left = barcode.leftCaption(); !left.isEmpty()) {
        const QPointF bottomLeft(x0 - barcodeTextWidth(font, left), H - (line + kSideCaptionRaise));
        CaptionText text{barcodeTextAtPoint(left, font, 0, bottomLeft), x0};
        text.largestScale = scaleWithin(x0, x0 - inkOf(text.glyphs).left());
        texts.append(text);
    }
    if (const QString right = barcode.rightCaption(); !right.isEmpty()) {
        const double end = x0 + total;
        CaptionText text{barcodeTextAtPoint(right, font, 0, QPointF(end, H - (line + kSideCaptionRaise))), end};
        text.largestScale = scaleWithin(W - end, inkOf(text.glyphs).right() - end);
        texts.append(text);
    }

    QList<QPainterPath> outlines;
    if (groups.isEmpty() && !caption.isEmpty()) {
        const QRectF rect(0, H - line - height, W, height);
        outlines = barcodeTextInRect(caption, font, kerning, BarcodeTextAlignment::Center, rect);
    }
    double scale = 1;
    for (const CaptionText& text : texts)
        scale = std::min(scale, text.largestScale);
    const double anchorY = b.captionOnTop ? H - line : H - line - height;
    for (const CaptionText& text : texts) {
        const QTransform shrunk = QTransform::fromTranslate(-text.anchorX, -anchorY) *
                                  QTransform::fromScale(scale, scale) *
                                  QTransform::fromTranslate(text.anchorX, anchorY);
        for (const QPainterPath& glyph : text.glyphs)
            outlines.append(shrunk.map(glyph));
    }
    return outlines;
}

void NKDBarcodeOffscreenView::draw2d(BarcodePicture::Builder& picture) const
{
    const BarcodeContext& s = context_;
    const BarcodeSettings& c = s.controls;
    const BarcodeFrame& frame = s.frame;
    const double H = bounds_.height();
    if (!s.fill_transparent)
        picture.fillRectangles({bounds_}, Qt::white);

    const QSizeF symbol = image_2d_.size();
    const double headerBand = frame.printsHeader ? frame.headerHeight * kPointsPerInch : 0.0;
    // The top line, y up; the symbol hangs header_margin below it, with or without a header.
    const double topLine = H - headerBand - s.TB_margin;
    if (frame.printsHeader)
        drawBandText(picture, frame.header, c.header_font_val, c.barcode_hdr_clr_val, c.align_hdr_index, topLine);
    const double symbolBottom = topLine - symbol.height() - s.header_margin;
    picture.drawPicture(QRectF((frame.width - symbol.width()) / 2, H - symbolBottom - symbol.height(),
                               symbol.width(), symbol.height()),
                        image_2d_);
    if (frame.printsFooter)
        drawBandText(picture, frame.footer, c.footer_font_val, c.barcode_ftr_clr_val, c.align_ftr_index,
                     s.TB_margin);
}

BarcodePicture imageFromBarcode(const BarcodeContext& context, const NKDBarcode& barcode)
{
    return NKDBarcodeOffscreenView(context, barcode).dataWithPDFInsideRect();
}

BarcodePicture imageFromBarcodeImage(const BarcodeContext& context, const BarcodePicture& image_2d)
{
    if (image_2d.isNull())
        return {};
    const double storedDpi = std::clamp(double(context.USED_DPI_VALUE), BarcodePicture::kStoredDpi, kHighestStoredDpi);
    return NKDBarcodeOffscreenView(context, image_2d).dataWithPDFInsideRect(storedDpi);
}

QByteArray pdfFromBarcode(const BarcodeContext& context, const NKDBarcode& barcode)
{
    const BarcodePicture picture = imageFromBarcode(context, barcode);
    if (picture.isNull())
        return {};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(int(kPointsPerInch));
        writer.setPageSize(QPageSize(picture.size(), QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        picture.draw(painter);
    }
    return buffer.data();
}
