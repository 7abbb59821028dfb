#include "data/SSZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <minizip/unzip.h>

#include "platform/Log.h"

namespace {

constexpr int kUnpackBufferSize = 65536;
constexpr int kPackBufferSize = 16384;

QByteArray fileSystemName(const QString& path) { return QFile::encodeName(path); }

void setError(SSZipArchiveError* error, int code, const QString& description)
{
    if (error)
        *error = SSZipArchiveError{SSZipArchiveErrorDomain, code, description};
}

// Where an entry may be unpacked: below the destination and nowhere else. Entry names come from
// the archive, so absolute names, ".." steps and names that leave no file name are refused.
QString safeEntryTarget(const QString& destination, const QString& entryName)
{
    if (entryName.startsWith(QLatin1Char('/')) || entryName.contains(QChar(0)))
        return {};
    QStringList parts;
    for (const QString& part : entryName.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return {};
        if (part != QLatin1String("."))
            parts.append(part);
    }
    if (parts.isEmpty())
        return {};
    const QString root = QDir::cleanPath(destination);
    const QString target = QDir::cleanPath(root + QLatin1Char('/') + parts.join(QLatin1Char('/')));
    if (!target.startsWith(root + QLatin1Char('/')))
        return {};
    // A link left in the folder would carry the write elsewhere.
    if (QFileInfo(target).isSymLink())
        return {};
    return target;
}

// The entry's MS-DOS date, read as local time; invalid dates give an invalid QDateTime.
QDateTime entryDate(const unz_file_info64& info)
{
    const tm_unz& t = info.tmu_date;
    return QDateTime(QDate(int(t.tm_year), int(t.tm_mon) + 1, int(t.tm_mday)),
                     QTime(int(t.tm_hour), int(t.tm_min), int(t.tm_sec)), Qt::LocalTime);
}

QString megabytes(qint64 bytes) { return QString::number(bytes >> 20); }

// What one unpack has written so far, against its limits.
struct UnpackBudget {
    const UnpackLimits& limits;
    qint64 total = 0;
    int refusal = 0;  // one of SSZipArchive's limit codes once a bound is passed

    // Takes bytes of the entry being unpacked, which has entryBytes so far with them.
    bool take(qint64 bytes, qint64 entryBytes)
    {
        total += bytes;
        if (entryBytes > limits.entryBytes)
            refusal = SSZipArchive::kEntryTooLarge;
        else if (total > limits.totalBytes)
            refusal = SSZipArchive::kTooLargeInAll;
        return refusal == 0;
    }
    QString reason(const QString& entryName) const
    {
        if (refusal == SSZipArchive::kEntryTooLarge)
            return QStringLiteral("The part %1 unpacks to more than %2 MB.").arg(entryName, megabytes(limits.entryBytes));
        return QStringLiteral("The archive unpacks to more than %1 MB.").arg(megabytes(limits.totalBytes));
    }
};

// Copies until the entry ends or the budget refuses more.
void copyCurrentEntry(unzFile zip, QFile& out, UnpackBudget& budget)
{
    QByteArray buffer(kUnpackBufferSize, Qt::Uninitialized);
    qint64 written = 0;
    for (;;) {
        const int read = unzReadCurrentFile(zip, buffer.data(), unsigned(buffer.size()));
        if (read <= 0)
            break;
        written += read;
        if (!budget.take(read, written))
            break;
        if (out.write(buffer.constData(), read) != read)
            break;
    }
}

void unpackCurrentEntry(unzFile zip, const unz_file_info64& info, const QString& target, bool isFolder,
                        bool overwrite, UnpackBudget& budget)
{
    QDir().mkpath(isFolder ? target : QFileInfo(target).path());
    if (isFolder || (QFileInfo::exists(target) && !overwrite))
        return;
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    copyCurrentEntry(zip, out, budget);
    if (budget.refusal != 0) {
        // A cut entry is no part of the archive: it must not pass for one.
        out.remove();
        return;
    }
    out.flush();
    if (info.dosDate != 0) {
        const QDateTime modified = entryDate(info);
        if (modified.isValid())
            out.setFileTime(modified, QFileDevice::FileModificationTime);
    }
}

}  // namespace

