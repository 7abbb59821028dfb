#include "views/canvas/SKTGraphicView.h"

#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>
#include <exception>
#include <utility>

#include "model/CardHost.h"
#include "model/SKTLine.h"
#include "model/drawing/CardBackgroundDrawing.h"
#include "platform/AppContext.h"
#include "platform/Log.h"
#include "views/canvas/CanvasHost.h"
#include "views/canvas/CanvasMouseTracking.h"
#include "views/canvas/CanvasRuler.h"
#include "views/canvas/HandleDrawing.h"
#include "views/canvas/SKTZoomingScrollView.h"
#include "views/inspector/InspectorGlobals.h"

namespace {

constexpr int kHandleHidingMilliseconds = 500;
const QColor kMarqueeColor(56, 117, 215);

const GraphicList& emptyList()
{
    static const GraphicList list;
    return list;
}

// The card settings a side paints with: the preview shows the side being edited.
int cardPropertySide(SKTDocument::Side side)
{
    switch (side) {
    case SKTDocument::FrontSide:
        return 0;
    case SKTDocument::BackSide:
        return 1;
    case SKTDocument::PreviewSide:
        break;
    }
    return canvasHost().sideInForce();
}

// Shift extends the selection as Ctrl does: each toggles the element clicked.
bool extendsSelection(const QMouseEvent& event)
{
    return event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
}

// Minimum edges inside, maximum edges outside.
bool pointInRect(QPointF point, const QRectF& rect)
{
    return point.x() >= rect.left() && point.x() < rect.right() && point.y() >= rect.top() &&
           point.y() < rect.bottom();
}

class PainterStateGuard {
public:
    explicit PainterStateGuard(QPainter& painter) : m_painter(painter) { m_painter.save(); }
    ~PainterStateGuard() { m_painter.restore(); }
    PainterStateGuard(const PainterStateGuard&) = delete;
    PainterStateGuard& operator=(const PainterStateGuard&) = delete;

private:
    QPainter& m_painter;
};

// Redisplays the area an element covered before a change and the area it covers after it.
class ElementObserver final : public GraphicObserver {
public:
    explicit ElementObserver(SKTGraphicView& view) : m_view(view) {}

    void watch(SKTGraphic& graphic)
    {
        graphic.addObserver(this);
        m_lastDrawingBounds.insert(&graphic, graphic.drawingBounds());
    }
    void unwatch(SKTGraphic& graphic)
    {
        graphic.removeObserver(this);
        m_lastDrawingBounds.remove(&graphic);
    }

    void graphicValueChanged(SKTGraphic& graphic, const QString&, const QVariant&,
                             const QVariant&) override
    {
        const QRectF now = graphic.drawingBounds();
        const QRectF before = m_lastDrawingBounds.value(&graphic, now);
        m_lastDrawingBounds.insert(&graphic, now);
        m_view.setNeedsDisplayInRect(before.united(now));
    }
    void graphicObservedKeysChanged(SKTGraphic&, const QSet<QString>&, const QSet<QString>&) override {}

private:
    SKTGraphicView& m_view;
    QHash<const SKTGraphic*, QRectF> m_lastDrawingBounds;
};

}  // namespace

SKTGraphicView::SKTGraphicView(QWidget* parent)
    : QWidget(parent),
      _handleShowingTimer(new QTimer(this)),
      _tracking(std::make_unique<CanvasMouseTracking>(*this)),
      _elementObserver(std::make_unique<ElementObserver>(*this))
{
    // Outside a rounded or elliptical outline the canvas paints nothing: what lies behind the
    // card (the clip view's gradient and shadow) shows there.
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(false);
    _handleShowingTimer->setSingleShot(true);
    connect(_handleShowingTimer, &QTimer::timeout, this, &SKTGraphicView::unhideHandlesForTimer);
    setZoomFactor(1.0);
}

SKTGraphicView::~SKTGraphicView()
{
    _handleShowingTimer->stop();
    stopEditing();
    stopObservingGraphics();
}

// ---- Binding ------------------------------------------------------------------------------------

void SKTGraphicView::setList(SKTDocument* document, SKTDocument::Side side)
{
    if (_document)
        disconnect(_document, nullptr, this, nullptr);
    _tracking->abandon();
    stopObservingGraphics();
    _document = document;
    _side = side;
    dropSelection();
    if (_document) {
        connect(_document, &SKTDocument::graphicsChanged, this, &SKTGraphicView::graphicsDidChange);
        connect(_document, &QObject::destroyed, this, [this] {
            _document = nullptr;
            _tracking->abandon();
            stopObservingGraphics();
            dropSelection();
        });
        observeBoundGraphics();
    }
    update();
}

