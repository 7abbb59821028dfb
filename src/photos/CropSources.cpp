#include "photos/CropSources.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "platform/FileHelpers.h"
#include "platform/StringHelpers.h"

namespace CropSources {

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

bool isUsableOutputName(const QString& name)
{
    // A typed crop name also stays clear of "\", which names a folder where the pictures may be
    // copied to.
    return isPlainFileName(name) && !name.contains(QLatin1Char('\\')) && !name.startsWith(QLatin1String(".."));
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
