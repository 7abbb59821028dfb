#include "platform/PngShrinking.h"

#include <png.h>

#include <QFile>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <type_traits>
#include <vector>

#include <unistd.h>

#include "platform/RegularFile.h"

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

std::atomic<qint64> decodingsBegun{0};

// The sums of a picture that is not interlaced are written a band of rows at a time.
constexpr qint64 kOrderedBandBytes = qint64(8) << 20;
// libpng's own default: a row of a million pixels costs libpng's buffers and ours some 30 MB,
// however few rows the picture has.
constexpr png_uint_32 kMaxPngSide = 1000000;
// What one chunk beside the pixels may take; those the pixels need are all small.
constexpr png_alloc_size_t kChunkBytes = png_alloc_size_t(8) << 20;

// libpng meets damage by a long jump back to the call that asked it to read: only the three small
// functions below ask, and they hold nothing that needs destroying.
[[noreturn]] void onDamage(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void onWarning(png_structp, png_const_charp) {}

bool readHeader(png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    return true;
}

// Every kind of pixel comes as 8-bit grey or red, green and blue, then alpha where the picture has
// any: palettes and grey under 8 bits expanded, a transparent colour turned into alpha (matched on
// all 16 bits), 16-bit samples cut to their high byte.
bool startRows(png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_expand(png);
    png_set_strip_16(png);
    png_read_update_info(png, info);
    return true;
}

bool readRow(png_structp png, png_bytep row)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_row(png, row, nullptr);
    return true;
}

// A PNG file opened and its header read.
class PngFile {
public:
    PngFile() = default;
    PngFile(const PngFile&) = delete;
    PngFile& operator=(const PngFile&) = delete;
    ~PngFile() { close(); }

