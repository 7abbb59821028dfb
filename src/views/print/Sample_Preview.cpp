#include "views/print/Sample_Preview.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include "output/SheetLayout.h"
#include "render/CardImage.h"

namespace {

constexpr qreal kLabelSize = 24;
constexpr qreal kRoundedRadius = 10;

void drawLabel(QPainter& painter, const SheetPreviewLabel& label, qreal pageHeight)
{
    SavedPainterState state(painter);
    QFont font = painter.font();
    font.setPixelSize(int(kLabelSize));
    font.setBold(false);
    painter.setFont(font);
    painter.setPen(label.invalid ? QColor(Qt::red) : QColor(Qt::gray));
    const QFontMetricsF metrics(font, painter.device());
    const QSizeF text(metrics.horizontalAdvance(label.text), metrics.height());
    const QRectF rect = toPage(label.rect, pageHeight);
    if (!label.turned) {
        const QRectF box(rect.center() - QPointF(text.width() / 2, text.height() / 2), text);
        painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip, label.text);
        return;
    }
    // Upside down, centred across the side, in the band from its middle up one text height.
    painter.translate(rect.center().x(), rect.center().y() - text.height() / 2);
    painter.rotate(180);
    painter.drawText(QRectF(QPointF(-text.width() / 2, -text.height() / 2), text), Qt::AlignCenter | Qt::TextDontClip,
                     label.text);
}

void drawOutline(QPainter& painter, const SheetPreviewOutline& outline, qreal pageHeight)
{
    const QRectF rect = toPage(outline.rect, pageHeight);
    if (outline.Card_Shape == 1)
        painter.drawRoundedRect(rect, kRoundedRadius, kRoundedRadius);
    else if (outline.Card_Shape == 2)
        painter.drawEllipse(rect);
    else
        painter.drawRect(rect);
}

}  // namespace

Sample_Preview::Sample_Preview(QWidget* parent, const PrintSheetSettings* sheet) : QWidget(parent), m_sheet(sheet)
{
}

QSize Sample_Preview::sizeHint() const
{
    return QSizeF(m_sheet->paperWidth, m_sheet->paperHeight).toSize().expandedTo(QSize(10, 10));
}

void Sample_Preview::drawScene(QPainter& painter, const SheetPreviewScene& scene)
{
    const qreal pageHeight = scene.paper.height();
    SavedPainterState state(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.drawRect(toPage(scene.printable, pageHeight));
    for (const SheetPreviewLabel& label : scene.labels)
        drawLabel(painter, label, pageHeight);
    for (const SheetPreviewOutline& outline : scene.outlines)
        drawOutline(painter, outline, pageHeight);
    painter.setPen(QPen(Qt::black, 1));
    for (const QLineF& mark : scene.cropMarks)
        painter.drawLine(toPage(mark, pageHeight));
}

QImage Sample_Preview::imageRepresentation() const
{
    const SheetPreviewScene scene = sheetPreviewScene(*m_sheet);
    if (scene.paper.isEmpty())
        return {};
    QImage image(scene.paper.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawRect(QRectF(0.5, 0.5, image.width() - 1, image.height() - 1));
    drawScene(painter, scene);
    return image;
}

QImage Sample_Preview::imageWithSubviews(qreal devicePixelRatio) const
{
    if (size().isEmpty())
        return {};
    QImage image(size() * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&image);
    paintView(painter, size());
    return image;
}

void Sample_Preview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintView(painter, size());
}

void Sample_Preview::paintView(QPainter& painter, QSizeF size) const
{
    const QRectF frame(QPointF(0, 0), size);
    painter.fillRect(frame, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    const SheetPreviewScene scene = sheetPreviewScene(*m_sheet);
    if (scene.paper.isEmpty())
        return;
    // The whole sheet in whatever room the window gives it.
    const qreal scale = std::min(size.width() / scene.paper.width(), size.height() / scene.paper.height());
    painter.scale(scale, scale);
    drawScene(painter, scene);
}
