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
// Exit status: 0 done, 1 bad usage or a file that could not be written, 2 unknown symbology, a
// value the symbology refuses or longer than its bound, or a picture too large to draw (with the
// reason on standard error). A Data Matrix symbol made in ASCII instead of the chosen encoding is
// noted on standard error.
#include <QCoreApplication>
#include <QImage>
#include <QSizeF>
#include <algorithm>
#include <cmath>

#include "ProbeSupport.h"
#include "barcodes/BarcodeLimits.h"
#include "barcodes/datamatrix/DataMatrixSymbol.h"
#include "barcodes/linear/LinearSymbologies.h"
#include "barcodes/pdf417/Pdf417Symbol.h"
#include "barcodes/qr/QrSymbol.h"
#include "platform/AtomicFile.h"
#include "render/ImageResolution.h"

namespace {
constexpr int kUsage = 1;
constexpr int kRefused = 2;
constexpr int kLinearQuietModules = 10;
constexpr int kGridQuietModules = 4;
constexpr int kLinearHeightModules = 50;

const QStringList kTwoDimensionalTitles = {QStringLiteral("QR Code"), QStringLiteral("PDF417"),
                                           QStringLiteral("DataMatrix")};

const QStringList kNumberOptions{QStringLiteral("--qr-version"), QStringLiteral("--qr-level"),
                                QStringLiteral("--pdf417-level"), QStringLiteral("--pdf417-columns"),
                                QStringLiteral("--dm-size"), QStringLiteral("--dm-encoding")};

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

std::optional<ModuleGrid> gridFor(const QString& title, const QString& value, const ProbeArguments& options,
                                  QString* error)
{
    const auto n = [&options](const char* name, int fallback) { return *options.number(QString::fromLatin1(name), fallback); };
    if (title == QLatin1String("QR Code"))
        return qrModuleGrid(value, n("--qr-version", 0), n("--qr-level", 0), error);
    if (title == QLatin1String("PDF417"))
        return pdf417ModuleGrid(value, n("--pdf417-level", 2), n("--pdf417-columns", 0), error);
    bool fellBack = false;
    std::optional<ModuleGrid> grid = dataMatrixModuleGrid(value, n("--dm-size", 0), n("--dm-encoding", 0), error, &fellBack);
    if (fellBack)
        std::fputs("DataMatrix: the chosen encoding could not be used; the symbol is in ASCII\n", stderr);
    return grid;
}

QImage blankImage(int width, int height)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    return image;
}

// The picture's size in pixels, in floating point so that no product overflows before the check.
QSizeF linearImageSize(const NKDBarcode& barcode, int modulePx)
{
    const double modules = double(barcode.completeBarcode().size()) + 2 * kLinearQuietModules;
    return {modules * modulePx, double(kLinearHeightModules + 2 * kLinearQuietModules) * modulePx};
}

QSizeF gridImageSize(const ModuleGrid& grid, int modulePx)
{
    return {(double(grid.width) + 2 * kGridQuietModules) * modulePx,
            (double(grid.height) + 2 * kGridQuietModules) * modulePx};
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
    if (image.isNull())
        return image;
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
    if (image.isNull())
        return image;
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

// The symbol of a value: a linear barcode object or a module grid; nothing and a reason if the
// value is refused.
struct Symbol {
    std::unique_ptr<NKDBarcode> linear;
    std::optional<ModuleGrid> grid;
};

std::optional<Symbol> makeSymbol(const QString& title, const QString& value, const ProbeArguments& options,
                                 QString* error)
{
    Symbol symbol;
    if (value.trimmed().isEmpty()) {
        *error = QStringLiteral("empty value");
        return std::nullopt;
    }
    *error = barcodeValueRefusal(title, value);
    if (!error->isEmpty())
        return std::nullopt;
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
    QCoreApplication app(argc, argv);
    const std::optional<ProbeArguments> options = parseProbeArguments(app.arguments(), {}, kNumberOptions);
    const bool numbersValid = options && std::all_of(kNumberOptions.begin(), kNumberOptions.end(), [&](const QString& name) {
        return options->number(name, 0).has_value();
    });
    const QStringList args = numbersValid ? options->positional : QStringList();
    const QString command = args.value(0);
    const bool usable = (command == QLatin1String("bars") && args.size() == 3) ||
                        (command == QLatin1String("png") && (args.size() == 4 || args.size() == 5)) ||
                        (command == QLatin1String("eps") && args.size() == 4);
    if (!usable)
        return complain(kUsage, QStringLiteral("usage: barcode-probe [options] bars|png|eps SYMBOLOGY VALUE [OUT [MODULE_PX]]"));

    const QString title = canonicalTitle(args[1]);
    if (title.isEmpty() || (command == QLatin1String("eps") && title != QLatin1String("DataMatrix")))
        return complain(kRefused, QStringLiteral("unknown symbology \"%1\"").arg(args[1]));
    QString error;
    const std::optional<Symbol> symbol = makeSymbol(title, args[2], *options, &error);
    if (!symbol)
        return complain(kRefused, error);

    if (command == QLatin1String("bars")) {
        const QByteArray text = barsText(*symbol);
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        return 0;
    }
    const QString out = args[3];
    if (command == QLatin1String("eps")) {
        const QByteArray eps = dataMatrixEps(*symbol->grid, 1.0);
        if (!writeFileAtomically(out, eps))
            return complain(kUsage, QStringLiteral("cannot write %1").arg(out));
        return 0;
    }
    bool ok = true;
    const int modulePx = args.size() == 5 ? args[4].toInt(&ok) : 4;
    if (!ok || modulePx < 1 || modulePx > 64)
        return complain(kUsage, QStringLiteral("MODULE_PX must be a whole number from 1 to 64"));
    const QSizeF size = symbol->grid ? gridImageSize(*symbol->grid, modulePx) : linearImageSize(*symbol->linear, modulePx);
    const QString tooLarge = barcodePictureRefusal(size.width(), size.height());
    if (!tooLarge.isEmpty())
        return complain(kRefused, tooLarge);
    const QImage image = symbol->grid ? gridImage(*symbol->grid, modulePx) : linearImage(*symbol->linear, modulePx);
    if (image.isNull())
        return complain(kRefused, QStringLiteral("the picture cannot be allocated"));
    if (!Save_gen_image(image, out))
        return complain(kUsage, QStringLiteral("cannot write %1").arg(out));
    return 0;
}
