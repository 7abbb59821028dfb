#include "views/canvas/SKTZoomingScrollView.h"

#include <QComboBox>
#include <QEvent>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>

#include "views/canvas/CanvasRuler.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SWCenteringClipView.h"

SKTZoomingScrollView::SKTZoomingScrollView(QWidget* parent)
    : QScrollArea(parent)
{
    setViewport(new SWCenteringClipView);
    setAlignment(Qt::AlignCenter);
    setWidgetResizable(false);
    // The zoom pop-up lives beside the horizontal scroll bar, so the bar is always there.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    validateFactorPopUpButton();
    _horizontalRuler = new CanvasRuler(Qt::Horizontal, this);
    _verticalRuler = new CanvasRuler(Qt::Vertical, this);
    _horizontalRuler->setObjectName(QStringLiteral("horizontal_ruler"));
    _verticalRuler->setObjectName(QStringLiteral("vertical_ruler"));
    _horizontalRuler->hide();
    _verticalRuler->hide();
    // The clip view places the document on every scroll, resize and centring.
    connect(clipView(), &SWCenteringClipView::documentPlaced, this, &SKTZoomingScrollView::updateRulers);
}

void SKTZoomingScrollView::setDocumentView(QWidget* canvas)
{
    setWidget(canvas);
    canvas->setAutoFillBackground(false);
}

void SKTZoomingScrollView::setRulersVisible(bool visible)
{
    if (visible == _rulersVisible)
        return;
    _rulersVisible = visible;
    const int margin = visible ? CanvasRuler::kThickness : 0;
    setViewportMargins(margin, margin, 0, 0);
    _horizontalRuler->setVisible(visible);
    _verticalRuler->setVisible(visible);
    tileRulers();
}

void SKTZoomingScrollView::tileRulers()
{
    if (!_rulersVisible)
        return;
    const QRect port = viewport()->geometry();
    const int t = CanvasRuler::kThickness;
    _horizontalRuler->setGeometry(port.left(), port.top() - t, port.width(), t);
    _verticalRuler->setGeometry(port.left() - t, port.top(), t, port.height());
    updateRulers();
}

void SKTZoomingScrollView::updateRulers()
{
    const QWidget* document = clipView()->documentView();
    const QPoint origin = document ? document->pos() : QPoint();
    _horizontalRuler->setMapping(origin.x(), _factor);
    _verticalRuler->setMapping(origin.y(), _factor);
    _horizontalRuler->update();
    _verticalRuler->update();
}

SWCenteringClipView* SKTZoomingScrollView::clipView() const
{
    return static_cast<SWCenteringClipView*>(viewport());
}

void SKTZoomingScrollView::validateFactorPopUpButton()
{
    if (_factorPopUpButton)
        return;
    _factorPopUpButton = new QComboBox;
    _factorPopUpButton->setFrame(false);
    _factorPopUpButton->setFocusPolicy(Qt::NoFocus);
    _factorPopUpButton->setFont(QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont));
    for (const ZoomStep& step : zoomSteps)
        _factorPopUpButton->addItem(QCoreApplication::translate("SKTZoomingScrollView", step.label),
                                    step.factor);
    _factorPopUpButton->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    _factorPopUpButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    _factorPopUpButton->setCurrentIndex(actualSizeIndex);
    connect(_factorPopUpButton, &QComboBox::activated, this,
            [this](int index) { setFactorIndex(index); });
    addScrollBarWidget(_factorPopUpButton, Qt::AlignLeft);
}

bool SKTZoomingScrollView::viewportEvent(QEvent* event)
{
    // The scroll area takes the viewport's events by default; the clip view paints its own
    // background and re-centres the document after the scroll area has laid out a resize.
    switch (event->type()) {
    case QEvent::Paint:
        return false;
    case QEvent::Resize:
        QScrollArea::viewportEvent(event);
        tileRulers();
        return false;
    default:
        return QScrollArea::viewportEvent(event);
    }
}

int SKTZoomingScrollView::factorIndex() const
{
    for (int i = 0; i < int(zoomSteps.size()); ++i) {
        if (zoomSteps[i].factor == _factor)
            return i;
    }
    return -1;
}

void SKTZoomingScrollView::setFactorIndex(int index)
{
    if (index >= 0 && index < int(zoomSteps.size()))
        setFactor(zoomSteps[index].factor);
}

void SKTZoomingScrollView::stepFactor(int steps)
{
    const int last = int(zoomSteps.size()) - 1;
    int index = factorIndex();
    if (index < 0)
        index = actualSizeIndex;
    setFactorIndex(std::clamp(index + steps, 0, last));
}

void SKTZoomingScrollView::stepFactorAbout(QPointF viewportPoint, int steps)
{
    const QPointF cardPoint = (viewportPoint + QPointF(clipView()->origin())) / _factor;
    stepFactor(steps);
    const QPointF origin = cardPoint * _factor - viewportPoint;
    horizontalScrollBar()->setValue(qRound(origin.x()));
    verticalScrollBar()->setValue(qRound(origin.y()));
}

void SKTZoomingScrollView::autoscroll(QPoint viewportPoint)
{
    const QRect port = viewport()->rect();
    const auto past = [](int at, int first, int last) { return at < first ? at - first : at > last ? at - last : 0; };
    QScrollBar* across = horizontalScrollBar();
    QScrollBar* down = verticalScrollBar();
    across->setValue(across->value() + past(viewportPoint.x(), port.left(), port.right()));
    down->setValue(down->value() + past(viewportPoint.y(), port.top(), port.bottom()));
}

void SKTZoomingScrollView::wheelEvent(QWheelEvent* event)
{
    if (!event->modifiers().testFlag(Qt::ControlModifier)) {
        QScrollArea::wheelEvent(event);
        return;
    }
    constexpr int kNotch = QWheelEvent::DefaultDeltasPerStep;
    _wheelRemainder += event->angleDelta().y();
    const int steps = _wheelRemainder / kNotch;
    _wheelRemainder -= steps * kNotch;
    if (steps != 0)
        stepFactorAbout(event->position(), steps);
    event->accept();
}

void SKTZoomingScrollView::mousePressEvent(QMouseEvent* event)
{
    auto* canvas = qobject_cast<SKTGraphicView*>(widget());
    if (event->button() == Qt::LeftButton && canvas)
        canvas->pressOutsideCard();
    QScrollArea::mousePressEvent(event);
}

void SKTZoomingScrollView::setFactor(double factor)
{
    _factor = factor;
    showFactorInPopUp();
    // The canvas keeps card coordinates and grows by the factor; the clip view re-centres it.
    if (auto* canvas = qobject_cast<SKTGraphicView*>(widget()))
        canvas->setZoomFactor(factor);
    clipView()->setFactor(factor);
    clipView()->centerDocument();
    updateRulers();
    Q_EMIT factorChanged(factor);
}

void SKTZoomingScrollView::showFactorInPopUp()
{
    const QSignalBlocker blocker(_factorPopUpButton);
    _factorPopUpButton->setCurrentIndex(factorIndex());
}