bool SSZipArchive::unzipFileAtPath(const QString& path, const QString& destination)
{
    return unzipFileAtPath(path, destination, true, QString(), nullptr);
}

bool SSZipArchive::unzipFileAtPath(const QString& path, const QString& destination, bool overwrite,
                                   const QString& password, SSZipArchiveError* error)
{
    return unpack(path, destination, overwrite, password, UnpackLimits{}, EntryFilter(), error);
}

bool SSZipArchive::unzipFileAtPath(const QString& path, const QString& destination, const UnpackLimits& limits,
                                   const EntryFilter& wanted, SSZipArchiveError* error)
{
    return unpack(path, destination, true, QString(), limits, wanted, error);
}

bool SSZipArchive::unpack(const QString& path, const QString& destination, bool overwrite, const QString& password,
                          const UnpackLimits& limits, const EntryFilter& wanted, SSZipArchiveError* error)
{
    unzFile zip = unzOpen64(fileSystemName(path).constData());
    if (!zip) {
        setError(error, -1, QStringLiteral("failed to open zip file"));
        return false;
    }
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(zip, &global) == UNZ_OK && qint64(global.number_entry) > limits.entries) {
        setError(error, kTooManyEntries,
                 QStringLiteral("The archive lists %1 parts, more than %2.").arg(global.number_entry).arg(limits.entries));
        unzClose(zip);
        return false;
    }
    if (unzGoToFirstFile(zip) != UNZ_OK) {
        setError(error, -2, QStringLiteral("failed to open first file in zip file"));
        unzClose(zip);
        return false;
    }
    const QByteArray passwordText = password.toLatin1();
    UnpackBudget budget{limits};
    bool success = true;
    do {
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
            success = false;
            break;
        }
        QByteArray rawName(int(info.size_filename), '\0');
        unzGetCurrentFileInfo64(zip, &info, rawName.data(), uLong(rawName.size()), nullptr, 0, nullptr, 0);
        const bool isFolder = !rawName.isEmpty() && (rawName.endsWith('/') || rawName.endsWith('\\'));
        QString name = QString::fromUtf8(rawName);
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (wanted && !wanted(name))
            continue;

        const int opened = passwordText.isEmpty() ? unzOpenCurrentFile(zip)
                                                  : unzOpenCurrentFilePassword(zip, passwordText.constData());
        if (opened != UNZ_OK) {
            success = false;
            break;
        }
        const QString target = safeEntryTarget(destination, name);
        if (target.isEmpty())
            Show_NSLog_Message(QStringLiteral("Skipped zip entry outside the destination: %1").arg(name));
        else
            unpackCurrentEntry(zip, info, target, isFolder, overwrite, budget);
        unzCloseCurrentFile(zip);
        if (budget.refusal != 0) {
            setError(error, budget.refusal, budget.reason(name));
            success = false;
            break;
        }
    } while (unzGoToNextFile(zip) == UNZ_OK);
    unzClose(zip);
    return success;
}

bool SSZipArchive::createZipFileAtPath(const QString& path, const QStringList& filesAtPaths)
{
    SSZipArchive archive(path);
    if (!archive.open())
        return false;
    for (const QString& item : filesAtPaths) {
        QString trimmed = item;
        if (trimmed.endsWith(QLatin1Char('/')))
            trimmed.chop(1);
        const QString name = QFileInfo(trimmed).fileName();
        const QString basePath = trimmed.left(trimmed.size() - name.size());
        archive.writeFile(name, basePath);
    }
    return archive.close();
}

bool SSZipArchive::createZipFileAtPath(const QString& path, const QString& filesAtPath)
{
    return createZipFileAtPath(path, QStringList{filesAtPath});
}

