#include "model/profiles/ClearPlacement.h"

#include <QLineF>
#include <QList>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr double kEdge = 4;  // kept free along the card's edge, which may be rounded or cut
constexpr double kStep = 1;
// A text goes down to half its size (a 12-point font to 6 points); a picture further.
constexpr double kScales[] = {1.0, 0.85, 0.7, 0.6, 0.5, 0.4, 0.3, 0.2};

// What a new box is kept off, and how much it may lie over.
struct Obstacles {
    QList<QRectF> all;
    QList<QRectF> content;  // texts, pictures, symbols: anything but a plain shape
};

Obstacles obstaclesOf(const GraphicList& others)
{
    Obstacles obstacles;
    for (const GraphicPtr& element : others) {
        if (!element || !element->ctrl_is_visible)
            continue;
        const QRectF box = element->bounds().normalized();
        if (box.isEmpty())
            continue;
        obstacles.all << box;
        if (element->kind() != GraphicKind::Shape)
            obstacles.content << box;
    }
    return obstacles;
}

double overlap(const QRectF& box, const QList<QRectF>& obstacles)
{
    double area = 0;
    for (const QRectF& obstacle : obstacles) {
        const QRectF common = box.intersected(obstacle);
        if (!common.isEmpty())
            area += common.width() * common.height();
    }
    return area;
}

// The box of the size whose corner is nearest the point, among those lying over the least of the
// obstacles; nothing when the size does not fit on the card, or when every box lies over some
// and only a free one will do.
std::optional<QRectF> nearestPlace(QSizeF card, QSizeF size, QPointF wanted, const QList<QRectF>& obstacles,
                                   bool freeOnly)
{
    const double right = card.width() - kEdge - size.width();
    const double bottom = card.height() - kEdge - size.height();
    if (right < kEdge || bottom < kEdge)
        return std::nullopt;
    std::optional<QRectF> best;
    double bestOverlap = std::numeric_limits<double>::max();
    double bestDistance = std::numeric_limits<double>::max();
    for (double y = kEdge; y <= bottom; y += kStep) {
        for (double x = kEdge; x <= right; x += kStep) {
            const QRectF box(QPointF(x, y), size);
            const double covered = overlap(box, obstacles);
            if (freeOnly && covered > 0)
                continue;
            const double distance = QLineF(box.topLeft(), wanted).length();
            if (covered < bestOverlap || (covered == bestOverlap && distance < bestDistance)) {
                best = box, bestOverlap = covered, bestDistance = distance;
            }
        }
    }
    return best;
}

}  // namespace

ClearPlace clearPlaceFor(QSizeF card, const GraphicList& others, QSizeF size, QPointF wanted, double smallest)
{
    const Obstacles obstacles = obstaclesOf(others);
    for (const auto covers : {ClearPlace::Covers::Nothing, ClearPlace::Covers::ShapesOnly}) {
        const QList<QRectF>& kept = covers == ClearPlace::Covers::Nothing ? obstacles.all : obstacles.content;
        for (double scale : kScales) {
            if (scale < smallest)
                break;
            if (const auto box = nearestPlace(card, size * scale, wanted, kept, true))
                return {*box, scale, covers};
        }
    }
    // No room anywhere: the size, down to the smallest, that covers the least of the design.
    ClearPlace least{QRectF(wanted, size), 1, ClearPlace::Covers::Content};
    double leastCovered = std::numeric_limits<double>::max();
    for (double scale : kScales) {
        if (scale < smallest)
            break;
        if (const auto box = nearestPlace(card, size * scale, wanted, obstacles.content, false)) {
            const double covered = overlap(*box, obstacles.content);
            if (covered < leastCovered)
                least = {*box, scale, ClearPlace::Covers::Content}, leastCovered = covered;
        }
    }
    return least;
}

QColor inkReadableOn(const QImage& ground)
{
    // WCAG's relative luminance of the ground's mean colour, and its contrast to black and white.
    double luminance = 0;
    qint64 pixels = 0;
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < ground.height(); ++y) {
        for (int x = 0; x < ground.width(); ++x) {
            const QColor pixel = ground.pixelColor(x, y);
            r += pixel.redF(), g += pixel.greenF(), b += pixel.blueF();
            ++pixels;
        }
    }
    if (pixels == 0)
        return Qt::black;
    luminance = 0.2126 * linear(r / pixels) + 0.7152 * linear(g / pixels) + 0.0722 * linear(b / pixels);
    const double onBlack = (luminance + 0.05) / 0.05;
    const double onWhite = 1.05 / (luminance + 0.05);
    return onBlack >= onWhite ? QColor(Qt::black) : QColor(Qt::white);
}
