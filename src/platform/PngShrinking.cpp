#include "platform/PngShrinking.h"

#include <spng.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/RegularFile.h"

#include <QFile>
#include <unistd.h>

namespace {

struct ContextDeleter {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};
struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// Where each of the seven passes of an interlaced PNG takes its columns.
constexpr int kAdam7FirstColumn[7] = {0, 4, 0, 2, 0, 1, 0};
constexpr int kAdam7ColumnStep[7] = {8, 8, 4, 4, 2, 2, 1};

// What the result and the sums of a band of its rows may take together. The rows of an
// interlaced picture come pass by pass, so it is read once for each band: its bands take what the
// result leaves. Other pictures are read once, their bands written as their rows pass them.
constexpr qint64 kResultAndSumsBytes = qint64(224) << 20;
constexpr qint64 kOrderedBandBytes = qint64(8) << 20;
// Each reading decodes the whole file: an interlaced picture is read a few times at most, fewer
// when it is large, and its result made smaller until its bands fit them.
constexpr qint64 kMaxInterlacedReadings = 3;
constexpr qint64 kInterlacedDecodedPixels = qint64(128) << 20;
// What the chunks beside the pixels (texts, colour profiles) may take.
constexpr size_t kChunkBytes = size_t(8) << 20;
constexpr size_t kChunkCacheBytes = size_t(16) << 20;

// One PNG file being decoded row by row to 8-bit RGBA, whatever its colour type, depth or
// interlacing.
class RowDecoder {
public:
    bool open(const QString& path, int maxSide)
    {
        QFile checked;
        if (!openRegularFile(path, checked))
            return false;
        m_png.reset();
        m_ended = false;
        m_file.reset(fdopen(dup(checked.handle()), "rb"));
        m_png.reset(spng_ctx_new(0));
        if (!m_file || !m_png || spng_set_png_file(m_png.get(), m_file.get()) != 0)
            return false;
        spng_set_image_limits(m_png.get(), uint32_t(maxSide), uint32_t(maxSide));
        spng_set_chunk_limits(m_png.get(), kChunkBytes, kChunkCacheBytes);
        if (spng_get_ihdr(m_png.get(), &m_header) != 0)
            return false;
        // The decoder's own expansion of grey under 8 bits to RGBA takes it seconds for a
        // picture of 8000 x 8000: such grey comes as 8 bits and is spread to RGBA here. A
        // transparent grey has no such road.
        spng_trns transparent{};
        m_grey = m_header.color_type == SPNG_COLOR_TYPE_GRAYSCALE && m_header.bit_depth < 8
                 && spng_get_trns(m_png.get(), &transparent) != 0;
        const int format = m_grey ? SPNG_FMT_G8 : SPNG_FMT_RGBA8;
        if (spng_decode_image(m_png.get(), nullptr, 0, format, SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE) != 0)
            return false;
        m_row.assign(size_t(m_header.width) * 4, 0);
        m_greyRow.assign(m_grey ? size_t(m_header.width) : 0, 0);
        return true;
    }

    int width() const { return int(m_header.width); }
    int height() const { return int(m_header.height); }
    bool interlaced() const { return m_header.interlace_method != SPNG_INTERLACE_NONE; }

    // The next row in file order: its row in the picture, and where its pass puts its pixels
    // (every pixel but those of other passes is left as it was). False at the end or on damage.
    bool next(int& y, int& firstColumn, int& columnStep)
    {
        if (m_ended)
            return false;
        spng_row_info info{};
        const int where = spng_get_row_info(m_png.get(), &info);
        // The last row may end the image only when the next is asked for (an interlaced picture
        // one pixel high does so).
        m_ended = where == SPNG_EOI;
        if (where != 0)
            return false;
        std::vector<unsigned char>& target = m_grey ? m_greyRow : m_row;
        const int status = spng_decode_row(m_png.get(), target.data(), target.size());
        if (status != 0 && status != SPNG_EOI)
            return false;
        m_ended = status == SPNG_EOI;
        y = int(info.row_num);
        const int pass = interlaced() ? std::clamp(int(info.pass), 0, 6) : 6;
        firstColumn = kAdam7FirstColumn[pass];
        columnStep = kAdam7ColumnStep[pass];
        for (size_t x = size_t(firstColumn); m_grey && x < m_greyRow.size(); x += size_t(columnStep)) {
            unsigned char* pixel = &m_row[x * 4];
            pixel[0] = pixel[1] = pixel[2] = m_greyRow[x];
            pixel[3] = 255;
        }
        return true;
    }
    const unsigned char* row() const { return m_row.data(); }
    bool ended() const { return m_ended; }

private:
    std::unique_ptr<FILE, FileCloser> m_file;
    std::unique_ptr<spng_ctx, ContextDeleter> m_png;
    spng_ihdr m_header{};
    std::vector<unsigned char> m_row;
    std::vector<unsigned char> m_greyRow;
    bool m_grey = false;
    bool m_ended = false;
};

// The sums of the pixels each pixel of a band of the result's rows covers: alpha-weighted colour
// and alpha, exact in integers.
class Band {
public:
    Band(int outWidth, int rows) : m_outWidth(outWidth), m_rows(rows), m_sums(size_t(outWidth) * size_t(rows) * 4) {}

