// The barcode renderer: where bars, captions and texts go in a picture, its backgrounds, and the
// texts measured in points.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "barcodes/BarcodeContext.h"
#include "barcodes/BarcodeSizing.h"
#include "barcodes/BarcodeText.h"
#include "barcodes/NKDBarcodeOffscreenView.h"
#include "barcodes/linear/NKDBarcode.h"
#include "support/TestEnvironment.h"

namespace {

// A barcode whose bar string is given; its caption is its content.
class GivenBars : public NKDBarcode {
public:
    GivenBars(const BarcodeContext& context, BarString bars, float width, float height) : bars_(std::move(bars))
    {
        setContext(&context);
        initWithContent(QStringLiteral("x"), false);
        setBarWidth(1);
        setWidth(width);
        setHeight(height);
    }
    BarString barcode() const override { return bars_; }

private:
    BarString bars_;
};

// A context whose margins in points are all 0.
BarcodeContext marginless()
{
    BarcodeContext s;
    s.value_margin = s.header_margin = s.footer_margin = s.LR_margin = s.TB_margin = 0;
    return s;
}

bool isDark(const QImage& image, int x, int y)
{
    const QRgb pixel = image.pixel(x, y);
    return qAlpha(pixel) > 128 && qGray(pixel) < 128;
}

QList<int> darkColumns(const QImage& image, int row)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        if (isDark(image, x, row))
            columns << x;
    return columns;
}

// First and last dark row of a column; (-1, -1) when it has none.
std::pair<int, int> darkRows(const QImage& image, int column)
{
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y) {
        if (isDark(image, column, y)) {
            first = first < 0 ? y : first;
            last = y;
        }
    }
    return {first, last};
}

// The rectangle round a text's glyph outlines.
QRectF boundsOf(const QList<QPainterPath>& glyphs)
{
    QRectF bounds;
    for (const QPainterPath& glyph : glyphs)
        bounds = bounds.united(glyph.boundingRect());
    return bounds;
}

}  // namespace

TEST(BarcodeRendererTest, RunsOfModulesBecomeRectanglesOfOneFillCentredInTheFrame)
{
    const BarcodeContext s = marginless();
    const GivenBars barcode(s, "1101", 10, 10);
    const BarcodePicture picture = imageFromBarcode(s, barcode);
    ASSERT_EQ(picture.size(), QSizeF(10, 10));
    // x0 = (10 - 4) / 2: a bar two modules wide at 3 and one at 6, past the run and one module.
    EXPECT_EQ(darkColumns(picture.toImage(72), 5), (QList<int>{3, 4, 6}));

    // In PDF the four runs of this bar string are one fill beside the background's, never a
    // square per module.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("bars.pdf"));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdfFromBarcode(s, GivenBars(s, "1011011101", 10, 10)));
    file.close();
    const auto fills = TestEnvironment::runPython(
        QStringLiteral("import re, sys, zlib\n"
                       "data = open(sys.argv[1], 'rb').read()\n"
                       "streams = [zlib.decompress(m) for m in re.findall(rb'stream\\r?\\n(.*?)\\r?\\nendstream', data, re.S)]\n"
                       "print(sum(s.count(b'\\nf\\n') for s in streams), sum(s.count(b'\\nh\\n') for s in streams))\n"),
        {pdf});
    EXPECT_EQ(fills.out.trimmed(), QByteArray("2 6")) << "two fills of six closed outlines: background, clip, four runs";
}

TEST(BarcodeRendererTest, TheCaptionStandsBelowOrAboveTheBarsAndAWideHeaderWidensTheFrame)
{
    BarcodeContext s = marginless();
    s.value_margin = 2;
    // Bars at the frame's edges, clear of the caption in its middle.
    GivenBars barcode(s, "1" + BarString(36, '0') + "1", 40, 40);
    barcode.setPrintsCaption(true);
    barcode.setCaptionHeight(0.2f);  // 14.4 points
    // Bars 40 - 14.4 - 2 = 23.6 points tall, standing on the caption band and its margin.
    const QImage below = imageFromBarcode(s, barcode).toImage(72);
    EXPECT_EQ(darkRows(below, 1), std::make_pair(0, 23));
    EXPECT_GT(darkRows(below, 20).first, 25) << "caption under the bars";

    s.controls.show_val_on_top = 1;
    const QImage above = imageFromBarcode(s, barcode).toImage(72);
    EXPECT_EQ(darkRows(above, 1), std::make_pair(16, 39));
    EXPECT_LT(darkRows(above, 20).second, 16) << "caption over the bars";

    // The frame takes the widest of bars and texts; the bars stay centred in it.
    s.controls.show_val_on_top = 0;
    GivenBars headed(s, "1101", 40, 40);
    headed.setPrintsHeader(true);
    headed.setHeader(QStringLiteral("A HEADER WIDER THAN THE BARS"));
    headed.setHeaderFontSize(10);
    ASSERT_GT(headed.headerWidth(), 40);
    const NKDBarcodeOffscreenView view(s, headed);
    EXPECT_FLOAT_EQ(float(view.bounds().width()), headed.headerWidth());
    EXPECT_EQ(view.rectForPage(1), QRectF(0, 0, 40, 40));
    const QList<int> bars = darkColumns(view.dataWithPDFInsideRect().toImage(72), 39);
    ASSERT_EQ(bars.size(), 3);
    EXPECT_EQ(bars[1], bars[0] + 1);
    EXPECT_EQ(bars[2], bars[0] + 3);
    EXPECT_NEAR(bars[0] + 2, headed.headerWidth() / 2, 1.0);
}

