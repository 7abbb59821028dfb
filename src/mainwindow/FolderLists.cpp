#include "mainwindow/FolderLists.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "data/SeriesStore.h"
#include "data/SpreadsheetWriter.h"
#include "designfile/DesignFile.h"
#include "mainwindow/DesignFileController.h"
#include "mainwindow/MainWindowGlobals.h"
#include "model/SKTDocument.h"
#include "platform/AppContext.h"
#include "platform/FileHelpers.h"
#include "platform/Log.h"

namespace {

QStringList sortedByName(QStringList names)
{
    names.sort(Qt::CaseInsensitive);
    return names;
}

// The entries directly inside the folder that pass the filters, hidden ones left out.
QFileInfoList entriesOf(const QString& folder, QDir::Filters filters)
{
    if (!QFileInfo(folder).isDir())
        return {};
    return QDir(folder).entryInfoList(filters | QDir::NoDotAndDotDot);
}

bool isStrictlyInside(const QString& canonicalFolder, const QString& root)
{
    const QString canonicalRoot = QFileInfo(root).canonicalFilePath();
    return !canonicalRoot.isEmpty() && canonicalFolder.startsWith(canonicalRoot + u'/');
}

// A folder the clean-up may touch: below the user folder or below our private temporary folder
// (the parent of the spreadsheet unpacking folder), after symbolic links are resolved.
bool isOwnFolder(const QString& canonicalFolder)
{
    const QString privateTemporaryRoot = QFileInfo(SpreadsheetWriter::temporaryFolder()).path();
    return isStrictlyInside(canonicalFolder, Created_Resource_Path)
        || isStrictlyInside(canonicalFolder, privateTemporaryRoot);
}


bool isBoundToSeries(const GraphicList& graphics, const QString& name)
{
    return std::any_of(graphics.cbegin(), graphics.cend(), [&](const GraphicPtr& graphic) {
        const GraphicKind kind = graphic->kind();
        const bool bindable = kind == GraphicKind::Text || kind == GraphicKind::Image || kind == GraphicKind::Barcode;
        return bindable && graphic->data_source_type == 1 && graphic->batch_list_name == name;
    });
}

}  // namespace

QStringList Get_Folder_Array_At_Path(const QString& folder)
{
    QStringList names;
    for (const QFileInfo& entry : entriesOf(folder, QDir::Dirs))
        names.append(entry.fileName());
    return sortedByName(names);
}

QStringList Get_Files_Array_At_Path(const QString& folder, bool del_ext)
{
    QStringList names;
    for (const QFileInfo& entry : entriesOf(folder, QDir::Files))
        names.append(del_ext ? entry.completeBaseName() : entry.fileName());
    return sortedByName(names);
}

QStringList Get_Hatch_Style_Names()
{
    return Get_Files_Array_At_Path(Resource_Path + QStringLiteral("/Fill_Style_Image"), true);
}

QStringList Get_Folders_And_Sub_Folder_Array_At_Path(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return {};
    const QDir base(folder);
    QStringList paths;
    QDirIterator walk(folder, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (walk.hasNext())
        paths.append(base.relativeFilePath(walk.next()));
    return sortedByName(paths);
}

bool Filter_Non_Log_Files_At_Path(const QString& folder)
{
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    if (canonicalFolder.isEmpty() || !QFileInfo(canonicalFolder).isDir() || !isOwnFolder(canonicalFolder)) {
        Show_NSLog_Message(QStringLiteral("Not cleaning %1: it is not one of the program's own folders.").arg(folder));
        return false;
    }
    for (const QFileInfo& entry : entriesOf(canonicalFolder, QDir::Files | QDir::Hidden)) {
        if (entry.suffix().compare(design_file_EXT, Qt::CaseInsensitive) != 0 && !QFile::remove(entry.filePath()))
            Show_NSLog_Message(QStringLiteral("Cannot delete %1").arg(entry.filePath()));
    }
    return true;
}

bool Check_Batch_File_In_Use_Validation(const QString& name, const SKTDocument& document)
{
    if (!SeriesStore().exists(name))
        return false;
    if (isBoundToSeries(document.graphics(), name))
        return true;
    return CARD_SIDE_STR == QLatin1String("2") && isBoundToSeries(document.graphics_back(), name);
}