const GraphicList& SKTGraphicView::graphics() const
{
    return _document ? _document->graphicsOfSide(_side) : emptyList();
}

void SKTGraphicView::insertGraphics(const GraphicList& graphics, const QList<int>& indexes)
{
    Q_ASSERT_X(_document, "SKTGraphicView", "An SKTGraphicView's 'graphics' property is not bound to anything.");
    if (_document)
        _document->insertGraphicsOnSide(_side, graphics, indexes);
}

void SKTGraphicView::removeGraphicsAtIndexes(const QList<int>& indexes)
{
    Q_ASSERT_X(_document, "SKTGraphicView", "An SKTGraphicView's 'graphics' property is not bound to anything.");
    if (_document)
        _document->removeGraphicsOnSideAtIndexes(_side, indexes);
}

void SKTGraphicView::replaceGraphics(const GraphicList& graphics)
{
    Q_ASSERT_X(_document, "SKTGraphicView", "An SKTGraphicView's 'graphics' property is not bound to anything.");
    if (_document)
        _document->replaceGraphicsOnSide(_side, graphics);
}

void SKTGraphicView::graphicsDidChange(int side)
{
    if (side != _side)
        return;
    pruneLeavingGraphics();
    observeBoundGraphics();
    update();
}

void SKTGraphicView::refreshRequested(int side)
{
    if (side == _side)
        update();
}

void SKTGraphicView::pruneLeavingGraphics()
{
    QSet<const SKTGraphic*> present;
    for (const GraphicPtr& graphic : graphics())
        present.insert(graphic.get());
    const auto leaves = [&present](const GraphicPtr& graphic) {
        return graphic && !present.contains(graphic.get());
    };
    if (leaves(_Selected_Graphic))
        _Selected_Graphic.reset();
    if (leaves(_creatingGraphic))
        _creatingGraphic.reset();
    const SKTGraphic* tracked = _tracking->trackedGraphic();
    if (tracked && !present.contains(tracked))
        _tracking->abandon();
    const qsizetype before = _selection.size();
    _selection.intersect(present);
    if (_selection.size() != before)
        Q_EMIT selectionChanged();
}

void SKTGraphicView::observeBoundGraphics()
{
    auto* observer = static_cast<ElementObserver*>(_elementObserver.get());
    const GraphicList& bound = graphics();
    for (const GraphicPtr& graphic : std::as_const(_observedGraphics)) {
        if (!bound.contains(graphic))
            observer->unwatch(*graphic);
    }
    for (const GraphicPtr& graphic : bound) {
        if (graphic && !_observedGraphics.contains(graphic))
            observer->watch(*graphic);
    }
    _observedGraphics = bound;
    _observedGraphics.removeAll(nullptr);
}

void SKTGraphicView::stopObservingGraphics()
{
    auto* observer = static_cast<ElementObserver*>(_elementObserver.get());
    for (const GraphicPtr& graphic : std::as_const(_observedGraphics))
        observer->unwatch(*graphic);
    _observedGraphics.clear();
}

// ---- Selection ----------------------------------------------------------------------------------

QList<int> SKTGraphicView::selectionIndexes() const
{
    QList<int> indexes;
    const GraphicList& list = graphics();
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i) && _selection.contains(list.at(i).get()))
            indexes.append(i);
    }
    return indexes;
}

void SKTGraphicView::changeSelectionIndexes(const QList<int>& indexes)
{
    const GraphicList& list = graphics();
    QSet<const SKTGraphic*> selection;
    for (int index : indexes) {
        if (index >= 0 && index < list.size() && list.at(index))
            selection.insert(list.at(index).get());
    }
    // Only the elements whose state changed need their handles drawn or removed.
    for (const GraphicPtr& graphic : list) {
        if (graphic && selection.contains(graphic.get()) != _selection.contains(graphic.get()))
            setNeedsDisplayInRect(graphic->drawingBounds());
    }
    const bool changed = selection != _selection;
    _selection = selection;
    canvasHost().Set_Same_Size_Buttons_Enabled(_selection.size() >= 2);
    if (changed)
        Q_EMIT selectionChanged();
}

GraphicList SKTGraphicView::selectedGraphics() const
{
    GraphicList selected;
    for (const GraphicPtr& graphic : graphics()) {
        if (graphic && _selection.contains(graphic.get()))
            selected.append(graphic);
    }
    return selected;
}

