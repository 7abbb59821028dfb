#pragma once
// A selection rectangle on the selection canvas. Its frame is in the canvas's coordinates with the
// origin at the lower left and y growing upwards. While the user drags, the frame may hold a
// negative width or height: the origin is then the moving corner and origin + size the fixed one.
#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <array>

#include "photos/SelectionHandle.h"
#include "photos/SelectionStyles.h"

class SelectionCanvasModel;

// Where an edge of the frame goes when a drag step passes that edge of the canvas: position is an
// x or y, size a width or height.
struct SelectionBoundary {
    double position = 0;
    double size = 0;
};

struct SelectionBoundaries {
    SelectionBoundary top, bottom, left, right;
};

class Selector {
public:
    enum Action { NoAction = 0, Resize = 1, Move = 2, DrawOut = 3 };
    enum Edge { Inside = 0, PastLeft = 1, PastRight = 2, PastTop = 3, PastBottom = 4 };

    // Born shown, selected and drawing out from frame's origin. canvas may be null (a 0 x 0 canvas).
    Selector(const QRectF& frame, SelectionCanvasModel* canvas, bool picker);

    QRectF frame() const { return frame_; }
    bool isSelected() const { return isSelected_; }
    bool isPicker() const { return isPicker_; }
    bool isShown() const { return shown_; }
    int action() const { return action_; }
    const SelectionHandle* currentHandle() const { return currentHandle_; }
    const std::array<SelectionHandle, 4>& handles() const { return handles_; }
    QColor strokeColor() const { return strokeColor_; }
    QColor fillColor() const { return fillColor_; }
    const SelectorStyle& selectorStyle() const { return style_; }
    void setSelectorStyle(const SelectorStyle& style) { style_ = style; }
    SelectionBoundaries boundaries() const { return boundaries_; }
    SelectionBoundaries canvasBoundaries() const;

    // The cropping tool places its rectangle as it is (no clamping) and shows or hides it.
    void Set_Selector_frame(const QRectF& frame) { frame_ = frame; }
    void Set_selector_show_or_not(bool shown) { shown_ = shown; }

    void setSelected();
    void setUnselected();

    // Hit tests; a YES selects this selector, and the handle test sets the action.
    bool intersectsFrame(const QRectF& r);
    bool touchedHandle(const QRectF& r);
    bool intersectsOthers(const QList<Selector*>& others);

    void prepareAction(int action);
    void prepareBoundaries();
    void makeOriginAtHandle();

    void resizeToPoint(const QPointF& p);
    void moveSelectorToPoint(const QPointF& p);
    // Pulls the frame back inside the canvas after a drag step; true when it had to.
    bool touchedBoundaries();
    int verticalInBounds(const QRectF& r) const;
    int horizontalInBounds(const QRectF& r) const;

    // At mouse-up: whether the selector may stay; when it may, its frame is standardised.
    bool canDropOnCanvas();
    void restoreOrigin();
    bool isBigEnough() const;

    // Drawing: the outline's width and dash by state, and whether the handles are drawn.
    double lineWidth() const;
    bool isDashed() const;
    bool handlesShown() const { return shown_ && isSelected_ && !isPicker_; }
    // Lays the handles out on the corners as drawing does; call it before painting them.
    void layOutHandles();
    // The cursor area under p: a handle's, then the frame's inset by the handle size; Arrow when none.
    SelectionCursor cursorAt(const QPointF& p) const;

private:
    QRectF frame_;
    SelectionCanvasModel* canvas_;
    bool shown_ = true;
    bool isSelected_ = false;
    bool isPicker_;
    int action_ = NoAction;
    SelectorStyle style_;
    QColor strokeColor_;
    QColor fillColor_;
    SelectionBoundaries boundaries_;
    std::array<SelectionHandle, 4> handles_;
    SelectionHandle* currentHandle_ = nullptr;
};
