// bench_large_png [ROUNDS]: large 16-bit PNGs whose rows use the Paeth filter, read as a card
// side's background and as a thumbnail (of 500 points): 9000 x 6000 RGBA, interlaced and not, and
// 8190 x 5450 RGB with a transparent colour, each a file of under a megabyte. The peer is libpng
// decoding every row of the same file to 8-bit RGBA and keeping none: the least any reader of the
// file does. Prints a ratio line for each read and a budget line for the CPU time it takes against
// the readers' bound of 3 s.
#include <QGuiApplication>
#include <QTemporaryDir>
#include <csetjmp>
#include <cstdio>
#include <ctime>
#include <vector>

#include <png.h>

#include "BenchSupport.h"
#include "model/CardBackgroundPicture.h"
#include "platform/PictureReading.h"
#include "support/PngSamples.h"

namespace {

constexpr double kTargetMs = 3000;

struct LargePng {
    const char* name;
    const char* arguments;  // png_file's
};

const LargePng kFiles[] = {
    {"rgba16_paeth_interlaced", "9000, 6000, 6, 16, True, bytes([10, 10, 20, 20, 30, 30, 255, 255]), paeth=True"},
    {"rgba16_paeth", "9000, 6000, 6, 16, False, bytes([10, 10, 20, 20, 30, 30, 255, 255]), paeth=True"},
    {"rgb16_transparent_paeth", "8190, 5450, 2, 16, False, bytes([10, 10, 20, 20, 30, 30]), paeth=True, transparent=bytes(6)"},
};

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

[[noreturn]] void onDamage(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// Every row of the file decoded to 8-bit RGBA into one row's room; false on damage.
bool decodeAllRows(const QString& path)
{
    FILE* file = std::fopen(path.toLocal8Bit().constData(), "rb");
    if (!file)
        return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onDamage, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row;
    bool decoded = false;
    if (!setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_read_info(png, info);
        png_set_expand(png);
        png_set_strip_16(png);
        png_set_gray_to_rgb(png);
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
        const int passes = png_set_interlace_handling(png);
        png_read_update_info(png, info);
        row.resize(png_get_rowbytes(png, info));
        for (int pass = 0; pass < passes; ++pass) {
            for (png_uint_32 y = 0; y < png_get_image_height(png, info); ++y)
                png_read_row(png, row.data(), nullptr);
        }
        decoded = true;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return decoded;
}

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    QTemporaryDir folder;
    QString script = pngSamplesPython() + QStringLiteral("import sys\n");
    QStringList paths;
    for (const LargePng& file : kFiles) {
        script += QStringLiteral("open(sys.argv[%1], 'wb').write(png_file(%2))\n").arg(paths.size() + 1).arg(QLatin1String(file.arguments));
        paths << folder.filePath(QStringLiteral("%1.png").arg(QLatin1String(file.name)));
    }
    if (!runProcess(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + paths))
        return 1;

    Rounds rounds;
    rounds.count = countArgument(argc, argv, 3);
    int failed = 0;
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        const struct {
            const char* road;
            std::function<QImage()> read;
        } roads[] = {
            {"background", [&] { return Read_Card_Background_Picture(path); }},
            {"thumbnail", [&] { return readPicturePreview(path); }},
        };
        for (const auto& road : roads) {
            const QByteArray name = QByteArray("large_png_") + road.road + "_" + kFiles[i].name;
            bool read = true;
            std::vector<double> cpuMs;
            const auto ours = [&] {
                const double start = processCpuMs();
                read = read && !road.read().isNull();
                cpuMs.push_back(processCpuMs() - start);
            };
            const PairedTimings timings = runPairedRounds(rounds, {ours}, {[&] { read = read && decodeAllRows(path); }});
            if (!read) {
                std::fprintf(stderr, "%s: no picture\n", name.constData());
                ++failed;
                continue;
            }
            printRatio(name.constData(), timings, "libpng decoding every row to 8-bit RGBA, keeping none");
            printBudget(name.constData(), "ms of CPU a read", median(cpuMs), kTargetMs, " ms");
        }
    }
    return failed == 0 ? 0 : 1;
}
