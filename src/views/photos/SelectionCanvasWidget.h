#pragma once
// The transparent canvas over a shown picture on which the user draws, moves and resizes the
// selection rectangles. The selectors live in the canvas model in y-up coordinates; this widget
// turns its own y-down points into those once on the way in and back once when painting.
#include <QWidget>

#include "photos/ImageGeometry.h"
#include "photos/SelectionCanvasModel.h"

class SelectionCanvasWidget : public QWidget {
public:
    // A child of the view that shows the picture.
    explicit SelectionCanvasWidget(QWidget* contentView);

    SelectionCanvasModel& model() { return model_; }
    const SelectionCanvasModel& model() const { return model_; }

    // Lies exactly over a picture of the size as the content view draws it with the layout; kept
    // there when the content view is resized. Selectors keep their frames.
    void arrangeOver(const QSizeF& pictureSize, const ImageViewLayout& layout);

    QPointF toCanvas(const QPointF& widgetPoint) const;
    QRectF toWidget(const QRectF& canvasRect) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void arrange();
    void paintSelector(QPainter& painter, const Selector& selector) const;
    void updateCursor(const QPointF& widgetPoint);

    SelectionCanvasModel model_;
    QSizeF pictureSize_;
    ImageViewLayout layout_;
    bool dragging_ = false;
};
