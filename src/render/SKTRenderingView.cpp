#include "render/SKTRenderingView.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <exception>

#include "model/CardHost.h"
#include "model/SKTDocument.h"
#include "platform/Log.h"

namespace {

const QString kPrintJobTitle = QStringLiteral("Print");
const QByteArray kTiffFormat = QByteArrayLiteral("tiff");

SKTError tiffFailure(const QString& reason)
{
    Show_NSLog_Message(reason);
    SKTError error;
    error.domain = SKTErrorDomain;
    error.localizedDescription = reason;
    error.localizedFailureReason = reason;
    return error;
}

QByteArray failTiff(std::optional<SKTError>* error, SKTError failure)
{
    if (error)
        *error = std::move(failure);
    return {};
}

// Every element of the list, bottom first, each clipped to its drawing bounds.
void drawElementsClipped(QPainter& painter, const GraphicList& graphics)
{
    for (qsizetype i = graphics.size() - 1; i >= 0; --i) {
        SKTGraphic* graphic = graphics[i].get();
        if (!graphic)
            continue;
        SavedPainterState state(painter);
        painter.setClipRect(graphic->drawingBounds(), Qt::IntersectClip);
        graphic->drawContentsInView(painter, false);
    }
}

}  // namespace

SKTRenderingView::SKTRenderingView(const QRectF& frame, const GraphicList& graphics, CardSide side,
                                   const QString& printJobTitle)
    : _graphics(graphics), m_side(side), _printJobTitle(printJobTitle), m_frame(frame)
{
}

CardScene SKTRenderingView::liveScene() const
{
    CardHost& host = cardHost();
    return CardScene{_graphics, host.cardProperty(sideIndex(m_side)), host.cardOutline(), host.frontCanvasBounds()};
}

void SKTRenderingView::drawRect(QPainter& painter) const
{
    drawCardScene(painter, liveScene());
}

QByteArray SKTRenderingView::dataWithPDFInsideRect(const QRectF& rect) const
{
    return pdfPage(rect.size(), _printJobTitle, [this, &rect](QPainter& painter) {
        painter.translate(-rect.topLeft());
        drawRect(painter);
    });
}

CardImage SKTRenderingView::snapshot() const
{
    return CardImage(liveScene(), m_frame);
}

CardImage SKTRenderingView::image_From_Card_Graphics(const GraphicList& graphics, CardSide side)
{
    try {
        return SKTRenderingView(cardHost().frontCanvasBounds(), graphics, side, kPrintJobTitle).snapshot();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        return {};
    }
}

CardImage SKTRenderingView::image_From_Card_Graphics(const GraphicList& graphics, CardSide side, bool print_box)
{
    Q_UNUSED(print_box);
    return image_From_Card_Graphics(graphics, side);
}

QByteArray SKTRenderingView::pdfDataWithGraphics_data(const GraphicList& graphics, CardSide side)
{
    const SKTRenderingView view(cardHost().frontCanvasBounds(), graphics, side, kPrintJobTitle);
    return view.dataWithPDFInsideRect(view.frame());
}

QByteArray SKTRenderingView::tiffDataWithGraphics(const GraphicList& graphics,
                                                  std::optional<SKTError>* error)
{
    // The union of no elements would measure as the whole card; there is nothing to show.
    const QRectF area = graphics.isEmpty() ? QRectF() : SKTGraphic::drawingBoundsOfGraphics(graphics);
    if (area.isEmpty())
        return failTiff(error, SKTErrorWithCode(3));
    if (!QImageWriter::supportedImageFormats().contains(kTiffFormat)) {
        return failTiff(error, tiffFailure(QStringLiteral(
            "TIFF pictures cannot be written: Qt's TIFF image plugin (package "
            "qt6-image-formats-plugins) is not installed.")));
    }
    try {
        // Moved so the union's corner is the picture's corner: every element lands inside it.
        const QImage image = rasterAt(area.size(), 72.0, [&](QPainter& painter) {
            painter.translate(-area.topLeft());
            drawElementsClipped(painter, graphics);
        });
        if (image.isNull())
            return failTiff(error, tiffFailure(QStringLiteral("The TIFF picture could not be made.")));
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, kTiffFormat);
        if (!writer.write(image)) {
            return failTiff(error, tiffFailure(
                QStringLiteral("The TIFF picture could not be written: %1").arg(writer.errorString())));
        }
        return buffer.data();
    } catch (const std::exception& e) {
        return failTiff(error, tiffFailure(QString::fromUtf8(e.what())));
    }
}

QByteArray SKTRenderingView::documentDataOfType(const SKTDocument& document, const QString& type, QString* error)
{
    if (type == QLatin1String("com.adobe.pdf") || type == QLatin1String("application/pdf"))
        return pdfDataWithGraphics_data(document.graphics(), CardSide::Front);
    if (type != QLatin1String("public.tiff") && type != QLatin1String("image/tiff"))
        return document.dataOfType(type, error);
    std::optional<SKTError> tiffError;
    const QByteArray tiff = tiffDataWithGraphics(document.graphics(), &tiffError);
    if (tiffError && error)
        *error = tiffError->localizedDescription;
    return tiff;
}
