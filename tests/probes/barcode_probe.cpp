// Test-support program: a barcode symbol for a value, as module text, a PNG or an EPS.
//
//   barcode-probe [OPTIONS] bars SYMBOLOGY VALUE
//       Linear codes: the modules as one line of 0 (light) and 1 (dark).
//       Bar-height codes (PostNet, Planet, Royal Mail, Japan Post): one letter per bar,
//       F full (top to bottom), A ascender (top only), D descender (bottom only), T tracker.
//       2-D codes: the module grid, one line of 0/1 per row from the top.
//   barcode-probe [OPTIONS] png SYMBOLOGY VALUE OUT.png [MODULE_PX]
//       The symbol at MODULE_PX (default 4) pixels per module with a quiet zone of 10 modules
//       (linear) or 4 modules (2-D); linear bars are 50 modules high.
//   barcode-probe [OPTIONS] eps datamatrix VALUE OUT.eps
//       The Data Matrix symbol as EPS text, one point per module.
//
// SYMBOLOGY is a title of the barcode window's symbology list, in any case.
// OPTIONS: --qr-version N (0 automatic), --qr-level N (0 L, 1 M, 2 Q, 3 H), --pdf417-level N,
//          --pdf417-columns N, --dm-size N, --dm-encoding N (list indexes, 0 automatic).
// Exit status: 0 done, 1 bad usage or a file that could not be written, 2 unknown symbology or a
// value the symbology refuses (with the reason on standard error).
#include <QImage>
#include <QImageWriter>
#include <QMap>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include "barcodes/datamatrix/DataMatrixSymbol.h"
#include "barcodes/linear/LinearSymbologies.h"
#include "barcodes/pdf417/Pdf417Symbol.h"
#include "barcodes/qr/QrSymbol.h"

namespace {
constexpr int kUsage = 1;
constexpr int kRefused = 2;
constexpr int kLinearQuietModules = 10;
constexpr int kGridQuietModules = 4;
constexpr int kLinearHeightModules = 50;

const QStringList kTwoDimensionalTitles = {QStringLiteral("QR Code"), QStringLiteral("PDF417"),
                                           QStringLiteral("DataMatrix")};

struct Options {
    QMap<QString, int> numbers{{"--qr-version", 0},   {"--qr-level", 0}, {"--pdf417-level", 2},
                               {"--pdf417-columns", 0}, {"--dm-size", 0},  {"--dm-encoding", 0}};
    QStringList positional;
};

int fail(int status, const QString& message)
{
    std::fprintf(stderr, "barcode-probe: %s\n", qPrintable(message));
    return status;
}

std::optional<Options> parseArguments(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromUtf8(argv[i]);
        if (options.numbers.contains(argument)) {
            bool ok = false;
            const int number = i + 1 < argc ? QString::fromUtf8(argv[++i]).toInt(&ok) : 0;
            if (!ok)
                return std::nullopt;
            options.numbers[argument] = number;
        } else {
            options.positional << argument;
        }
    }
    return options;
}

// The title of the symbology list that names the given symbology, ignoring case.
QString canonicalTitle(const QString& name)
{
    for (const QStringList* titles : {&linearSymbologyTitles(), &kTwoDimensionalTitles}) {
        for (const QString& title : *titles) {
            if (title.compare(name, Qt::CaseInsensitive) == 0)
                return title;
        }
    }
    return {};
}

std::optional<ModuleGrid> gridFor(const QString& title, const QString& value, const Options& options,
                                  QString* error)
{
    const auto& n = options.numbers;
    if (title == QLatin1String("QR Code"))
        return qrModuleGrid(value, n["--qr-version"], n["--qr-level"], error);
    if (title == QLatin1String("PDF417"))
        return pdf417ModuleGrid(value, n["--pdf417-level"], n["--pdf417-columns"], error);
    return dataMatrixModuleGrid(value, n["--dm-size"], n["--dm-encoding"], error);
}

QImage blankImage(int width, int height)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    return image;
}

void darken(QImage& image, int x, int y, int width, int height)
{
    for (int row = y; row < y + height; ++row) {
        uchar* line = image.scanLine(row);
        std::fill(line + x, line + x + width, uchar(0));
    }
}

QImage linearImage(const NKDBarcode& barcode, int modulePx)
{
    const BarString bars = barcode.completeBarcode();
    const int quiet = kLinearQuietModules * modulePx;
    const int fullHeight = kLinearHeightModules * modulePx;
    QImage image = blankImage(int(bars.size()) * modulePx + 2 * quiet, fullHeight + 2 * quiet);
    float top = 0;
    for (size_t i = 0; i < bars.size(); ++i) {
        if (bars[i] == '1')
            top = std::max(top, barcode.barTop(int(i)));
    }
    for (size_t i = 0; i < bars.size(); ++i) {
        if (bars[i] != '1')
            continue;
        int y = quiet;
        int height = fullHeight;
        if (barcode.isBarHeightCode() && top > 0) {
            // Bar extents in points, measured up from the base, scaled to the full height.
            const double scale = fullHeight / double(top);
            y = quiet + fullHeight - int(std::lround(barcode.barTop(int(i)) * scale));
            height = int(std::lround((barcode.barTop(int(i)) - barcode.barBottom(int(i))) * scale));
        }
        darken(image, quiet + int(i) * modulePx, y, modulePx, height);
    }
    return image;
}

