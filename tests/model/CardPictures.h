#pragma once
// Pixel probes of cards and elements painted on pictures that say 72 dpi, the painter scaled to the
// pixels a point.
#include <QImage>
#include <QPainter>
#include <QtMath>
#include <functional>
#include <vector>
#include <gtest/gtest.h>

#include "model/SKTGraphic.h"

inline QImage paintedAt72Dpi(QSizeF points, double scale, const std::function<void(QPainter&)>& paint,
                             QColor background = Qt::white)
{
    QImage image(qCeil(points.width() * scale), qCeil(points.height() * scale), QImage::Format_ARGB32);
    image.setDotsPerMeterX(2835), image.setDotsPerMeterY(2835);
    image.fill(background);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paint(painter);
    return image;
}

inline QImage drawn(SKTGraphic& graphic, QSizeF points, double scale = 1)
{
    return paintedAt72Dpi(points, scale, [&graphic](QPainter& p) { graphic.drawContentsInView(p, false); });
}

// The colour under a point given in points.
inline QRgb rgbAt(const QImage& image, double scale, QPointF point)
{
    return image.pixel(int(point.x() * scale), int(point.y() * scale)) & 0xffffff;
}

// Equal within antialiasing and rounding.
inline bool nearColour(QColor a, QColor b, int tolerance = 6)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// The box around the pixels darker than `grey` (empty when none are).
inline QRect inkRect(const QImage& image, int grey = 128)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < grey)
                box |= QRect(x, y, 1, 1);
    return box;
}

// Whether the dark and light runs along pixel row y, dark first, begin with the lengths in points,
// each to a pixel.
inline ::testing::AssertionResult dashesAlongRow(const QImage& image, int y, double scale, const QList<int>& points)
{
    std::vector<int> runs{0};
    for (int x = 0; x < image.width(); ++x) {
        if ((qGray(image.pixel(x, y)) < 128) != (runs.size() % 2 == 1))
            runs.push_back(0);
        ++runs.back();
    }
    for (qsizetype i = 0; i < points.size(); ++i) {
        if (size_t(i) >= runs.size() || std::abs(runs[i] - points[i] * scale) > 1)
            return ::testing::AssertionFailure() << "runs in pixels " << ::testing::PrintToString(runs);
    }
    return ::testing::AssertionSuccess();
}
