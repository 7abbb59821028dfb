#pragma once
#include <QByteArray>
#include <QString>

// Writes the whole file or nothing (QSaveFile): on failure the old file stays whole and
// *error says why.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// The same for a file only its owner may read or write (mode 0600 from its first byte on), such
// as one holding a password; a file already there with a wider mode is narrowed.
bool writePrivateFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Writes the bytes under a temporary name in the path's folder and renames it over the path, so
// the path holds the old file or the whole new one, never a part. No sync: see syncFolder.
bool writeFileWhole(const QString& path, const QByteArray& bytes, QString* error);
// Makes the folder with the folders above it that are missing (mode 0777 less the umask), as
// QDir::mkpath does; on failure *error names the folder that could not be made and the system's
// reason, as a write does.
bool makeFolderPath(const QString& path, QString* error);
// Flushes everything written into the folder's file system to the disk, once for a whole run.
bool syncFolder(const QString& folder, QString* error);
