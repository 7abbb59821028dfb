#include "platform/PictureReading.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QTransform>
#include <algorithm>

#include "platform/PictureResolution.h"
#include "platform/PngShrinking.h"
#include "platform/Units.h"

namespace {

// A hostile header must not make the reader allocate without bound.
constexpr int kAllocationLimitMB = int(kMaxPictureBytes >> 20);
// A palette picture of another format read whole to be shrunk in true colour costs its index and
// its colour copy.
constexpr qint64 kPaletteWholeBytesPerPixel = 5;
constexpr qint64 kPaletteWholeBytes = 48LL * 1024 * 1024;

// The reader's size is the stored one; a quarter turn by the EXIF orientation swaps it, so the box
// is turned with it and the upright picture fits the box as asked.
QSize fittedSize(const QSize& stored, QSize box, bool quarterTurn, Qt::AspectRatioMode mode)
{
    if (quarterTurn)
        box.transpose();
    const QSize scaled = stored.scaled(box, mode);
    // Never enlarged.
    if (scaled.width() >= stored.width() || scaled.height() >= stored.height())
        return stored;
    return scaled.expandedTo(QSize(1, 1));
}

bool isPaletteFormat(QImage::Format format)
{
    return format == QImage::Format_Indexed8 || format == QImage::Format_Mono || format == QImage::Format_MonoLSB;
}

// The bytes a pixel takes in the format Qt decodes the picture to; four when it does not say.
qint64 decodedBytesPerPixel(QImage::Format format)
{
    const int bits = format == QImage::Format_Invalid ? 0 : QImage::toPixelFormat(format).bitsPerPixel();
    return bits > 0 ? (bits + 7) / 8 : 4;
}

// What Qt holds to give the picture at `fitted` (the stored size when it is read whole): the
// decoded picture in its own format, and, when it is shrunk after decoding, the copy smooth
// scaling converts it to and the result.
qint64 qtReadingBytes(const QImageReader& reader, const QSize& stored, const QSize& fitted)
{
    const qint64 pixels = qint64(stored.width()) * stored.height();
    const qint64 perPixel = decodedBytesPerPixel(reader.imageFormat());
    if (!fitted.isValid() || fitted == stored || reader.supportsOption(QImageIOHandler::ScaledSize))
        return pixels * perPixel;
    return pixels * (perPixel + std::max<qint64>(perPixel, 4)) + qint64(fitted.width()) * fitted.height() * 4;
}

// A picture shrunk in its stored orientation turned upright as the reader would have turned it.
QImage turnedUpright(QImage image, QImageIOHandler::Transformations turn)
{
    if (turn & QImageIOHandler::TransformationMirror)
        image.mirror(true, false);
    if (turn & QImageIOHandler::TransformationFlip)
        image.mirror(false, true);
    if (turn & QImageIOHandler::TransformationRotate90)
        image = image.transformed(QTransform().rotate(90));
    return image;
}

// An empty box reads the picture at full size; a clip, rows from the top of the upright picture,
// reads only that area of it.
QImage readPicture(QImageReader& reader, const QSize& box, Qt::AspectRatioMode mode = Qt::KeepAspectRatio,
                   const QRect& clip = QRect())
{
    reader.setAllocationLimit(kAllocationLimitMB);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    // A scaled read decodes row by row and never meets the reader's limit, so the limit is held
    // against the full picture too: a small file must not cost minutes of decoding.
    if (stored.isValid() && qint64(stored.width()) * stored.height() > kMaxPicturePixels)
        return QImage();
    const bool quarterTurn = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize fitted = box.isEmpty() || !stored.isValid() ? QSize() : fittedSize(stored, box, quarterTurn, mode);
    const bool shrunk = fitted.isValid() && fitted != stored;
    // Qt decodes a PNG whole before scaling it (16-bit grey 8000 x 8000 pixels cost it most of a
    // gigabyte), and shrinks a palette picture within its palette, speckling its shades: a PNG
    // is shrunk in true colour while its rows are decoded, whatever its kind. So is a 16-bit PNG
    // in colour at any size, which Qt would hold at twice the bytes.
    const bool pngFile = reader.format() == "png" && !reader.fileName().isEmpty();
    if (pngFile && ((shrunk && !clip.isValid()) || pngReadByRows(reader.fileName()))) {
        const QImageIOHandler::Transformations turn = reader.transformation();
        QImage image = turnedUpright(readPngShrunk(reader.fileName(), shrunk ? fitted : stored, kMaxPicturePixels), turn);
        // An interlaced picture may come smaller than asked, where no area lies as asked.
        if (clip.isValid())
            image = image.size() == (quarterTurn ? stored.transposed() : stored) ? image.copy(clip) : QImage();
        image.setDevicePixelRatio(1.0);
        return image;
    }
    // Other palette pictures are read whole to be shrunk in true colour when that costs little.
    const bool palette = isPaletteFormat(reader.imageFormat());
    if (palette && shrunk && qint64(stored.width()) * stored.height() * kPaletteWholeBytesPerPixel > kPaletteWholeBytes)
        return QImage();
    if (stored.isValid() && qtReadingBytes(reader, stored, fitted) > kMaxPictureBytes)
        return QImage();
    if (fitted.isValid() && !palette)
        reader.setScaledSize(fitted);
    // The reader clips the stored picture, before it is turned upright: only an upright one is
    // clipped while it is decoded, which spares a JPEG the rows below the area.
    const bool clipWhileReading = clip.isValid() && reader.transformation() == QImageIOHandler::TransformationNone;
    if (clipWhileReading)
        reader.setClipRect(clip);
    QImage image = reader.read();
    if (clip.isValid() && !clipWhileReading && !image.isNull())
        image = image.copy(clip);
    if (palette && shrunk && !image.isNull())
        image = image.convertToFormat(QImage::Format_ARGB32)
                    .scaled(quarterTurn ? fitted.transposed() : fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Points are pixels here, whatever the file name says about its scale.
    image.setDevicePixelRatio(1.0);
    return image;
}

// The resolution the file states in dots per inch, within what a scanner or printer gives; 72
// where it states none. `read` is the picture Qt's reader gave (of any size).
QSizeF statedDotsPerInch(const QString& path, const QImage& read)
{
    constexpr double kInchesPerMetre = 1 / 0.0254;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize dotsPerMeter;
    if (reader.format() == "png") {
        dotsPerMeter = pngDotsPerMeter(path);
    } else {
        const QImage statesNone(1, 1, QImage::Format_Mono);
        if (read.dotsPerMeterX() != statesNone.dotsPerMeterX() || read.dotsPerMeterY() != statesNone.dotsPerMeterY())
            dotsPerMeter = QSize(read.dotsPerMeterX(), read.dotsPerMeterY());
    }
    if (dotsPerMeter.isEmpty())
        return QSizeF(kPointsPerInch, kPointsPerInch);
    // Stated for the stored picture; a quarter turn upright swaps its axes.
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        dotsPerMeter.transpose();
    const auto bounded = [](int perMetre) { return std::clamp(perMetre / kInchesPerMetre, 1.0, 10000.0); };
    return QSizeF(bounded(dotsPerMeter.width()), bounded(dotsPerMeter.height()));
}

}  // namespace

QImage readPictureWithItsSize(const QString& path, int maxSide)
{
    QImage picture = readPicturePreview(path, maxSide);
    const QSize pixels = pictureFileSize(path);
    if (picture.isNull() || pixels.isEmpty())
        return picture;
    const QSizeF dotsPerInch = statedDotsPerInch(path, picture);
    setSizeInPoints(picture, QSizeF(pixels.width() * kPointsPerInch / dotsPerInch.width(),
                                    pixels.height() * kPointsPerInch / dotsPerInch.height()));
    return picture;
}

QImage readPicturePreview(const QString& path, int maxSide)
{
    return maxSide < 1 ? QImage() : readPictureFitted(path, QSize(maxSide, maxSide));
}

QImage readPictureFitted(const QString& path, const QSize& box)
{
    if (box.isEmpty() || path.isEmpty() || !QFileInfo(path).isFile())
        return QImage();
    QImageReader reader(path);
    return readPicture(reader, box);
}

QImage readPictureCovering(const QString& path, const QSize& box)
{
    if (box.isEmpty() || path.isEmpty() || !QFileInfo(path).isFile())
        return QImage();
    QImageReader reader(path);
    return readPicture(reader, box, Qt::KeepAspectRatioByExpanding);
}

QSize picturePreviewSize(const QString& path, int maxSide)
{
    if (maxSide < 1 || path.isEmpty() || !QFileInfo(path).isFile())
        return QSize();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid())
        return QSize();
    const bool quarterTurn = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize fitted = fittedSize(stored, QSize(maxSide, maxSide), quarterTurn, Qt::KeepAspectRatio);
    return quarterTurn ? fitted.transposed() : fitted;
}

