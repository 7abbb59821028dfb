#include "output/CardPictureEncoding.h"

#include <QFileInfo>
#include <QPainter>
#include <QSizeF>
#include <cmath>
#include <zlib.h>

#include "render/ImageResolution.h"
#include "render/PngEncoding.h"

namespace {


bool failed(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}



QByteArray ascii85(const QByteArray& bytes)
{
    QByteArray out;
    out.reserve(bytes.size() * 5 / 4 + bytes.size() / 64 + 8);
    int column = 0;
    auto put = [&](char c) {
        out.append(c);
        if (++column == 72) {
            out.append('\n');
            column = 0;
        }
    };
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; i += 4) {
        const int count = int(std::min<qsizetype>(4, size - i));
        quint32 word = 0;
        for (int k = 0; k < 4; ++k)
            word = (word << 8) | (k < count ? data[i + k] : 0);
        if (count == 4 && word == 0) {
            put('z');
            continue;
        }
        char digits[5];
        for (int k = 4; k >= 0; --k) {
            digits[k] = char('!' + word % 85);
            word /= 85;
        }
        for (int k = 0; k < count + 1; ++k)
            put(digits[k]);
    }
    out.append("~>\n");
    return out;
}

}  // namespace


QByteArray encodeEps(const QImage& picture, QSizeF page, QString* error)
{
    if (picture.isNull()) {
        failed(error, QStringLiteral("no picture to write"));
        return {};
    }
    QImage flat(picture.size(), QImage::Format_RGB888);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, picture);
    }
    QByteArray samples;
    samples.reserve(qsizetype(flat.width()) * flat.height() * 3);
    for (int y = 0; y < flat.height(); ++y)
        samples.append(reinterpret_cast<const char*>(flat.constScanLine(y)), qsizetype(flat.width()) * 3);
    uLongf packedSize = compressBound(uLong(samples.size()));
    QByteArray packed(qsizetype(packedSize), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                  reinterpret_cast<const Bytef*>(samples.constData()), uLong(samples.size()), Z_DEFAULT_COMPRESSION) != Z_OK) {
        failed(error, QStringLiteral("the picture could not be compressed"));
        return {};
    }
    packed.truncate(qsizetype(packedSize));

    const QSizeF points = sizeInPoints(picture);
    if (page.isEmpty())
        page = points;
    const auto number = [](double v) { return QByteArray::number(v, 'f', 4); };
    QByteArray eps;
    eps += "%!PS-Adobe-3.0 EPSF-3.0\n";
    eps += "%%BoundingBox: 0 0 " + QByteArray::number(int(std::ceil(page.width() - 1e-6))) + ' ' +
           QByteArray::number(int(std::ceil(page.height() - 1e-6))) + '\n';
    eps += "%%HiResBoundingBox: 0 0 " + number(page.width()) + ' ' + number(page.height()) + '\n';
    eps += "%%LanguageLevel: 3\n%%Pages: 1\n%%EndComments\n%%Page: 1 1\n";
    // PostScript counts from the bottom: the picture hangs from the page's top edge.
    eps += "gsave\n/DeviceRGB setcolorspace\n";
    eps += "0 " + number(page.height() - points.height()) + " translate\n";
    eps += number(points.width()) + ' ' + number(points.height()) + " scale\n";
    const QByteArray w = QByteArray::number(flat.width());
    const QByteArray h = QByteArray::number(flat.height());
    eps += "<< /ImageType 1 /Width " + w + " /Height " + h + " /BitsPerComponent 8 /Decode [0 1 0 1 0 1]\n";
    eps += "   /ImageMatrix [" + w + " 0 0 -" + h + " 0 " + h + "]\n";
    eps += "   /DataSource currentfile /ASCII85Decode filter /FlateDecode filter >> image\n";
    eps += ascii85(packed);
    eps += "grestore\nshowpage\n%%EOF\n";
    return eps;
}

QByteArray encodeCardPicture(const QImage& picture, const QString& path, QString* error)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("eps"))
        return encodeEps(picture, QSizeF(), error);
    static const QStringList others = {QStringLiteral("pdf"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                       QStringLiteral("bmp"), QStringLiteral("tif"), QStringLiteral("tiff")};
    if (others.contains(extension))
        return Encode_gen_image(picture, path, error);
    return encodePng(picture, error);
}
