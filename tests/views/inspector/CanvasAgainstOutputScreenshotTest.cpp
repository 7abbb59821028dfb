// Pictures of the window's canvas beside the printed output, on a real X server with a design open:
// a hatch at 100 % and 200 % beside the same piece of a 600-dpi render, and an elliptical card on
// the grey around it.
#include <QPainter>

#include "InspectorScreenshots.h"
#include "model/Card_Property.h"
#include "render/SKTRenderingView.h"
#include "views/canvas/SKTZoomingScrollView.h"
#include "views/inspector/InspectorGlobals.h"

namespace {

constexpr double kOutputDpi = 600;
// The piece of the card compared, in points: hatch around the rounded square and the triangle.
const QRectF kPiece(88, 78, 48, 32);
constexpr int kPanelWidth = 400;
constexpr int kCaptionHeight = 24;

QRect pixelsOf(const QRectF& points, double pixelsPerPoint)
{
    return QRectF(points.topLeft() * pixelsPerPoint, points.size() * pixelsPerPoint).toRect();
}

// The pieces side by side at one width each, pixels enlarged without smoothing, captioned.
QImage sideBySide(const QList<std::pair<QString, QImage>>& pieces)
{
    const int panelHeight = qRound(kPanelWidth * kPiece.height() / kPiece.width());
    QImage sheet(int(pieces.size()) * (kPanelWidth + 10) - 10, panelHeight + kCaptionHeight, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const int left = int(i) * (kPanelWidth + 10);
        painter.drawText(QRect(left, 0, kPanelWidth, kCaptionHeight), Qt::AlignCenter, pieces[i].first);
        painter.drawImage(QRect(left, kCaptionHeight, kPanelWidth, panelHeight),
                          pieces[i].second.scaled(kPanelWidth, panelHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
    return sheet;
}

class ShapeRestorer {
public:
    ~ShapeRestorer() { Card_Shape = m_saved; }

private:
    const int m_saved = Card_Shape;
};

TEST_F(InspectorScreenshots, HatchAtTwoZoomsBesideA600DpiRenderAndAnEllipticalCardInTheWindow)
{
    const ShapeRestorer restorer;
    putOnCard(sampleFront());
    Card_Property side;
    side.setCard_fill_chk(true), side.setCard_fill_style(QStringLiteral("H"));
    side.setCard_hatch_style(QStringLiteral("Diagonal_Cross")), side.setCard_hatch_bk_clr(QColor(230, 245, 230));
    controller.Front_card_Prop = side;
    controller.inspector().Show_RHS_Properties(nullptr);
    showWindow();

    SKTGraphicView& canvas = frontCanvas();
    SKTZoomingScrollView& zoom = *controller.zoomingScrollView(SKTDocument::FrontSide);
    QList<std::pair<QString, QImage>> pieces;
    for (const double factor : {1.0, 2.0}) {
        zoom.setFactor(factor);
        QTest::qWait(150);
        pieces.append({QStringLiteral("window at %1 %").arg(factor * 100), canvas.grab(pixelsOf(kPiece, factor)).toImage()});
    }
    const QImage output = SKTRenderingView::image_From_Card_Graphics(document.graphics(), CardSide::Front).toImage(kOutputDpi);
    pieces.append({QStringLiteral("600-dpi output"), output.copy(pixelsOf(kPiece, kOutputDpi / 72))});
    EXPECT_TRUE(sideBySide(pieces).save(artifacts.filePath(QStringLiteral("hatch-100-200-and-600dpi.png"))));

    // Outside the ellipse the window shows the grey behind the card, which the clip view paints.
    Card_Shape = 2;
    zoom.setFactor(1.0);
    QTest::qWait(150);
    EXPECT_TRUE(controller.window()->grab().save(artifacts.filePath(QStringLiteral("card-ellipse-1280x800.png"))));
    QWidget& clip = *zoom.viewport();
    const QImage shown = clip.grab().toImage();
    QImage behind(clip.size(), QImage::Format_RGB32);
    clip.render(&behind, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    for (const QPoint corner : {QPoint(2, 2), QPoint(canvas.width() - 3, canvas.height() - 3)}) {
        const QPoint at = canvas.mapTo(&clip, corner);
        const QRgb grey = shown.pixel(at);
        EXPECT_EQ(grey, behind.pixel(at)) << corner.x() << "," << corner.y();
        EXPECT_TRUE(qRed(grey) == qGreen(grey) && qGreen(grey) == qBlue(grey) && qRed(grey) < 230)
            << corner.x() << "," << corner.y();
    }
}

}  // namespace
