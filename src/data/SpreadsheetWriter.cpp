#include "data/SpreadsheetWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <unistd.h>

#include "data/SSZipArchive.h"
#include "data/SpreadsheetXml.h"
#include "platform/AtomicFile.h"
#include "platform/Log.h"

int Excel_Sheet_Columns = 1;

namespace {

SpreadsheetWriter* spreadsheet = nullptr;

const QString kTemporaryPrefix = QStringLiteral("zova-idcard-");

// Made with mode 0700 under a random name that begins with the process id, removed when the
// program ends: no other user can plant or read anything in it, no run sees another run's
// workbook, and a run that was killed can be told from one still running.
const QTemporaryDir& privateTemporaryRoot()
{
    static const QTemporaryDir root(QDir::tempPath() + QLatin1Char('/') + kTemporaryPrefix +
                                    QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX"));
    return root;
}

// The process that made a temporary folder of ours, from its name; 0 for any other name.
qint64 folderProcess(const QString& name)
{
    static const QRegularExpression ours(QStringLiteral("^") + kTemporaryPrefix + QStringLiteral("(\\d+)-[^/]+$"));
    const QRegularExpressionMatch match = ours.match(name);
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

bool processRuns(qint64 pid)
{
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

// Far above any real workbook, which holds some dozens of parts of a few megabytes, packed to a
// tenth or so of their size: a part may unpack to 16 MB and a hundred times the archive's size,
// all parts to twice that, up to 256 MB a part and 1 GB in all. Reading a part takes time in
// proportion to its size, so a small archive that unpacks to hundreds of megabytes is refused.
UnpackLimits workbookUnpackLimits(qint64 archiveBytes)
{
    const qint64 bytes = std::clamp<qint64>(archiveBytes, 0, qint64(1) << 30);
    const qint64 part = std::min(qint64(256) << 20, (qint64(16) << 20) + 100 * bytes);
    return UnpackLimits{10'000, part, std::min(qint64(1) << 30, 2 * part)};
}

// The parts a read looks at: the workbook's sheet list and its relationships, shared strings
// and sheets, or an OpenDocument spreadsheet's content.
bool isReadPart(const QString& name)
{
    static const QStringList wholeNames{QStringLiteral("xl/workbook.xml"), QStringLiteral("xl/_rels/workbook.xml.rels"),
                                        QStringLiteral("xl/sharedStrings.xml"), QStringLiteral("content.xml")};
    if (wholeNames.contains(name))
        return true;
    static const QString sheets = QStringLiteral("xl/worksheets/");
    return name.startsWith(sheets) && name.indexOf(QLatin1Char('/'), sheets.size()) < 0 &&
           name.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive);
}

}  // namespace

QStringList paddedRow(const QStringList& row, int columns)
{
    QStringList cells = row;
    if (cells.size() < columns)
        cells.resize(columns);
    return cells;
}

int Asc_Val(const QString& text) { return text.isEmpty() ? 0 : text.at(0).unicode() & 0xFF; }

QString Get_Column_Char_Str(const QString& reference)
{
    for (int i = 0; i < reference.size(); ++i) {
        if (reference.at(i) >= u'1' && reference.at(i) <= u'9')
            return reference.left(i);
    }
    return reference;
}

int Get_Col_index(const QString& letters, int base)
{
    const int number = SpreadsheetXml::columnNumber(letters.utf16(), letters.size());
    return number < 0 ? -1 : number - (base - 64);
}

QString SpreadsheetWriter::ColumnIndexToName(int column)
{
    QString name;
    for (int n = column; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

SpreadsheetWriter* SpreadsheetWriter::sharedInstance()
{
    if (!spreadsheet)
        spreadsheet = new SpreadsheetWriter();  // lives for the rest of the run
    return spreadsheet;
}

QString SpreadsheetWriter::temporaryFolder()
{
    return privateTemporaryRoot().path() + QStringLiteral("/ziptmp");
}

SpreadsheetWriter::SpreadsheetWriter() : tmpDir(temporaryFolder())
{
    QDir(tmpDir).removeRecursively();
    QDir().mkpath(tmpDir);
    Show_NSLog_Message(QStringLiteral("Temp. directory initialized:\n %1").arg(tmpDir));
}

int SpreadsheetWriter::removeStaleTemporaryFolders(const QString& parent)
{
    int removed = 0;
    const QFileInfoList folders = QDir(parent).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& folder : folders) {
        const qint64 pid = folderProcess(folder.fileName());
        if (pid <= 0 || folder.isSymLink() || folder.ownerId() != ::getuid() || processRuns(pid))
            continue;
        if (QDir(folder.absoluteFilePath()).removeRecursively())
            ++removed;
        else
            Show_NSLog_Message(QStringLiteral("Cannot remove the stale folder %1").arg(folder.absoluteFilePath()));
    }
    return removed;
}

bool SpreadsheetWriter::unpackAfresh(const QString& archive, UnpackedParts parts)
{
    parsedSheet.reset();
    readRefusal.clear();
    refusedWhole = false;
    sharedStringsPath.clear();
    lastReadHeld = 0;
    refusedSheetPath.clear();
    sheetList.reset();
    unpackedArchive = archive;
    allowance = readAllowance(QFileInfo(archive).size());
    QDir(tmpDir).removeRecursively();
    if (!QDir().mkpath(tmpDir)) {
        Show_NSLog_Message(QStringLiteral("Cannot make the folder %1").arg(tmpDir));
        return false;
    }
    if (parts == UnpackedParts::All)
        return SSZipArchive::unzipFileAtPath(archive, tmpDir, true, QString(), nullptr);
    SSZipArchiveError error;
    if (SSZipArchive::unzipFileAtPath(archive, tmpDir, workbookUnpackLimits(QFileInfo(archive).size()), isReadPart, &error))
        return true;
    // Nothing of a refused workbook is read, not even the parts unpacked before the refusal.
    if (SSZipArchive::isLimitRefusal(error.code))
        refuseWhole(error.localizedDescription);
    return false;
}

QString unreadableWorkbookMessage(const QString& path)
{
    return QStringLiteral("The file \"%1\" cannot be read as a workbook.").arg(QFileInfo(path).fileName());
}

void SpreadsheetWriter::refuseUnreadable(const QString& path)
{
    // A bound that refused the workbook said why already.
    if (readRefusal.isEmpty())
        refuseWhole(unreadableWorkbookMessage(path));
}

void SpreadsheetWriter::refuseWhole(const QString& why)
{
    refusedWhole = true;
    readRefusal = why;
    Show_NSLog_Message(QStringLiteral("The workbook %1 is not read: %2").arg(unpackedArchive, readRefusal));
    QDir(tmpDir).removeRecursively();
    QDir().mkpath(tmpDir);
}

bool SpreadsheetWriter::packTreeInto(const QString& target, const QStringList& firstEntries)
{
    QStringList entries = QDir(tmpDir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                                 QDir::Name | QDir::IgnoreCase);
    for (auto first = firstEntries.crbegin(); first != firstEntries.crend(); ++first) {
        if (entries.removeAll(*first) > 0)
            entries.prepend(*first);
    }
    QStringList paths;
    for (const QString& entry : entries)
        paths.append(tmpDir + QLatin1Char('/') + entry);

    // The archive is made beside the tree and then replaces the target in one step, so a failed
    // write never leaves a half workbook behind.
    const QString packed = privateTemporaryRoot().path() + QStringLiteral("/packed.zip");
    bool written = SSZipArchive::createZipFileAtPath(packed, paths);
    QString error;
    if (written) {
        QFile archive(packed);
        written = archive.open(QIODevice::ReadOnly) && writeFileAtomically(target, archive.readAll(), &error);
    }
    QFile::remove(packed);
    if (!written)
        Show_NSLog_Message(QStringLiteral("Cannot write the workbook %1 %2").arg(target, error));
    return written;
}
static_assert(SpreadsheetWriter::kMaxColumns == SpreadsheetXml::kMaxColumns);
