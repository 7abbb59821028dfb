#pragma once
// The selection canvas apart from its widget: the selectors over a shown picture and what the
// mouse and the keys do to them. Points are in the canvas's coordinates, origin at the lower left,
// y up; the widget converts its own points once, on the way in and on the way out.
#include <QList>
#include <QPointF>
#include <QRectF>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "photos/SelectionStyles.h"
#include "photos/Selector.h"

class SelectionCanvasModel {
public:
    SelectionCanvasModel();
    ~SelectionCanvasModel();

    // Where the canvas lies over the picture view; only its size matters to the selectors.
    QRectF canvasFrame() const { return canvasFrame_; }
    void setCanvasFrame(const QRectF& frame) { canvasFrame_ = frame; }
    bool allowIntersections() const { return allowIntersections_; }
    void setAllowIntersections(bool allow) { allowIntersections_ = allow; }
    bool singleSelectionMode() const { return singleSelectionMode_; }
    void setSingleSelectionMode(bool single) { singleSelectionMode_ = single; }
    // Styles handed to new selectors and handles; unset, each makes the default one.
    const std::optional<SelectorStyle>& selectorStyle() const { return selectorStyle_; }
    void setSelectorStyle(const std::optional<SelectorStyle>& style) { selectorStyle_ = style; }
    const std::optional<HandleStyle>& handleStyle() const { return handleStyle_; }
    void setHandleStyle(const std::optional<HandleStyle>& style) { handleStyle_ = style; }
    // Called whenever the canvas needs painting again.
    void setRedisplayHandler(std::function<void()> handler) { redisplay_ = std::move(handler); }

    QList<Selector*> selectors() const;
    bool hasSelectors() const { return !selectors_.empty(); }
    // The selector being handled, the marquee while one is dragged, or null.
    Selector* currentSelector() const { return current_; }
    bool hasSelector() const { return current_ != nullptr; }
    bool cursorCanBeChanged() const { return cursorCanBeChanged_; }

    void addSelectorWithFrame(const QRectF& frame);
    void setPickerWithFrame(const QRectF& frame);
    void removeAllSelectorsFromCanvas();
    void removeMarkedSelectorsFromCanvas();
    void markAllSelected(bool redraw);
    void markAllUnselected(bool redraw);
    // The rectangle with positive sizes that a signed frame spans.
    static QRectF defaultRectForFrame(const QRectF& frame);

    // The mouse and the keys. withCommand is the platform's command modifier (Ctrl here); key is
    // a Qt::Key.
    void mouseDown(const QPointF& p, bool withCommand);
    void mouseDragged(const QPointF& p);
    void mouseUp();
    void keyDown(int key, bool withCommand);

    // The selectors in painting order: the list, then the current one again, on top.
    QList<Selector*> paintOrder() const;
    // Lays out the handles of every selector that shows them, as painting does.
    void layOutHandlesForPaint();
    // The cursor for a point, from the cursor areas of the selectors; unchanged during a drag.
    std::optional<SelectionCursor> cursorAt(const QPointF& p) const;

private:
    void markForRedisplay() const;
    void removeSelector(Selector* selector);

    QRectF canvasFrame_;
    bool allowIntersections_ = true;
    bool singleSelectionMode_ = false;
    bool cursorCanBeChanged_ = true;
    std::optional<SelectorStyle> selectorStyle_;
    std::optional<HandleStyle> handleStyle_;
    std::vector<std::unique_ptr<Selector>> selectors_;
    std::unique_ptr<Selector> picker_;
    Selector* current_ = nullptr;
    std::function<void()> redisplay_;
};