bool SKTGraphicView::isGraphicSelected(const SKTGraphic* graphic) const
{
    return graphic && _selection.contains(graphic);
}

void SKTGraphicView::dropSelection()
{
    if (_tracking)
        _tracking->abandon();
    _Selected_Graphic.reset();
    _creatingGraphic.reset();
    _marqueeSelectionBounds = QRectF();
    if (!_selection.isEmpty()) {
        _selection.clear();
        Q_EMIT selectionChanged();
    }
    update();
}

// ---- Grid and zoom ------------------------------------------------------------------------------

void SKTGraphicView::setGrid(SKTGrid* grid)
{
    if (_grid == grid)
        return;
    if (_grid)
        disconnect(_grid, nullptr, this, nullptr);
    _grid = grid;
    if (_grid)
        connect(_grid, &SKTGrid::changed, this, qOverload<>(&QWidget::update));
    update();
}

void SKTGraphicView::setZoomFactor(double factor)
{
    if (!std::isfinite(factor) || factor <= 0.0)
        return;
    _zoomFactor = factor;
    const QRectF card = viewBounds();
    const QSize size(int(std::ceil(card.right() * factor)), int(std::ceil(card.bottom() * factor)));
    setMinimumSize(size);
    resize(size);
    update();
}

QRectF SKTGraphicView::viewBounds() const
{
    return cardHost().frontCanvasBounds();
}

QPointF SKTGraphicView::cardPointFromWidget(QPointF widgetPoint) const
{
    return widgetPoint / _zoomFactor;
}

QRectF SKTGraphicView::widgetRectFromCard(const QRectF& cardRect) const
{
    return QRectF(cardRect.topLeft() * _zoomFactor, cardRect.size() * _zoomFactor);
}

void SKTGraphicView::setNeedsDisplayInRect(const QRectF& cardRect)
{
    // The drawing's own changes (colour write-backs and the like) never schedule another paint.
    if (CanvasPaintScope::isActive() || cardRect.isEmpty())
        return;
    update(widgetRectFromCard(cardRect).toAlignedRect().adjusted(-1, -1, 2, 2));
}

// ---- Hit testing --------------------------------------------------------------------------------

bool SKTGraphicView::isPointNearToLineSegment(QPointF point, QPointF a, QPointF b,
                                              double marginOfError)
{
    const float ab = distanceBetweenPoints(a, b);
    const float pa = distanceBetweenPoints(point, a);
    const float pb = distanceBetweenPoints(point, b);
    return std::abs(double(ab) - double(pa) - double(pb)) < marginOfError;
}

float SKTGraphicView::distanceBetweenPoints(QPointF a, QPointF b)
{
    const float dx = float(b.x() - a.x());
    const float dy = float(b.y() - a.y());
    return std::sqrt(dx * dx + dy * dy);
}

GraphicPtr SKTGraphicView::graphicUnderPoint(QPointF point, int* index, bool* isSelected,
                                             int* handle) const
{
    const GraphicList& list = graphics();
    for (int i = 0; i < list.size(); ++i) {
        const GraphicPtr& graphic = list.at(i);
        if (!graphic || !graphic->ctrl_is_visible)
            continue;
        bool candidate = false;
        if (graphic->kind() == GraphicKind::Line) {
            const auto& line = static_cast<const SKTLine&>(*graphic);
            const double margin =
                std::max(0.5, line.isDrawingStroke() ? line.strokeWidth() / 2.0 : 0.0);
            candidate = isPointNearToLineSegment(point, line.beginPoint(), line.endPoint(), margin) ||
                        line.handleUnderPoint(point) != SKTGraphicNoHandle;
        } else {
            candidate = pointInRect(point, graphic->drawingBounds());
        }
        if (!candidate)
            continue;
        const bool selected = _selection.contains(graphic.get());
        const int handleHit = selected ? graphic->handleUnderPoint(point) : SKTGraphicNoHandle;
        if (handleHit == SKTGraphicNoHandle && !graphic->isContentsUnderPoint(point))
            continue;
        if (index)
            *index = i;
        if (isSelected)
            *isSelected = selected;
        if (handle)
            *handle = handleHit;
        return graphic;
    }
    return nullptr;
}

