#include "photos/CropSources.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace CropSources {

namespace {

// The run of digits or of other characters that starts at i.
QStringView runAt(const QString& text, qsizetype i)
{
    const bool digits = text.at(i).isDigit();
    qsizetype end = i;
    while (end < text.size() && text.at(end).isDigit() == digits)
        ++end;
    return QStringView(text).mid(i, end - i);
}

// Numbers by value whatever their leading zeros ("2" before "10"), other text ignoring case; the
// same in any locale, which QCollator's numeric mode is not.
int compareNatural(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const QStringView x = runAt(a, i), y = runAt(b, j);
        i += x.size(), j += y.size();
        int order = 0;
        if (x.front().isDigit() && y.front().isDigit()) {
            QStringView xs = x, ys = y;
            while (xs.size() > 1 && xs.front() == u'0')
                xs = xs.mid(1);
            while (ys.size() > 1 && ys.front() == u'0')
                ys = ys.mid(1);
            order = xs.size() != ys.size() ? (xs.size() < ys.size() ? -1 : 1) : xs.compare(ys);
        } else {
            order = x.compare(y, Qt::CaseInsensitive);
        }
        if (order != 0)
            return order;
    }
    return int(a.size() - i) - int(b.size() - j);
}

bool naturalLess(const QString& a, const QString& b) { return compareNatural(a, b) < 0; }

}  // namespace

bool isUsablePicturePath(const QString& path, const QStringList& extensions)
{
    const QFileInfo file(path);
    const QString name = file.fileName();
    if (path.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return file.isFile() && file.isReadable() && extensions.contains(file.suffix().toLower());
}

QStringList picturesInFolder(const QString& folder, const QStringList& extensions,
                             const std::function<bool(const QString&)>& tooLarge)
{
    QStringList pictures;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot)) {
        const QString path = entry.absoluteFilePath();
        if (isUsablePicturePath(path, extensions) && !(tooLarge && tooLarge(path)))
            pictures.append(path);
    }
    std::stable_sort(pictures.begin(), pictures.end(), naturalLess);
    return pictures;
}

QStringList picturesOfSeriesText(const QString& text, bool everyLine, const QStringList& extensions)
{
    QStringList pictures;
    const QString trimmedText = text.trimmed();
    if (trimmedText.isEmpty())
        return pictures;
    for (const QString& line : trimmedText.split(QLatin1Char('\n'))) {
        const QString path = line.trimmed();
        if (everyLine || isUsablePicturePath(path, extensions))
            pictures.append(path);
    }
    return pictures;
}

QString outputExtension(int formatIndex)
{
    static const QStringList extensions{QStringLiteral("jpg"), QStringLiteral("bmp"), QStringLiteral("png"),
                                        QStringLiteral("tiff")};
    return extensions.value(formatIndex);
}

QString croppedFileName(const QString& outputFolder, const QString& inputPath, const QString& customName,
                        int counter, int formatIndex)
{
    QString base = customName.isEmpty() ? QFileInfo(inputPath).completeBaseName() : customName;
    if (!customName.isEmpty() && counter > 0)
        base += QStringLiteral("_%1").arg(counter);
    const QString extension = outputExtension(formatIndex);
    return QDir(outputFolder).filePath(extension.isEmpty() ? base : base + QLatin1Char('.') + extension);
}

}  // namespace CropSources
