#include "platform/AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace AppFolders {

QString applicationSupportFolder()
{
    // The generic location does not depend on the application or organisation names set at start.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/ZOVA ID Card");
}

QString resourceFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("ZOVA_RESOURCES");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;

    const QString exeDir = QCoreApplication::applicationDirPath();
    const QStringList candidates{
        QDir::cleanPath(exeDir + QStringLiteral("/../resources")),
        QDir::cleanPath(exeDir + QStringLiteral("/../share/zova-idcard/resources")),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir())
            return candidate;
    }
    return candidates.first();
}

}  // namespace AppFolders
