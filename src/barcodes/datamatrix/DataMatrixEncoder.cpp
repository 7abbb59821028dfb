#include "barcodes/datamatrix/DataMatrixEncoder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "barcodes/datamatrix/DataMatrixEcc.h"
#include "barcodes/datamatrix/OutputCapture.h"
#include "platform/Log.h"

extern "C" {
#include <iec16022ecc200.h>
}

namespace {

// The library keeps its Reed-Solomon tables in static variables, and its output is caught
// around each call.
std::mutex& libraryMutex()
{
    static std::mutex mutex;
    return mutex;
}

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

struct LibraryResult {
    std::unique_ptr<unsigned char, FreeDeleter> grid;
    int width = 0;
    int height = 0;
    int encodedLength = 0;
    int capacity = 0;
    int eccBytes = 0;
    std::string encoding;  // as used, also when the library picked it
    QByteArray output;     // what the library printed
    bool made() const { return grid && width > 0 && height > 0; }
};

LibraryResult runLibrary(const QByteArray& data, DataMatrixSize size, const std::string& encoding)
{
    LibraryResult r;
    r.width = size.width;
    r.height = size.height;
    std::string encodingCopy = encoding;  // the library wants a writable string
    char* encodingPtr = encoding.empty() ? nullptr : encodingCopy.data();
    QByteArray bytes = data;
    {
        std::lock_guard lock(libraryMutex());
        OutputCapture capture;
        r.grid.reset(iec16022ecc200(&r.width, &r.height, &encodingPtr, int(bytes.size()),
                                    reinterpret_cast<unsigned char*>(bytes.data()), &r.encodedLength,
                                    &r.capacity, &r.eccBytes));
        r.output = capture.finish();
    }
    if (encodingPtr)
        r.encoding = encodingPtr;
    if (encoding.empty() && encodingPtr)
        std::free(encodingPtr);  // picked and allocated by the library
    return r;
}

// One log entry: what the library printed and what it was asked.
void logFailure(const LibraryResult& r, const QByteArray& data)
{
    QString text = QString::fromUtf8(r.output.trimmed());
    if (!text.isEmpty())
        text += QLatin1Char('\n');
    text += QStringLiteral("No barcode produced\nSize    : %1x%2\nEncoded : %3 of %4 bytes with %5 bytes of ecc\n"
                           "Barcode : %6\nEncoding: %7")
                .arg(r.width)
                .arg(r.height)
                .arg(r.encodedLength)
                .arg(r.capacity)
                .arg(r.eccBytes)
                .arg(QString::fromUtf8(data), r.encoding.empty() ? QStringLiteral("(none)")
                                                                 : QString::fromStdString(r.encoding));
    Show_NSLog_Message(text);
}

// The library's grid has its first row at the bottom.
ModuleGrid toModuleGrid(const LibraryResult& r)
{
    ModuleGrid grid(r.width, r.height);
    const unsigned char* cells = r.grid.get();
    for (int y = 0; y < r.height; ++y) {
        for (int x = 0; x < r.width; ++x)
            grid.setDark(x, r.height - 1 - y, cells[y * r.width + x] != 0);
    }
    return grid;
}

// How many C40 (or Text) values a byte takes: one for a character of the basic set, two for a
// shifted one, and two more (shift, upper shift) for a byte above 127.
int c40Values(unsigned char byte, bool text)
{
    const unsigned char c = byte & 0x7F;
    const unsigned char letter = text ? (c >= 'a' && c <= 'z' ? c : 0) : (c >= 'A' && c <= 'Z' ? c : 0);
    const bool basic = c == ' ' || (c >= '0' && c <= '9') || letter != 0;
    return (byte > 127 ? 2 : 0) + (basic ? 1 : 2);
}

// Two faults of the library in C40 and Text: a byte whose low seven bits are zero (NUL, 0x80) is
// written as a wrong value, and a last value that stands alone in its triplet is padded with two
// shifts, which readers take for a NUL character. Its automatic choice runs into the first too.
// So such bytes go in ASCII, and each stretch of C40 or Text ends where its values fill whole
// triplets, except at the end of the data, where two values left are padded correctly; the bytes
// trimmed off go in ASCII.
std::string avoidingC40Faults(std::string encoding, const QByteArray& data)
{
    const qsizetype length = std::min(qsizetype(encoding.size()), data.size());
    for (qsizetype i = 0; i < length;) {
        const char letter = encoding[size_t(i)];
        if (letter != 'C' && letter != 'T') {
            ++i;
            continue;
        }
        int values = 0;
        qsizetype wholeTriplets = i;  // where the stretch's values last filled whole triplets
        qsizetype end = i;
        bool badByte = false;
        for (; end < length && encoding[size_t(end)] == letter; ++end) {
            const auto byte = static_cast<unsigned char>(data[end]);
            badByte = (byte & 0x7F) == 0;
            if (badByte)
                break;
            values += c40Values(byte, letter == 'T');
            if (values % 3 == 0)
                wholeTriplets = end + 1;
        }
        const bool closesData = end == data.size() && values % 3 == 2;
        std::fill(encoding.begin() + (closesData ? end : wholeTriplets), encoding.begin() + end, 'A');
        if (badByte)
            encoding[size_t(end++)] = 'A';
        i = end;
    }
    return encoding;
}

}  // namespace