QList<int> SKTGraphicView::indexesOfGraphicsIntersectingRect(const QRectF& rect)
{
    QList<int> indexes;
    const GraphicList& list = graphics();
    for (int i = 0; i < list.size(); ++i) {
        const GraphicPtr& graphic = list.at(i);
        if (graphic && graphic->ctrl_is_visible && graphic->drawingBounds().intersects(rect))
            indexes.append(i);
    }
    if (!indexes.isEmpty())
        _Selected_Graphic = list.at(indexes.first());
    return indexes;
}

// ---- Handles ------------------------------------------------------------------------------------

void SKTGraphicView::hideHandlesMomentarily()
{
    _handleShowingTimer->start(kHandleHidingMilliseconds);
    _isHidingHandles = true;
    setNeedsDisplayInRect(SKTGraphic::drawingBoundsOfGraphics(selectedGraphics()));
}

void SKTGraphicView::Display_Control_Position_and_Size()
{
    for (const GraphicPtr& graphic : selectedGraphics()) {
        if (!graphic->Is_Control_Locked())
            cardHost().Set_Control_Pos_And_Size(*graphic);
    }
}

void SKTGraphicView::unhideHandlesForTimer()
{
    _isHidingHandles = false;
    _handleShowingTimer->stop();
    setNeedsDisplayInRect(SKTGraphic::drawingBoundsOfGraphics(selectedGraphics()));
}

// ---- In-place editing and ruler echo ------------------------------------------------------------

void SKTGraphicView::startEditingGraphic(const GraphicPtr&) {}

void SKTGraphicView::stopEditing() {}

SKTZoomingScrollView* SKTGraphicView::enclosingScrollView() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* scroll = qobject_cast<SKTZoomingScrollView*>(w))
            return scroll;
    }
    return nullptr;
}

bool SKTGraphicView::rulersVisible() const
{
    const SKTZoomingScrollView* scroll = enclosingScrollView();
    return scroll && scroll->rulersVisible();
}

void SKTGraphicView::echoOnRulers(const QRectF& rect)
{
    _rulerEchoedBounds = rect;
    SKTZoomingScrollView* scroll = enclosingScrollView();
    if (!scroll)
        return;
    const bool none = rect.isNull();
    scroll->horizontalRuler()->setMarkerLocations(
        none ? QList<double>() : QList<double>{rect.left(), rect.center().x(), rect.right()});
    scroll->verticalRuler()->setMarkerLocations(
        none ? QList<double>() : QList<double>{rect.top(), rect.center().y(), rect.bottom()});
}

void SKTGraphicView::beginEchoingMoveToRulers(const QRectF& rect)
{
    echoOnRulers(rect);
}

void SKTGraphicView::continueEchoingMoveToRulers(const QRectF& rect)
{
    echoOnRulers(rect);
}

void SKTGraphicView::stopEchoingMoveToRulers()
{
    echoOnRulers(QRectF());
}

// ---- Keyboard -----------------------------------------------------------------------------------

void SKTGraphicView::moveLeft() { moveSelectionBy(-1.0, 0.0); }
void SKTGraphicView::moveRight() { moveSelectionBy(1.0, 0.0); }
void SKTGraphicView::moveUp() { moveSelectionBy(0.0, -1.0); }
void SKTGraphicView::moveDown() { moveSelectionBy(0.0, 1.0); }

void SKTGraphicView::moveSelectionBy(double dx, double dy)
{
    SKTGraphic::translateGraphics(selectedGraphics(), dx, dy);
    hideHandlesMomentarily();
    canvasHost().Insert_In_Undo_Redo();
}

void SKTGraphicView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        moveLeft();
        break;
    case Qt::Key_Right:
        moveRight();
        break;
    case Qt::Key_Up:
        moveUp();
        break;
    case Qt::Key_Down:
        moveDown();
        break;
    case Qt::Key_Backspace:
        deleteBackward();
        break;
    case Qt::Key_Delete:
        deleteForward();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

// ---- Mouse --------------------------------------------------------------------------------------

void SKTGraphicView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    pressAt(cardPointFromWidget(event->position()), extendsSelection(*event), 1);
}

void SKTGraphicView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    // A double click that starts new tracking while the first click's still runs finishes that.
    if (_tracking->isTracking())
        _tracking->release(cardPointFromWidget(event->position()));
    pressAt(cardPointFromWidget(event->position()), extendsSelection(*event), 2);
}

void SKTGraphicView::mouseMoveEvent(QMouseEvent* event)
{
    if (_tracking->isTracking())
        _tracking->moveTo(trackedPoint(*event));
}

