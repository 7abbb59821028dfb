#include "visitors/VisitorLogHolder.h"

#include <QFile>
#include <fcntl.h>
#include <unistd.h>

namespace {

// SQLite's lock bytes in a database file (from its PENDING byte, its RESERVED byte and the range
// shared locks take), and in the shared-memory file of a log in WAL mode (its write and
// checkpoint locks and the readers' marks).
constexpr off_t kDatabaseLocksAt = 0x40000000;
constexpr off_t kDatabaseLocksLength = 512;
constexpr off_t kWalLocksAt = 120;
constexpr off_t kWalLocksLength = 8;

// The process holding a lock that conflicts with writing the range, or 0.
pid_t lockHolder(const QString& path, off_t at, off_t length)
{
    const int file = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return 0;
    struct flock lock{};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = at;
    lock.l_len = length;
    const bool asked = ::fcntl(file, F_GETLK, &lock) == 0;
    ::close(file);
    return asked && lock.l_type != F_UNLCK ? lock.l_pid : 0;
}

QString programOf(pid_t process)
{
    QFile name(QStringLiteral("/proc/%1/comm").arg(process));
    return name.open(QIODevice::ReadOnly) ? QString::fromUtf8(name.readLine(256)).trimmed() : QString();
}

}  // namespace

QString visitorLogHolder(const QString& path)
{
    pid_t holder = lockHolder(path, kDatabaseLocksAt, kDatabaseLocksLength);
    if (holder == 0)
        holder = lockHolder(path + QStringLiteral("-shm"), kWalLocksAt, kWalLocksLength);
    if (holder == 0)
        return QStringLiteral("another program");
    const QString program = programOf(holder);
    return program.isEmpty() ? QStringLiteral("process %1").arg(holder) : QStringLiteral("%1 (process %2)").arg(program).arg(holder);
}
