#include "model/drawing/PaintRules.h"

#include <QBrush>
#include <QFileInfo>
#include <QImageReader>
#include <QMutex>
#include <QMutexLocker>
#include <QPaintDevice>
#include <QPainter>
#include <QSet>
#include <QTransform>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "model/CardFont.h"
#include "model/SKTGraphic.h"
#include "platform/AppContext.h"
#include "platform/FileHelpers.h"
#include "platform/Log.h"
#include "platform/Units.h"

namespace {

// Hatch tiles are small; anything needing more than this is not a hatch picture.
constexpr int kHatchAllocationLimitMB = 16;
constexpr qreal kMiterLimit = 10.0;

// A pattern name comes from design files: only a plain, visible file name may reach the file
// system.
bool isPatternName(const QString& name)
{
    return isPlainFileName(name) && !name.startsWith(QLatin1Char('.'));
}

// A drawing pass asks for the same missing picture on every repaint; one log entry is enough.
void logHatchFailureOnce(const QString& key, const QString& reason)
{
    static QMutex mutex;
    static QSet<QString> reported;
    QMutexLocker lock(&mutex);
    if (reported.contains(key))
        return;
    reported.insert(key);
    Show_NSLog_Message(QStringLiteral("Hatch pattern \"%1\" not drawn: %2").arg(key, reason));
}

QImage readRegularPicture(const QString& path, QString* reason)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *reason = QStringLiteral("no such file");
        return {};
    }
    // A FIFO or device would block or never end.
    if (!info.isFile()) {
        *reason = QStringLiteral("not a regular file");
        return {};
    }
    QImageReader reader(path);
    reader.setAllocationLimit(kHatchAllocationLimitMB);
    QImage picture = reader.read();
    if (picture.isNull())
        *reason = reader.errorString();
    return picture;
}

// One tile to kHatchTilePoints, anchored at the card's origin.
QBrush hatchBrush(const QImage& picture)
{
    QBrush brush(picture);
    if (picture.width() > 0) {
        // The tile covers the same card length at every zoom and resolution, so the pattern
        // scales with the card and the screen shows what prints.
        const qreal scale = kHatchTilePoints / picture.width();
        brush.setTransform(QTransform::fromScale(scale, scale));
    }
    return brush;
}

}  // namespace

QList<qreal> dashLengthsForCode(const QString& code)
{
    if (code == QLatin1String("DA"))
        return {8, 2};
    if (code == QLatin1String("DO"))
        return {4, 6};
    if (code == QLatin1String("DD"))
        return {24, 10, 6, 10};
    if (code == QLatin1String("DDD"))
        return {24, 8, 8, 8, 8, 8};
    return {};
}

QPen outlinePen(const QColor& color, double width, const QString& dashCode)
{
    QPen pen(QBrush(color), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(kMiterLimit);
    QList<qreal> dashes = dashLengthsForCode(dashCode);
    if (!dashes.isEmpty()) {
        // Qt treats a zero width as one unit when scaling dashes.
        const qreal unit = width > 0 ? width : 1.0;
        for (qreal& length : dashes)
            length /= unit;
        pen.setDashPattern(dashes);
        pen.setDashOffset(0);
    }
    return pen;
}

QLinearGradient angledGradient(const QRectF& box, double angleDegrees, const QColor& c1,
                               const QColor& c2)
{
    const double radians = qDegreesToRadians(angleDegrees);
    const QPointF direction(std::cos(radians), std::sin(radians));
    // Half the box's extent along the direction, so the ends touch the box's far corners.
    const double half = (std::abs(box.width() * direction.x()) + std::abs(box.height() * direction.y())) / 2.0;
    const QPointF centre = box.center();
    QLinearGradient gradient(centre - direction * half, centre + direction * half);
    gradient.setColorAt(0, c1);
    gradient.setColorAt(1, c2);
    return gradient;
}

QImage hatchPicture(const QString& name)
{
    const QString path = Resource_Path + QStringLiteral("/Fill_Style_Image/") + name + QStringLiteral(".png");
    if (!isPatternName(name)) {
        logHatchFailureOnce(path, QStringLiteral("not a plain file name"));
        return {};
    }
    QString reason;
    QImage picture = readRegularPicture(path, &reason);
    if (picture.isNull())
        logHatchFailureOnce(path, reason);
    return picture;
}

void fillHatchPattern(QPainter& painter, const QPainterPath& outline, const QString& patternName,
                      const QColor& background)
{
    painter.fillPath(outline, background);
    const QImage hatch = hatchPicture(patternName);
    if (hatch.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillPath(outline, hatchBrush(hatch));
    painter.restore();
}

void fillElementPath(QPainter& painter, SKTGraphic& graphic, const QPainterPath& path)
{
    if (!graphic.isDrawingFill())
        return;
    QPainterPath outline = path;
    outline.setFillRule(Qt::WindingFill);
    const QString kind = graphic.fill_type();
    if (kind == QLatin1String("G")) {
        painter.fillPath(outline, graphic.fill_Grad_clr1());
        painter.fillPath(outline, angledGradient(outline.boundingRect(), graphic.fill_grad_angle(),
                                                 graphic.fill_Grad_clr1(), graphic.fill_Grad_clr2()));
    } else if (kind == QLatin1String("H") && graphic.kind() == GraphicKind::Shape) {
        // Only shapes offer hatches; other kinds with "H" keep their plain fill colour.
        fillHatchPattern(painter, outline, graphic.fill_hatch_type(), graphic.fill_hatch_bk_clr());
    } else {
        painter.fillPath(outline, graphic.fillColor());
    }
}

void strokeElementPath(QPainter& painter, SKTGraphic& graphic, const QPainterPath& path)
{
    if (!graphic.isDrawingStroke())
        return;
    painter.strokePath(path, outlinePen(graphic.strokeColor(), graphic.strokeWidth(),
                                        graphic.strokeBorderType()));
}

QFont deviceFont(const CardFont& font, const QPaintDevice* device)
{
    QFont result = font.toQFont();
    const int dpi = device ? device->logicalDpiY() : 72;
    if (font.size > 0 && dpi > 0)
        result.setPointSizeF(font.size * kPointsPerInch / dpi);
    return result;
}
