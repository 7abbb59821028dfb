#include "views/series/SeriesDestination.h"

#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "views/series/BatchWizard.h"

QString usableSeriesName(const QString& typed)
{
    const QString name = SeriesStore::cleanName(typed);
    if (SeriesStore::isUsableName(name))
        return name;
    Show_MessageBox(kValidSeriesNameMessage);
    return {};
}

bool saveSeries(const SeriesStore& store, const QString& name, const QStringList& lines, bool append)
{
    QString error;
    if (append ? store.append(name, lines, &error) : store.save(name, lines, &error))
        return true;
    Show_NSLog_Message(QStringLiteral("Writing the series %1 failed: %2").arg(name, error));
    return false;
}

SeriesDestination::SeriesDestination(const SeriesWindowLinks& links, const SeriesWindowFlags& flags)
    : _links(links), _flags(flags)
{
}

bool SeriesDestination::prepare(const QString& typedName)
{
    if (!writesFile())
        return true;
    _name = usableSeriesName(typedName);
    if (_name.isEmpty())
        return false;
    if (_store.exists(_name)) {
        if (_links.seriesInUse(_name)) {
            Show_MessageBox(kSeriesCreateInUseMessage);
            return false;
        }
        if (Show_YES_NO_MessageBox(kReplaceSeriesQuestion) != 1)
            return false;
    }
    return true;
}

void SeriesDestination::add(const QString& value)
{
    if (writesFile())
        _values.append(value);
    else
        _links.addToEditedSeries(value);
}

bool SeriesDestination::finish()
{
    if (writesFile() && !saveSeries(_store, _name, _values)) {
        Show_MessageBox(kFileAccessErrorMessage);
        return false;
    }
    if (_flags.file_name_Insert == 1)
        _links.refreshManager();
    return true;
}
