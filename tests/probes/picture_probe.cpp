// picture-probe: runs the picture filter chain and the preview on files, for tests and reviewers.
//   picture-probe filter IN OUT [--grey] [--sepia] [--hue R] [--sat S] [--brt B] [--con C]
//                               [--sharp S] [--ev E] [--blur B] [--alpha P] [--rotate D]
//                               [--flipH] [--flipV]
//   picture-probe thumb IN OUT
// OUT is written in the format its extension names. Exit 0 done, 1 not written, 2 IN gives no
// picture, 64 wrong arguments.
#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include "ProbeSupport.h"
#include "filters/ImageProcesser.h"
#include "model/PictureFile.h"
#include "photos/PicturePreview.h"
#include "platform/DisplayFallback.h"
#include "render/ImageResolution.h"

namespace {

constexpr int kNotWritten = 1;
constexpr int kNoPicture = 2;
constexpr int kUsageError = 64;
// Bytes read from IN at most; the decoder's own allocation limit applies on top.
constexpr qint64 kMaxInputBytes = qint64(1) << 30;
constexpr double kPreviewPoints = 500;

int usage()
{
    return complain(kUsageError,
                    QStringLiteral("usage: picture-probe filter IN OUT [--grey] [--sepia] [--hue R] [--sat S] [--brt B]\n"
                                   "                                   [--con C] [--sharp S] [--ev E] [--blur B] [--alpha P]\n"
                                   "                                   [--rotate D] [--flipH] [--flipV]\n"
                                   "       picture-probe thumb IN OUT"));
}

// The whole picture of a regular file, read under the picture reader's allocation limit.
QImage readWholePicture(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > kMaxInputBytes || !file.open(QIODevice::ReadOnly))
        return QImage();
    return readPictureData(file.read(kMaxInputBytes));
}

int runFilter(const QStringList& arguments)
{
    PictureSettings s;
    const std::pair<QString, float*> numbers[] = {
        {QStringLiteral("--hue"), &s.hue_val},     {QStringLiteral("--sat"), &s.sat_val},
        {QStringLiteral("--brt"), &s.brt_val},     {QStringLiteral("--con"), &s.con_val},
        {QStringLiteral("--sharp"), &s.srp_val},   {QStringLiteral("--ev"), &s.ev_val},
        {QStringLiteral("--blur"), &s.blr_val},    {QStringLiteral("--alpha"), &s.img_trnsp_val},
        {QStringLiteral("--rotate"), &s.rotate_image},
    };
    QStringList valued;
    for (const auto& [name, target] : numbers)
        valued << name;
    const auto args = parseProbeArguments(arguments, {"--grey", "--sepia", "--flipH", "--flipV"}, valued);
    if (!args || args->positional.size() != 3)
        return usage();
    for (const auto& [name, target] : numbers) {
        const std::optional<float> value = args->number(name, *target);  // C locale, whole text a number
        if (!value)
            return complain(kUsageError, name + QStringLiteral(" needs a number"));
        *target = *value;
    }
    const QImage source = readWholePicture(args->positional[1]);
    if (source.isNull())
        return complain(kNoPicture, QStringLiteral("\"%1\" gives no picture").arg(args->positional[1]));
    s.gray_Scale = args->has("--grey");
    s.Sepia = args->has("--sepia");
    s._isFlippedHorizontally = args->has("--flipH");
    s._isFlippedVertically = args->has("--flipV");
    const QImage result = ImageProcesser::Get_Processed_Image_Full_Combined(source, s);
    return Save_gen_image(result, args->positional[2]) ? 0 : kNotWritten;
}

int runThumb(const QStringList& arguments)
{
    if (arguments.size() != 4)
        return usage();
    const QImage preview = imageWithPreviewOfFileAtPath(arguments[2], QSizeF(kPreviewPoints, kPreviewPoints), false);
    if (preview.isNull())
        return complain(kNoPicture, QStringLiteral("\"%1\" gives no preview").arg(arguments[2]));
    return Save_gen_image(preview, arguments[3]) ? 0 : kNotWritten;
}

}  // namespace

int main(int argc, char** argv)
{
    Fall_Back_To_Offscreen_Without_Display();
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString command = arguments.value(1);
    if (command == QLatin1String("filter"))
        return runFilter(arguments);
    if (command == QLatin1String("thumb"))
        return runThumb(arguments);
    return usage();
}
