#include "photos/ImageMagickOracle.h"

#include "support/TestEnvironment.h"

int ImageMagickOracle::convert(const QStringList& arguments)
{
    QStringList resolved;
    for (const QString& argument : arguments)
        resolved << (argument.endsWith(".png") || argument.endsWith(".jpg") ? path(argument) : argument);
    return TestEnvironment::run("convert", resolved).exitCode;
}

QImage ImageMagickOracle::apply(const QImage& picture, const QStringList& operations)
{
    const QString in = QString("in%1.png").arg(++serial), out = QString("out%1.png").arg(serial);
    if (!picture.save(path(in)) || convert(QStringList{in} + operations + QStringList{out}) != 0)
        return {};
    return QImage(path(out));
}

qint64 ImageMagickOracle::differingPixels(const QImage& ours, const QImage& theirs)
{
    const QString a = path(QString("a%1.png").arg(++serial)), b = path(QString("b%1.png").arg(serial));
    if (!ours.save(a) || !theirs.save(b))
        return -1;
    const auto result = TestEnvironment::run("compare", {"-metric", "AE", a, b, "null:"});
    bool ok = false;
    const qint64 count = QString::fromUtf8(result.err).trimmed().toLongLong(&ok);
    return (result.exitCode == 0 || result.exitCode == 1) && ok ? count : -1;
}