const QStringList& dataMatrixSizeEntries()
{
    static const QStringList entries{
        "Auto",     "C10X10",   "C12X12",   "C14X14", "C16X16", "C18X18", "C20X20", "C22X22",
        "C24X24",   "C26X26",   "C32X32",   "C36X36", "C40X40", "C44X44", "C48X48", "C52X52",
        "C64X64",   "C72X72",   "C80X80",   "C88X88", "C96X96", "C104X104", "C120X120", "C132X132",
        "C144X144", "C8X18",    "C8X32",    "C12X26", "C12X36", "C16X36", "C16X48"};
    return entries;
}

const QStringList& dataMatrixEncodingEntries()
{
    static const QStringList entries{"Auto", "Ascii", "C40", "Text", "Base256"};
    return entries;
}

DataMatrixSize dataMatrixSizeFromEntry(const QString& entry)
{
    if (entry == QLatin1String("Auto"))
        return {};
    const QString rest = entry.mid(1);
    const qsizetype x = rest.indexOf(QLatin1Char('X'));
    if (x < 0)
        return {};
    return {rest.mid(x + 1).trimmed().toInt(), rest.left(x).trimmed().toInt()};
}

std::string dataMatrixEncodingString(const QString& entry, const QByteArray& data)
{
    static const QStringList named{"Ascii", "C40", "Text", "Base256"};
    static const char letters[] = {'A', 'C', 'T', 'B'};
    const qsizetype i = named.indexOf(entry);
    if (i < 0 || data.isEmpty())
        return {};
    return avoidingC40Faults(std::string(size_t(data.size()), letters[i]), data);
}

std::optional<ModuleGrid> encodeDataMatrix(const QByteArray& data, DataMatrixSize size,
                                           const QString& encodingEntry, QString* error, bool* fellBackToAscii)
{
    if (fellBackToAscii)
        *fellBackToAscii = false;
    auto fail = [error](const QString& reason) -> std::optional<ModuleGrid> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (data.isEmpty())
        return fail(QStringLiteral("There is no value to encode."));
    // The library reads past its buffers from this length on; no symbol holds that much anyway.
    if (data.size() >= MAXBARCODE)
        return fail(QStringLiteral("The value is too long for Data Matrix."));

    const QString ascii = QStringLiteral("Ascii");
    LibraryResult r = runLibrary(data, size, dataMatrixEncodingString(encodingEntry, data));
    if (r.made() && encodingEntry == QLatin1String("Auto")) {
        const std::string safe = avoidingC40Faults(r.encoding, data);
        if (safe != r.encoding)
            r = runLibrary(data, size, safe);
    }
    if (!r.made() && encodingEntry != ascii) {
        logFailure(r, data);
        r = runLibrary(data, size, dataMatrixEncodingString(ascii, data));
        if (r.made() && fellBackToAscii)
            *fellBackToAscii = true;
    }
    if (!r.made()) {
        logFailure(r, data);
        return fail(QStringLiteral("The value does not fit the chosen Data Matrix size."));
    }
    ModuleGrid grid = toModuleGrid(r);
    repairLargestDataMatrix(grid);
    return grid;
}