QPointF SKTGraphicView::trackedPoint(const QMouseEvent& event)
{
    // Taken before the scroll: the widget moves under the mouse, and the point scrolled into sight
    // is the one the mouse was over.
    const QPointF point = cardPointFromWidget(event.position());
    SKTZoomingScrollView* scroll = enclosingScrollView();
    if (scroll && _tracking->followsTheMouse())
        scroll->autoscroll(mapTo(scroll->viewport(), event.position().toPoint()));
    return point;
}

void SKTGraphicView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !_tracking->isTracking()) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    // An element just taken out of the selection fills no side-panel field of the others.
    using Mode = CanvasMouseTracking::Mode;
    const bool wasSelecting = _tracking->mode() != Mode::Creating && _tracking->mode() != Mode::Swallowing;
    _tracking->release(trackedPoint(*event));
    if (wasSelecting && _Selected_Graphic && isGraphicSelected(_Selected_Graphic.get()))
        showVisitorModeFields();
    canvasHost().Show_RHS_Properties(_Selected_Graphic.get());
}

void SKTGraphicView::pressOutsideCard()
{
    if (_tracking->isTracking())
        return;
    stopEditing();
    _Selected_Graphic.reset();
    changeSelectionIndexes({});
    canvasHost().Show_RHS_Properties(nullptr);
}

void SKTGraphicView::pressAt(QPointF point, bool toggle, int clickCount)
{
    stopEditing();
    if (const std::optional<GraphicKind> kind = canvasHost().currentGraphicClass()) {
        const QString cardSide = canvasHost().sideInForce() == 0 ? QStringLiteral("F") : QStringLiteral("B");
        createGraphicOfClass(*kind, point, false, QRectF(), cardSide, QString(), QString());
        if (_creatingGraphic) {
            _tracking->beginCreation(_creatingGraphic, SKTGraphic::creationSizingHandle(_creatingGraphic->kind()));
            return;
        }
        canvasHost().Show_RHS_Properties(_Selected_Graphic.get());
        return;
    }
    const GraphicPtr focused = std::exchange(_Selected_Graphic, nullptr);
    if (clickCount >= 2) {
        if (GraphicPtr graphic = graphicUnderPoint(point)) {
            _Selected_Graphic = graphic;
            if (graphic->kind() == GraphicKind::Barcode && !graphic->Is_Control_Locked())
                canvasHost().Open_Barcode_Window();
            canvasHost().Show_RHS_Properties(_Selected_Graphic.get());
            return;
        }
    }
    selectAndTrackMouse(point, toggle, focused);
}

void SKTGraphicView::selectAndTrackMouse(QPointF point, bool toggle, const GraphicPtr& focused)
{
    int index = -1;
    bool selected = false;
    int handle = SKTGraphicNoHandle;
    const GraphicPtr graphic = graphicUnderPoint(point, &index, &selected, &handle);
    if (!graphic) {
        if (!toggle)
            changeSelectionIndexes({});
        _tracking->beginMarquee(point);
        return;
    }
    if (handle != SKTGraphicNoHandle) {
        _Selected_Graphic = graphic;
        _tracking->beginResize(graphic, handle);
        return;
    }
    if (toggle) {
        QList<int> indexes = selectionIndexes();
        if (selected)
            indexes.removeAll(index);
        else
            indexes.append(index);
        std::sort(indexes.begin(), indexes.end());
        changeSelectionIndexes(indexes);
    } else if (!selected) {
        changeSelectionIndexes({index});
    }
    if (isGraphicSelected(graphic.get())) {
        _Selected_Graphic = graphic;
        _tracking->beginMove(point);
    } else {
        // The others stay selected, so the inspector goes on showing one of them, not the card,
        // whose showing would empty the selection.
        _Selected_Graphic = isGraphicSelected(focused.get()) ? focused : selectedGraphics().value(0);
        _tracking->beginSwallow();
    }
}

void SKTGraphicView::showVisitorModeFields()
{
    if (!isVisitorOrGroupMode())
        return;
    CanvasHost& host = canvasHost();
    const QString ctrlId = _Selected_Graphic->control_ID;
    if (!host.hasVisitorTextField(ctrlId) || ctrlId.contains(QLatin1String("_Photo")))
        return;
    const bool enabled = !_Selected_Graphic->Is_Control_Locked();
    host.setVisitorFieldEnabled(ctrlId, enabled);
    if (enabled)
        host.focusVisitorTextField(ctrlId);
}

