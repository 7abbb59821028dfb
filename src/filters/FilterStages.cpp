#include "filters/FilterStages.h"

#include <QList>
#include <QThread>
#include <QtConcurrent/QtConcurrentMap>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

// Rows per band below which splitting across threads costs more than it saves.
constexpr int kMinRowsPerBand = 32;

struct RowBand {
    int first;
    int end;
};

// Runs work over the rows [0, height) in bands on the global thread pool.
void forRowBands(int height, const std::function<void(int first, int end)>& work)
{
    const int bandCount = std::clamp(height / kMinRowsPerBand, 1, QThread::idealThreadCount() * 2);
    if (bandCount == 1) {
        work(0, height);
        return;
    }
    QList<RowBand> bands;
    for (int i = 0; i < bandCount; ++i)
        bands.append(RowBand{int(qint64(height) * i / bandCount), int(qint64(height) * (i + 1) / bandCount)});
    QtConcurrent::blockingMap(bands, [&work](const RowBand& band) { work(band.first, band.end); });
}

// NaN counts as 0; rounds half up.
inline int toByte(float value)
{
    return value >= 255.0f ? 255 : value > 0.0f ? int(value + 0.5f) : 0;
}

inline float lumaOf(QRgb pixel)
{
    return kLumaRed * qRed(pixel) + kLumaGreen * qGreen(pixel) + kLumaBlue * qBlue(pixel);
}

// Rows are written from several threads, so the copy is made (detached) before they start.
QImage writableCopy(const QImage& picture, QImage::Format format)
{
    QImage copy = picture.convertToFormat(format);
    copy.detach();
    return copy;
}

QRgb* rowOf(QImage& image, int y)
{
    return reinterpret_cast<QRgb*>(image.bits() + qsizetype(y) * image.bytesPerLine());
}

// A picture of the same size, format and resolution, its pixels not yet set.
QImage blankLike(const QImage& picture)
{
    QImage blank(picture.size(), picture.format());
    blank.setDotsPerMeterX(picture.dotsPerMeterX());
    blank.setDotsPerMeterY(picture.dotsPerMeterY());
    blank.setDevicePixelRatio(picture.devicePixelRatio());
    return blank;
}

const QRgb* rowOf(const QImage& image, int y)
{
    return reinterpret_cast<const QRgb*>(image.constBits() + qsizetype(y) * image.bytesPerLine());
}

ColourMatrix fromRows(std::array<std::array<float, 4>, 3> rows)
{
    ColourMatrix m;
    m.rows = rows;
    return m;
}

// A matrix whose three rows are the same.
ColourMatrix sameRows(float r, float g, float b)
{
    return fromRows({{{r, g, b, 0}, {r, g, b, 0}, {r, g, b, 0}}});
}

// Sums of channel values over a window, 4 channels of one or more pixels side by side.
struct WindowSums {
    explicit WindowSums(int pixels) : sums(std::size_t(pixels) * 4, 0) {}
    void add(const QRgb* pixels, int count, int sign)
    {
        for (int i = 0; i < count; ++i) {
            const QRgb p = pixels[i];
            sums[4 * i] += sign * int(qAlpha(p));
            sums[4 * i + 1] += sign * int(qRed(p));
            sums[4 * i + 2] += sign * int(qGreen(p));
            sums[4 * i + 3] += sign * int(qBlue(p));
        }
    }
    QRgb mean(int i, float reciprocal) const
    {
        const auto channel = [&](int c) { return int(float(sums[4 * i + c]) * reciprocal + 0.5f); };
        return qRgba(channel(1), channel(2), channel(3), channel(0));
    }
    std::vector<int> sums;
};

void blurRowsHorizontally(const QImage& in, QImage& out, int radius, int first, int end)
{
    const int width = in.width();
    const float reciprocal = 1.0f / float(2 * radius + 1);
    for (int y = first; y < end; ++y) {
        const QRgb* src = rowOf(in, y);
        QRgb* dst = rowOf(out, y);
        WindowSums window(1);
        for (int i = -radius; i <= radius; ++i)
            window.add(src + std::clamp(i, 0, width - 1), 1, +1);
        for (int x = 0; x < width; ++x) {
            dst[x] = window.mean(0, reciprocal);
            window.add(src + std::min(x + radius + 1, width - 1), 1, +1);
            window.add(src + std::max(x - radius, 0), 1, -1);
        }
    }
}

