#include "barcodes/BarcodeText.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QMutex>
#include <QRawFont>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Qt keeps glyph positions and metrics in whole 64ths of a pixel of the font's size; laying out
// at this many pixels per point and scaling back keeps the fractional points of the design.
constexpr double kLayoutScale = 64.0;
// The default tab stops of the original text system.
constexpr double kTabStopPoints = 28.0;
// Far beyond any text of a barcode picture; keeps a wild size within Qt's fixed-point range.
constexpr double kLargestFontPoints = 1000.0;
constexpr double kUnboundedLineWidth = 1.0e7;
// A line that passes the bottom or the side of its rectangle by no more than this still fits.
constexpr double kFitTolerance = 0.01;

// The font at kLayoutScale pixels per point, without pair kerning. Pixel sizes make the layout
// independent of any device, so 1 pixel stands for 1 point / kLayoutScale everywhere.
QFont layoutFont(const CardFont& font, double kerning)
{
    QFont qfont = font.toQFont();
    const double points = std::isfinite(font.size) ? std::clamp(font.size, 0.0, kLargestFontPoints) : 0.0;
    qfont.setPixelSize(std::max(1, int(std::lround(points * kLayoutScale))));
    qfont.setKerning(false);
    // Outlines as the font designs them: hinting would fit them to a pixel grid that is not there.
    qfont.setHintingPreference(QFont::PreferNoHinting);
    if (std::isfinite(kerning) && kerning != 0)
        qfont.setLetterSpacing(QFont::AbsoluteSpacing, kerning * kLayoutScale);
    return qfont;
}

Qt::Alignment qtAlignment(BarcodeTextAlignment alignment)
{
    switch (alignment) {
    case BarcodeTextAlignment::Left: return Qt::AlignLeft | Qt::AlignAbsolute;
    case BarcodeTextAlignment::Center: return Qt::AlignHCenter;
    case BarcodeTextAlignment::Right: return Qt::AlignRight | Qt::AlignAbsolute;
    case BarcodeTextAlignment::Natural: break;
    }
    return Qt::AlignLeft;
}

// A text laid out at kLayoutScale, lines stacked from y = 0.
struct Laidout {
    std::unique_ptr<QTextLayout> layout;
    std::vector<double> lineTops;  // scaled
    std::vector<double> lineBottoms;
    double height = 0;              // scaled, all lines
    double widest = 0;              // scaled
};

Laidout layOut(const QString& text, const CardFont& font, double kerning, BarcodeTextAlignment alignment,
               double wrapWidth)
{
    QString lines = text;
    lines.replace(u'\n', QChar::LineSeparator).replace(u'\r', QChar::LineSeparator);
    Laidout result;
    result.layout = std::make_unique<QTextLayout>(lines, layoutFont(font, kerning));
    QTextOption option(qtAlignment(alignment));
    option.setWrapMode(wrapWidth > 0 ? QTextOption::WordWrap : QTextOption::NoWrap);
    option.setTabStopDistance(kTabStopPoints * kLayoutScale);
    result.layout->setTextOption(option);
    result.layout->beginLayout();
    for (QTextLine line = result.layout->createLine(); line.isValid(); line = result.layout->createLine()) {
        line.setLineWidth(wrapWidth > 0 ? wrapWidth : kUnboundedLineWidth);
        line.setPosition(QPointF(0, result.height));
        result.lineTops.push_back(result.height);
        result.height += line.height();
        result.lineBottoms.push_back(result.height);
        result.widest = std::max(result.widest, double(line.naturalTextWidth()));
    }
    result.layout->endLayout();
    return result;
}

struct GlyphKey {
    QRawFont font;
    quint32 index = 0;
    bool operator==(const GlyphKey& other) const { return index == other.index && font == other.font; }
};

size_t qHash(const GlyphKey& key, size_t seed = 0) { return qHashMulti(seed, key.font, key.index); }

// A glyph's outline, kept: every record's caption is drawn from the same few digits and letters,
// and extracting an outline from the font costs more than the rest of a caption's layout.
QPainterPath glyphOutline(const QRawFont& font, quint32 index)
{
    // Enough for the glyphs of a few caption fonts; past it the outlines are extracted afresh.
    constexpr qsizetype kMostKept = 4096;
    static QMutex lock;
    static QHash<GlyphKey, QPainterPath> kept;
    const GlyphKey key{font, index};
    {
        QMutexLocker locker(&lock);
        if (const auto found = kept.constFind(key); found != kept.constEnd())
            return *found;
    }
    const QPainterPath outline = font.pathForGlyph(index);
    QMutexLocker locker(&lock);
    if (kept.size() >= kMostKept)
        kept.clear();
    kept.insert(key, outline);
    return outline;
}

// The glyph outlines of the first lineCount lines, scaled to points and moved to the origin.
QList<QPainterPath> outlines(const Laidout& laidout, size_t lineCount, QPointF origin)
{
    QTransform toPoints;
    toPoints.translate(origin.x(), origin.y());
    toPoints.scale(1.0 / kLayoutScale, 1.0 / kLayoutScale);
    QList<QPainterPath> glyphs;
    for (size_t i = 0; i < lineCount && i < laidout.lineTops.size(); ++i) {
        for (const QGlyphRun& run : laidout.layout->lineAt(int(i)).glyphRuns()) {
            const QRawFont font = run.rawFont();
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype g = 0; g < indexes.size() && g < positions.size(); ++g) {
                const QPainterPath glyph = glyphOutline(font, indexes[g]);
                if (!glyph.isEmpty())
                    glyphs.append(toPoints.map(glyph.translated(positions[g])));
            }
        }
    }
    return glyphs;
}

}  // namespace

float barcodeBandHeight(const CardFont& font)
{
    const double capHeight = QFontMetricsF(layoutFont(font, 0)).capHeight() / kLayoutScale;
    return float(capHeight / 72.0 + 0.35 * capHeight / 72.0);
}

float barcodeTextWidth(const CardFont& font, const QString& text, double kerning)
{
    if (text.isEmpty())
        return 0;
    return float(layOut(text, font, kerning, BarcodeTextAlignment::Natural, 0).widest / kLayoutScale);
}

double barcodeTextHeight(const CardFont& font, const QString& text)
{
    if (text.isEmpty())
        return 0;
    return layOut(text, font, 0, BarcodeTextAlignment::Natural, 0).height / kLayoutScale;
}

QList<QPainterPath> barcodeTextInRect(const QString& text, const CardFont& font, double kerning,
                               BarcodeTextAlignment alignment, const QRectF& rect)
{
    if (text.isEmpty() || !(rect.width() > 0))
        return {};
    // A line as wide as the rectangle, measured in single precision, stays one line.
    const Laidout laidout = layOut(text, font, kerning, alignment, (rect.width() + kFitTolerance) * kLayoutScale);
    // Lines show while they fit the rectangle; the first always shows.
    const double limit = (rect.height() + kFitTolerance) * kLayoutScale;
    const size_t shown = std::max<size_t>(1, size_t(std::count_if(laidout.lineBottoms.begin(), laidout.lineBottoms.end(),
                                                                  [limit](double bottom) { return bottom <= limit; })));
    return outlines(laidout, shown, rect.topLeft());
}

QList<QPainterPath> barcodeTextAtPoint(const QString& text, const CardFont& font, double kerning, QPointF bottomLeft)
{
    if (text.isEmpty())
        return {};
    const Laidout laidout = layOut(text, font, kerning, BarcodeTextAlignment::Left, 0);
    return outlines(laidout, laidout.lineTops.size(), bottomLeft - QPointF(0, laidout.height / kLayoutScale));
}
