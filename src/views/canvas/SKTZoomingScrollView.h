#pragma once
// The scroll view that holds a canvas: it carries the zoom factor and the zoom pop-up at the
// left end of its horizontal scroll bar. Its viewport is an SWCenteringClipView.
#include <QScrollArea>
#include <QString>
#include <array>

class CanvasRuler;
class QComboBox;
class SWCenteringClipView;

class SKTZoomingScrollView : public QScrollArea {
    Q_OBJECT
public:
    struct ZoomStep {
        const char* label;
        double factor;
    };
    // The pop-up's items in order; the stored index 3 is 100 %.
    static constexpr std::array<ZoomStep, 11> zoomSteps{{{"25%", 0.25},
                                                         {"50%", 0.5},
                                                         {"75%", 0.75},
                                                         {"100%", 1.0},
                                                         {"125%", 1.25},
                                                         {"150%", 1.5},
                                                         {"200%", 2.0},
                                                         {"400%", 4.0},
                                                         {"600%", 6.0},
                                                         {"800%", 8.0},
                                                         {"1000%", 10.0}}};
    static constexpr int actualSizeIndex = 3;

    explicit SKTZoomingScrollView(QWidget* parent = nullptr);

    SWCenteringClipView* clipView() const;
    // Puts the canvas in the clip view. Unlike QScrollArea::setWidget's widget, the canvas fills
    // no background of its own: beyond a rounded or elliptical card the clip view's surroundings
    // of the card show.
    void setDocumentView(QWidget* canvas);
    QComboBox* factorPopUpButton() const { return _factorPopUpButton; }

    double factor() const { return _factor; }
    // Shows the document at the factor (1.0 = 100 %); factors outside the pop-up are allowed.
    void setFactor(double factor);
    // The pop-up's index of the factor, -1 when it has none.
    int factorIndex() const;
    void setFactorIndex(int index);
    // Moves the pop-up by `steps` items, held at its ends; a factor outside the pop-up steps from
    // 100 %.
    void stepFactor(int steps);
    // Steps the zoom keeping the card point under the viewport point where it is (Ctrl+wheel).
    void stepFactorAbout(QPointF viewportPoint, int steps);
    // Scrolls by as far as the viewport point lies past the viewport's edges, so that it comes into
    // sight: a drag carried past an edge takes the view along.
    void autoscroll(QPoint viewportPoint);

    // A horizontal and a vertical ruler beside the viewport, hidden until shown.
    CanvasRuler* horizontalRuler() const { return _horizontalRuler; }
    CanvasRuler* verticalRuler() const { return _verticalRuler; }
    bool rulersVisible() const { return _rulersVisible; }
    void setRulersVisible(bool visible);
    // Places the rulers by where the document lies and the zoom (also after a unit change).
    void updateRulers();

Q_SIGNALS:
    void factorChanged(double factor);

protected:
    bool viewportEvent(QEvent* event) override;
    // Ctrl+wheel zooms about the pointer; the wheel alone scrolls.
    void wheelEvent(QWheelEvent* event) override;
    // A press on the grey area around the card lets go of the selection.
    void mousePressEvent(QMouseEvent* event) override;

private:
    void validateFactorPopUpButton();
    void showFactorInPopUp();
    void tileRulers();

    QComboBox* _factorPopUpButton = nullptr;
    double _factor = 1.0;
    CanvasRuler* _horizontalRuler = nullptr;
    CanvasRuler* _verticalRuler = nullptr;
    bool _rulersVisible = false;
    // Wheel turns smaller than a notch (touchpads) add up until they make one.
    int _wheelRemainder = 0;
};