// ---- Settling a new element ---------------------------------------------------------------------

void SKTGraphicView::openCreationUndoGroup()
{
    if (!_document)
        return;
    UndoManager& undoManager = _document->undoManager();
    undoManager.checkpoint();
    _creationGroupRecords = _side == SKTDocument::FrontSide && undoManager.isUndoRegistrationEnabled();
}

bool SKTGraphicView::settleNewGraphic(const GraphicPtr& graphic)
{
    if (!graphic || !_document)
        return false;
    UndoManager& undoManager = _document->undoManager();
    const bool isEmpty = graphic->width() == 0.0 && graphic->height() == 0.0;
    if (!isEmpty) {
        const int index = int(graphics().indexOf(graphic));
        if (index >= 0)
            changeSelectionIndexes({index});
        startEditingGraphic(graphic);
        undoManager.checkpoint();
        return index >= 0;
    }
    // A click without a drag: the element goes again on every side, and the document keeps
    // nothing to redo of it.
    if (_creationGroupRecords && undoManager.isUndoRegistrationEnabled()) {
        undoManager.checkpoint();
        undoManager.disableUndoRegistration();
        undoManager.undo();
        undoManager.enableUndoRegistration();
    } else {
        undoManager.checkpoint();
    }
    const int index = int(graphics().indexOf(graphic));
    if (index >= 0) {
        const bool wasEnabled = undoManager.isUndoRegistrationEnabled();
        undoManager.disableUndoRegistration();
        removeGraphicsAtIndexes({index});
        if (wasEnabled)
            undoManager.enableUndoRegistration();
    }
    _creationGroupRecords = false;
    if (_creatingGraphic == graphic)
        _creatingGraphic.reset();
    if (_Selected_Graphic == graphic)
        _Selected_Graphic.reset();
    return false;
}

// ---- Painting -----------------------------------------------------------------------------------

void SKTGraphicView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const CanvasPaintScope paintScope;
    const QRect dirtyWidget = event->rect();
    painter.scale(_zoomFactor, _zoomFactor);
    const QRectF dirty(QPointF(dirtyWidget.left(), dirtyWidget.top()) / _zoomFactor,
                       QSizeF(dirtyWidget.width(), dirtyWidget.height()) / _zoomFactor);
    drawRect(painter, dirty);
}

void SKTGraphicView::drawRect(QPainter& painter, const QRectF& dirty)
{
    try {
        const Card_Property& cardSettings = cardHost().cardProperty(cardPropertySide(_side));
        const QRectF card = viewBounds();
        {
            // The card outline's clip holds for the elements, the overlay and the grid.
            PainterStateGuard cardState(painter);
            // The outline's edge is smoothed against what lies behind the card, as output
            // smooths it against the paper.
            painter.setRenderHint(QPainter::Antialiasing);
            drawCardBase(painter, cardSettings, Card_Shape, card);
            painter.setRenderHint(QPainter::Antialiasing, false);
            const GraphicPtr remembered = _Selected_Graphic;
            const GraphicList list = graphics();
            for (qsizetype i = list.size() - 1; i >= 0; --i) {
                const GraphicPtr& graphic = list.at(i);
                if (!graphic || !graphic->ctrl_is_visible)
                    continue;
                const QRectF drawingBounds = graphic->drawingBounds();
                if (!drawingBounds.intersects(dirty))
                    continue;
                const bool isCreating = graphic == _creatingGraphic;
                const bool withHandles =
                    !_isHidingHandles && !isCreating && _selection.contains(graphic.get());
                PainterStateGuard elementState(painter);
                painter.setClipRect(drawingBounds, Qt::IntersectClip);
                graphic->drawContentsInView(painter, isCreating);
                if (withHandles) {
                    // Handles beyond the outline stay visible, so that they can be grabbed.
                    painter.setClipRect(drawingBounds, Qt::ReplaceClip);
                    drawHandlesInView(painter, *graphic, graphic->ctrl_is_locked);
                    _Selected_Graphic = graphic;
                }
            }
            if (remembered)
                _Selected_Graphic = remembered;
            drawCardOverlay(painter, cardSettings, Card_Shape, card);
            if (_grid)
                _grid->drawRect(painter, dirty);
        }
        if (!_marqueeSelectionBounds.isNull()) {
            PainterStateGuard marqueeState(painter);
            painter.setPen(QPen(kMarqueeColor, 1.0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(_marqueeSelectionBounds);
        }
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromUtf8(error.what()));
    }
}
