#include "output/CardPictureEncoding.h"

#include <QFileInfo>
#include <QPainter>
#include <QSizeF>
#include <cmath>
#include <memory>
#include <spng.h>
#include <zlib.h>

#include "render/ImageResolution.h"

namespace {

constexpr int kPngLevel = 3;
constexpr double kMetresPerInch = 0.0254;

bool allOpaque(const QImage& picture)
{
    if (!picture.hasAlphaChannel())
        return true;
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(row[x]) != 255)
                return false;
        }
    }
    return true;
}

bool failed(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

struct SpngFree {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};

QString spngReason(int code) { return QString::fromUtf8(spng_strerror(code)); }

// The size in points the picture's density gives it.
QSizeF pointsOf(const QImage& picture)
{
    auto dpi = [](int dotsPerMetre) { return dotsPerMetre > 0 ? dotsPerMetre * kMetresPerInch : 72.0; };
    return QSizeF(picture.width() * 72.0 / dpi(picture.dotsPerMeterX()),
                  picture.height() * 72.0 / dpi(picture.dotsPerMeterY()));
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

QByteArray encodePng(const QImage& picture, QString* error)
{
    if (picture.isNull()) {
        failed(error, QStringLiteral("no picture to write"));
        return {};
    }
    const bool opaque = allOpaque(picture);
    const QImage rows = picture.convertToFormat(opaque ? QImage::Format_RGB888 : QImage::Format_RGBA8888);
    std::unique_ptr<spng_ctx, SpngFree> context(spng_ctx_new(SPNG_CTX_ENCODER));
    if (!context) {
        failed(error, QStringLiteral("out of memory"));
        return {};
    }
    spng_ctx* png = context.get();
    spng_set_option(png, SPNG_ENCODE_TO_BUFFER, 1);
    spng_set_option(png, SPNG_IMG_COMPRESSION_LEVEL, kPngLevel);
    spng_set_option(png, SPNG_IMG_COMPRESSION_STRATEGY, Z_RLE);
    spng_set_option(png, SPNG_FILTER_CHOICE, SPNG_FILTER_CHOICE_UP);
    spng_ihdr header{};
    header.width = quint32(rows.width());
    header.height = quint32(rows.height());
    header.bit_depth = 8;
    header.color_type = opaque ? SPNG_COLOR_TYPE_TRUECOLOR : SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
    int code = spng_set_ihdr(png, &header);
    if (code == 0 && picture.dotsPerMeterX() > 0 && picture.dotsPerMeterY() > 0) {
        spng_phys density{quint32(picture.dotsPerMeterX()), quint32(picture.dotsPerMeterY()), 1};
        code = spng_set_phys(png, &density);
    }
    if (code == 0)
        code = spng_encode_image(png, nullptr, 0, SPNG_FMT_PNG, SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE);
    const size_t rowBytes = size_t(rows.width()) * (opaque ? 3 : 4);
    for (int y = 0; code == 0 && y < rows.height(); ++y)
        code = spng_encode_row(png, rows.constScanLine(y), rowBytes);
    if (code != 0 && code != SPNG_EOI) {
        failed(error, spngReason(code));
        return {};
    }
    size_t length = 0;
    void* buffer = spng_get_png_buffer(png, &length, &code);
    if (!buffer) {
        failed(error, spngReason(code));
        return {};
    }
    QByteArray bytes(static_cast<const char*>(buffer), qsizetype(length));
    free(buffer);
    return bytes;
}

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

    const QSizeF points = pointsOf(picture);
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