QByteArray makeEPS_Data_Matrix(const QByteArray& valueUtf8, const ModuleGrid& grid)
{
    const int w = grid.width;
    const int h = grid.height;
    QByteArray eps;
    eps.reserve(400 + (w / 8 + 2) * h * 2);
    eps += "%!PS-Adobe-3.0 EPSF-3.0\n";
    eps += "%%Creator: IEC16022 barcode/stamp generator\n";
    eps += "%%BarcodeData: " + valueUtf8 + "\n";
    eps += "%%BarcodeSize: " + QByteArray::number(w) + "x" + QByteArray::number(h) + "\n";
    eps += "%%BarcodeFormat: ECC200\n";
    eps += "%%DocumentData: Clean7Bit\n";
    eps += "%%LanguageLevel: 1\n";
    eps += "%%Pages: 1\n";
    eps += "%%BoundingBox: 0 0 " + QByteArray::number(w + 2) + " " + QByteArray::number(h + 2) + "\n";
    eps += "%%EndComments\n";
    eps += "%%Page: 1 1\n";
    eps += QByteArray::number(w) + " " + QByteArray::number(h) + " 1[1 0 0 1 -1 -1]{<\n";

    // PostScript images start at the bottom row; dark modules are 0 bits.
    static const char hex[] = "0123456789ABCDEF";
    int counter = 0;
    auto putByte = [&](unsigned bits) {
        const unsigned inverted = ~bits & 0xFFu;
        eps += hex[inverted >> 4];
        eps += hex[inverted & 0xFu];
        ++counter;
    };
    for (int y = h - 1; y >= 0; --y) {
        unsigned bits = 0;
        int filled = 0;
        for (int x = 0; x < w; ++x) {
            bits = bits << 1 | (grid.isDark(x, y) ? 1u : 0u);
            if (++filled == 8) {
                putByte(bits);
                bits = 0;
                filled = 0;
            }
        }
        if (filled > 0)
            putByte(bits << (8 - filled));
        eps += ' ';
        if (++counter >= 80) {
            eps += '\n';
            counter = 0;
        }
    }
    if (counter != 0)
        eps += '\n';
    eps += "\n>}image\n";
    return eps;
}

QImage dataMatrixPicture(const ModuleGrid& grid, double moduleSize, double dpi)
{
    if (grid.width <= 0 || grid.height <= 0 || !(moduleSize > 0) || !(dpi > 0))
        return QImage();
    // One point per module with a one-module transparent margin, as the EPS text draws it.
    QImage symbol(grid.width + 2, grid.height + 2, QImage::Format_ARGB32_Premultiplied);
    symbol.fill(Qt::transparent);
    for (int y = 0; y < grid.height; ++y) {
        for (int x = 0; x < grid.width; ++x)
            symbol.setPixel(x + 1, y + 1, grid.isDark(x, y) ? qRgba(0, 0, 0, 255) : qRgba(255, 255, 255, 255));
    }
    // Pixel size as the raster step computes it: the product in double, rounded to float, then up.
    const int width = int(std::ceil(float(dpi * symbol.width() / 72.0)));
    const int height = int(std::ceil(float(dpi * symbol.height() / 72.0)));
    QImage picture = symbol.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    // The whole picture, margin included, is given the symbol's size in points.
    const double widthInches = grid.width * moduleSize / 72.0;
    const double heightInches = grid.height * moduleSize / 72.0;
    picture.setDotsPerMeterX(int(std::lround(width / widthInches / 0.0254)));
    picture.setDotsPerMeterY(int(std::lround(height / heightInches / 0.0254)));
    return picture;
}
