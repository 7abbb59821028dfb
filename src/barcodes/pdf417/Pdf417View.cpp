#include "barcodes/pdf417/Pdf417View.h"

#include <QDebug>
#include <algorithm>
#include <cmath>
#include <ctime>

#include "model/NumberBounds.h"
#include "platform/Log.h"

using namespace pdf417;

QByteArray pdf417TextBytes(const QString& value)
{
    for (const QChar c : value) {
        if (c.unicode() > 0xFF)
            return value.toUtf8();
    }
    return value.toLatin1();
}

bool isPdf417ErrorLevel(int level)
{
    return NumberBounds::kPdf417ErrorLevel.range().contains(level);
}

void pdf417Encode(_pdf417param& p, const QByteArray& bytes, int errorLevel, int columns)
{
    pdf417init(p);
    if (!isPdf417ErrorLevel(errorLevel)) {
        p.error = PDF417_ERROR_INVALID_PARAMS;
        return;
    }
    p.text = bytes.constData();
    p.lenText = int(bytes.size());
    p.options = PDF417_USE_ERROR_LEVEL;
    p.errorLevel = errorLevel;
    if (columns > 0) {
        p.options |= PDF417_FIXED_COLUMNS;
        p.codeColumns = columns;
    } else {
        p.aspectRatio = 1.0f;
    }
    paintCode(p);
}

ModuleGrid pdf417Modules(const _pdf417param& p)
{
    ModuleGrid grid(p.bitColumns, p.codeRows);
    if (p.codeRows <= 0 || p.lenBits <= 0)
        return grid;
    const int rowBytes = p.lenBits / p.codeRows;
    const std::uint8_t flip = (p.options & PDF417_INVERT_BITMAP) ? 0xFF : 0x00;
    auto module = grid.dark.begin();  // written in order, no index arithmetic per module
    for (int y = 0; y < p.codeRows; ++y) {
        const std::uint8_t* row = p.outBits.data() + size_t(y) * size_t(rowBytes);
        for (int x = 0; x < p.bitColumns; x += 8) {
            const unsigned byte = row[x / 8] ^ flip;
            const int bits = std::min(8, p.bitColumns - x);
            for (int b = 0; b < bits; ++b)
                *module++ = (byte << b & 0x80u) != 0;
        }
    }
    return grid;
}

void pdf417View::setErrorLevel(int level)
{
    errorLevel_ = level;
    qDebug("ErrorLevel set to %d", level);
}

int pdf417View::drawWithText(const QString& text, double dpi)
{
    pdf417Image_ = QImage();
    if (text.isEmpty()) {
        imageState_ = ImageEmpty;
        return imageState_;
    }
    const QByteArray bytes = pdf417TextBytes(text);
    pdf417Encode(p_, bytes, errorLevel_);
    p_.text = "";  // the bytes go out of scope
    if (p_.error != PDF417_ERROR_SUCCESS) {
        qWarning("Error encountered while drawing barcode, error %d.", p_.error);
        pdf417free(p_);
        imageState_ = ImageError;
        return imageState_;
    }
    const ModuleGrid modules = pdf417Modules(p_);
    QImage bitmap(modules.width, modules.height, QImage::Format_Mono);
    bitmap.setColor(0, qRgb(255, 255, 255));
    bitmap.setColor(1, qRgb(0, 0, 0));
    for (int y = 0; y < modules.height; ++y) {
        for (int x = 0; x < modules.width; ++x)
            bitmap.setPixel(x, y, modules.isDark(x, y) ? 1 : 0);
    }
    // Pixel size as the raster step computes it: the product in double, rounded to float, then up.
    const int width = int(std::ceil(float(dpi * frame_.width() / 72.0)));
    const int height = int(std::ceil(float(dpi * frame_.height() / 72.0)));
    QImage picture = bitmap.scaled(std::max(1, width), std::max(1, height), Qt::IgnoreAspectRatio,
                                   Qt::FastTransformation)
                         .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    pdf417Image_ = picture;
    imageState_ = ImageReady;
    return imageState_;
}

bool pdf417View::restore(int imageState, const QImage& picture)
{
    if (imageState < ImageReady || imageState > ImageError)
        return false;
    imageState_ = imageState;
    pdf417Image_ = picture;
    return true;
}

void pdf417View::eraseOldDrawing()
{
    pdf417Image_ = QImage();
    pdf417free(p_);
}

namespace {

QByteArray creationTime()
{
    const std::time_t now = std::time(nullptr);
    char text[64] = {};
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(text, sizeof text, "%H:%M:%S %Z", &local);
    return QByteArray(text);
}

}  // namespace

QByteArray pdf417View::makeEPS() const
{
    const double w = frame_.width();
    const double h = frame_.height();
    const int columns = p_.bitColumns;
    const int rows = p_.codeRows;
    // Comments in the structuring convention's form ("%%Key: value"), so that programs placing
    // the picture find its bounding box.
    QByteArray eps = "%!PS-Adobe-3.0 EPSF-3.0\n";
    eps += QString::asprintf("%%%%BoundingBox: 0 0 %.0f %.0f\n", w, h).toLatin1();
    eps += "%%Title: pdf417View_EPS_image\n";
    eps += "%%Creator: pdf417View\n";
    eps += "%%CreationDate: " + creationTime() + "\n";
    eps += QString::asprintf("%.2f %.2f scale\n", w, h).toLatin1();
    eps += QString::asprintf("%d %d 1 [%d 0 0 %d 0 %d]{<", columns, rows, columns, -rows, rows).toLatin1();
    const int rowBytes = rows > 0 ? p_.lenBits / rows : 0;
    // The image operator paints 1 as white; the record keeps dark modules as 1 unless inverted.
    const std::uint8_t flip = (p_.options & pdf417::PDF417_INVERT_BITMAP) ? 0x00 : 0xFF;
    for (int y = 0; y < rows; ++y) {
        eps += '\n';
        QByteArray row(reinterpret_cast<const char*>(p_.outBits.data()) + qsizetype(y) * rowBytes, rowBytes);
        for (char& byte : row)
            byte = char(std::uint8_t(byte) ^ flip);
        eps += row.toHex().toUpper();
    }
    eps += "\n>}image\n";
    Show_NSLog_Message(QString::fromLatin1(eps));
    return eps;
}
