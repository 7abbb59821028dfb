#pragma once
// The one store of series: a folder (Data_Folder_Path unless told otherwise) holding one UTF-8
// text file per series, named after it with the extension "txt" in any case, one value a line,
// each line ended by "\n". Every reader and writer of series goes through here, so a name finds
// its file however the extension or the name is cased on disk, and no write ever leaves a series
// half written: a new file replaces the old in one step, and a renamed series loses its old file
// only once the new one is in place. No state but the folder; any thread.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QFile;

class SeriesStore {
public:
    // Beyond this a series file is refused rather than read into memory.
    static constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;
    // The room a series' values may take in memory, each counted at its text and kValueMemory
    // more (its place in the list, its header and up to kSpareUnits units of room past its text):
    // millions of short lines cost far more than their bytes on disk.
    static constexpr qint64 kMaxValuesMemory = 256LL * 1024 * 1024;
    static constexpr qint64 kValueMemory = 64;
    static constexpr qsizetype kSpareUnits = 4;
    // The room a value of that many UTF-16 units takes as the readers count it.
    static qint64 valueMemory(qint64 units) { return kValueMemory + 2 * units; }
    static qint64 valueMemory(QStringView value) { return valueMemory(qint64(value.size())); }
    // Gives back the room a value holds past its text and kSpareUnits, as trimming in place or
    // decoding into room for the longest text of its bytes leave it, so that it holds what the
    // readers count: a value up to kOwnBlockUnits long is copied into a block of its own size, a
    // longer one shrunk in place.
    static void keepOnlyItsRoom(QString& value);
    static constexpr qsizetype kOwnBlockUnits = qsizetype(1) << 20;
    // Whether the bytes of a series file can be read back whole: within the bytes of a file and,
    // each line counted as a value, the room of the values.
    static bool fitsASeries(QByteArrayView bytes);

    // The store over Data_Folder_Path as it is now.
    SeriesStore();
    explicit SeriesStore(QString folder);

    const QString& folder() const { return m_folder; }

    // A typed name as the store keeps it: / \ ? % * | " < > trimmed from the ends, inner "/" made
    // "_", then blanks and control characters trimmed from the ends.
    static QString cleanName(const QString& typed);
    // Whether a cleaned name can name a file of the folder: not empty, no "/", "\" or NUL, not
    // "." or "..".
    static bool isUsableName(const QString& name);

    // The series names, without extension, of the plain files whose extension is "txt" in any
    // case, sorted ignoring case; empty when the folder is missing.
    QStringList names() const;
    // The file of a series: the existing file whose name without extension is the name and
    // whose extension is "txt" (an exact match first, else one differing in case), else
    // folder/name.txt. Empty for a name that is not usable.
    QString series_path(const QString& name) const;
    // Whether the series has its file.
    bool exists(const QString& name) const;

    struct Values {
        QStringList values;
        QString failure;  // empty when the file was read or is missing
        bool readable() const { return failure.isEmpty(); }
    };
    // The values as the manager and the viewer show them: lines split at "\n", each trimmed,
    // empty ones dropped (though counted against the room, as output counts them). A missing file
    // has none; a file that is not UTF-8 text has none and a failure naming the series.
    Values read(const QString& name) const;
    // The records as batch output counts them: the text trimmed at its end, then split at "\n",
    // leading and inner empty lines counting as records (an empty file is one empty record).
    Values readRecords(const QString& name) const;
    // The first value as batch output shows it before a record is chosen: the text before the
    // first "\n", untrimmed, as the one entry of the values; none for a missing file.
    Values readFirstValue(const QString& name) const;

    // The bytes of a series file of these lines: each line followed by "\n". A line break inside
    // a value would split it into two records and shift every later one, so it becomes a blank.
    static QByteArray fileBytes(const QStringList& lines);
    // The values as the manager writes them: trimmed, empty ones left out.
    static QStringList keptValues(const QStringList& values);

    // Replaces the series' file with these lines (written as given), or makes it. Nothing is
    // written, and an existing series stays as it was, when the name is not usable, the list is
    // empty, or the write fails; false with the reason then.
    bool save(const QString& name, const QStringList& lines, QString* error = nullptr) const;
    // Saves the lines under newName, then, once they are in place, removes the file of oldName
    // when it is another file than the one written. A failed write leaves both as they were.
    bool saveRenamed(const QString& oldName, const QString& newName, const QStringList& lines,
                     QString* error = nullptr) const;
    // Adds the lines after the series' values (a missing series is made), in one replacing write.
    bool append(const QString& name, const QStringList& lines, QString* error = nullptr) const;
    // Removes the series' file; true when no file of that name is left.
    bool remove(const QString& name) const;

    enum class ExportFormat { Workbook, Text };
    // Where an export to a chosen path goes: "xlsx" (any case) a workbook at the path, "txt" a
    // text file at the path, any other extension a text file at the path with ".txt" added.
    static QString exportPath(const QString& chosen, ExportFormat* format = nullptr);
    // Writes the values to exportPath(chosen): a workbook whose first row is "Batch Value" and
    // then one value a row, or a text file in the series format. The path written, or empty
    // (with the reason) when nothing was written.
    QString exportValues(const QString& chosen, const QStringList& values, QString* error = nullptr) const;

private:
    enum class Rule { Manager, Batch, FirstLine };
    Values readText(const QString& name, Rule rule) const;
    // The lines of a series file as the rule takes them, counted against the room of a series
    // (*count: how many it keeps) and, when values is given, kept there. Why the file cannot be
    // read; empty when it can.
    static QString readLines(QFile& file, Rule rule, QStringList* values, qsizetype* count);

    QString m_folder;
};

inline const QString kBatchValueTitle = QStringLiteral("Batch Value");

// The path of a series of Data_Folder_Path (SeriesStore::series_path).
QString series_path(const QString& name);
