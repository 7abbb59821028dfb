#pragma once
// A ruler beside a canvas: ticks and numbers in the user's unit (inch, cm or mm, as
// Measument_Unit_Is says at paint time), placed by where the card's origin lies along the ruler
// and by the zoom, and up to a few marker lines that echo an element being moved or resized.
#include <QList>
#include <QString>
#include <QWidget>

class CanvasRuler : public QWidget {
    Q_OBJECT
public:
    static constexpr int kThickness = 20;

    struct Tick {
        double pixel;   // along the ruler
        int level;      // 0 numbered, 1 half way between numbers, 2 the finer steps
        QString label;  // the number at a level-0 tick, else empty
    };

    explicit CanvasRuler(Qt::Orientation orientation, QWidget* parent = nullptr);

    Qt::Orientation orientation() const { return m_orientation; }
    // Where card point 0 lies along the ruler, in pixels, and how many pixels a point takes.
    void setMapping(double origin, double pixelsPerPoint);
    double pixelOfPoint(double point) const { return m_origin + point * m_pixelsPerPoint; }

    // Marker lines at these card points (an element's minimum, middle and maximum); none when empty.
    void setMarkerLocations(const QList<double>& points);
    const QList<double>& markerLocations() const { return m_markers; }

    // The ticks over the ruler's length in the unit in force.
    QList<Tick> ticks() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int length() const;

    Qt::Orientation m_orientation;
    double m_origin = 0;
    double m_pixelsPerPoint = 1;
    QList<double> m_markers;
};