    int first() const { return m_first; }
    int end() const { return m_first + m_rows; }
    void moveTo(int first)
    {
        m_first = first;
        std::fill(m_sums.begin(), m_sums.end(), 0);
    }

    // Adds the pixels of a row that its pass holds (every columnStep-th from firstColumn) to the
    // band's row outRow; firstColumnOf[ox] is the first column of the source that result column
    // ox covers, firstColumnOf[outWidth] the source's width.
    void add(int outRow, const unsigned char* row, int firstColumn, int columnStep, const std::vector<int>& firstColumnOf)
    {
        quint64* sum = &m_sums[size_t(outRow - m_first) * size_t(m_outWidth) * 4];
        int x = firstColumn;
        for (int ox = 0; ox < m_outWidth; ++ox, sum += 4) {
            // A run of at most 16000 pixels: its sums fit in 32 bits.
            quint32 red = 0, green = 0, blue = 0, alpha = 0;
            for (const int end = firstColumnOf[size_t(ox) + 1]; x < end; x += columnStep) {
                const unsigned char* p = row + size_t(x) * 4;
                red += quint32(p[0]) * p[3];
                green += quint32(p[1]) * p[3];
                blue += quint32(p[2]) * p[3];
                alpha += p[3];
            }
            sum[0] += red;
            sum[1] += green;
            sum[2] += blue;
            sum[3] += alpha;
        }
    }

    // Each pixel of the band's rows the average of the pixels it covers: counts[] how many.
    void writeTo(QImage& shrunk, const std::vector<quint64>& columnCounts, const std::vector<quint64>& rowCounts) const
    {
        for (int oy = m_first; oy < std::min(end(), shrunk.height()); ++oy) {
            auto* out = reinterpret_cast<QRgb*>(shrunk.scanLine(oy));
            const quint64* line = &m_sums[size_t(oy - m_first) * size_t(m_outWidth) * 4];
            for (int ox = 0; ox < m_outWidth; ++ox) {
                const quint64* sum = line + size_t(ox) * 4;
                const quint64 count = std::max<quint64>(1, columnCounts[size_t(ox)] * rowCounts[size_t(oy)]);
                const auto channel = [&](int c) { return sum[3] > 0 ? int((sum[c] + sum[3] / 2) / sum[3]) : 0; };
                out[ox] = qRgba(channel(0), channel(1), channel(2), int((sum[3] + count / 2) / count));
            }
        }
    }

private:
    int m_outWidth;
    int m_rows;
    int m_first = 0;
    std::vector<quint64> m_sums;
};

// How many pixels of the source fall on each pixel of the result, along one side.
std::vector<quint64> countsAlong(int sourceLength, const std::vector<int>& outOf, int outLength)
{
    std::vector<quint64> counts(static_cast<size_t>(outLength), 0);
    for (int i = 0; i < sourceLength; ++i)
        ++counts[size_t(outOf[size_t(i)])];
    return counts;
}

std::vector<int> shrunkIndexes(int sourceLength, int outLength)
{
    std::vector<int> outOf(static_cast<size_t>(sourceLength));
    for (int i = 0; i < sourceLength; ++i)
        outOf[size_t(i)] = int(qint64(i) * outLength / sourceLength);
    return outOf;
}

// The first source index each result index covers, and the source's length after the last.
std::vector<int> firstIndexes(const std::vector<int>& outOf, int outLength)
{
    std::vector<int> first(static_cast<size_t>(outLength) + 1, int(outOf.size()));
    for (size_t i = outOf.size(); i-- > 0;)
        first[size_t(outOf[i])] = int(i);
    return first;
}

// The result's rows a band of sums holds beside the result.
int bandRowsBesideResult(const QSize& size)
{
    const qint64 rowBytes = qint64(size.width()) * 4 * qint64(sizeof(quint64));
    const qint64 resultBytes = qint64(size.width()) * size.height() * 4;
    return int(std::clamp<qint64>((kResultAndSumsBytes - resultBytes) / rowBytes, 1, size.height()));
}

// The largest size of the shape asked whose bands take the readings an interlaced picture of
// that many pixels is let have.
QSize sizeForInterlaced(const QSize& asked, qint64 sourcePixels)
{
    const qint64 readings = std::clamp<qint64>(kInterlacedDecodedPixels / sourcePixels, 1, kMaxInterlacedReadings);
    const auto readingsOf = [](const QSize& size) {
        const int rows = bandRowsBesideResult(size);
        return (size.height() + rows - 1) / rows;
    };
    QSize size = asked;
    for (double scale = 0.98; readingsOf(size) > readings; scale *= 0.98)
        size = QSize(std::max(1, int(asked.width() * scale)), std::max(1, int(asked.height() * scale)));
    return size;
}

}  // namespace

