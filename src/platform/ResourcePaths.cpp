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

bool Is_Resource_File_Path(const QString& path, const QString& fileName)
{
    // Our resource folder, whatever its name, or that of any installation or bundle; a user's own
    // file of that name elsewhere is a file like any other.
    const QFileInfo file(Trim_Str(path));
    if (file.fileName() != fileName)
        return false;
    return file.dir().dirName().compare(QStringLiteral("resources"), Qt::CaseInsensitive) == 0
           || (!Resource_Path.isEmpty() && file.absoluteDir() == QDir(Resource_Path));
}

bool Is_No_Image_Path(const QString& path)
{
    return Is_Resource_File_Path(path, kNoImageFile);
}
