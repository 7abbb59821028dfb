#pragma once
// Shared by the barcode checks: module grids written as PNG files, and the answers of
// barcode-probe, zint, ZXingReader and zbarimg.
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QString>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

#include "barcodes/ModuleGrid.h"
#include "support/TestEnvironment.h"

namespace symbol_tools {

// The grid at whole pixels per module, each row rowModules modules tall, in a quiet zone.
inline QString savePng(const ModuleGrid& grid, const QString& path, int modulePx, int rowModules = 1,
                       int quietModules = 4)
{
    const int rowPx = modulePx * rowModules;
    const int quiet = modulePx * quietModules;
    QImage image(grid.width * modulePx + 2 * quiet, grid.height * rowPx + 2 * quiet, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < grid.height; ++y)
        for (int x = 0; x < grid.width; ++x)
            if (grid.isDark(x, y))
                for (int py = 0; py < rowPx; ++py)
                    std::fill_n(image.scanLine(quiet + y * rowPx + py) + quiet + x * modulePx, modulePx, uchar(0));
    EXPECT_TRUE(image.save(path)) << path.toStdString();
    return path;
}

struct Decoded {
    QByteArray bytes;
    QString text;
    QString level;
};

// Decodes many pictures with one ZXingReader run, keyed by file path. ZXingReader 1.4 aborts on
// some large pictures of linear symbols when its downscaled pass finds them again: "-noscale".
inline QMap<QString, Decoded> zxing(const QStringList& files, const QString& format = QString(),
                                    const QStringList& options = {})
{
    const QStringList arguments =
        options + (format.isEmpty() ? files : QStringList{QStringLiteral("-format"), format} + files);
    const TestEnvironment::ProcessResult run = TestEnvironment::run(QStringLiteral("ZXingReader"), arguments, 300000);
    QMap<QString, Decoded> results;
    QString file = files.size() == 1 ? files.first() : QString();  // a single file gets no "File:" line
    for (const QByteArray& raw : run.out.split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const QString value = line.mid(12).trimmed();
        if (line.startsWith(QLatin1String("File:")))
            file = value;
        else if (line.startsWith(QLatin1String("Bytes:")))
            results[file].bytes = QByteArray::fromHex(value.toLatin1());
        else if (line.startsWith(QLatin1String("Text:")))
            results[file].text = value.mid(1, value.size() - 2);
        else if (line.startsWith(QLatin1String("EC Level:")))
            results[file].level = value;
    }
    return results;
}

// Saves the grid as a PNG file and answers what ZXingReader reads from it.
inline Decoded readBack(const ModuleGrid& grid, const QString& file, const QString& format = QString(),
                        int modulePx = 3, int rowModules = 1)
{
    return zxing({savePng(grid, file, modulePx, rowModules)}, format).value(file);
}

// Saves a symbol drawn without a quiet zone on white with one as wide as a tenth of its height
// (at least 20 pixels) and answers what ZXingReader reads from it.
inline Decoded readPicture(const QImage& symbol, const QString& file, const QString& format = QString())
{
    const int quiet = std::max(20, symbol.height() / 10);
    QImage page(symbol.width() + 2 * quiet, symbol.height() + 2 * quiet, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.drawImage(quiet, quiet, symbol);
    painter.end();
    EXPECT_TRUE(page.save(file)) << file.toStdString();
    return zxing({file}, format).value(file);
}

// What dmtxread reads from a picture, bytes as they are; empty when it finds no symbol.
inline QByteArray dmtx(const QString& file)
{
    return TestEnvironment::run(QStringLiteral("dmtxread"), {QStringLiteral("-N1"), file}).out;
}

inline bool hasProgram(const QString& name)
{
    return !QStandardPaths::findExecutable(name).isEmpty();
}

// What zbarimg reads from a picture, without its closing line break.
inline QString zbar(const QString& file)
{
    const auto run = TestEnvironment::run(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), file});
    EXPECT_EQ(run.exitCode, 0) << file.toStdString();
    const QString text = QString::fromUtf8(run.out);
    return text.endsWith('\n') ? text.chopped(1) : text;
}

// The bytes zbarimg reads from a picture, as they stand in the symbol; empty when it reads none.
inline QByteArray zbarBytes(const QString& file)
{
    return TestEnvironment::run(QStringLiteral("zbarimg"),
                                {QStringLiteral("-q"), QStringLiteral("--raw"), QStringLiteral("-Sbinary"), file})
        .out;
}

// barcode-probe, for the test programs built beside it.
#ifdef ZOVA_BARCODE_PROBE
inline TestEnvironment::ProcessResult probe(const QStringList& arguments)
{
    return TestEnvironment::run(QStringLiteral(ZOVA_BARCODE_PROBE), arguments);
}

// The first line barcode-probe prints for `bars`, or "" when it refuses.
inline QString probeBars(const QString& title, const QString& value)
{
    const auto result = probe({QStringLiteral("bars"), title, value});
    return result.exitCode == 0 ? QString::fromLatin1(result.out).section('\n', 0, 0) : QString();
}
#endif

// zint's rows of modules as 0/1 text, padded to whole hex digits (trailing light modules do not count).
inline QStringList zintRows(int symbology, const QString& value)
{
    const auto result = TestEnvironment::run(QStringLiteral("zint"),
        {QStringLiteral("-b"), QString::number(symbology), QStringLiteral("--dump"), QStringLiteral("-d"), value});
    QStringList rows;
    for (const QString& line : QString::fromLatin1(result.out).split('\n', Qt::SkipEmptyParts)) {
        QString bits;
        const QString hexDigits = QString(line).remove(' ');
        for (QChar hex : hexDigits)
            bits += QStringLiteral("%1").arg(QString(hex).toInt(nullptr, 16), 4, 2, QLatin1Char('0'));
        rows << bits;
    }
    return rows;
}

// zint's bars of a bar-height code as letters: F top and bottom row, A top only, D bottom only,
// T neither (two-row codes have no tracker-only bars).
inline QString zintBarLetters(int symbology, const QString& value)
{
    const QStringList rows = zintRows(symbology, value);
    QString letters;
    for (int i = 0; i < rows.value(0).size(); ++i) {
        if (std::none_of(rows.begin(), rows.end(), [i](const QString& r) { return r.at(i) == '1'; }))
            continue;
        const bool top = rows.first().at(i) == '1';
        const bool bottom = rows.last().at(i) == '1';
        letters += top ? (bottom ? 'F' : 'A') : (bottom ? 'D' : 'T');
    }
    return letters;
}

inline QString withoutTrailingLight(QString bars)
{
    while (bars.endsWith('0'))
        bars.chop(1);
    return bars;
}

}  // namespace symbol_tools
