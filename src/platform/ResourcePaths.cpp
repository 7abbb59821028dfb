#include "platform/ResourcePaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "platform/AppContext.h"
#include "platform/Log.h"
#include "platform/StringHelpers.h"

namespace {

const QString kAppResourcesMarker = QStringLiteral(".app/Contents/Resources/");
const QString kNoImageFile = QStringLiteral("no.png");

}  // namespace

QString Check_Path_For_App_Resources(const QString& path)
{
    const QString trimmed = Trim_Str(path);
    const qsizetype marker = trimmed.indexOf(kAppResourcesMarker);
    if (marker < 0)
        return trimmed;
    const QString rest = trimmed.mid(marker + kAppResourcesMarker.size());
    if (rest.split(u'/').contains(QStringLiteral(".."))) {
        Show_NSLog_Message(QStringLiteral("The resource path \"%1\" leaves the resource folder; it is kept as it is.").arg(trimmed));
        return trimmed;
    }
    return QDir(Resource_Path).filePath(rest);
}

QString No_Image_Path()
{
    return QDir(Resource_Path).filePath(kNoImageFile);
}

bool Is_No_Image_Path(const QString& path)
{
    // A resource folder of any installation, or of a bundle; a user's own no.png elsewhere is a
    // picture like any other.
    const QFileInfo file(Trim_Str(path));
    return file.fileName() == kNoImageFile
           && file.dir().dirName().compare(QStringLiteral("resources"), Qt::CaseInsensitive) == 0;
}
