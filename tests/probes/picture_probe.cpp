// picture-probe: runs the picture filter chain and the preview on files, for tests and reviewers.
//   picture-probe filter IN OUT [--grey] [--sepia] [--hue R] [--sat S] [--brt B] [--con C]
//                               [--sharp S] [--ev E] [--blur B] [--alpha P] [--rotate D]
//                               [--flipH] [--flipV]
//   picture-probe thumb IN OUT
// OUT is written in the format its extension names. Exit 0 done, 1 not written, 2 IN gives no
// picture, 64 wrong arguments.
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "canvas/model/PictureFile.h"
#include "mainwindow/ImageResolution.h"
#include "photos/core/ImageProcesser.h"
#include "photos/core/PicturePreview.h"
#include "photos/core/PictureSettings.h"

namespace {

constexpr int kNotWritten = 1;
constexpr int kNoPicture = 2;
constexpr int kUsageError = 64;
// Bytes read from IN at most; the decoder's own allocation limit applies on top.
constexpr qint64 kMaxInputBytes = qint64(1) << 30;
constexpr double kPreviewPoints = 500;

int usage()
{
    std::fprintf(stderr,
                 "usage: picture-probe filter IN OUT [--grey] [--sepia] [--hue R] [--sat S] [--brt B]\n"
                 "                                   [--con C] [--sharp S] [--ev E] [--blur B] [--alpha P]\n"
                 "                                   [--rotate D] [--flipH] [--flipV]\n"
                 "       picture-probe thumb IN OUT\n");
    return kUsageError;
}

// The whole picture of a regular file, read under the picture reader's allocation limit.
QImage readWholePicture(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > kMaxInputBytes || !file.open(QIODevice::ReadOnly))
        return QImage();
    return readPictureData(file.read(kMaxInputBytes));
}

int writeResult(const QImage& picture, const QString& path)
{
    if (picture.isNull()) {
        std::fprintf(stderr, "no picture to write\n");
        return kNotWritten;
    }
    return Save_gen_image(picture, path) ? 0 : kNotWritten;
}

struct NumberOption {
    QCommandLineOption option;
    float* target;
};

int runFilter(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption grey(QStringLiteral("grey")), sepia(QStringLiteral("sepia"));
    const QCommandLineOption flipH(QStringLiteral("flipH")), flipV(QStringLiteral("flipV"));
    PictureSettings s;
    const NumberOption numbers[] = {
        {QCommandLineOption(QStringLiteral("hue"), {}, QStringLiteral("R")), &s.hue},
        {QCommandLineOption(QStringLiteral("sat"), {}, QStringLiteral("S")), &s.saturation},
        {QCommandLineOption(QStringLiteral("brt"), {}, QStringLiteral("B")), &s.brightness},
        {QCommandLineOption(QStringLiteral("con"), {}, QStringLiteral("C")), &s.contrast},
        {QCommandLineOption(QStringLiteral("sharp"), {}, QStringLiteral("S")), &s.sharpness},
        {QCommandLineOption(QStringLiteral("ev"), {}, QStringLiteral("E")), &s.exposure},
        {QCommandLineOption(QStringLiteral("blur"), {}, QStringLiteral("B")), &s.blur},
        {QCommandLineOption(QStringLiteral("alpha"), {}, QStringLiteral("P")), &s.transparency},
        {QCommandLineOption(QStringLiteral("rotate"), {}, QStringLiteral("D")), &s.rotate},
    };
    parser.addOptions({grey, sepia, flipH, flipV});
    for (const NumberOption& n : numbers)
        parser.addOption(n.option);
    if (!parser.parse(arguments) || parser.positionalArguments().size() != 3) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        return usage();
    }
    for (const NumberOption& n : numbers) {
        if (!parser.isSet(n.option))
            continue;
        bool ok = false;
        *n.target = parser.value(n.option).toFloat(&ok);  // C locale, whole text a number
        if (!ok) {
            std::fprintf(stderr, "--%s needs a number\n", qPrintable(n.option.names().first()));
            return usage();
        }
    }
    const QStringList files = parser.positionalArguments();
    const QImage source = readWholePicture(files[1]);
    if (source.isNull()) {
        std::fprintf(stderr, "\"%s\" gives no picture\n", qPrintable(files[1]));
        return kNoPicture;
    }
    const QImage result = ImageProcesser::Get_Processed_Image_Full_Combined(
        source, parser.isSet(grey), parser.isSet(sepia), false, s.hue, s.saturation, s.brightness,
        s.contrast, ImageProcesser::wholeDegrees(s.rotate), s.sharpness, s.exposure, s.blur,
        s.transparency, true, parser.isSet(flipH), parser.isSet(flipV), true, QRectF());
    return writeResult(result, files[2]);
}

int runThumb(const QStringList& arguments)
{
    if (arguments.size() != 4)
        return usage();
    const QImage preview = imageWithPreviewOfFileAtPath(arguments[2], QSizeF(kPreviewPoints, kPreviewPoints), false);
    if (preview.isNull()) {
        std::fprintf(stderr, "\"%s\" gives no preview\n", qPrintable(arguments[2]));
        return kNoPicture;
    }
    return writeResult(preview, arguments[3]);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString command = arguments.value(1);
    if (command == QLatin1String("filter"))
        return runFilter(arguments);
    if (command == QLatin1String("thumb"))
        return runThumb(arguments);
    return usage();
}
