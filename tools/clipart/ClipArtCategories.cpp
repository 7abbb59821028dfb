#include "ClipArtCategories.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace clipart {
namespace {

// Every picture is drawn on a 100 x 100 field, scaled to the canvas.
class Canvas {
public:
    explicit Canvas(QImage& image) : painter(&image)
    {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(image.width() / 100.0, image.height() / 100.0);
        painter.setPen(Qt::NoPen);
    }
    QPainter painter;

    void fill(const QPainterPath& path, const QColor& colour)
    {
        painter.fillPath(path, colour);
    }
    void stroke(const QPainterPath& path, const QColor& colour, double width)
    {
        QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.strokePath(path, pen);
    }
};

using Draw = std::function<void(Canvas&)>;

Picture picture(const QString& name, Draw draw)
{
    return {name, [draw](QImage& image) {
                Canvas canvas(image);
                draw(canvas);
            }};
}

QPainterPath circle(double cx, double cy, double r)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), r, r);
    return path;
}

QPainterPath rect(double x, double y, double w, double h, double radius = 0)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    return path;
}

QPainterPath polygon(const QList<QPointF>& points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

// A regular star or polygon: points tips, alternating between the outer and inner radius when
// inner is above 0.
QPainterPath star(double cx, double cy, int points, double outer, double inner, double turnDegrees = -90)
{
    QList<QPointF> corners;
    const int count = inner > 0 ? points * 2 : points;
    for (int i = 0; i < count; ++i) {
        const double r = (inner > 0 && i % 2) ? inner : outer;
        const double a = qDegreesToRadians(turnDegrees + 360.0 * i / count);
        corners.append(QPointF(cx + r * std::cos(a), cy + r * std::sin(a)));
    }
    return polygon(corners);
}

QPainterPath polyline(const QList<QPointF>& points)
{
    QPainterPath path(points.first());
    for (qsizetype i = 1; i < points.size(); ++i)
        path.lineTo(points.at(i));
    return path;
}

QPainterPath heart(double cx, double cy, double s)
{
    QPainterPath path(QPointF(cx, cy + s));
    path.cubicTo(cx - 1.6 * s, cy + 0.1 * s, cx - 0.9 * s, cy - 1.1 * s, cx, cy - 0.45 * s);
    path.cubicTo(cx + 0.9 * s, cy - 1.1 * s, cx + 1.6 * s, cy + 0.1 * s, cx, cy + s);
    return path;
}

// Scalloped disc: a circle with bumps round its edge.
QPainterPath rosette(double cx, double cy, double r, int bumps, double depth)
{
    QList<QPointF> edge;
    for (int i = 0; i < 360; ++i) {
        const double a = qDegreesToRadians(double(i));
        const double rr = r - depth * (1 - std::abs(std::cos(bumps * a / 2)));
        edge.append(QPointF(cx + rr * std::cos(a), cy + rr * std::sin(a)));
    }
    return polygon(edge);
}

Category icons()
{
    const QColor blue(33, 102, 172), red(214, 48, 49), green(39, 156, 84), amber(240, 160, 20), grey(70, 78, 90);
    return {QStringLiteral("icons"),
            {picture(QStringLiteral("star"), [=](Canvas& c) { c.fill(star(50, 53, 5, 44, 18), amber); }),
             picture(QStringLiteral("heart"), [=](Canvas& c) { c.fill(heart(50, 50, 38), red); }),
             picture(QStringLiteral("check"), [=](Canvas& c) {
                 c.fill(circle(50, 50, 44), green);
                 c.stroke(polyline({{28, 52}, {44, 67}, {73, 35}}), Qt::white, 10);
             }),
             picture(QStringLiteral("cross"), [=](Canvas& c) {
                 c.fill(circle(50, 50, 44), red);
                 c.stroke(polyline({{32, 32}, {68, 68}}), Qt::white, 10);
                 c.stroke(polyline({{68, 32}, {32, 68}}), Qt::white, 10);
             }),
             picture(QStringLiteral("plus"), [=](Canvas& c) {
                 c.fill(rect(6, 6, 88, 88, 16), blue);
                 c.fill(rect(42, 20, 16, 60, 3), Qt::white);
                 c.fill(rect(20, 42, 60, 16, 3), Qt::white);
             }),
             picture(QStringLiteral("arrow"), [=](Canvas& c) {
                 c.fill(polygon({{8, 38}, {55, 38}, {55, 16}, {94, 50}, {55, 84}, {55, 62}, {8, 62}}), blue);
             }),
             picture(QStringLiteral("house"), [=](Canvas& c) {
                 c.fill(polygon({{50, 8}, {94, 46}, {6, 46}}), red);
                 c.fill(rect(17, 44, 66, 48), QColor(250, 225, 180));
                 c.fill(rect(42, 62, 16, 30), grey);
             }),
             picture(QStringLiteral("person"), [=](Canvas& c) {
                 c.fill(circle(50, 28, 18), grey);
                 QPainterPath body;
                 body.addRoundedRect(QRectF(18, 52, 64, 56), 28, 28);
                 c.fill(body.intersected(rect(0, 0, 100, 94)), grey);
             }),
             picture(QStringLiteral("envelope"), [=](Canvas& c) {
                 c.fill(rect(8, 22, 84, 56, 6), QColor(245, 245, 240));
                 c.stroke(rect(8, 22, 84, 56, 6), grey, 4);
                 c.stroke(polyline({{10, 25}, {50, 55}, {90, 25}}), grey, 4);
             }),
             picture(QStringLiteral("phone"), [=](Canvas& c) {
                 c.fill(rect(28, 6, 44, 88, 8), grey);
                 c.fill(rect(33, 16, 34, 62, 2), QColor(150, 200, 240));
                 c.fill(circle(50, 86, 4), Qt::white);
             }),
             picture(QStringLiteral("key"), [=](Canvas& c) {
                 c.fill(circle(28, 50, 20).subtracted(circle(28, 50, 8)), amber);
                 c.fill(rect(44, 45, 50, 10), amber);
                 c.fill(rect(76, 55, 8, 14), amber);
                 c.fill(rect(62, 55, 8, 10), amber);
             })}};
}

Category frames()
{
    struct Style {
        const char* name;
        QColor colour;
        double width;
        double radius;
        bool doubled;
    };
    const Style styles[] = {
        {"thin black", QColor(20, 20, 20), 3, 0, false},     {"wide black", QColor(20, 20, 20), 9, 0, false},
        {"navy rounded", QColor(25, 45, 110), 6, 14, false}, {"gold double", QColor(200, 160, 40), 3, 0, true},
        {"red rounded", QColor(190, 30, 40), 5, 22, false},  {"green double", QColor(30, 120, 60), 3, 8, true},
        {"silver", QColor(160, 165, 175), 7, 4, false},      {"sky rounded double", QColor(60, 150, 220), 3, 18, true},
    };
    Category category{QStringLiteral("frames"), {}};
    for (const Style& s : styles)
        category.pictures.append(picture(QString::fromLatin1(s.name), [s](Canvas& c) {
            c.stroke(rect(6, 6, 88, 88, s.radius), s.colour, s.width);
            if (s.doubled)
                c.stroke(rect(13, 13, 74, 74, std::max(0.0, s.radius - 7)), s.colour, s.width);
        }));
    category.pictures.append(picture(QStringLiteral("oval"), [](Canvas& c) {
        QPainterPath oval;
        oval.addEllipse(QRectF(14, 5, 72, 90));
        c.stroke(oval, QColor(120, 70, 30), 5);
    }));
    category.pictures.append(picture(QStringLiteral("circle"), [](Canvas& c) {
        c.stroke(circle(50, 50, 44), QColor(90, 40, 130), 6);
    }));
    category.pictures.append(picture(QStringLiteral("corners"), [](Canvas& c) {
        const QColor ink(40, 40, 40);
        c.stroke(polyline({{6, 30}, {6, 6}, {30, 6}}), ink, 5);
        c.stroke(polyline({{70, 6}, {94, 6}, {94, 30}}), ink, 5);
        c.stroke(polyline({{94, 70}, {94, 94}, {70, 94}}), ink, 5);
        c.stroke(polyline({{30, 94}, {6, 94}, {6, 70}}), ink, 5);
    }));
    return category;
}

Category logos()
{
    Category category{QStringLiteral("logos"), {}};
    const QColor palette[] = {QColor(33, 102, 172), QColor(214, 48, 49), QColor(39, 156, 84), QColor(240, 160, 20),
                              QColor(120, 60, 160)};
    category.pictures.append(picture(QStringLiteral("rings"), [=](Canvas& c) {
        for (int i = 0; i < 3; ++i)
            c.stroke(circle(30 + 20 * i, 50, 18), palette[i], 6);
    }));
    category.pictures.append(picture(QStringLiteral("triad"), [=](Canvas& c) {
        for (int i = 0; i < 3; ++i) {
            const double a = qDegreesToRadians(-90.0 + 120 * i);
            QColor colour = palette[i];
            colour.setAlpha(200);
            c.fill(circle(50 + 18 * std::cos(a), 52 + 18 * std::sin(a), 26), colour);
        }
    }));
    category.pictures.append(picture(QStringLiteral("hexagon"), [=](Canvas& c) {
        c.fill(star(50, 50, 6, 46, 0, 0), palette[0]);
        c.fill(star(50, 50, 6, 26, 0, 0), Qt::white);
        c.fill(star(50, 50, 6, 14, 0, 0), palette[0]);
    }));
    category.pictures.append(picture(QStringLiteral("chevrons"), [=](Canvas& c) {
        for (int i = 0; i < 3; ++i)
            c.stroke(polyline({{18, 78.0 - 20 * i}, {50, 52.0 - 20 * i}, {82, 78.0 - 20 * i}}), palette[i + 1], 9);
    }));
    category.pictures.append(picture(QStringLiteral("leaf"), [=](Canvas& c) {
        QPainterPath leaf(QPointF(14, 86));
        leaf.cubicTo(14, 30, 50, 10, 88, 12);
        leaf.cubicTo(86, 50, 66, 86, 14, 86);
        c.fill(leaf, palette[2]);
        c.stroke(polyline({{20, 80}, {70, 30}}), Qt::white, 3);
    }));
    category.pictures.append(picture(QStringLiteral("sun"), [=](Canvas& c) {
        c.fill(star(50, 50, 12, 46, 32), palette[3]);
        c.fill(circle(50, 50, 26), QColor(250, 200, 40));
    }));
    category.pictures.append(picture(QStringLiteral("wave"), [=](Canvas& c) {
        c.fill(circle(50, 50, 45), palette[0]);
        QPainterPath wave(QPointF(8, 56));
        wave.cubicTo(28, 36, 40, 70, 58, 52);
        wave.cubicTo(72, 38, 82, 50, 92, 46);
        c.stroke(wave, Qt::white, 7);
    }));
    category.pictures.append(picture(QStringLiteral("diamond"), [=](Canvas& c) {
        c.fill(polygon({{50, 4}, {96, 50}, {50, 96}, {4, 50}}), palette[4]);
        c.fill(polygon({{50, 24}, {76, 50}, {50, 76}, {24, 50}}), QColor(250, 250, 250));
        c.fill(polygon({{50, 38}, {62, 50}, {50, 62}, {38, 50}}), palette[1]);
    }));
    category.pictures.append(picture(QStringLiteral("mountain"), [=](Canvas& c) {
        c.fill(circle(50, 50, 46), QColor(220, 235, 248));
        c.fill(polygon({{8, 76}, {38, 30}, {56, 58}, {68, 42}, {92, 76}}).intersected(circle(50, 50, 46)), palette[0]);
        c.fill(rect(4, 74, 92, 22).intersected(circle(50, 50, 46)), palette[2]);
    }));
    category.pictures.append(picture(QStringLiteral("quarters"), [=](Canvas& c) {
        for (int i = 0; i < 4; ++i)
            c.fill(rect(8 + 44 * (i % 2), 8 + 44 * (i / 2), 40, 40, 8), palette[i]);
    }));
    return category;
}

Category flags()
{
    struct Flag {
        const char* name;
        QList<QColor> bands;
        bool vertical;
    };
    const QColor red(200, 30, 45), white(250, 250, 250), blue(30, 60, 150), green(20, 130, 70), yellow(250, 200, 30),
        black(25, 25, 25), orange(240, 120, 30), sky(100, 170, 230);
    const Flag bandFlags[] = {
        {"red white blue bands", {red, white, blue}, false}, {"green yellow red stripes", {green, yellow, red}, true},
        {"black orange bands", {black, orange}, false},      {"sky white sky bands", {sky, white, sky}, false},
        {"blue yellow stripes", {blue, yellow}, true},       {"orange white green stripes", {orange, white, green}, true},
    };
    Category category{QStringLiteral("flags"), {}};
    for (const Flag& f : bandFlags)
        category.pictures.append(picture(QString::fromLatin1(f.name), [f](Canvas& c) {
            const int n = int(f.bands.size());
            for (int i = 0; i < n; ++i) {
                if (f.vertical)
                    c.fill(rect(5 + 90.0 * i / n, 20, 90.0 / n + 0.2, 60), f.bands.at(i));
                else
                    c.fill(rect(5, 20 + 60.0 * i / n, 90, 60.0 / n + 0.2), f.bands.at(i));
            }
        }));
    category.pictures.append(picture(QStringLiteral("green cross"), [=](Canvas& c) {
        c.fill(rect(5, 20, 90, 60), green);
        c.fill(rect(30, 20, 12, 60), white);
        c.fill(rect(5, 44, 90, 12), white);
    }));
    category.pictures.append(picture(QStringLiteral("blue diagonal"), [=](Canvas& c) {
        c.fill(rect(5, 20, 90, 60), blue);
        c.fill(polygon({{5, 80}, {5, 68}, {83, 20}, {95, 20}, {95, 32}, {17, 80}}), yellow);
    }));
    category.pictures.append(picture(QStringLiteral("red star"), [=](Canvas& c) {
        c.fill(rect(5, 20, 90, 60), red);
        c.fill(star(50, 51, 5, 20, 8), yellow);
    }));
    category.pictures.append(picture(QStringLiteral("white disc"), [=](Canvas& c) {
        c.fill(rect(5, 20, 90, 60), blue);
        c.fill(circle(50, 50, 17), white);
    }));
    return category;
}

Category patterns()
{
    Category category{QStringLiteral("patterns"), {}};
    const QColor paper(250, 247, 238), ink(50, 90, 150), warm(200, 80, 60);
    auto tile = [&](const char* name, std::function<void(Canvas&)> body) {
        category.pictures.append(picture(QString::fromLatin1(name), [paper, body](Canvas& c) {
            c.fill(rect(0, 0, 100, 100), paper);
            body(c);
        }));
    };
    tile("stripes", [=](Canvas& c) {
        for (int x = 0; x < 100; x += 20)
            c.fill(rect(x, 0, 10, 100), ink);
    });
    tile("checks", [=](Canvas& c) {
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                if ((x + y) % 2 == 0)
                    c.fill(rect(x * 20, y * 20, 20, 20), ink);
    });
    tile("dots", [=](Canvas& c) {
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                c.fill(circle(10 + x * 20, 10 + y * 20, 5), warm);
    });
    tile("grid", [=](Canvas& c) {
        for (int i = 0; i <= 100; i += 12)
            c.stroke(polyline({{double(i), 0}, {double(i), 100}}), ink, 1.5),
                c.stroke(polyline({{0, double(i)}, {100, double(i)}}), ink, 1.5);
    });
    tile("diagonals", [=](Canvas& c) {
        for (int i = -100; i < 100; i += 14)
            c.stroke(polyline({{double(i), 100}, {double(i) + 100, 0}}), warm, 4);
    });
    tile("waves", [=](Canvas& c) {
        for (int y = 8; y < 100; y += 16) {
            QPainterPath wave(QPointF(0, y));
            for (int x = 0; x < 100; x += 20)
                wave.cubicTo(x + 5, y - 6, x + 15, y + 6, x + 20, y);
            c.stroke(wave, ink, 3);
        }
    });
    tile("zigzag", [=](Canvas& c) {
        for (int y = 10; y < 100; y += 18) {
            QList<QPointF> points;
            for (int x = 0; x <= 100; x += 10)
                points.append(QPointF(x, y + ((x / 10) % 2 ? 7 : 0)));
            c.stroke(polyline(points), warm, 3);
        }
    });
    tile("bricks", [=](Canvas& c) {
        for (int row = 0; row < 8; ++row)
            for (int x = (row % 2) * -12; x < 100; x += 25)
                c.fill(rect(x + 1, row * 12.5 + 1, 23, 10.5, 1), warm);
    });
    tile("triangles", [=](Canvas& c) {
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                c.fill(polygon({{x * 20.0 + 10, y * 20.0 + 3}, {x * 20.0 + 18, y * 20.0 + 17}, {x * 20.0 + 2, y * 20.0 + 17}}),
                       (x + y) % 2 ? ink : warm);
    });
    tile("rings", [=](Canvas& c) {
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                c.stroke(circle(12.5 + x * 25, 12.5 + y * 25, 8), ink, 2.5);
    });
    return category;
}

Category seals()
{
    struct Seal {
        const char* name;
        QColor outer;
        QColor inner;
        int bumps;
        bool starred;
    };
    const Seal styles[] = {
        {"gold", QColor(212, 170, 50), QColor(240, 205, 90), 24, false},
        {"silver", QColor(150, 155, 165), QColor(205, 210, 218), 24, false},
        {"bronze", QColor(170, 105, 50), QColor(210, 145, 85), 20, false},
        {"red", QColor(180, 30, 40), QColor(220, 70, 70), 16, true},
        {"blue", QColor(30, 70, 160), QColor(70, 120, 210), 16, true},
        {"green", QColor(30, 120, 60), QColor(70, 170, 100), 18, true},
        {"gold star", QColor(212, 170, 50), QColor(150, 30, 40), 30, true},
        {"purple", QColor(100, 40, 140), QColor(150, 90, 190), 12, false},
        {"black", QColor(30, 30, 30), QColor(90, 90, 90), 28, false},
        {"teal", QColor(20, 120, 130), QColor(80, 180, 180), 22, true},
    };
    Category category{QStringLiteral("seals"), {}};
    for (const Seal& s : styles)
        category.pictures.append(picture(QString::fromLatin1(s.name), [s](Canvas& c) {
            c.fill(rosette(50, 50, 47, s.bumps, 4), s.outer);
            c.fill(circle(50, 50, 36), s.inner);
            c.stroke(circle(50, 50, 31), QColor(255, 255, 255, 190), 1.5);
            if (s.starred)
                c.fill(star(50, 52, 5, 22, 9), QColor(255, 255, 255, 230));
            else
                c.stroke(circle(50, 50, 18), QColor(255, 255, 255, 190), 3);
        }));
    return category;
}

}  // namespace

QList<Category> categories()
{
    return {icons(), frames(), logos(), flags(), patterns(), seals()};
}

}  // namespace clipart
