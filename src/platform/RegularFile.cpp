#include "platform/RegularFile.h"

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

namespace {

bool refuse(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

}  // namespace

bool openRegularFile(const QString& path, QFile& file, QString* error)
{
    // Non-blocking, so that opening a FIFO returns at once; the kind is then asked of the file
    // opened, not of the name, which another process could point elsewhere in between.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refuse(error, QStringLiteral("Cannot open \"%1\": %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return refuse(error, QStringLiteral("\"%1\" is not a file.").arg(path));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse(error, QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString()));
    }
    return true;
}

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes, QString* error)
{
    QFile file;
    if (!openRegularFile(path, file, error))
        return std::nullopt;
    const auto tooLarge = [&] {
        refuse(error, QStringLiteral("\"%1\" is larger than %2 MB.").arg(path).arg(maxBytes >> 20));
        return std::nullopt;
    };
    if (file.size() > maxBytes)
        return tooLarge();
    // Read as it comes, a file still growing no further than the limit: one buffer of the whole
    // limit up front would cost hundreds of megabytes for every small file.
    QByteArray bytes;
    bytes.reserve(qsizetype(std::min(file.size(), maxBytes)) + 1);
    while (bytes.size() <= maxBytes) {
        const QByteArray chunk = file.read(std::min<qint64>(qint64(1) << 20, maxBytes + 1 - bytes.size()));
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError) {
        refuse(error, QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    if (bytes.size() > maxBytes)
        return tooLarge();
    return bytes;
}
