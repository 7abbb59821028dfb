#include "views/canvas/CanvasRuler.h"

#include <QPainter>
#include <QPaintEvent>
#include <array>
#include <cmath>

#include "platform/AppContext.h"
#include "platform/Units.h"

namespace {

// Numbers stand at least this far apart, ticks at least this far.
constexpr double kMinNumberGap = 36.0;
constexpr double kMinTickGap = 4.0;
constexpr std::array<int, 3> kInchParts{8, 4, 2};
constexpr std::array<int, 3> kDecimalParts{10, 5, 2};
const QColor kMarkerColor(220, 40, 40);

double pointsPerUnit(int unit)
{
    switch (unit) {
    case kUnitInch: return kPointsPerInch;
    case kUnitCentimetre: return kPointsPerInch / kMillimetresPerInch * 10.0;
    default: return kPointsPerInch / kMillimetresPerInch;
    }
}

// The smallest of 1, 2, 5, 10, 20, 50 ... units whose numbers stand far enough apart.
int numberedStep(double pixelsPerUnit)
{
    for (int decade = 1; decade < 1000000; decade *= 10) {
        for (int multiple : {1, 2, 5}) {
            if (multiple * decade * pixelsPerUnit >= kMinNumberGap)
                return multiple * decade;
        }
    }
    return 1000000;
}

// Into how many parts a numbered step is cut: eighths of an inch, tenths otherwise, fewer when
// the parts would crowd.
int partsOfStep(int unit, int step, double stepPixels)
{
    const auto& choices = unit == kUnitInch && step == 1 ? kInchParts : kDecimalParts;
    for (int parts : choices) {
        if (stepPixels / parts >= kMinTickGap)
            return parts;
    }
    return 1;
}

}  // namespace

CanvasRuler::CanvasRuler(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_orientation(orientation)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont small = font();
    small.setPixelSize(9);
    setFont(small);
}

QSize CanvasRuler::sizeHint() const
{
    return m_orientation == Qt::Horizontal ? QSize(100, kThickness) : QSize(kThickness, 100);
}

int CanvasRuler::length() const
{
    return m_orientation == Qt::Horizontal ? width() : height();
}

void CanvasRuler::setMapping(double origin, double pixelsPerPoint)
{
    if (origin == m_origin && pixelsPerPoint == m_pixelsPerPoint)
        return;
    m_origin = origin;
    m_pixelsPerPoint = pixelsPerPoint;
    update();
}

void CanvasRuler::setMarkerLocations(const QList<double>& points)
{
    if (points == m_markers)
        return;
    m_markers = points;
    update();
}

QList<CanvasRuler::Tick> CanvasRuler::ticks() const
{
    const int unit = Measument_Unit_Is;
    const double pixelsPerUnit = pointsPerUnit(unit) * m_pixelsPerPoint;
    if (!(pixelsPerUnit > 0) || !std::isfinite(pixelsPerUnit) || !std::isfinite(m_origin))
        return {};
    const int step = numberedStep(pixelsPerUnit);
    const double stepPixels = step * pixelsPerUnit;
    const int parts = partsOfStep(unit, step, stepPixels);
    const double partPixels = stepPixels / parts;
    QList<Tick> result;
    const auto first = static_cast<qint64>(std::ceil(-m_origin / partPixels));
    const auto last = static_cast<qint64>(std::floor((length() - m_origin) / partPixels));
    for (qint64 k = first; k <= last; ++k) {
        const qint64 inStep = ((k % parts) + parts) % parts;
        Tick tick{m_origin + double(k) * partPixels, 2, QString()};
        if (inStep == 0) {
            tick.level = 0;
            tick.label = QString::number(k / parts * step);
        } else if (parts % 2 == 0 && inStep == parts / 2) {
            tick.level = 1;
        }
        result.append(tick);
    }
    return result;
}

void CanvasRuler::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const bool horizontal = m_orientation == Qt::Horizontal;
    // Ticks rise from the edge next to the canvas.
    const auto across = [&](double pixel, double from, double to) {
        if (horizontal)
            painter.drawLine(QPointF(pixel, kThickness - from), QPointF(pixel, kThickness - to));
        else
            painter.drawLine(QPointF(kThickness - from, pixel), QPointF(kThickness - to, pixel));
    };
    painter.setPen(palette().color(QPalette::Mid));
    if (horizontal)
        painter.drawLine(QPointF(0, kThickness - 0.5), QPointF(width(), kThickness - 0.5));
    else
        painter.drawLine(QPointF(kThickness - 0.5, 0), QPointF(kThickness - 0.5, height()));

    painter.setPen(palette().color(QPalette::Text));
    constexpr std::array<double, 3> kTickLength{12, 8, 4};
    for (const Tick& tick : ticks()) {
        const double pixel = std::floor(tick.pixel) + 0.5;
        across(pixel, 0, kTickLength[size_t(tick.level)]);
        if (tick.label.isEmpty())
            continue;
        painter.save();
        // Along a vertical ruler the numbers run down, their tops towards the canvas.
        painter.translate(horizontal ? QPointF(pixel + 2, 0) : QPointF(11, pixel + 2));
        if (!horizontal)
            painter.rotate(90);
        painter.drawText(QRectF(0, 0, 60, 10), Qt::AlignLeft | Qt::AlignTop, tick.label);
        painter.restore();
    }

    painter.setPen(QPen(kMarkerColor, 1));
    for (double point : m_markers)
        across(std::floor(pixelOfPoint(point)) + 0.5, 0, kThickness);
}
