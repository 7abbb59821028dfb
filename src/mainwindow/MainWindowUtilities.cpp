#include "mainwindow/MainWindowUtilities.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "data/SpreadsheetWriter.h"
#include "mainwindow/MainWindowGlobals.h"
#include "model/PictureFile.h"
#include "platform/AtomicFile.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"
#include "platform/Units.h"

namespace {

// The camera folder file holds one path; anything longer is no path we wrote.
constexpr qint64 kMaxCameraPathFileBytes = 64 * 1024;

}  // namespace

float MM_to_Points_Convert(float millimetres)
{
    return float(millimetresToPoints(millimetres));
}

float Points_to_MM_Convert(float points)
{
    return float(pointsToMillimetres(points));
}

int Get_OS_Version()
{
    return kToolkitVersionNumber;
}

QString Convert_Path_From_URL(const QUrl& url)
{
    return url.toLocalFile();
}

bool Check_And_Validate_File_Path(const QString& path)
{
    const QString trimmed = Trim_Str(path);
    if (!trimmed.isEmpty() && QFileInfo::exists(trimmed))
        return false;
    Show_MessageBox(kInvalidFilePathMessage);
    return true;
}

bool Image_Is_Over_Size(const QString&, bool)
{
    return false;
}

QImage Get_Image_For_Path(const QString& path, bool)
{
    return readPicturePreview(QDir::cleanPath(path), kPicturePreviewMaxPoints);
}

void Delete_Excel_File_Temp_Folder()
{
    // removeRecursively deletes symbolic links themselves, never what they point to.
    QDir(SpreadsheetWriter::temporaryFolder()).removeRecursively();
}

QString Default_Camera_Path_File()
{
    return QDir(Created_Resource_Path).filePath(QStringLiteral("idcardcampics.txt"));
}

QString Default_Camera_Folder_Path()
{
    return QDir(Created_Resource_Path).filePath(QStringLiteral("Images_save_by_user"));
}

bool Create_Camera_Path_File(const QString& camera_path_file, const QString& folder)
{
    QString error;
    if (writeFileAtomically(camera_path_file, folder.toUtf8(), &error))
        return true;
    Show_NSLog_Message(QStringLiteral("Cannot write the camera folder file %1: %2").arg(camera_path_file, error));
    return false;
}

QString Read_Camera_Folder_Path(const QString& camera_path_file)
{
    QFile file(camera_path_file);
    if (QFileInfo(camera_path_file).isFile() && file.open(QIODevice::ReadOnly)) {
        const QString folder = QString::fromUtf8(file.read(kMaxCameraPathFileBytes));
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return Default_Camera_Folder_Path();
}