TEST(BarcodeRendererTest, BackgroundIsTheColourWellForLinearWhiteFor2dAndClearWhenTransparent)
{
    BarcodeContext s = marginless();
    s.controls.barcode_back_clr_val = Qt::yellow;
    const GivenBars barcode(s, "101", 10, 10);
    EXPECT_EQ(imageFromBarcode(s, barcode).toImage(72).pixel(0, 0), qRgb(255, 255, 0));

    QImage symbol(10, 10, QImage::Format_ARGB32);
    symbol.fill(Qt::black);
    s.controls.show_hide_hdr = s.controls.show_hide_ftr = 1;
    s.controls.TB_marging_val = s.controls.LR_margin_val = 1;
    Set_2d_Barcode_Height(s, 10);
    Set_2d_Barcode_Width(s, 10);
    const QImage framed = imageFromBarcodeImage(s, BarcodePicture(symbol)).toImage(72);
    ASSERT_EQ(framed.size(), QSize(qCeil(10 + 2 * 2.8346472 + 15), qCeil(10 + 2 * 2.8346472)));
    EXPECT_EQ(framed.pixel(0, 0), qRgb(255, 255, 255));
    // Without a header the symbol's top lies the top margin below the frame's top.
    EXPECT_EQ(darkRows(framed, framed.width() / 2), std::make_pair(3, 12));

    s.fill_transparent = true;
    EXPECT_EQ(qAlpha(imageFromBarcode(s, barcode).toImage(72).pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(imageFromBarcodeImage(s, BarcodePicture(symbol)).toImage(72).pixel(0, 0)), 0);
    EXPECT_TRUE(imageFromBarcodeImage(s, BarcodePicture()).isNull());
}

TEST(BarcodeRendererTest, TextsAreMeasuredInPointsAndDrawnWithTheirSpacingAndAlignment)
{
    const CardFont font{QStringLiteral("DejaVu Sans"), 10};
    // 1.35 cap heights of 7.3 points, not of the 9.7 a 96-dpi screen would measure.
    EXPECT_NEAR(barcodeBandHeight(font) * 72, 1.35 * 7.3, 0.05);
    const float width = barcodeTextWidth(font, QStringLiteral("HEADER"));
    EXPECT_NEAR(width, 41.6, 0.2);
    EXPECT_NEAR(barcodeTextHeight(font, QStringLiteral("HEADER")), 11.6, 0.1);
    EXPECT_EQ(barcodeTextHeight(font, QString()), 0);

    const QRectF rect(0, 0, 100, 12);
    const QRectF plain = boundsOf(barcodeTextInRect("HEADER", font, 0, BarcodeTextAlignment::Left, rect));
    const QRectF spaced = boundsOf(barcodeTextInRect("HEADER", font, 2, BarcodeTextAlignment::Left, rect));
    EXPECT_NEAR(spaced.width() - plain.width(), 5 * 2.0, 0.01) << "two points after each letter";
    const QRectF right = boundsOf(barcodeTextInRect("HEADER", font, 0, BarcodeTextAlignment::Right, rect));
    EXPECT_NEAR(right.right(), 100, 1.0);
    const QRectF centred = boundsOf(barcodeTextInRect("HEADER", font, 0, BarcodeTextAlignment::Center, rect));
    EXPECT_NEAR(centred.center().x(), 50, 1.0);
    // Tab stops every 28 points; a second line below the rectangle is not drawn.
    const QRectF tabbed = boundsOf(barcodeTextInRect("1\t2", font, 0, BarcodeTextAlignment::Left, rect));
    const QRectF second = boundsOf(barcodeTextInRect("\t2", font, 0, BarcodeTextAlignment::Left, rect));
    EXPECT_GE(second.left(), 28);
    EXPECT_LT(second.left(), 29);
    EXPECT_EQ(tabbed.right(), second.right());
    const QRectF wrapped =
        boundsOf(barcodeTextInRect("HEADER HEADER", font, 0, BarcodeTextAlignment::Left, QRectF(0, 0, 50, 12)));
    EXPECT_LT(wrapped.width(), 50);
    EXPECT_LT(wrapped.bottom(), 12);
    // A side caption's line box stands on the point.
    EXPECT_NEAR(boundsOf(barcodeTextAtPoint("4", font, 0, QPointF(5, 50))).bottom(), 50 - 2.36, 0.1);
}

TEST(BarcodeRendererTest, EachFontAndSizeDrawsItsOwnGlyphsEveryTime)
{
    const CardFont sans{QStringLiteral("DejaVu Sans"), 10};
    const CardFont largerSans{QStringLiteral("DejaVu Sans"), 20};
    const CardFont mono{QStringLiteral("DejaVu Sans Mono"), 10};
    const QRectF rect(0, 0, 200, 40);
    const auto glyphs = [&](const CardFont& font) {
        return barcodeTextInRect(QStringLiteral("W8"), font, 0, BarcodeTextAlignment::Left, rect);
    };
    const QList<QPainterPath> first = glyphs(sans);
    ASSERT_EQ(first.size(), 2);
    const QRectF larger = boundsOf(glyphs(largerSans));
    EXPECT_NEAR(larger.height(), 2 * boundsOf(first).height(), 0.1);
    EXPECT_NE(boundsOf(glyphs(mono)).width(), boundsOf(first).width()) << "the monospaced W is narrower";
    const QList<QPainterPath> again = glyphs(sans);
    ASSERT_EQ(again.size(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(again[i], first[i]) << i;
}
