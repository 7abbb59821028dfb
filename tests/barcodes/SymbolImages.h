#pragma once
// Pictures of 2-D module grids for outside decoders, and the decoders' answers.
#include <QImage>
#include <QString>

#include "barcodes/ModuleGrid.h"
#include "support/TestEnvironment.h"

namespace symbol_images {

// Whole pixels per module, rowModules modules per grid row, a quiet zone of quietModules.
inline QImage gridImage(const ModuleGrid& grid, int modulePx, int rowModules = 1, int quietModules = 2)
{
    const int rowPx = modulePx * rowModules;
    const int quiet = modulePx * quietModules;
    QImage image(grid.width * modulePx + 2 * quiet, grid.height * rowPx + 2 * quiet, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < grid.height; ++y) {
        for (int x = 0; x < grid.width; ++x) {
            if (!grid.isDark(x, y))
                continue;
            for (int py = 0; py < rowPx; ++py) {
                uchar* line = image.scanLine(quiet + y * rowPx + py);
                for (int px = 0; px < modulePx; ++px)
                    line[quiet + x * modulePx + px] = 0;
            }
        }
    }
    return image;
}

// The bytes ZXingReader reads from a picture file in the given format; empty when it reads none.
inline QByteArray zxingBytes(const QString& file, const QString& format)
{
    const TestEnvironment::ProcessResult r = TestEnvironment::run(
        QStringLiteral("ZXingReader"), {QStringLiteral("-format"), format, QStringLiteral("-bytes"), file});
    return r.exitCode == 0 ? r.out : QByteArray();
}

}  // namespace symbol_images
