#pragma once
// ImageMagick as the oracle for picture tests: pictures pass through PNG files in a private folder.
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

class ImageMagickOracle {
public:
    QString path(const QString& name) const { return dir.filePath(name); }
    // Runs convert; arguments ending in .png or .jpg name files in the folder. Answers the exit code.
    int convert(const QStringList& arguments);
    // convert IN <operations> OUT on the picture, read back; null when convert failed.
    QImage apply(const QImage& picture, const QStringList& operations);
    // Differing pixels by `compare -metric AE`; -1 when compare cannot tell (sizes differ).
    qint64 differingPixels(const QImage& ours, const QImage& theirs);

private:
    QTemporaryDir dir;
    int serial = 0;
};
