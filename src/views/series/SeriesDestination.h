#pragma once
// Where the values of a series-making window go: a new series of the data folder, saved through
// the series store only once every value is there (an old series of that name stays until then,
// and is never replaced by an empty one), or the series being edited in the manager.
#include <QString>
#include <QStringList>

#include "data/SeriesStore.h"
#include "views/series/SeriesWindowLinks.h"

class SeriesDestination {
public:
    SeriesDestination(const SeriesWindowLinks& links, const SeriesWindowFlags& flags);

    bool writesFile() const { return _flags.file_name_required == 1; }
    // For a new file: cleans the typed name, refuses one that names no file or a series in use,
    // and asks before replacing an existing series. False when the values must not be written
    // (the reason shown, or the question answered No). Always true when the values go to the
    // manager.
    bool prepare(const QString& typedName);
    void add(const QString& value);
    // Saves the series and has the manager reload its list when asked; false ("Error in file
    // accessing." shown) when the series could not be written, the old one then kept whole.
    bool finish();

    // The cleaned name of the series prepared.
    const QString& name() const { return _name; }
    qsizetype valueCount() const { return _values.size(); }

private:
    const SeriesWindowLinks& _links;
    SeriesWindowFlags _flags;
    SeriesStore _store;
    QString _name;
    QStringList _values;
};

// The cleaned name of a typed series name, or "" ("Please enter valid series name." shown) when
// it names no file.
QString usableSeriesName(const QString& typed);
// Saves through the store; false (the reason logged) when the old series stayed.
bool saveSeries(const SeriesStore& store, const QString& name, const QStringList& lines, bool append = false);
