#include "output/CardFileNames.h"

#include <QFileInfo>

namespace {

QString sideCardPath(const QString& path, const QString& side)
{
    const QFileInfo info(path);
    const QString name = QStringLiteral("%1_%2.%3").arg(info.completeBaseName(), side, info.suffix());
    return path.left(path.size() - info.fileName().size()) + name;
}

}  // namespace

QString Create_Front_Card_Path(const QString& path) { return sideCardPath(path, QStringLiteral("Front")); }

QString Create_Back_Card_Path(const QString& path) { return sideCardPath(path, QStringLiteral("Back")); }