// Keeps one running sum per column, so rows are read in order.
void blurRowsVertically(const QImage& in, QImage& out, int radius, int first, int end)
{
    const int width = in.width();
    const int last = in.height() - 1;
    const float reciprocal = 1.0f / float(2 * radius + 1);
    WindowSums columns(width);
    for (int i = first - radius; i <= first + radius; ++i)
        columns.add(rowOf(in, std::clamp(i, 0, last)), width, +1);
    for (int y = first; y < end; ++y) {
        QRgb* dst = rowOf(out, y);
        for (int x = 0; x < width; ++x)
            dst[x] = columns.mean(x, reciprocal);
        columns.add(rowOf(in, std::min(y + radius + 1, last)), width, +1);
        columns.add(rowOf(in, std::max(y - radius, 0)), width, -1);
    }
}

// The mean of each value over the (2r+1) x (2r+1) square around it, edges repeated; the values
// themselves for r under 1.
std::vector<float> boxMean(std::vector<float> values, int width, int height, int r)
{
    if (r < 1)
        return values;
    const double reciprocal = 1.0 / (2 * r + 1);
    std::vector<float> across(values.size());
    forRowBands(height, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const float* in = &values[std::size_t(y) * width];
            float* out = &across[std::size_t(y) * width];
            double sum = 0;
            for (int i = -r; i <= r; ++i)
                sum += in[std::clamp(i, 0, width - 1)];
            for (int x = 0; x < width; ++x) {
                out[x] = float(sum * reciprocal);
                sum += in[std::min(x + r + 1, width - 1)] - in[std::max(x - r, 0)];
            }
        }
    });
    const auto rowAt = [&](int y) { return &across[std::size_t(std::clamp(y, 0, height - 1)) * width]; };
    forRowBands(height, [&](int first, int end) {
        std::vector<double> sums(std::size_t(width), 0.0);
        for (int i = first - r; i <= first + r; ++i) {
            const float* in = rowAt(i);
            for (int x = 0; x < width; ++x)
                sums[x] += in[x];
        }
        for (int y = first; y < end; ++y) {
            float* out = &values[std::size_t(y) * width];
            const float* entering = rowAt(y + r + 1);
            const float* leaving = rowAt(y - r);
            for (int x = 0; x < width; ++x) {
                out[x] = float(sums[x] * reciprocal);
                sums[x] += entering[x] - leaving[x];
            }
        }
    });
    return values;
}

}  // namespace

ColourMatrix ColourMatrix::identity()
{
    return fromRows({{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}});
}

ColourMatrix ColourMatrix::then(const ColourMatrix& next) const
{
    ColourMatrix result;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            float sum = c == 3 ? next.rows[r][3] : 0.0f;
            for (int k = 0; k < 3; ++k)
                sum += next.rows[r][k] * rows[k][c];
            result.rows[r][c] = sum;
        }
    }
    return result;
}

bool ColourMatrix::isIdentity() const
{
    return rows == identity().rows;
}

ColourMatrix monochromeMatrix()
{
    return sameRows(kLumaRed, kLumaGreen, kLumaBlue);
}

ColourMatrix sepiaMatrix()
{
    return fromRows({{{0.393f, 0.769f, 0.189f, 0}, {0.349f, 0.686f, 0.168f, 0}, {0.272f, 0.534f, 0.131f, 0}}});
}

ColourMatrix hueMatrix(float radians)
{
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    return fromRows({{
        {0.213f + c * 0.787f - s * 0.213f, 0.715f - c * 0.715f - s * 0.715f, 0.072f - c * 0.072f + s * 0.928f, 0},
        {0.213f - c * 0.213f + s * 0.143f, 0.715f + c * 0.285f + s * 0.140f, 0.072f - c * 0.072f - s * 0.283f, 0},
        {0.213f - c * 0.213f - s * 0.787f, 0.715f - c * 0.715f + s * 0.715f, 0.072f + c * 0.928f + s * 0.072f, 0},
    }});
}

