#include "views/photos/SelectionCanvasWidget.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

Qt::CursorShape shapeOf(SelectionCursor cursor)
{
    switch (cursor) {
    case SelectionCursor::Crosshair:
        return Qt::CrossCursor;
    case SelectionCursor::OpenHand:
        return Qt::OpenHandCursor;
    case SelectionCursor::TopBottom:
        return Qt::SizeFDiagCursor;
    case SelectionCursor::BottomTop:
        return Qt::SizeBDiagCursor;
    case SelectionCursor::Arrow:
        break;
    }
    return Qt::ArrowCursor;
}

// A pen whose dashes are the given length in canvas units; Qt counts dash lengths in pen widths,
// and a square cap would lengthen them.
QPen outlinePen(const QColor& color, double width, bool dashed)
{
    QPen pen(color, width);
    if (dashed) {
        const double unit = width > 0 ? width : 1.0;
        pen.setDashPattern({5.0 / unit, 5.0 / unit});
        pen.setCapStyle(Qt::FlatCap);
    }
    return pen;
}

}  // namespace

SelectionCanvasWidget::SelectionCanvasWidget(QWidget* contentView) : QWidget(contentView)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
    model_.setRedisplayHandler([this] { update(); });
    if (contentView) {
        // The picture view must not take the keyboard from the canvas.
        contentView->setFocusPolicy(Qt::NoFocus);
        contentView->installEventFilter(this);
    }
}

void SelectionCanvasWidget::arrangeOver(const QSizeF& pictureSize, const ImageViewLayout& layout)
{
    pictureSize_ = pictureSize;
    layout_ = layout;
    arrange();
}

ImageViewLayout SelectionCanvasWidget::fittedLayout(const QSize& view)
{
    ImageViewLayout layout;
    layout.drawingRect = QRectF(QPointF(0, 0), view);
    layout.scaling = ImageScaleProportionallyDown;
    layout.alignment = ImageAlignCenter;
    return layout;
}

QSizeF SelectionCanvasWidget::fittedRatio(const QImage& picture, const QSize& view)
{
    if (picture.isNull())
        return {1, 1};
    return imageRatio(picture.size(), fittedLayout(view));
}

void SelectionCanvasWidget::showFitted(QLabel& view, const QImage& picture)
{
    if (picture.isNull()) {
        view.clear();
        return;
    }
    const ImageViewLayout layout = fittedLayout(view.size());
    const QSizeF shown = scaledImageRect(picture.size(), layout).size();
    view.setPixmap(QPixmap::fromImage(picture.scaled(shown.toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    arrangeOver(picture.size(), layout);
}

void SelectionCanvasWidget::arrange()
{
    const QWidget* content = parentWidget();
    if (!content)
        return;
    ImageViewLayout layout = layout_;
    layout.drawingRect = QRectF(QPointF(0, 0), content->size());
    const QRectF picture = scaledImageRect(pictureSize_, layout);
    model_.setCanvasFrame(picture);
    const QRectF yDown(picture.x(), content->height() - picture.y() - picture.height(), picture.width(),
                       picture.height());
    setGeometry(yDown.toRect());
    update();
}

bool SelectionCanvasWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        arrange();
    return QWidget::eventFilter(watched, event);
}

QPointF SelectionCanvasWidget::toCanvas(const QPointF& widgetPoint) const
{
    return QPointF(widgetPoint.x(), height() - widgetPoint.y());
}

QRectF SelectionCanvasWidget::toWidget(const QRectF& canvasRect) const
{
    const QRectF r = SelectionCanvasModel::defaultRectForFrame(canvasRect);
    return QRectF(r.x(), height() - r.y() - r.height(), r.width(), r.height());
}

void SelectionCanvasWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    model_.layOutHandlesForPaint();
    for (const Selector* selector : model_.paintOrder()) {
        if (selector->isShown())
            paintSelector(painter, *selector);
    }
}

void SelectionCanvasWidget::paintSelector(QPainter& painter, const Selector& selector) const
{
    // The outline is stroked first and the fill painted over it, as the style's look has it.
    const QRectF frame = toWidget(selector.frame());
    painter.setPen(outlinePen(selector.strokeColor(), selector.lineWidth(), selector.isDashed()));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    painter.fillRect(frame, selector.fillColor());
    if (!selector.handlesShown())
        return;
    for (const SelectionHandle& handle : selector.handles()) {
        const QRectF circle = toWidget(handle.frame());
        painter.setPen(QPen(handle.handleStyle().strokeColor, 2.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(circle);
        painter.setPen(Qt::NoPen);
        painter.setBrush(handle.handleStyle().fillColor);
        painter.drawEllipse(circle);
    }
}

void SelectionCanvasWidget::updateCursor(const QPointF& widgetPoint)
{
    if (const std::optional<SelectionCursor> cursor = model_.cursorAt(toCanvas(widgetPoint)))
        setCursor(shapeOf(*cursor));
}

void SelectionCanvasWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    model_.mouseDown(toCanvas(event->position()), event->modifiers() & Qt::ControlModifier);
}

void SelectionCanvasWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        model_.mouseDragged(toCanvas(event->position()));
    else
        updateCursor(event->position());
}

void SelectionCanvasWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !dragging_)
        return QWidget::mouseReleaseEvent(event);
    dragging_ = false;
    model_.mouseUp();
    updateCursor(event->position());
}

void SelectionCanvasWidget::keyPressEvent(QKeyEvent* event)
{
    model_.keyDown(event->key(), event->modifiers() & Qt::ControlModifier);
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
        setCursor(Qt::ArrowCursor);
}
