#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool fail(QString* error, const QString& what, const QString& path, const QString& reason)
{
    if (error)
        *error = QStringLiteral("%1 \"%2\": %3").arg(what, path, reason);
    return false;
}

bool failed(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

QString systemReason() { return QString::fromLocal8Bit(std::strerror(errno)); }

// QFile takes a short write (a disk that fills up part way) without an error of its own, which
// then reads "Unknown error": writing on until the system refuses gives its reason.
bool writeAll(QFileDevice& file, const QByteArray& bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return file.flush();
}

bool writeThroughSaveFile(const QString& path, const QByteArray& bytes, bool ownerOnly, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, QStringLiteral("Cannot open"), path, file.errorString());
    // The temporary file takes the old file's mode or the umask's; narrow it before any byte lands.
    if (ownerOnly && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, QStringLiteral("Cannot make private"), path, reason);
    }
    // QSaveFile buffers small writes, and commit() in Qt 6.4 does not notice a failed final flush:
    // flush first, so a full disk never renames a cut-off file over the good one.
    if (!writeAll(file, bytes)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, QStringLiteral("Cannot write"), path, reason);
    }
    if (!file.commit())
        return fail(error, QStringLiteral("Cannot save"), path, file.errorString());
    return true;
}
}  // namespace

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    return writeThroughSaveFile(path, bytes, false, error);
}

bool writePrivateFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    return writeThroughSaveFile(path, bytes, true, error);
}

bool writeFileWhole(const QString& path, const QByteArray& bytes, QString* error)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    // The reason names the folder: a full disk or a folder refused is the folder's, not the file's.
    const auto failedIn = [&](const QString& reason) {
        return failed(error, QStringLiteral("Cannot write into \"%1\": %2").arg(folder, reason));
    };
    const QString temporary = folder + QStringLiteral("/.%1.%2.part")
                                           .arg(info.fileName())
                                           .arg(QRandomGenerator::global()->generate64(), 0, 16);
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return failedIn(file.errorString());
    const bool written = writeAll(file, bytes);
    const QString writeReason = file.errorString();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        const QString reason = written ? file.errorString() : writeReason;
        QFile::remove(temporary);
        return failedIn(reason);
    }
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
        const QString reason = systemReason();
        QFile::remove(temporary);
        return failedIn(reason);
    }
    return true;
}

bool makeFolderPath(const QString& path, QString* error)
{
    // Part by part, so that the part the system refuses is named with its reason.
    const QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString made;
    for (const QString& part : folder.split(u'/', Qt::SkipEmptyParts)) {
        made += u'/' + part;
        if (::mkdir(QFile::encodeName(made).constData(), 0777) == 0)
            continue;
        const int why = errno;
        if (why == EEXIST && QFileInfo(made).isDir())
            continue;
        return fail(error, QStringLiteral("Cannot make the folder"), made, QString::fromLocal8Bit(std::strerror(why)));
    }
    return true;
}

bool syncFolder(const QString& folder, QString* error)
{
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return failed(error, systemReason());
    const bool synced = ::syncfs(descriptor) == 0 && ::fsync(descriptor) == 0;
    const QString reason = synced ? QString() : systemReason();
    ::close(descriptor);
    return synced || failed(error, reason);
}