ColourMatrix colourControlsMatrix(float saturation, float brightness, float contrast)
{
    const ColourMatrix grey = monochromeMatrix();
    ColourMatrix m;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            const float mixed = grey.rows[r][c] + saturation * ((r == c ? 1.0f : 0.0f) - grey.rows[r][c]);
            m.rows[r][c] = contrast * mixed;
        }
        m.rows[r][3] = contrast * (brightness - 0.5f) + 0.5f;
    }
    return m;
}

ColourMatrix exposureMatrix(float ev)
{
    // Beyond +-64 stops every channel is black or white anyway; the bound keeps the factor finite.
    const float factor = std::exp2(std::clamp(ev, -64.0f, 64.0f));
    return fromRows({{{factor, 0, 0, 0}, {0, factor, 0, 0}, {0, 0, factor, 0}}});
}

QImage applyColourMatrix(const QImage& picture, const ColourMatrix& matrix)
{
    QImage result = writableCopy(picture, QImage::Format_ARGB32);
    if (result.isNull())
        return result;
    float k[3][4];
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            k[r][c] = matrix.rows[r][c];
        k[r][3] = matrix.rows[r][3] * 255.0f;
    }
    const int width = result.width();
    forRowBands(result.height(), [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            QRgb* line = rowOf(result, y);
            for (int x = 0; x < width; ++x) {
                const QRgb p = line[x];
                const float r = float(qRed(p)), g = float(qGreen(p)), b = float(qBlue(p));
                line[x] = qRgba(toByte(k[0][0] * r + k[0][1] * g + k[0][2] * b + k[0][3]),
                                toByte(k[1][0] * r + k[1][1] * g + k[1][2] * b + k[1][3]),
                                toByte(k[2][0] * r + k[2][1] * g + k[2][2] * b + k[2][3]), qAlpha(p));
            }
        }
    });
    return result;
}

QImage sharpenLuminance(const QImage& picture, float amount, double reach)
{
    if (!std::isfinite(amount) || amount == 0.0f || picture.isNull())
        return picture;
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    QImage result = blankLike(source);
    if (source.isNull() || result.isNull())
        return picture;
    const int width = source.width();
    const int last = source.height() - 1;
    std::vector<float> luma(std::size_t(width) * source.height());
    forRowBands(source.height(), [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const QRgb* line = rowOf(source, y);
            for (int x = 0; x < width; ++x)
                luma[std::size_t(y) * width + x] = lumaOf(line[x]);
        }
    });
    const double pixels = std::isfinite(reach) && reach > 1 ? reach : 1;
    luma = boxMean(std::move(luma), width, source.height(), int(std::lround((pixels - 1) / 2)));
    const int d = std::max(1, int(std::lround(pixels)));
    forRowBands(source.height(), [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const float* up = &luma[std::size_t(std::max(y - d, 0)) * width];
            const float* mid = &luma[std::size_t(y) * width];
            const float* down = &luma[std::size_t(std::min(y + d, last)) * width];
            const QRgb* in = rowOf(source, y);
            QRgb* out = rowOf(result, y);
            for (int x = 0; x < width; ++x) {
                const float sides = mid[std::max(x - d, 0)] + mid[std::min(x + d, width - 1)] + up[x] + down[x];
                const float delta = amount * (4.0f * mid[x] - sides);
                const QRgb p = in[x];
                out[x] = qRgba(toByte(qRed(p) + delta), toByte(qGreen(p) + delta), toByte(qBlue(p) + delta),
                               qAlpha(p));
            }
        }
    });
    return result;
}

QImage boxBlur(const QImage& picture, float radius)
{
    if (!std::isfinite(radius) || radius < 0.5f || picture.isNull())
        return picture;
    const int longest = std::max(picture.width(), picture.height());
    const int r = int(std::lround(std::min(radius, float(longest))));
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage across = blankLike(source);
    QImage result = blankLike(source);
    if (source.isNull() || across.isNull() || result.isNull())
        return picture;
    forRowBands(source.height(), [&](int first, int end) { blurRowsHorizontally(source, across, r, first, end); });
    forRowBands(source.height(), [&](int first, int end) { blurRowsVertically(across, result, r, first, end); });
    return result;
}