QImage gridImage(const ModuleGrid& grid, int modulePx)
{
    const int quiet = kGridQuietModules * modulePx;
    QImage image = blankImage(grid.width * modulePx + 2 * quiet, grid.height * modulePx + 2 * quiet);
    for (int y = 0; y < grid.height; ++y) {
        for (int x = 0; x < grid.width; ++x) {
            if (grid.isDark(x, y))
                darken(image, quiet + x * modulePx, quiet + y * modulePx, modulePx, modulePx);
        }
    }
    return image;
}

QByteArray gridText(const ModuleGrid& grid)
{
    QByteArray text;
    for (int y = 0; y < grid.height; ++y) {
        for (int x = 0; x < grid.width; ++x)
            text += grid.isDark(x, y) ? '1' : '0';
        text += '\n';
    }
    return text;
}

bool writeFile(const QString& path, const std::function<bool(QIODevice*)>& write)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && write(&file) && file.commit();
}

bool writePng(const QString& path, const QImage& image)
{
    return writeFile(path, [&image](QIODevice* device) { return QImageWriter(device, "png").write(image); });
}

// The symbol of a value: a linear barcode object or a module grid; nothing and a reason if the
// value is refused.
struct Symbol {
    std::unique_ptr<NKDBarcode> linear;
    std::optional<ModuleGrid> grid;
};

std::optional<Symbol> makeSymbol(const QString& title, const QString& value, const Options& options,
                                 QString* error)
{
    Symbol symbol;
    if (value.trimmed().isEmpty()) {
        *error = QStringLiteral("empty value");
        return std::nullopt;
    }
    if (kTwoDimensionalTitles.contains(title)) {
        symbol.grid = gridFor(title, value, options, error);
        if (!symbol.grid)
            return std::nullopt;
        return symbol;
    }
    symbol.linear = makeLinearBarcode(title);
    symbol.linear->initWithContent(value);
    if (!symbol.linear->isContentValid()) {
        *error = QStringLiteral("%1 cannot encode \"%2\"").arg(title, value);
        return std::nullopt;
    }
    return symbol;
}

QByteArray barsText(const Symbol& symbol)
{
    if (symbol.grid)
        return gridText(*symbol.grid);
    if (symbol.linear->isBarHeightCode())
        return barHeightLetters(*symbol.linear).toLatin1() + '\n';
    return QByteArray::fromStdString(symbol.linear->completeBarcode()) + '\n';
}
}  // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = parseArguments(argc, argv);
    const QStringList args = options ? options->positional : QStringList();
    const QString command = args.value(0);
    const bool usable = (command == QLatin1String("bars") && args.size() == 3) ||
                        (command == QLatin1String("png") && (args.size() == 4 || args.size() == 5)) ||
                        (command == QLatin1String("eps") && args.size() == 4);
    if (!usable)
        return fail(kUsage, QStringLiteral("usage: barcode-probe [options] bars|png|eps SYMBOLOGY VALUE [OUT [MODULE_PX]]"));

    const QString title = canonicalTitle(args[1]);
    if (title.isEmpty() || (command == QLatin1String("eps") && title != QLatin1String("DataMatrix")))
        return fail(kRefused, QStringLiteral("unknown symbology \"%1\"").arg(args[1]));
    QString error;
    const std::optional<Symbol> symbol = makeSymbol(title, args[2], *options, &error);
    if (!symbol)
        return fail(kRefused, error);

    if (command == QLatin1String("bars")) {
        const QByteArray text = barsText(*symbol);
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        return 0;
    }
    const QString out = args[3];
    if (command == QLatin1String("eps")) {
        const QByteArray eps = dataMatrixEps(*symbol->grid, 1.0);
        if (!writeFile(out, [&eps](QIODevice* device) { return device->write(eps) == eps.size(); }))
            return fail(kUsage, QStringLiteral("cannot write %1").arg(out));
        return 0;
    }
    bool ok = true;
    const int modulePx = args.size() == 5 ? args[4].toInt(&ok) : 4;
    if (!ok || modulePx < 1 || modulePx > 64)
        return fail(kUsage, QStringLiteral("MODULE_PX must be a whole number from 1 to 64"));
    const QImage image = symbol->grid ? gridImage(*symbol->grid, modulePx) : linearImage(*symbol->linear, modulePx);
    if (!writePng(out, image))
        return fail(kUsage, QStringLiteral("cannot write %1").arg(out));
    return 0;
}
