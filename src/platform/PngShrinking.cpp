#include "platform/PngShrinking.h"

#include <spng.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/RegularFile.h"

#include <QFile>

namespace {

struct ContextDeleter {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};
struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

QImage readPngShrunk(const QString& path, const QSize& size, int maxSide)
{
    if (size.isEmpty())
        return QImage();
    QFile checked;
    if (!openRegularFile(path, checked))
        return QImage();
    std::unique_ptr<FILE, FileCloser> file(fdopen(dup(checked.handle()), "rb"));
    std::unique_ptr<spng_ctx, ContextDeleter> png(spng_ctx_new(0));
    if (!file || !png || spng_set_png_file(png.get(), file.get()) != 0)
        return QImage();
    spng_set_image_limits(png.get(), uint32_t(maxSide), uint32_t(maxSide));
    spng_set_chunk_limits(png.get(), 64u << 20, 64u << 20);
    spng_ihdr header{};
    if (spng_get_ihdr(png.get(), &header) != 0 || header.interlace_method != SPNG_INTERLACE_NONE)
        return QImage();
    const int width = int(header.width);
    const int height = int(header.height);
    if (spng_decode_image(png.get(), nullptr, 0, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE) != 0)
        return QImage();

    // Sums of premultiplied channels and the share of each source pixel, per pixel of the result.
    const int outWidth = size.width();
    const int outHeight = size.height();
    std::vector<double> sums(size_t(outWidth) * outHeight * 4, 0.0);
    std::vector<double> weights(size_t(outWidth) * outHeight, 0.0);
    std::vector<int> outColumnOf(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x)
        outColumnOf[size_t(x)] = int(qint64(x) * outWidth / width);
    std::vector<unsigned char> row(static_cast<size_t>(width) * 4);
    for (int y = 0; y < height; ++y) {
        const int status = spng_decode_row(png.get(), row.data(), row.size());
        if (status != 0 && status != SPNG_EOI)
            return QImage();
        const size_t outRow = size_t(qint64(y) * outHeight / height) * outWidth;
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &row[size_t(x) * 4];
            const double alpha = p[3] / 255.0;
            const size_t at = outRow + size_t(outColumnOf[size_t(x)]);
            sums[at * 4] += p[0] * alpha;
            sums[at * 4 + 1] += p[1] * alpha;
            sums[at * 4 + 2] += p[2] * alpha;
            sums[at * 4 + 3] += p[3];
            weights[at] += 1.0;
        }
        if (status == SPNG_EOI)
            break;
    }
    QImage shrunk(size, QImage::Format_ARGB32);
    for (int oy = 0; oy < outHeight; ++oy) {
        auto* line = reinterpret_cast<QRgb*>(shrunk.scanLine(oy));
        for (int ox = 0; ox < outWidth; ++ox) {
            const size_t at = size_t(oy) * outWidth + ox;
            const double count = weights[at];
            const double alpha = count > 0 ? sums[at * 4 + 3] / count : 0.0;
            const auto channel = [&](int c) {
                return alpha > 0 ? qBound(0, qRound(sums[at * 4 + c] / count * 255.0 / alpha), 255) : 0;
            };
            line[ox] = qRgba(channel(0), channel(1), channel(2), qBound(0, qRound(alpha), 255));
        }
    }
    return shrunk;
}
