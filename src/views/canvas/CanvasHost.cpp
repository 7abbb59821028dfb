#include "views/canvas/CanvasHost.h"

#include <QColor>
#include <QPainter>

namespace {

// A plain grey tile with a darker frame.
QImage greyTile(int width, int height)
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

std::optional<GraphicKind> graphicKindForTool(int tool)
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

QImage placeholderPicture(PlaceholderPicture which)
{
    switch (which) {
    case PlaceholderPicture::NoImage:
        return greyTile(100, 100);
    case PlaceholderPicture::BarcodeSample:
        return greyTile(120, 60);
    case PlaceholderPicture::SignatureSample:
        return greyTile(120, 40);
    case PlaceholderPicture::FingerprintSample:
        return greyTile(60, 80);
    }
    return {};
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
