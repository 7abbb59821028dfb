#include "render/PngEncoding.h"

#include <algorithm>
#include <memory>
#include <spng.h>
#include <zlib.h>

#include "render/ImageResolution.h"

namespace {

constexpr int kPngLevel = 3;

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

}  // namespace

QByteArray encodePng(const QImage& picture, QString* error)
{
    if (picture.isNull()) {
        failed(error, QStringLiteral("no picture to write"));
        return {};
    }
    const bool opaque = isOpaque(picture);
    const QImage::Format rowFormat = opaque ? QImage::Format_RGB888 : QImage::Format_RGBA8888;
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
    header.width = quint32(picture.width());
    header.height = quint32(picture.height());
    header.bit_depth = 8;
    header.color_type = opaque ? SPNG_COLOR_TYPE_TRUECOLOR : SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
    int code = spng_set_ihdr(png, &header);
    if (code == 0 && picture.dotsPerMeterX() > 0 && picture.dotsPerMeterY() > 0) {
        spng_phys density{quint32(picture.dotsPerMeterX()), quint32(picture.dotsPerMeterY()), 1};
        code = spng_set_phys(png, &density);
    }
    if (code == 0)
        code = spng_encode_image(png, nullptr, 0, SPNG_FMT_PNG, SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE);
    // Converted a band of rows at a time: a whole 600-dpi card in another format would be a
    // second picture's worth of memory written and read once.
    constexpr int kBandRows = 64;
    const size_t rowBytes = size_t(picture.width()) * (opaque ? 3 : 4);
    for (int top = 0; code == 0 && top < picture.height(); top += kBandRows) {
        const int count = std::min(kBandRows, picture.height() - top);
        QImage rows(picture.constScanLine(top), picture.width(), count, picture.bytesPerLine(), picture.format());
        rows.setColorTable(picture.colorTable());
        const QImage band = rows.convertToFormat(rowFormat);
        for (int y = 0; code == 0 && y < count; ++y)
            code = spng_encode_row(png, band.constScanLine(y), rowBytes);
    }
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