QDateTime SSZipArchive::_dateFor1980()
{
    return QDateTime(QDate(1980, 1, 1), QTime(0, 0), Qt::LocalTime);
}

void SSZipArchive::zipInfo(zip_fileinfo* info, const QDateTime& setDate)
{
    const QDateTime local = setDate.toLocalTime();
    info->tmz_date.tm_sec = uInt(local.time().second());
    info->tmz_date.tm_min = uInt(local.time().minute());
    info->tmz_date.tm_hour = uInt(local.time().hour());
    info->tmz_date.tm_mday = uInt(local.date().day());
    info->tmz_date.tm_mon = uInt(local.date().month() - 1);
    info->tmz_date.tm_year = uInt(local.date().year());
}

SSZipArchive::SSZipArchive(const QString& path) : _path(path) {}

bool SSZipArchive::open()
{
    if (_zip)
        throw SSZipArchiveAssertion("Attempting open an archive which is already open");
    _zip = zipOpen64(fileSystemName(_path).constData(), APPEND_STATUS_CREATE);
    _writeFailed = false;
    return _zip != nullptr;
}

bool SSZipArchive::addEntry(const QString& name, const zip_fileinfo* info, bool large)
{
    const int opened = zipOpenNewFileInZip64(_zip, name.toUtf8().constData(), info, nullptr, 0, nullptr, 0,
                                             nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION, large ? 1 : 0);
    if (opened != ZIP_OK)
        _writeFailed = true;
    return opened == ZIP_OK;
}

bool SSZipArchive::writeFile(const QString& name, const QString& basePath)
{
    if (!_zip)
        throw SSZipArchiveAssertion("Attempting to write to an archive which was never opened");
    const QString fullPath = basePath.isEmpty() ? name : QDir(basePath).filePath(name);
    const QFileInfo item(fullPath);
    if (item.isDir()) {
        // A link to a folder could lead back into the tree being packed.
        if (item.isSymLink())
            return true;
        const QStringList children = QDir(fullPath).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
        if (children.isEmpty()) {
            zip_fileinfo info{};
            zipInfo(&info, item.lastModified());
            if (addEntry(name + QLatin1Char('/'), &info, false) && zipCloseFileInZip(_zip) != ZIP_OK)
                _writeFailed = true;
            return true;
        }
        for (const QString& child : children) {
            if (!writeFile(name + QLatin1Char('/') + child, basePath))
                return false;
        }
        return true;
    }

    QFile in(fullPath);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    zip_fileinfo info{};
    zipInfo(&info, item.lastModified());
    if (!addEntry(name, &info, in.size() >= 0xffffffffLL))
        return true;
    QByteArray buffer(kPackBufferSize, '\0');
    for (;;) {
        const qint64 read = in.read(buffer.data(), buffer.size());
        if (read <= 0)
            break;
        if (zipWriteInFileInZip(_zip, buffer.constData(), unsigned(read)) != ZIP_OK)
            _writeFailed = true;
    }
    if (zipCloseFileInZip(_zip) != ZIP_OK)
        _writeFailed = true;
    return true;
}

bool SSZipArchive::writeData(const QByteArray& data, const QString& filename)
{
    if (!_zip || data.isNull())
        return false;
    zip_fileinfo info{};
    zipInfo(&info, QDateTime::currentDateTime());
    if (!addEntry(filename, &info, data.size() >= 0xffffffffLL))
        return false;
    if (zipWriteInFileInZip(_zip, data.constData(), unsigned(data.size())) != ZIP_OK)
        _writeFailed = true;
    if (zipCloseFileInZip(_zip) != ZIP_OK)
        _writeFailed = true;
    return !_writeFailed;
}

bool SSZipArchive::close()
{
    if (!_zip)
        throw SSZipArchiveAssertion("Attempting to close an archive which was never opened");
    const bool closed = zipClose(_zip, nullptr) == ZIP_OK;
    _zip = nullptr;
    // A failed write inside the archive leaves it unreadable: never report it as made.
    return closed && !_writeFailed;
}
