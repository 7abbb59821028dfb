#include "canvas/view/CanvasHost.h"

#include <QColor>
#include <QPainter>

#include "platform/Units.h"

namespace {

// A plain grey tile with a darker frame: the stand-in for the window's placeholder pictures.
QImage placeholderPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(220, 220, 220));
    QPainter painter(&picture);
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(0, 0, width - 1, height - 1);
    return picture;
}

CanvasHost* installedHost = nullptr;

}  // namespace

std::optional<GraphicKind> CanvasHostStandIn::kindForTool(int tool)
{
    switch (tool) {
    case 1:
        return GraphicKind::Line;
    case 2:
        return GraphicKind::Text;
    case 3: case 4: case 5: case 6: case 7: case 13: case 14: case 15:
        return GraphicKind::Shape;
    case 8: case 9:
        return GraphicKind::Image;
    case 10:
        return GraphicKind::Barcode;
    case 11: case 12:
        return GraphicKind::Signature;
    default:
        return std::nullopt;
    }
}

std::optional<GraphicKind> CanvasHostStandIn::currentGraphicClass() const
{
    return kindForTool(m_tool);
}

QImage CanvasHostStandIn::no_image() const { return placeholderPicture(100, 100); }
QImage CanvasHostStandIn::barcode_sample_img() const { return placeholderPicture(120, 60); }
QImage CanvasHostStandIn::sign_sample_img() const { return placeholderPicture(120, 40); }
QImage CanvasHostStandIn::fp_sample_img() const { return placeholderPicture(60, 80); }

double CanvasHostStandIn::Get_Unit_Convertor(double value, int from, int into) const
{
    return convertUnits(value, from, into);
}

double CanvasHostStandIn::MM_to_Points_Convert(double millimetres) const
{
    return millimetresToPoints(millimetres);
}

CanvasHost& canvasHost()
{
    static CanvasHostStandIn standIn;
    return installedHost ? *installedHost : standIn;
}

void setCanvasHost(CanvasHost* host)
{
    installedHost = host;
}
