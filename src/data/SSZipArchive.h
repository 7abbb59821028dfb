#pragma once
// Zip archives over minizip: unpacking a whole archive into a folder, and building an archive
// entry by entry or from a list of files and folders.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <limits>
#include <stdexcept>

#include <minizip/zip.h>

inline const QString SSZipArchiveErrorDomain = QStringLiteral("SSZipArchiveErrorDomain");

struct SSZipArchiveError {
    QString domain;
    int code = 0;
    QString localizedDescription;
};

// Misuse of an archive object (writing before open, opening twice, ...).
class SSZipArchiveAssertion : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Bounds of one unpack, so that a small hostile archive can neither fill the disk nor the folder.
struct UnpackLimits {
    qint64 entries = std::numeric_limits<qint64>::max();     // entries the archive may list
    qint64 entryBytes = std::numeric_limits<qint64>::max();  // unpacked bytes of one entry
    qint64 totalBytes = std::numeric_limits<qint64>::max();  // unpacked bytes of all entries
};

class SSZipArchive {
public:
    // Codes of an unpack refused for its limits.
    static constexpr int kTooManyEntries = -3;
    static constexpr int kEntryTooLarge = -4;
    static constexpr int kTooLargeInAll = -5;
    static bool isLimitRefusal(int code)
    {
        return code == kTooManyEntries || code == kEntryTooLarge || code == kTooLargeInAll;
    }
    using EntryFilter = std::function<bool(const QString& entryName)>;

    // Overwrites existing files, no password.
    static bool unzipFileAtPath(const QString& path, const QString& destination);
    // Entries whose names would land outside the destination (absolute names, "..") are skipped
    // and logged. Codes: -1 not a zip archive, -2 no first entry.
    static bool unzipFileAtPath(const QString& path, const QString& destination, bool overwrite,
                                const QString& password, SSZipArchiveError* error);
    // Unpacks only the entries `wanted` accepts (all without a filter), within the limits: an
    // archive listing too many entries is refused before anything is written; an entry or a sum
    // growing past its bound stops the unpack there. The error says which bound and what it is.
    static bool unzipFileAtPath(const QString& path, const QString& destination, const UnpackLimits& limits,
                                const EntryFilter& wanted, SSZipArchiveError* error);

    // Each listed file or folder becomes entries named relative to its parent folder; an item
    // that cannot be read is skipped. False only when the archive cannot be created.
    static bool createZipFileAtPath(const QString& path, const QStringList& filesAtPaths);
    static bool createZipFileAtPath(const QString& path, const QString& filesAtPath);

    // 1 January 1980, 00:00 local time: the start of the zip (MS-DOS) calendar.
    static QDateTime _dateFor1980();
    // Stores the local date and time in the entry record (month counted from 0).
    static void zipInfo(zip_fileinfo* info, const QDateTime& setDate);

    explicit SSZipArchive(const QString& path);
    SSZipArchive(const SSZipArchive&) = delete;
    SSZipArchive& operator=(const SSZipArchive&) = delete;
    // Does not close an open archive: close() writes the central directory.
    ~SSZipArchive() = default;

    // Creates the archive file, replacing any file at the path.
    bool open();
    // Adds the file, or the folder's contents, at basePath/name under the entry name "name";
    // an empty folder becomes the entry "name/".
    bool writeFile(const QString& name, const QString& basePath);
    // Adds the bytes as one entry dated now.
    bool writeData(const QByteArray& data, const QString& filename);
    // Writes the central directory; false when any write into the archive failed.
    bool close();

private:
    static bool unpack(const QString& path, const QString& destination, bool overwrite, const QString& password,
                       const UnpackLimits& limits, const EntryFilter& wanted, SSZipArchiveError* error);
    bool addEntry(const QString& name, const zip_fileinfo* info, bool large);

    QString _path;
    zipFile _zip = nullptr;
    bool _writeFailed = false;  // a library call failed while writing: the archive is broken
};
