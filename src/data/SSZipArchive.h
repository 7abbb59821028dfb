#pragma once
// Zip archives over minizip: unpacking a whole archive into a folder, and building an archive
// entry by entry or from a list of files and folders.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
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

class SSZipArchive {
public:
    // Overwrites existing files, no password.
    static bool unzipFileAtPath(const QString& path, const QString& destination);
    // Entries whose names would land outside the destination (absolute names, "..") are skipped
    // and logged. Codes: -1 not a zip archive, -2 no first entry.
    static bool unzipFileAtPath(const QString& path, const QString& destination, bool overwrite,
                                const QString& password, SSZipArchiveError* error);

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
    bool addEntry(const QString& name, const zip_fileinfo* info, bool large);

    QString _path;
    zipFile _zip = nullptr;
    bool _writeFailed = false;  // a library call failed while writing: the archive is broken
};
