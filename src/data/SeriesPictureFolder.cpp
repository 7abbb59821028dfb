#include "data/SeriesPictureFolder.h"

#include <QDir>
#include <QFileInfo>

QStringList scanPictureFolder(const QString& folder, const QStringList& extensions)
{
    QStringList paths;
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        if (entry.isFile() && extensions.contains(entry.suffix(), Qt::CaseInsensitive))
            paths.append(entry.absoluteFilePath());
    }
    return paths;
}
