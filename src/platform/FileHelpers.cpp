#include "platform/FileHelpers.h"
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>
#include "platform/AppContext.h"
#include "platform/CanvasGlobals.h"
#include "platform/MessageBoxes.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

// A path inside base; empty while base is unknown, so nothing is made at the file-system root.
QString pathIn(const QString& base, const QString& name)
{
    return base.isEmpty() ? QString() : base + QLatin1Char('/') + name;
}

HelpFileViewer& helpFileViewer()
{
    static HelpFileViewer viewer;
    return viewer;
}

// Whether the desktop names a program for PDF files; true when it cannot be asked, so that
// xdg-open, which also tries the browsers it knows, still has its chance.
bool desktopNamesAPdfViewer()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/pdf")});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return true;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

// QDesktopServices fails when the desktop has nothing to hand the file to; once xdg-open has
// started, a file it finds no program for would fail unseen, so that is asked first.
bool openWithHelpFileViewer(const QUrl& file)
{
    const HelpFileViewer& viewer = helpFileViewer();
    return viewer ? viewer(file) : desktopNamesAPdfViewer() && QDesktopServices::openUrl(file);
}

// Names what is missing: Qt hands documents to xdg-open, and without it no viewer is even asked.
QString helpNotOpenedMessage(const QString& file)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return QStringLiteral("xdg-open, which hands files to the desktop's programs, is not installed, so the user "
                              "guide could not be opened.\n\n"
                              "Install the package xdg-utils, or open the file yourself:\n%1")
            .arg(file);
    return QStringLiteral("No PDF viewer is installed, so the user guide could not be opened.\n\n"
                          "Install a PDF viewer, or open the file yourself:\n%1")
        .arg(file);
}

void removeItem(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

}  // namespace

bool Create_Folder(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        return true;
    // mkpath asks for 0777 and lets the umask narrow it; nothing widens it afterwards.
    return QDir().mkpath(path);
}

bool Restrict_To_Owner(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0)
        return errno == ENOENT;
    if (S_ISLNK(info.st_mode))
        return false;
    return (info.st_mode & 077) == 0 || ::chmod(name.constData(), info.st_mode & 07700) == 0;
}

void Delete_File(const QString& path)
{
    removeItem(path);
}

void Delete_Folder(const QString& path)
{
    removeItem(path);
}

void Check_Path_And_Create_Files()
{
    for (const char* shipped : {"Background", "Fill_Style_Image", "LibraryImage", "Templates"})
        Create_Folder(pathIn(Resource_Path, QLatin1String(shipped)));

    Create_Folder(Created_Resource_Path);
    Create_Folder(pathIn(pathIn(Created_Resource_Path, QStringLiteral("Templates")), QStringLiteral("User")));
    Create_Folder(Data_Folder_Path);

    Cropped_Img_Path = pathIn(Created_Resource_Path, QStringLiteral("Cropped_Images"));
    Create_Folder(Cropped_Img_Path);
    Create_Folder(pathIn(Created_Resource_Path, QStringLiteral("Images_save_by_user")));
    print_profile_path = pathIn(Created_Resource_Path, QStringLiteral("PrintProfile"));
    Create_Folder(print_profile_path);

    // The user's profile may have been edited: seed it only when it is missing.
    const QString userProfile = pathIn(print_profile_path, QStringLiteral("Default.zvp"));
    if (!userProfile.isEmpty() && !QFileInfo::exists(userProfile))
        QFile::copy(pathIn(pathIn(Resource_Path, QStringLiteral("PrintProfile")), QStringLiteral("Default.zvp")),
                    userProfile);
}

void Open_Help_File()
{
    const QString helpFile = pathIn(Resource_Path, QStringLiteral("Help.pdf"));
    if (helpFile.isEmpty() || !QFileInfo::exists(helpFile)) {
        Show_MessageBox(QStringLiteral("Help file does not exist!"));
        return;
    }
    const QString absolute = QFileInfo(helpFile).absoluteFilePath();
    if (!openWithHelpFileViewer(QUrl::fromLocalFile(absolute)))
        Show_MessageBox(helpNotOpenedMessage(QDir::toNativeSeparators(absolute)));
}

void setHelpFileViewer(HelpFileViewer viewer)
{
    helpFileViewer() = std::move(viewer);
}

bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(u'/') && !name.contains(QChar(u'\0'));
}

QString Clean_File_Name(const QString& typed)
{
    static const QRegularExpression reserved(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
    return QString(typed).remove(reserved).trimmed();
}