    // With its density, the pHYs chunk is read too.
    bool open(const QString& path, png_uint_32 maxSide, bool withDensity = false)
    {
        close();
        QFile checked;
        if (!openRegularFile(path, checked))
            return false;
        const int descriptor = dup(checked.handle());
        m_file.reset(descriptor < 0 ? nullptr : fdopen(descriptor, "rb"));
        if (!m_file) {
            if (descriptor >= 0)
                ::close(descriptor);
            return false;
        }
        m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onDamage, onWarning);
        m_info = m_png ? png_create_info_struct(m_png) : nullptr;
        if (!m_info)
            return false;
        png_init_io(m_png, m_file.get());
        png_set_user_limits(m_png, maxSide, maxSide);
        png_set_chunk_malloc_max(m_png, kChunkBytes);
        // Only the chunks the pixels need are read: texts, colour profiles and the rest are skipped.
        png_set_keep_unknown_chunks(m_png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
        if (withDensity) {
            static constexpr png_byte kDensity[] = {'p', 'H', 'Y', 's', '\0'};
            png_set_keep_unknown_chunks(m_png, PNG_HANDLE_CHUNK_AS_DEFAULT, kDensity, 1);
        }
        // Each chunk's own checksum still catches damage; the inflated stream's is a tenth of the
        // decoding's time.
        png_set_option(m_png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
        return readHeader(m_png, m_info);
    }

    png_structp png() const { return m_png; }
    png_infop info() const { return m_info; }

private:
    void close()
    {
        if (m_png)
            png_destroy_read_struct(&m_png, m_info ? &m_info : nullptr, nullptr);
        m_png = nullptr;
        m_info = nullptr;
        m_file.reset();
    }

    std::unique_ptr<FILE, FileCloser> m_file;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

// Where a decoded row's pixels go: row y, columns firstColumn, firstColumn + columnStep, ...
struct RowPlace {
    int y = 0;
    int firstColumn = 0;
    int columnStep = 1;
    int pixels = 0;
};

// One PNG file decoded row by row to 8-bit samples, whatever its colour type, depth or
// interlacing: each pixel one to four bytes, grey (G, GA) or colour (RGB, RGBA). The rows of an
// interlaced picture come pass by pass, each holding only its pass's pixels.
class RowDecoder {
public:
    bool open(const QString& path, qint64 maxPixels)
    {
        if (!m_file.open(path, kMaxPngSide))
            return false;
        m_width = int(png_get_image_width(m_file.png(), m_file.info()));
        m_height = int(png_get_image_height(m_file.png(), m_file.info()));
        if (qint64(m_width) * m_height > maxPixels || !startRows(m_file.png(), m_file.info()))
            return false;
        decodingsBegun.fetch_add(1, std::memory_order_relaxed);
        m_channels = png_get_channels(m_file.png(), m_file.info());
        m_interlaced = png_get_interlace_type(m_file.png(), m_file.info()) != PNG_INTERLACE_NONE;
        m_row.assign(png_get_rowbytes(m_file.png(), m_file.info()), 0);
        m_pass = 0;
        m_rowInPass = 0;
        m_damaged = false;
        // libpng refuses a picture without pixels, and gives one to four channels a pixel.
        return m_row.size() == size_t(m_width) * size_t(m_channels);
    }

    int width() const { return m_width; }
    int height() const { return m_height; }
    int channels() const { return m_channels; }
    bool interlaced() const { return m_interlaced; }

    // The next row in file order; false at the end or on damage.
    bool next(RowPlace& place)
    {
        if (m_damaged || m_pass >= passes())
            return false;
        if (!readRow(m_file.png(), m_row.data())) {
            m_damaged = true;
            return false;
        }
        place.y = m_interlaced ? int(PNG_ROW_FROM_PASS_ROW(png_uint_32(m_rowInPass), m_pass)) : m_rowInPass;
        place.firstColumn = m_interlaced ? int(PNG_PASS_START_COL(m_pass)) : 0;
        place.columnStep = m_interlaced ? 1 << PNG_PASS_COL_SHIFT(m_pass) : 1;
        place.pixels = columnsIn(m_pass);
        // libpng skips the passes a small picture leaves empty.
        for (++m_rowInPass; m_pass < passes() && (m_rowInPass >= rowsIn(m_pass) || columnsIn(m_pass) == 0); m_rowInPass = 0)
            ++m_pass;
        return true;
    }
    const unsigned char* row() const { return m_row.data(); }
    bool ended() const { return !m_damaged && m_pass >= passes(); }

private:
    int passes() const { return m_interlaced ? 7 : 1; }
    int rowsIn(int pass) const { return m_interlaced ? int(PNG_PASS_ROWS(png_uint_32(m_height), pass)) : m_height; }
    int columnsIn(int pass) const { return m_interlaced ? int(PNG_PASS_COLS(png_uint_32(m_width), pass)) : m_width; }

    PngFile m_file;
    std::vector<unsigned char> m_row;
    int m_width = 0;
    int m_height = 0;
    int m_channels = 0;
    bool m_interlaced = false;
    int m_pass = 0;
    int m_rowInPass = 0;
    bool m_damaged = false;
};

// Which pixels of the source each pixel of the result covers, and how many.
struct Shrinking {
    Shrinking(const QSize& source, const QSize& result)
        : size(result),
          outRowOf(shrunkIndexes(source.height(), result.height())),
          firstColumnOf(firstIndexes(shrunkIndexes(source.width(), result.width()), result.width())),
          columnCounts(countsOf(firstColumnOf)),
          rowCounts(countsOf(firstIndexes(outRowOf, result.height())))
    {
    }

    // The most source pixels one pixel of the result covers.
    quint64 largestCover() const
    {
        return *std::max_element(columnCounts.begin(), columnCounts.end())
               * *std::max_element(rowCounts.begin(), rowCounts.end());
    }

    QSize size;
    std::vector<int> outRowOf;
    // The first source column each result column covers, and the source's width after the last.
    std::vector<int> firstColumnOf;
    std::vector<quint64> columnCounts;
    std::vector<quint64> rowCounts;

private:
    static std::vector<int> shrunkIndexes(int sourceLength, int outLength)
    {
        std::vector<int> outOf(static_cast<size_t>(sourceLength));
        for (int i = 0; i < sourceLength; ++i)
            outOf[size_t(i)] = int(qint64(i) * outLength / sourceLength);
        return outOf;
    }
    static std::vector<int> firstIndexes(const std::vector<int>& outOf, int outLength)
    {
        std::vector<int> first(static_cast<size_t>(outLength) + 1, int(outOf.size()));
        for (size_t i = outOf.size(); i-- > 0;)
            first[size_t(outOf[i])] = int(i);
        return first;
    }
    static std::vector<quint64> countsOf(const std::vector<int>& firstIndexes)
    {
        std::vector<quint64> counts(firstIndexes.size() - 1);
        for (size_t i = 0; i < counts.size(); ++i)
            counts[i] = quint64(firstIndexes[i + 1] - firstIndexes[i]);
        return counts;
    }
};

// Calls work with the number of bytes a decoded pixel takes as a constant.
template <typename Work>
void withChannels(int channels, Work work)
{
    switch (channels) {
    case 1: work(std::integral_constant<int, 1>()); break;
    case 2: work(std::integral_constant<int, 2>()); break;
    case 3: work(std::integral_constant<int, 3>()); break;
    default: work(std::integral_constant<int, 4>()); break;
    }
}

constexpr bool hasAlpha(int channels) { return channels % 2 == 0; }

// Sums of 32 bits hold those of a result pixel that covers at most this many source pixels.
constexpr quint64 kNarrowSumsCover = std::numeric_limits<quint32>::max() / (255 * 255);

// Quotients by one divisor rounded to the nearest, halves up, for dividends under 2^53 and
// quotients of at most 256: a product by the divisor's inverse, whose error in doubles (a few
// units in the last place) is far below 1 / divisor, comes at most one under the integer and
// never over it.
class RoundedQuotients {
public:
    RoundedQuotients(quint64 divisor, double inverse) : m_divisor(qint64(divisor)), m_inverse(inverse) {}
    explicit RoundedQuotients(quint64 divisor) : RoundedQuotients(divisor, 1.0 / double(qint64(divisor))) {}
    int of(quint64 dividend) const
    {
        const qint64 halfUp = qint64(dividend) + m_divisor / 2;
        const auto quotient = qint64(double(halfUp) * m_inverse);
        return int(quotient) + ((quotient + 1) * m_divisor <= halfUp ? 1 : 0);
    }

private:
    qint64 m_divisor;
    double m_inverse;
};

// The sums of the pixels each pixel of a band of the result's rows covers, exact in integers of the
// Sum type: colour weighted by alpha where the picture has alpha, and the weights; grey in the
// first colour.
template <typename Sum>
class Band {
public:
    Band(int outWidth, int rows, int channels)
        : m_outWidth(outWidth),
          m_rows(rows),
          m_channels(channels),
          m_size(size_t(outWidth) * size_t(rows) * 4),
          m_sums(std::make_unique<Sum[]>(m_size))
    {
    }

    int end() const { return m_first + m_rows; }
    void moveTo(int first)
    {
        m_first = first;
        // One call, which the sanitizers check once, rather than a check for each sum.
        std::memset(m_sums.get(), 0, m_size * sizeof(Sum));
    }

    // Adds the pixels of a decoded row to the band's row outRow.
    void add(int outRow, const unsigned char* row, const RowPlace& place, const std::vector<int>& firstColumnOf)
    {
        Sum* sums = &m_sums[size_t(outRow - m_first) * size_t(m_outWidth) * 4];
        withChannels(m_channels, [&](auto channels) {
            addRow<channels()>(sums, row, place, firstColumnOf.data());
        });
    }

    // Each pixel of the band's rows the average of the pixels it covers. Where all those pixels are
    // opaque, the colour is divided by their count, whose inverse the band's columns and rows share.
    void writeTo(QImage& shrunk, const Shrinking& shrinking) const
    {
        const bool grey = m_channels <= 2, opaque = !hasAlpha(m_channels);
        const quint64 opaqueWeight = opaque ? 1 : 255;
        const int width = m_outWidth;
        const quint64* columnCounts = shrinking.columnCounts.data();
        std::vector<double> columnInverses(size_t(width), 0.0);
        for (int ox = 0; ox < width; ++ox)
            columnInverses[size_t(ox)] = 1.0 / double(columnCounts[ox] * opaqueWeight);
        for (int oy = m_first; oy < std::min(end(), shrunk.height()); ++oy) {
            auto* out = reinterpret_cast<QRgb*>(shrunk.scanLine(oy));
            const Sum* sum = &m_sums[size_t(oy - m_first) * size_t(width) * 4];
            const quint64 rowCount = shrinking.rowCounts[size_t(oy)];
            const double rowInverse = 1.0 / double(rowCount);
            const double* columnInverse = columnInverses.data();
            for (int ox = 0; ox < width; ++ox, sum += 4) {
                const quint64 weight = sum[3];
                if (weight == 0) {
                    out[ox] = 0;
                    continue;
                }
                const quint64 count = columnCounts[ox] * rowCount;
                int alpha = 255;
                RoundedQuotients byWeight(weight, columnInverse[ox] * rowInverse);
                if (weight != count * opaqueWeight) {
                    alpha = RoundedQuotients(count).of(weight);
                    byWeight = RoundedQuotients(weight);
                }
                const int red = byWeight.of(sum[0]);
                out[ox] = grey ? qRgba(red, red, red, alpha) : qRgba(red, byWeight.of(sum[1]), byWeight.of(sum[2]), alpha);
            }
        }
    }

private:
    // A run is summed in the Sum type too, which holds what the whole result pixel covers. An
    // opaque pixel weighs one.
    template <int Channels>
    void addRow(Sum* sums, const unsigned char* pixel, const RowPlace& place, const int* firstColumnOf) const
    {
        const int width = m_outWidth, step = place.columnStep;
        int x = place.firstColumn;
        for (int ox = 0; ox < width; ++ox, sums += 4) {
            Sum red = 0, green = 0, blue = 0, weight = 0;
            for (const int end = firstColumnOf[ox + 1]; x < end; x += step, pixel += Channels) {
                if constexpr (Channels == 1) {
                    red += pixel[0];
                    ++weight;
                } else if constexpr (Channels == 2) {
                    const Sum alpha = pixel[1];
                    red += pixel[0] * alpha;
                    weight += alpha;
                } else if constexpr (Channels == 3) {
                    red += pixel[0];
                    green += pixel[1];
                    blue += pixel[2];
                    ++weight;
                } else {
                    const Sum alpha = pixel[3];
                    red += pixel[0] * alpha;
                    green += pixel[1] * alpha;
                    blue += pixel[2] * alpha;
                    weight += alpha;
                }
            }
            sums[0] += red;
            sums[1] += green;
            sums[2] += blue;
            sums[3] += weight;
        }
    }

    int m_outWidth;
    int m_rows;
    int m_channels;
    int m_first = 0;
    size_t m_size;
    std::unique_ptr<Sum[]> m_sums;
};

// An interlaced picture's rows come pass by pass, so every row of its result is summed at once;
// a picture that is not interlaced has its rows in order, summed a band at a time and each band
// written when its rows have passed.
template <typename Sum>
QImage shrinkRows(RowDecoder& decoder, const Shrinking& shrinking)
{
    QImage shrunk(shrinking.size, QImage::Format_ARGB32);
    if (shrunk.isNull())
        return QImage();
    const qint64 rowBytes = qint64(shrinking.size.width()) * 4 * qint64(sizeof(Sum));
    const int height = shrinking.size.height();
    const int bandRows = decoder.interlaced() ? height : int(std::clamp<qint64>(kOrderedBandBytes / rowBytes, 1, height));
    Band<Sum> band(shrinking.size.width(), bandRows, decoder.channels());
    RowPlace place;
    while (decoder.next(place)) {
        const int outRow = shrinking.outRowOf[size_t(place.y)];
        if (outRow >= band.end()) {
            band.writeTo(shrunk, shrinking);
            band.moveTo(outRow);
        }
        band.add(outRow, decoder.row(), place, shrinking.firstColumnOf);
    }
    if (!decoder.ended())
        return QImage();
    band.writeTo(shrunk, shrinking);
    return shrunk;
}

// The decoded pixels of a row as pixels of the picture at its own size.
template <int Channels>
void writeWholeRow(QRgb* out, const unsigned char* pixel, const RowPlace& place)
{
    for (int i = 0, x = place.firstColumn; i < place.pixels; ++i, x += place.columnStep, pixel += Channels) {
        const int alpha = hasAlpha(Channels) ? pixel[Channels - 1] : 255;
        out[x] = alpha == 0 ? 0 : Channels <= 2 ? qRgba(pixel[0], pixel[0], pixel[0], alpha) : qRgba(pixel[0], pixel[1], pixel[2], alpha);
    }
}

// The picture at its own size: each decoded pixel is a pixel of the result.
QImage readWhole(RowDecoder& decoder)
{
    QImage whole(decoder.width(), decoder.height(), QImage::Format_ARGB32);
    if (whole.isNull())
        return QImage();
    RowPlace place;
    while (decoder.next(place)) {
        auto* out = reinterpret_cast<QRgb*>(whole.scanLine(place.y));
        withChannels(decoder.channels(), [&](auto channels) { writeWholeRow<channels()>(out, decoder.row(), place); });
    }
    return decoder.ended() ? whole : QImage();
}

qint64 interlacedShrinkingBytes(const QSize& source, const QSize& size)
{
    const qint64 sumBytes = Shrinking(source, size).largestCover() <= kNarrowSumsCover ? 4 : 8;
    return qint64(size.width()) * size.height() * (4 + 4 * sumBytes);
}

// The largest size of the shape asked whose result and sums an interlaced picture may hold.
QSize sizeForInterlaced(const QSize& asked, const QSize& source)
{
    QSize size = asked;
    for (double scale = 0.98; interlacedShrinkingBytes(source, size) > kMaxInterlacedShrinkingBytes; scale *= 0.98)
        size = QSize(std::max(1, int(asked.width() * scale)), std::max(1, int(asked.height() * scale)));
    return size;
}

}  // namespace

QImage readPngShrunk(const QString& path, const QSize& asked, qint64 maxPixels)
{
    const qint64 resultBytes = qint64(asked.width()) * asked.height() * 4;
    if (asked.isEmpty() || resultBytes > kMaxWholePngBytes)
        return QImage();
    RowDecoder decoder;
    if (!decoder.open(path, maxPixels) || asked.width() > decoder.width() || asked.height() > decoder.height())
        return QImage();
    const QSize source(decoder.width(), decoder.height());
    // At its own size the picture is all the reading holds.
    if (asked == source)
        return readWhole(decoder);
    if (resultBytes > kMaxShrunkPngBytes)
        return QImage();
    const Shrinking shrinking(source, decoder.interlaced() ? sizeForInterlaced(asked, source) : asked);
    return shrinking.largestCover() <= kNarrowSumsCover ? shrinkRows<quint32>(decoder, shrinking)
                                                        : shrinkRows<quint64>(decoder, shrinking);
}

bool pngReadByRows(const QString& path)
{
    PngFile file;
    if (!file.open(path, PNG_UINT_31_MAX))
        return false;
    png_uint_32 width = 0, height = 0;
    int depth = 0, colourType = 0;
    png_get_IHDR(file.png(), file.info(), &width, &height, &depth, &colourType, nullptr, nullptr, nullptr);
    return depth == 16 && (colourType != PNG_COLOR_TYPE_GRAY || png_get_valid(file.png(), file.info(), PNG_INFO_tRNS));
}

QSize pngDotsPerMeter(const QString& path)
{
    PngFile file;
    if (!file.open(path, PNG_UINT_31_MAX, true))
        return QSize();
    png_uint_32 x = 0, y = 0;
    int unit = PNG_RESOLUTION_UNKNOWN;
    const bool stated = png_get_pHYs(file.png(), file.info(), &x, &y, &unit) != 0;
    constexpr png_uint_32 kMost = png_uint_32(std::numeric_limits<int>::max());
    if (!stated || unit != PNG_RESOLUTION_METER || x == 0 || y == 0 || x > kMost || y > kMost)
        return QSize();
    return QSize(int(x), int(y));
}

qint64 pngRowDecodings() { return decodingsBegun.load(std::memory_order_relaxed); }
