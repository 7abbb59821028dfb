#include "views/series/SeriesDestination.h"

#include <QDir>
#include <QFileInfo>

#include "data/SeriesFiles.h"
#include "platform/AppContext.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"

QString seriesFilePath(const QString& name)
{
    return QDir(Data_Folder_Path).filePath(name + u'.' + batch_file_EXT);
}

SeriesDestination::SeriesDestination(const SeriesWindowLinks& links, const SeriesWindowFlags& flags)
    : _links(links), _flags(flags)
{
}

bool SeriesDestination::prepare(const QString& typedName)
{
    if (!writesFile())
        return true;
    const QString name = Remove_Reserve_Char_In_File_Name(typedName);
    if (name.isEmpty()) {
        Show_MessageBox(kEnterValidSeriesNameMessage);
        return false;
    }
    _path = seriesFilePath(name);
    if (QFileInfo::exists(_path)) {
        if (_links.seriesInUse(name)) {
            Show_MessageBox(kSeriesInUseCreateMessage);
            return false;
        }
        if (Show_YES_NO_MessageBox(kSeriesExistsMessage) != 1)
            return false;
    }
    return true;
}

void SeriesDestination::add(const QString& value)
{
    if (writesFile())
        _buffer.append(value);
    else
        _links.addToEditedSeries(value);
}

bool SeriesDestination::finish()
{
    if (writesFile()) {
        QString error;
        if (!_buffer.commit(_path, &error)) {
            Show_NSLog_Message(QStringLiteral("Writing the series %1 failed: %2").arg(_path, error));
            Show_MessageBox(kFileAccessMessage);
            return false;
        }
    }
    if (_flags.file_name_Insert == 1)
        _links.refreshManager();
    return true;
}
