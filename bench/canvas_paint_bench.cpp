// Canvas repaint: a side of 30 elements, 5 of them photos of 1000 x 1000 pixels, repainted whole
// at 100 % and 400 % (the widget rendered into a picture of its size), against Qt's own canvas,
// a QGraphicsView showing the same elements, in-process and interleaved. The target is at most
// 16 ms a frame at 400 %.
//   bench_canvas_paint_bench [frames]
#include <QApplication>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>

#include "model/SKTDocument.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/drawing/ShapePaths.h"
#include "views/canvas/SKTGraphicView.h"
#include "BenchSupport.h"

namespace {

constexpr double kTargetMs = 16.0;

QImage photo(int seed)
{
    return rampWithFace(1000, 1000, QColor(200, 170 - seed * 10, 140), QColor(40, 60, 90 + seed * 20));
}

GraphicList thirtyElements()
{
    GraphicList side;
    for (int i = 0; i < 5; ++i) {
        auto image = SKTImage::initWithPosition(QPointF(), photo(i), QString());
        image->Set_Control_File_path(QStringLiteral("photo%1.png").arg(i));
        image->setBounds(QRectF(5 + i * 47, 5, 44, 55));
        side.append(image);
    }
    for (int i = 0; i < 12; ++i) {
        GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
        text->setBounds(QRectF(5 + (i % 3) * 80, 65 + (i / 3) * 16, 76, 14));
        text->Set_text_value(QStringLiteral("Field number %1").arg(i));
        side.append(text);
    }
    const QStringList shapes{QStringLiteral("R"), QStringLiteral("C"), QStringLiteral("RR"),
                             QStringLiteral("T"), QStringLiteral("D"), QStringLiteral("S"),
                             QStringLiteral("DS"), QStringLiteral("P"), QStringLiteral("R"),
                             QStringLiteral("C")};
    for (int i = 0; i < shapes.size(); ++i) {
        GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
        shape->Set_Shape_Type(shapes[i]);
        shape->setBounds(QRectF(5 + i * 23, 130, 20, 20));
        side.append(shape);
    }
    for (int i = 0; i < 3; ++i) {
        GraphicPtr line = SKTGraphic::create(GraphicKind::Line);
        line->setBounds(QRectF(10 + i * 70, 60, 60, 4));
        side.append(line);
    }
    return side;
}

// The peer: the same elements as items of a graphics scene, from the same geometry and pictures.
// Pictures keep a device cache, as our canvas keeps previews.
class SceneCanvas {
public:
    SceneCanvas(const GraphicList& side, const QList<int>& selected)
    {
        m_scene.setBackgroundBrush(Qt::white);
        for (int i = 0; i < side.size(); ++i) {
            QGraphicsItem* item = itemFor(*side[i]);
            item->setFlag(QGraphicsItem::ItemIsSelectable);
            item->setSelected(selected.contains(i));
        }
        m_view.setScene(&m_scene);
        m_view.setFrameShape(QFrame::NoFrame);
        m_view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_view.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    }

    void showAt(double zoom, const QSize& size)
    {
        m_view.resize(size);
        m_view.setSceneRect(QRectF(0, 0, size.width() / zoom, size.height() / zoom));
        m_view.setTransform(QTransform::fromScale(zoom, zoom));
    }

    void render(QImage& frame) { static_cast<QWidget&>(m_view).render(&frame); }

private:
    QGraphicsItem* itemFor(const SKTGraphic& g)
    {
        const QRectF box = g.bounds();
        switch (g.kind()) {
        case GraphicKind::Image: {
            QGraphicsPixmapItem* photo = m_scene.addPixmap(QPixmap::fromImage(g._contents));
            photo->setTransformationMode(Qt::SmoothTransformation);
            photo->setTransform(QTransform::fromScale(box.width() / g._contents.width(),
                                                      box.height() / g._contents.height()));
            photo->setPos(box.topLeft());
            photo->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
            return photo;
        }
        case GraphicKind::Text: {
            QGraphicsTextItem* text = m_scene.addText(g.Text_Value, g.textStyle.text_ctrl_font.toQFont());
            text->setTextWidth(box.width());
            QTextOption centred(Qt::AlignHCenter);
            centred.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            text->document()->setDefaultTextOption(centred);
            text->document()->setDocumentMargin(0);
            text->setPos(box.topLeft());
            return text;
        }
        case GraphicKind::Line:
            return m_scene.addLine(QLineF(box.topLeft(), box.bottomRight()));
        default:
            return m_scene.addPath(shapeOutline(box, ShapeOutlineSettings{g._shape_type, g.cor_rad_val, g.double_star_type, g.polygon_type}), QPen(Qt::black),
                                   QBrush(Qt::white));
        }
    }

    QGraphicsScene m_scene;
    QGraphicsView m_view;
};

void compareAt(double zoom, int frames, SKTGraphicView& view, SceneCanvas& peer)
{
    view.setZoomFactor(zoom);
    peer.showAt(zoom, view.size());
    QImage ourFrame(view.size(), QImage::Format_ARGB32_Premultiplied);
    QImage peerFrame(view.size(), QImage::Format_ARGB32_Premultiplied);
    const BenchSide ours{[&] { view.render(&ourFrame); }};
    const BenchSide scene{[&] { peer.render(peerFrame); }};
    const PairedTimings timings = runPairedRounds(Rounds{frames, 1, 1}, ours, scene);  // the warm-up fills caches
    // CANVAS_BENCH_FRAME=/path/prefix keeps the last frame of each zoom for a look.
    if (qEnvironmentVariableIsSet("CANVAS_BENCH_FRAME")) {
        const QString prefix = qEnvironmentVariable("CANVAS_BENCH_FRAME") + QString::number(zoom * 100);
        ourFrame.save(prefix + QStringLiteral(".png"));
        peerFrame.save(prefix + QStringLiteral("-peer.png"));
    }
    const QByteArray name = "canvas_paint_" + QByteArray::number(zoom * 100);
    std::printf("%4.0f %%: %d x %d px\n", zoom * 100, view.width(), view.height());
    printRatio(name.constData(), timings, "QGraphicsView of the same elements");
    if (zoom == 4.0)
        printBudget(name.constData(), "ours frame", timings.ours.median() * 1e3, kTargetMs, " ms");
}

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    const int frames = countArgument(argc, argv, 31);

    SKTDocument document;
    const GraphicList side = thirtyElements();
    document.insertGraphicsOnSide(SKTDocument::FrontSide, side, firstIndexes(int(side.size())));
    const QList<int> selected{0, 7, 20};
    SKTGraphicView view;
    view.setList(&document, SKTDocument::FrontSide);
    view.changeSelectionIndexes(selected);
    SceneCanvas peer(side, selected);

    std::printf("Canvas repaint, 30 elements with 5 photos of 1000 x 1000 px, median of %d frames\n", frames);
    for (const double zoom : {1.0, 4.0})
        compareAt(zoom, frames, view, peer);
    return 0;
}
