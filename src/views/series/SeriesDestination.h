#pragma once
// Where the values of a series-making window go: a new series file in the data folder, written
// whole only once every value is there (an old series of that name stays until then), or the
// series being edited in the manager.
#include <QString>

#include "data/SeriesFileBuffer.h"
#include "views/series/SeriesWindowLinks.h"

inline const QString kEnterValidSeriesNameMessage = QStringLiteral("Please enter valid series name.");
inline const QString kSeriesInUseCreateMessage =
    QStringLiteral("Batch Processing Series can't be create because it is currently in use.");
inline const QString kSeriesExistsMessage =
    QStringLiteral("Batch Processing Series already exists. Do you want to replace it?");
inline const QString kFileAccessMessage = QStringLiteral("Error in file accessing.");

class SeriesDestination {
public:
    SeriesDestination(const SeriesWindowLinks& links, const SeriesWindowFlags& flags);

    bool writesFile() const { return _flags.file_name_required == 1; }
    // For a new file: cleans the typed name, refuses an empty one or a series in use and asks
    // before replacing an existing series. False when the values must not be written (the reason
    // shown, or the question answered No). Always true when the values go to the manager.
    bool prepare(const QString& typedName);
    void add(const QString& value);
    // Writes the file and has the manager reload its list when asked; false ("Error in file
    // accessing." shown) when the file could not be written, the old series then kept whole.
    bool finish();

    // The series file of the prepared name.
    QString path() const { return _path; }
    qsizetype valueCount() const { return _buffer.valueCount(); }

private:
    const SeriesWindowLinks& _links;
    SeriesWindowFlags _flags;
    QString _path;
    SeriesFileBuffer _buffer;
};

// The file of a series in the data folder.
QString seriesFilePath(const QString& name);