QImage readPictureFile(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QImage();
    QImageReader reader(path);
    return readPicture(reader, QSize());
}

QSize pictureFileSize(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QSize();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    return stored.isValid() && (reader.transformation() & QImageIOHandler::TransformationRotate90) ? stored.transposed()
                                                                                                  : stored;
}

QImage readPictureArea(const QString& path, const QRect& area)
{
    const QSize size = pictureFileSize(path);
    if (!size.isValid() || area.isEmpty() || !QRect(QPoint(0, 0), size).contains(area))
        return QImage();
    QImageReader reader(path);
    return readPicture(reader, QSize(), Qt::KeepAspectRatio, area);
}

QImage readPictureData(const QByteArray& bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.width() > kMaxStoredPictureSide || stored.height() > kMaxStoredPictureSide)
        return QImage();
    return readPicture(reader, QSize());
}

QString unreadablePictureMessage(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    // A picture past the pixel bound is refused by its header, however sound the rest.
    const QSize size = pictureFileSize(path);
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPicturePixels)
        return QStringLiteral("The picture \"%1\" has %2 × %3 pixels, more than the %4 (%5 megapixels) a picture may have.")
            .arg(name)
            .arg(size.width())
            .arg(size.height())
            .arg(QLocale(QLocale::English).toString(kMaxPicturePixels))
            .arg(kMaxPicturePixels >> 20);
    return QStringLiteral("The file \"%1\" is not a picture that can be read.").arg(name);
}
