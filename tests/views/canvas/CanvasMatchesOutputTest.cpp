// The canvas shows what prints: hatch patterns scale with the card at every zoom and resolution,
// and the corners outside a shaped card are left to what lies behind, as the output leaves them.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "CanvasCommandFixture.h"
#include "platform/AppContext.h"
#include "render/CardImage.h"
#include "support/TestEnvironment.h"
#include "views/inspector/InspectorGlobals.h"

namespace {

constexpr double kOutputDpi = 600;
const QColor kWindowBackground(241, 244, 250);

// What one row of a pattern looks like between two card x positions, all in points.
struct RowScan {
    int lines = 0;           // dark runs
    double lineWidth = 0;    // their mean width in points
    int edgePixels = 0;      // neither ink nor background: the blur at the lines' edges
};

RowScan scanRow(const QImage& image, double pixelsPerPoint, double y, double fromX, double toX)
{
    RowScan scan;
    int darkPixels = 0;
    bool wasDark = false;
    const int row = int(y * pixelsPerPoint);
    for (int x = int(fromX * pixelsPerPoint); x < int(toX * pixelsPerPoint); ++x) {
        const int grey = qGray(image.pixel(x, row));
        const bool dark = grey < 128;
        scan.lines += dark && !wasDark;
        darkPixels += dark;
        scan.edgePixels += grey > 40 && grey < 215;
        wasDark = dark;
    }
    scan.lineWidth = scan.lines ? darkPixels / pixelsPerPoint / scan.lines : 0;
    return scan;
}

class CanvasMatchesOutput : public CanvasCommandFixture {
protected:
    void SetUp() override
    {
        CanvasCommandFixture::SetUp();
        Resource_Path = TestEnvironment::resourceDir();
        // The main window's background, which the canvas would show if it painted the window.
        QPalette palette = view.palette();
        palette.setColor(QPalette::Window, kWindowBackground);
        view.setPalette(palette);
    }
    void TearDown() override
    {
        Resource_Path = savedResourcePath;
        Card_Shape = savedShape;
        CanvasCommandFixture::TearDown();
    }

    QImage canvasAt(double zoom)
    {
        view.setZoomFactor(zoom);
        return view.grab().toImage();
    }
    CardImage output() const
    {
        const QRectF card = cardHost_.card;
        return CardImage(CardScene{view.graphics(), cardHost_.front, Card_Shape, card}, card);
    }
    // Poppler's raster of the output's PDF.
    QImage popplerRaster(double dpi)
    {
        const QString base = scratch.filePath(QStringLiteral("side"));
        QFile pdf(base + QStringLiteral(".pdf"));
        EXPECT_TRUE(pdf.open(QIODevice::WriteOnly) && pdf.write(output().toPdf()) > 0);
        pdf.close();
        const auto result = TestEnvironment::run(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf.fileName(), base});
        EXPECT_EQ(result.exitCode, 0) << result.err.constData();
        return QImage(base + QStringLiteral(".png"));
    }

    QTemporaryDir scratch;
    const QString savedResourcePath = Resource_Path;
    const int savedShape = Card_Shape;
};

// A card-wide vertical hatch and, over the lower part, a shape's diagonal hatch: 240 points of each
// hold 30 cells of 8 points, lines a point wide, at 100 % and 200 % on screen, in the 600-dpi
// picture and in poppler's 600-dpi raster of the PDF; the output's lines have sharp edges.
TEST_F(CanvasMatchesOutput, HatchCellsArePointsWideOnScreenAndInOutputAndStaySharpAt600Dpi)
{
    Card_Property& side = cardHost_.front;
    side.setCard_fill_chk(true), side.setCard_fill_style(QStringLiteral("H"));
    side.setCard_hatch_style(QStringLiteral("Vertical")), side.setCard_hatch_bk_clr(Qt::white);
    const GraphicPtr shape = addShape({0, 80, 243, 74});
    shape->ctrl_is_visible = true, shape->_isDrawingStroke = false, shape->_isDrawingFill = true;
    shape->_fill_type = QStringLiteral("H"), shape->_fill_hatch_type = QStringLiteral("Diagonal_Backward");
    shape->_fill_htch_clr = Qt::white;

    struct Rendering { const char* name; QImage image; double pixelsPerPoint; bool output; };
    const QList<Rendering> renderings{{"canvas 100 %", canvasAt(1), 1, false},
                                      {"canvas 200 %", canvasAt(2), 2, false},
                                      {"600-dpi picture", output().toImage(kOutputDpi), kOutputDpi / 72, true},
                                      {"PDF at 600 dpi", popplerRaster(kOutputDpi), kOutputDpi / 72, true}};
    for (const Rendering& r : renderings) {
        ASSERT_FALSE(r.image.isNull()) << r.name;
        for (const double y : {40.0, 116.0}) {
            const RowScan scan = scanRow(r.image, r.pixelsPerPoint, y, 2, 242);
            const double expectedWidth = y < 80 ? 1.0 : std::sqrt(2.0);  // a diagonal crosses the row at 45 degrees
            EXPECT_EQ(scan.lines, 30) << r.name << " at y " << y;
            EXPECT_NEAR(scan.lineWidth, expectedWidth, 0.3 * expectedWidth + 0.5 / r.pixelsPerPoint) << r.name << " at y " << y;
            if (r.output) {
                EXPECT_LE(scan.edgePixels, 2 * 2 * scan.lines) << r.name << " at y " << y << ": at most 2 pixels an edge";
            }
        }
    }
}

// The output leaves the corners outside the outline to the paper; the canvas leaves them to what
// lies behind the card, and paints no background of its own (the window's) there.
TEST_F(CanvasMatchesOutput, OutsideAnEllipticalOrRoundedCardTheCanvasLeavesTheCornersAsTheOutputDoes)
{
    for (const int shape : {2, 1}) {
        Card_Shape = shape;
        view.setZoomFactor(1);
        QImage canvas(view.size(), QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        view.render(&canvas, QPoint(), QRegion(), QWidget::RenderFlags());
        const QImage pdf = popplerRaster(72);
        QImage picture = output().toImage(72);
        ASSERT_FALSE(pdf.isNull() || picture.isNull());
        EXPECT_EQ(qAlpha(picture.pixel(1, 1)), 0) << "the picture leaves the corner to the paper";
        for (const QPoint corner : {QPoint(1, 1), QPoint(240, 151)}) {
            EXPECT_EQ(pdf.pixel(corner) & 0xffffff, 0xffffffu) << shape;
            EXPECT_EQ(qAlpha(canvas.pixel(corner)), qAlpha(picture.pixel(corner)))
                << "shape " << shape << " at " << corner.x() << "," << corner.y();
        }
        EXPECT_EQ(canvas.pixel(120, 76), qRgb(255, 255, 255)) << "inside, the card's white";
    }
}

}  // namespace
