#pragma once
// The transparent canvas over a shown picture on which the user draws, moves and resizes the
// selection rectangles. The selectors live in the canvas model in y-up coordinates; this widget
// turns its own y-down points into those once on the way in and back once when painting.
#include <QImage>
#include <QWidget>

#include "photos/ImageGeometry.h"
#include "photos/SelectionCanvasModel.h"

class QLabel;

class SelectionCanvasWidget : public QWidget {
public:
    // A child of the view that shows the picture.
    explicit SelectionCanvasWidget(QWidget* contentView);

    SelectionCanvasModel& model() { return model_; }
    const SelectionCanvasModel& model() const { return model_; }

    // Lies exactly over a picture of the size as the content view draws it with the layout; kept
    // there when the content view is resized. Selectors keep their frames.
    void arrangeOver(const QSizeF& pictureSize, const ImageViewLayout& layout);

    // How the photo windows show a picture under the canvas: scaled down to fit the view, centred.
    static ImageViewLayout fittedLayout(const QSize& view);
    // The shown size over the picture's own per axis, fitted into the view; (1, 1) without a picture.
    static QSizeF fittedRatio(const QImage& picture, const QSize& view);
    // Shows the picture fitted in the label this canvas lies on, and lies over it; none clears it.
    void showFitted(QLabel& view, const QImage& picture);

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
