#include "photos/SelectionCanvasModel.h"

#include <qnamespace.h>
#include <algorithm>

SelectionCanvasModel::SelectionCanvasModel() = default;
SelectionCanvasModel::~SelectionCanvasModel() = default;

QList<Selector*> SelectionCanvasModel::selectors() const
{
    QList<Selector*> list;
    for (const auto& selector : selectors_)
        list.append(selector.get());
    return list;
}

QRectF SelectionCanvasModel::defaultRectForFrame(const QRectF& frame)
{
    return frame.normalized();
}

void SelectionCanvasModel::markForRedisplay() const
{
    if (redisplay_)
        redisplay_();
}

void SelectionCanvasModel::addSelectorWithFrame(const QRectF& frame)
{
    removeAllSelectorsFromCanvas();
    if (singleSelectionMode_ && hasSelectors())
        return;
    selectors_.push_back(std::make_unique<Selector>(frame, this, false));
    current_ = selectors_.back().get();
}

void SelectionCanvasModel::setPickerWithFrame(const QRectF& frame)
{
    picker_ = std::make_unique<Selector>(frame, this, true);
    current_ = picker_.get();
}

void SelectionCanvasModel::removeAllSelectorsFromCanvas()
{
    markAllSelected(false);
    removeMarkedSelectorsFromCanvas();
}

void SelectionCanvasModel::removeMarkedSelectorsFromCanvas()
{
    current_ = nullptr;
    std::erase_if(selectors_, [](const std::unique_ptr<Selector>& s) { return s->isSelected(); });
    markForRedisplay();
}

void SelectionCanvasModel::removeSelector(Selector* selector)
{
    if (current_ == selector)
        current_ = nullptr;
    std::erase_if(selectors_, [selector](const std::unique_ptr<Selector>& s) { return s.get() == selector; });
}

void SelectionCanvasModel::markAllSelected(bool redraw)
{
    for (const auto& selector : selectors_)
        selector->setSelected();
    if (redraw)
        markForRedisplay();
}

void SelectionCanvasModel::markAllUnselected(bool redraw)
{
    for (const auto& selector : selectors_)
        selector->setUnselected();
    if (redraw)
        markForRedisplay();
}

void SelectionCanvasModel::mouseDown(const QPointF& p, bool withCommand)
{
    cursorCanBeChanged_ = false;
    markAllUnselected(true);
    const QRectF r(p, QSizeF(0, 0));
    current_ = nullptr;
    picker_.reset();
    if (!withCommand && hasSelectors()) {
        // The earliest-added selector wins; within it a corner handle wins over the move.
        for (const auto& selector : selectors_) {
            if (selector->intersectsFrame(r)) {
                current_ = selector.get();
                current_->touchedHandle(r);
                break;
            }
        }
        if (!current_)
            setPickerWithFrame(r);
    } else {
        addSelectorWithFrame(r);
    }
    markForRedisplay();
}

void SelectionCanvasModel::mouseDragged(const QPointF& p)
{
    if (!current_)
        return;
    switch (current_->action()) {
    case Selector::DrawOut:
    case Selector::Resize:
        current_->resizeToPoint(p);
        break;
    case Selector::Move:
        current_->moveSelectorToPoint(p);
        break;
    default:
        return;
    }
    markForRedisplay();
    if (current_->touchedBoundaries())
        markForRedisplay();
}

void SelectionCanvasModel::mouseUp()
{
    cursorCanBeChanged_ = true;
    if (current_ && !current_->isPicker()) {
        if (!current_->canDropOnCanvas())
            removeSelector(current_);
    } else if (current_) {
        // The hit test re-bases a selector on a corner handle the marquee reached; a selector at
        // rest keeps a standard frame, which is what the crop reads.
        for (const auto& selector : selectors_) {
            selector->intersectsFrame(current_->frame());
            selector->restoreOrigin();
        }
        current_ = nullptr;
        picker_.reset();
    }
    markForRedisplay();
}

void SelectionCanvasModel::keyDown(int key, bool withCommand)
{
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        removeMarkedSelectorsFromCanvas();
        break;
    case Qt::Key_A:
        if (withCommand)
            markAllSelected(true);
        break;
    case Qt::Key_Escape:
        markAllUnselected(true);
        break;
    default:
        break;
    }
}

QList<Selector*> SelectionCanvasModel::paintOrder() const
{
    QList<Selector*> order = selectors();
    if (current_)
        order.append(current_);
    return order;
}

void SelectionCanvasModel::layOutHandlesForPaint()
{
    for (Selector* selector : paintOrder()) {
        if (selector->handlesShown())
            selector->layOutHandles();
    }
}

std::optional<SelectionCursor> SelectionCanvasModel::cursorAt(const QPointF& p) const
{
    if (!cursorCanBeChanged_)
        return std::nullopt;
    for (const auto& selector : selectors_) {
        const SelectionCursor cursor = selector->cursorAt(p);
        if (cursor != SelectionCursor::Arrow)
            return cursor;
    }
    return SelectionCursor::Arrow;
}
