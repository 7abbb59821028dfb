#include "output/CardFileWriter.h"

#include <QFileInfo>
#include <QPainter>

#include "output/CardFileNames.h"
#include "output/CardPictureEncoding.h"
#include "render/ImageResolution.h"

QImage joinedCardPicture(const CardImage& frontSide, const CardImage& backSide, bool sideBySide, double dpi)
{
    const QImage front = frontSide.toImage(dpi);
    const QImage back = backSide.toImage(dpi);
    if (front.isNull() || back.isNull())
        return {};
    const QSize size = sideBySide ? QSize(front.width() * 2, front.height()) : QSize(front.width(), front.height() * 2);
    QImage joined(size, QImage::Format_ARGB32);
    joined.fill(Qt::transparent);
    joined.setDotsPerMeterX(front.dotsPerMeterX());
    joined.setDotsPerMeterY(front.dotsPerMeterY());
    {
        QPainter painter(&joined);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, front);
        painter.drawImage(sideBySide ? QPoint(front.width(), 0) : QPoint(0, front.height()), back);
    }
    // Opaque as its sides are, so that it is written without alpha.
    if (isOpaque(joined))
        joined.convertTo(QImage::Format_RGB32);
    return joined;
}

namespace {

bool failed(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

}  // namespace

QByteArray cardFileBytes(const CardFile& file, QString* error)
{
    const QString extension = QFileInfo(file.path).suffix().toLower();
    if (file.front.isNull() || (file.joined && file.back.isNull())) {
        failed(error, QStringLiteral("Invalid image"));
        return {};
    }
    QImage picture;
    if (file.joined) {
        picture = joinedCardPicture(file.front, file.back, file.sideBySide, kExportDpi);
    } else if (extension == QLatin1String("pdf")) {
        return file.front.toPdf();
    } else {
        picture = file.front.toImage(kExportDpi);
    }
    if (picture.isNull()) {
        failed(error, QStringLiteral("the card could not be drawn"));
        return {};
    }
    if (extension == QLatin1String("eps") && !file.joined)
        return encodeEps(picture, file.front.size(), error);
    return encodeCardPicture(picture, file.path, error);
}



