#pragma once
// Shared helpers of the picture tests. ImageMagick is the oracle: pictures pass through PNG files
// in a private folder.
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/TestEnvironment.h"

class ImageMagickOracle {
public:
    QString path(const QString& name) const { return dir.filePath(name); }
    // Runs convert; arguments ending in .png or .jpg name files in the folder. Answers the exit code.
    int convert(QStringList arguments)
    {
        for (QString& argument : arguments)
            if (argument.endsWith(".png") || argument.endsWith(".jpg"))
                argument = path(argument);
        return TestEnvironment::run("convert", arguments).exitCode;
    }
    // convert IN <operations> OUT on the picture, read back; null when convert failed.
    QImage apply(const QImage& picture, const QStringList& operations)
    {
        const QString in = QString("in%1.png").arg(++serial), out = QString("out%1.png").arg(serial);
        if (!picture.save(path(in)) || convert(QStringList{in} + operations + QStringList{out}) != 0)
            return {};
        return QImage(path(out));
    }

private:
    QTemporaryDir dir;
    int serial = 0;
};

inline QImage flat(QColor colour, QSize size = {8, 8})
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// The largest difference of any colour or alpha channel over two pictures (256 when sizes differ).
inline int largestDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 256;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32), y = b.convertToFormat(QImage::Format_ARGB32);
    int worst = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    return worst;
}

inline ::testing::AssertionResult colourIs(const QImage& picture, QPoint at, QColor expected, int tolerance = 1)
{
    const QColor got = picture.pixelColor(at);
    if (std::abs(got.red() - expected.red()) <= tolerance && std::abs(got.green() - expected.green()) <= tolerance &&
        std::abs(got.blue() - expected.blue()) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at " << at.x() << "," << at.y() << " got " << qPrintable(got.name())
                                         << ", expected " << qPrintable(expected.name());
}
