#include "platform/ResourcePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "platform/AppContext.h"
#include "platform/Log.h"
#include "platform/StringHelpers.h"

namespace {

const QString kAppResourcesMarker = QStringLiteral(".app/Contents/Resources/");
const QString kNoImageFile = QStringLiteral("no.png");
// The application's resource folder as designs name it; every copy reads it as its own.
const QString kPortableResources = QStringLiteral("/Applications/ZOVA ID Card") + kAppResourcesMarker;
// What the program shows where a photo or picture of the user's is missing.
const QStringList kPlaceholderFiles = {kNoImageFile, QStringLiteral("photo_placeholder.png"), QStringLiteral("pic_ic.png"),
                                       QStringLiteral("sign_sample.png"), QStringLiteral("fingerprints.png")};

// The path of the file relative to our resource folder; empty for a file outside it.
QString insideOurResources(const QString& path)
{
    if (Resource_Path.isEmpty() || !QDir::isAbsolutePath(path))
        return QString();
    const QString inside = QDir(Resource_Path).relativeFilePath(path);
    const bool outside = inside == u'.' || inside == QLatin1String("..") || inside.startsWith(QLatin1String("../"))
                         || QDir::isAbsolutePath(inside);
    return outside ? QString() : inside;
}

// Whether a file named like one of our resources, in another folder named "resources", is
// another installation's: a design or log made elsewhere names one that is not here, and a copy of
// the program here holds the very bytes ours does. A picture of the user's that merely has the
// name is neither, and stays the user's.
bool isAnotherInstallationsCopy(const QFileInfo& file)
{
    if (!file.exists() && !file.isSymLink())
        return true;
    if (Resource_Path.isEmpty())
        return false;
    const QFileInfo ours(QDir(Resource_Path).filePath(file.fileName()));
    if (!file.isFile() || !ours.isFile() || file.size() != ours.size())
        return false;
    QFile theirs(file.absoluteFilePath()), own(ours.absoluteFilePath());
    return theirs.open(QIODevice::ReadOnly) && own.open(QIODevice::ReadOnly) && theirs.readAll() == own.readAll();
}

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
    const QFileInfo file(Trim_Str(path));
    if (file.fileName() != fileName)
        return false;
    if (!Resource_Path.isEmpty() && file.absoluteDir() == QDir(Resource_Path))
        return true;
    return file.dir().dirName().compare(QStringLiteral("resources"), Qt::CaseInsensitive) == 0
           && isAnotherInstallationsCopy(file);
}

bool Is_No_Image_Path(const QString& path)
{
    return Is_Resource_File_Path(path, kNoImageFile);
}

bool Is_Placeholder_Path(const QString& path)
{
    // Read for every visitor of a log: the name alone settles most paths.
    const QString name = QFileInfo(Trim_Str(path)).fileName();
    return kPlaceholderFiles.contains(name) && Is_Resource_File_Path(path, name);
}

QString Holders_Photo_Path(const QString& path)
{
    const QString trimmed = Trim_Str(path);
    return Is_Placeholder_Path(trimmed) ? QString() : trimmed;
}

QString Portable_Resource_Path(const QString& name)
{
    return kPortableResources + name;
}

QString Stored_Picture_Path(const QString& path)
{
    const QString trimmed = Trim_Str(path);
    if (const QString inside = insideOurResources(trimmed); !inside.isEmpty())
        return Portable_Resource_Path(inside);
    if (Is_Placeholder_Path(trimmed))
        return Portable_Resource_Path(QFileInfo(trimmed).fileName());
    return path;
}
