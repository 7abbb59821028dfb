#pragma once
// Reading a file the user named, or a file of ours the user could have replaced: only a regular
// file is read. A FIFO would block the program until someone writes into it, and a device such as
// /dev/zero never ends; both, and links to them, are refused without waiting.
#include <QByteArray>
#include <QString>
#include <optional>

class QFile;

// Opens the file for reading when it is a regular file; false, with the reason in error (naming
// the path), otherwise. The file is left open for the caller to read as it likes.
bool openRegularFile(const QString& path, QFile& file, QString* error = nullptr);
// The whole file when it is a regular file of at most maxBytes; nothing, with the reason in error
// (naming the path), otherwise.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes, QString* error = nullptr);