bool pngReadWrongByQt(const QString& path)
{
    QFile checked;
    if (!openRegularFile(path, checked))
        return false;
    const std::unique_ptr<FILE, FileCloser> file(fdopen(dup(checked.handle()), "rb"));
    const std::unique_ptr<spng_ctx, ContextDeleter> png(spng_ctx_new(0));
    spng_ihdr header{};
    spng_trns transparent{};
    return file && png && spng_set_png_file(png.get(), file.get()) == 0 && spng_get_ihdr(png.get(), &header) == 0
           && header.color_type == SPNG_COLOR_TYPE_TRUECOLOR && header.bit_depth == 16
           && spng_get_trns(png.get(), &transparent) == 0;
}

QImage readPngShrunk(const QString& path, const QSize& asked, int maxSide)
{
    if (asked.isEmpty() || qint64(asked.width()) * asked.height() * 4 > kMaxShrunkPngBytes)
        return QImage();
    RowDecoder decoder;
    if (!decoder.open(path, maxSide) || asked.width() > decoder.width() || asked.height() > decoder.height())
        return QImage();
    const int width = decoder.width(), height = decoder.height();
    const QSize size = decoder.interlaced() ? sizeForInterlaced(asked, qint64(width) * height) : asked;
    const std::vector<int> outColumnOf = shrunkIndexes(width, size.width());
    const std::vector<int> outRowOf = shrunkIndexes(height, size.height());
    const std::vector<int> firstColumnOf = firstIndexes(outColumnOf, size.width());
    const std::vector<quint64> columnCounts = countsAlong(width, outColumnOf, size.width());
    const std::vector<quint64> rowCounts = countsAlong(height, outRowOf, size.height());

    QImage shrunk(size, QImage::Format_ARGB32);
    if (shrunk.isNull())
        return QImage();
    const qint64 rowBytes = qint64(size.width()) * 4 * qint64(sizeof(quint64));
    const int bandRows = decoder.interlaced() ? bandRowsBesideResult(size)
                                              : int(std::clamp<qint64>(kOrderedBandBytes / rowBytes, 1, size.height()));
    Band band(size.width(), bandRows);
    // Rows of a picture that is not interlaced come in order: its bands are written as its rows
    // pass them, in one reading. An interlaced picture is read once for each band.
    for (bool first = true; band.first() < size.height(); first = false) {
        if (!first && !decoder.open(path, maxSide))
            return QImage();
        int y = 0, firstColumn = 0, columnStep = 1;
        while (decoder.next(y, firstColumn, columnStep)) {
            if (y < 0 || y >= height)
                return QImage();
            const int outRow = outRowOf[size_t(y)];
            if (!decoder.interlaced() && outRow >= band.end()) {
                band.writeTo(shrunk, columnCounts, rowCounts);
                band.moveTo(outRow);
            }
            if (outRow >= band.first() && outRow < band.end())
                band.add(outRow, decoder.row(), firstColumn, columnStep, firstColumnOf);
        }
        if (!decoder.ended())
            return QImage();
        band.writeTo(shrunk, columnCounts, rowCounts);
        band.moveTo(decoder.interlaced() ? band.end() : size.height());
    }
    return shrunk;
}
