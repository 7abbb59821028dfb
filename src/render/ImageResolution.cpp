#include "render/ImageResolution.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <cmath>
#include <exception>
#include <functional>

#include "platform/AtomicFile.h"
#include "platform/Log.h"
#include "render/CardImage.h"

namespace {

QByteArray pdfBytes(const QImage& picture)
{
    const QSizeF page = sizeInPoints(picture);
    return pdfPage(page, QString(), [&](QPainter& painter) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        // Kept whole, as the PNG of the picture would be: a card's barcodes and text go blurred
        // and fringed through JPEG.
        painter.setRenderHint(QPainter::LosslessImageRendering);
        painter.drawImage(QRectF(QPointF(0, 0), page), picture);
    });
}

QImage flattenedOnWhite(const QImage& picture)
{
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.setDotsPerMeterX(picture.dotsPerMeterX());
    flat.setDotsPerMeterY(picture.dotsPerMeterY());
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    return flat;
}

QByteArray encodedBytes(const QImage& picture, const QByteArray& format, QString* error)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(picture)) {
        *error = writer.errorString();
        return {};
    }
    return buffer.data();
}

// What raise gives, or a null picture with "Invalid image" logged when it gives none.
QImage raisedOrLogged(const std::function<QImage()>& raise)
{
    try {
        QImage raised = raise();
        if (raised.isNull())
            Show_NSLog_Message(QStringLiteral("Invalid image"));
        return raised;
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        return {};
    }
}

}  // namespace

QByteArray Encode_gen_image(const QImage& picture, const QString& path, QString* error)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("pdf"))
        return pdfBytes(picture);
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return encodedBytes(flattenedOnWhite(picture), "jpg", error);
    if (extension == QLatin1String("bmp"))
        return encodedBytes(picture, "bmp", error);
    if (extension == QLatin1String("tif") || extension == QLatin1String("tiff"))
        return encodedBytes(picture, "tiff", error);
    return encodedBytes(picture, "png", error);
}

QImage Increase_DPI(const CardImage& image, double dpi)
{
    return raisedOrLogged([&] { return image.isNull() ? QImage() : image.toImage(dpi); });
}

QImage Increase_DPI(const QImage& picture, double dpi)
{
    return raisedOrLogged([&] {
        const QSizeF points = sizeInPoints(picture);
        return picture.isNull() ? QImage()
                                : rasterAt(points, dpi, [&](QPainter& painter) {
                                      painter.drawImage(QRectF(QPointF(0, 0), points), picture);
                                  });
    });
}

bool Save_gen_image(const QImage& picture, const QString& file_path_val)
{
    QString error;
    try {
        if (picture.isNull()) {
            error = QStringLiteral("no picture to write");
        } else {
            const QByteArray bytes = Encode_gen_image(picture, file_path_val, &error);
            if (!bytes.isEmpty() && writeFileAtomically(file_path_val, bytes, &error))
                return true;
            if (bytes.isEmpty() && error.isEmpty())
                error = QStringLiteral("the picture could not be encoded");
        }
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
    Show_NSLog_Message(QStringLiteral("Cannot write the card picture \"%1\": %2").arg(file_path_val, error));
    return false;
}

bool isOpaque(const QImage& picture)
{
    if (!picture.hasAlphaChannel())
        return true;
    // Premultiplying keeps the alpha where it is: a raster just painted is read without a copy.
    const QImage argb = picture.format() == QImage::Format_ARGB32_Premultiplied
                            ? picture
                            : picture.convertToFormat(QImage::Format_ARGB32);
    // Every pixel of a 600-dpi card is looked at: the sizes are read once, not per pixel.
    const int width = argb.width(), height = argb.height();
    for (int y = 0; y < height; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        QRgb all = 0xff000000;
        for (int x = 0; x < width; ++x)
            all &= row[x];
        if (qAlpha(all) != 255)
            return false;
    }
    return true;
}
