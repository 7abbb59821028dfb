#include "data/SeriesStore.h"

#include <QDir>
#include <algorithm>
#include <QFile>
#include <QFileInfo>

#include "data/SeriesFiles.h"
#include "data/SeriesLines.h"
#include "data/SpreadsheetWriter.h"
#include "platform/AppContext.h"
#include "platform/AtomicFile.h"
#include "platform/FileHelpers.h"
#include "platform/Log.h"
#include "platform/RegularFile.h"
#include "platform/StringHelpers.h"

namespace {

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

bool hasSeriesExtension(const QFileInfo& entry)
{
    return entry.suffix().compare(batch_file_EXT, Qt::CaseInsensitive) == 0;
}

QFileInfoList seriesFilesOf(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return {};
    QFileInfoList files;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        if (hasSeriesExtension(entry))
            files.append(entry);
    }
    return files;
}

const QString kTooManyValues = QStringLiteral("it holds more values than a series can keep");

QString tooLargeToKeep(const QString& name)
{
    return QStringLiteral("The series \"%1\" was not written: it would hold more values than a series can keep.").arg(name);
}

QString notText(const QString& name, const QString& reason)
{
    return QStringLiteral("The series \"%1\" cannot be read: %2.").arg(name, reason);
}

}  // namespace

SeriesStore::SeriesStore() : m_folder(Data_Folder_Path) {}

SeriesStore::SeriesStore(QString folder) : m_folder(std::move(folder)) {}

QString SeriesStore::cleanName(const QString& typed) { return Remove_Reserve_Char_In_File_Name(typed); }

bool SeriesStore::isUsableName(const QString& name) { return isPlainFileName(name); }

QStringList SeriesStore::names() const
{
    QStringList names;
    for (const QFileInfo& entry : seriesFilesOf(m_folder))
        names.append(entry.completeBaseName());
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString SeriesStore::series_path(const QString& name) const
{
    if (!isUsableName(name))
        return {};
    const QString exact = QDir(m_folder).filePath(name + u'.' + batch_file_EXT);
    if (QFileInfo(exact).isFile())
        return exact;
    // The disk is case-sensitive, the names the user sees are not: "b.TXT" is the series "b".
    QString differingInCase;
    for (const QFileInfo& entry : seriesFilesOf(m_folder)) {
        const QString stem = entry.completeBaseName();
        if (stem == name)
            return entry.filePath();
        if (differingInCase.isEmpty() && stem.compare(name, Qt::CaseInsensitive) == 0)
            differingInCase = entry.filePath();
    }
    return differingInCase.isEmpty() ? exact : differingInCase;
}

bool SeriesStore::exists(const QString& name) const
{
    const QString path = series_path(name);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

SeriesStore::Values SeriesStore::readText(const QString& name, Rule rule) const
{
    const QString path = series_path(name);
    if (path.isEmpty()) {
        if (!name.isEmpty())
            Show_NSLog_Message(QStringLiteral("The series name \"%1\" is not a file name in the data folder.").arg(name));
        return {};
    }
    if (!QFileInfo::exists(path))
        return {};
    QFile file;
    QString reason;
    if (!openRegularFile(path, file, &reason))
        return {{}, notText(name, reason.endsWith(u'.') ? reason.chopped(1) : reason)};
    // The first line never needs the whole file.
    if (rule != Rule::FirstLine && file.size() > kMaxFileBytes)
        return {{}, notText(name, QStringLiteral("it is larger than %1 MB").arg(kMaxFileBytes >> 20))};

    // Counted first, holding none of its values: a series past the room is refused having held
    // none of them, one within it is kept in a list of its size. The first line needs no count.
    qsizetype count = 0;
    if (rule != Rule::FirstLine) {
        if (const QString failure = readLines(file, rule, nullptr, &count); !failure.isEmpty())
            return {{}, notText(name, failure)};
        if (!file.seek(0))
            return {{}, notText(name, file.errorString())};
    }
    QStringList values;
    values.reserve(count);
    // Read again, a file that changed in between is held to the same room.
    if (const QString failure = readLines(file, rule, &values, &count); !failure.isEmpty())
        return {{}, notText(name, failure)};
    if (rule == Rule::Batch) {
        // Only the end is trimmed: a blank first line is record 1's empty value, and dropping it
        // would give every later record the value of the one after it.
        const auto blank = [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; };
        while (values.size() > 1 && std::all_of(values.last().cbegin(), values.last().cend(), blank))
            values.removeLast();
        QString& last = values.last();
        qsizetype end = last.size();
        while (end > 0 && blank(last.at(end - 1)))
            --end;
        last.truncate(end);
    }
    return {values, {}};
}

QString SeriesStore::readLines(QFile& file, Rule rule, QStringList* values, qsizetype* count)
{
    *count = 0;
    qint64 memory = 0;
    SeriesLines lines(file);
    // Counted, a line of ASCII is not decoded, any other into the same value; kept, each line is
    // handed on.
    QString value;
    QByteArrayView ascii;
    for (bool first = true;; first = false) {
        const SeriesLines::Read read = lines.next((kMaxValuesMemory - memory - kValueMemory) / 2, value, values ? nullptr : &ascii);
        switch (read) {
        case SeriesLines::Read::Value: break;
        case SeriesLines::Read::End:
            // An empty file is one empty line.
            if (!first)
                return {};
            value = QString();
            break;
        case SeriesLines::Read::NotText: return QStringLiteral("it is not a text file");
        case SeriesLines::Read::NoRoom: return kTooManyValues;
        case SeriesLines::Read::TooLong: return QStringLiteral("a line is longer than %1 MB").arg(kMaxFileBytes >> 20);
        case SeriesLines::Read::Failed: return file.errorString();
        }
        const bool trimmed = rule == Rule::Manager;
        const qsizetype units = !ascii.isNull() ? (trimmed ? Trimmed_Ascii_Part(ascii) : ascii).size()
                                                : (trimmed ? Trimmed_Part(value) : QStringView(value)).size();
        // An empty line the manager drops still counts: a file of line ends is read no longer than
        // one of values.
        memory += valueMemory(units);
        if (memory > kMaxValuesMemory)
            return kTooManyValues;
        if (!trimmed || units > 0) {
            ++*count;
            if (values) {
                values->append(trimmed ? Trim_Str(std::move(value)) : std::move(value));
                keepOnlyItsRoom(values->last());
            }
        }
        if (read == SeriesLines::Read::End || rule == Rule::FirstLine)
            return {};
    }
}

SeriesStore::Values SeriesStore::read(const QString& name) const { return readText(name, Rule::Manager); }

SeriesStore::Values SeriesStore::readRecords(const QString& name) const { return readText(name, Rule::Batch); }

SeriesStore::Values SeriesStore::readFirstValue(const QString& name) const { return readText(name, Rule::FirstLine); }

QByteArray SeriesStore::fileBytes(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) {
        QString value = line;
        value.replace(QLatin1String("\r\n"), QLatin1String(" "));
        value.replace(u'\r', u' ');
        value.replace(u'\n', u' ');
        text += value;
        text += u'\n';
    }
    return text.toUtf8();
}

QStringList SeriesStore::keptValues(const QStringList& values)
{
    QStringList kept;
    kept.reserve(values.size());
    for (const QString& value : values) {
        const QString trimmed = Trim_Str(value);
        if (!trimmed.isEmpty())
            kept.append(trimmed);
    }
    return kept;
}

bool SeriesStore::save(const QString& name, const QStringList& lines, QString* error) const
{
    return saveRenamed(QString(), name, lines, error);
}

bool SeriesStore::saveRenamed(const QString& oldName, const QString& newName, const QStringList& lines,
                              QString* error) const
{
    if (!isUsableName(newName))
        return fail(error, QStringLiteral("\"%1\" cannot name a series.").arg(newName));
    // A series is never replaced by an empty one: whatever made no values keeps the old series.
    if (lines.isEmpty())
        return fail(error, QStringLiteral("The series \"%1\" was not written: there are no values.").arg(newName));
    const QString oldPath = exists(oldName) ? series_path(oldName) : QString();
    QString target = series_path(newName);
    // Only the case of the name changes: the new name gets a file of its own.
    if (target == oldPath && oldName != newName)
        target = QDir(m_folder).filePath(newName + u'.' + batch_file_EXT);
    // Renamed onto another existing series, the old one stays, as the user may still bind it.
    const bool replacesAnother = target != oldPath && QFileInfo(target).isFile();
    const QByteArray bytes = fileBytes(lines);
    if (!fitsASeries(bytes))
        return fail(error, tooLargeToKeep(newName));
    if (!Create_Folder(m_folder))
        return fail(error, QStringLiteral("Cannot make the folder \"%1\".").arg(m_folder));
    if (!writeFileAtomically(target, bytes, error))
        return false;
    if (!oldPath.isEmpty() && oldPath != target && !replacesAnother && !QFile::remove(oldPath))
        Show_NSLog_Message(QStringLiteral("Cannot remove the renamed series file %1").arg(oldPath));
    return true;
}

bool SeriesStore::append(const QString& name, const QStringList& lines, QString* error) const
{
    if (!isUsableName(name))
        return fail(error, QStringLiteral("\"%1\" cannot name a series.").arg(name));
    if (lines.isEmpty())
        return fail(error, QStringLiteral("The series \"%1\" was not written: there are no values.").arg(name));
    const QString path = series_path(name);
    QByteArray bytes;
    if (QFileInfo(path).isFile()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
            return fail(error, notText(name, file.errorString()));
        bytes = file.readAll();
        // A last value without its line end would merge with the first value added.
        if (!bytes.isEmpty() && !bytes.endsWith('\n'))
            bytes.append('\n');
    }
    bytes += fileBytes(lines);
    if (!fitsASeries(bytes))
        return fail(error, tooLargeToKeep(name));
    if (!Create_Folder(m_folder))
        return fail(error, QStringLiteral("Cannot make the folder \"%1\".").arg(m_folder));
    return writeFileAtomically(path, bytes, error);
}

bool SeriesStore::remove(const QString& name) const
{
    const QString path = series_path(name);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return true;
    Delete_File(path);
    return !QFileInfo::exists(path);
}

void SeriesStore::keepOnlyItsRoom(QString& value)
{
    if (value.capacity() - value.size() <= kSpareUnits)
        return;
    // Shrunk in place, a short value's block would leave its end behind as a hole too small for
    // the next line read, and a series of millions of lines would hold millions of holes. A copy
    // of a long value would hold it twice for a moment.
    if (value.size() <= kOwnBlockUnits)
        value = QString(value.constData(), value.size());
    else
        value.squeeze();
}

bool SeriesStore::fitsASeries(QByteArrayView bytes)
{
    const qint64 lineEnds = bytes.count('\n');
    const qint64 lines = lineEnds + (bytes.endsWith('\n') ? 0 : 1);
    return bytes.size() <= kMaxFileBytes
           && lines * kValueMemory + 2 * (SeriesLines::utf16Units(bytes) - lineEnds) <= kMaxValuesMemory;
}

QString SeriesStore::exportPath(const QString& chosen, ExportFormat* format)
{
    const QString extension = QFileInfo(chosen).suffix().toLower();
    const bool workbook = extension == QLatin1String("xlsx");
    if (format)
        *format = workbook ? ExportFormat::Workbook : ExportFormat::Text;
    if (workbook || extension == batch_file_EXT)
        return chosen;
    return chosen + u'.' + batch_file_EXT;
}

QString SeriesStore::exportValues(const QString& chosen, const QStringList& values, QString* error) const
{
    if (values.isEmpty()) {
        fail(error, QStringLiteral("There are no values to export."));
        return {};
    }
    ExportFormat format = ExportFormat::Text;
    const QString path = exportPath(chosen, &format);
    if (format == ExportFormat::Text)
        return writeFileAtomically(path, fileBytes(values), error) ? path : QString();
    SheetRows rows;
    rows.reserve(values.size() + 1);
    rows.append(QStringList{kBatchValueTitle});
    for (const QString& value : values)
        rows.append(QStringList{value});
    if (!SpreadsheetWriter::WriteWorkbook(path, rows, false)) {
        fail(error, QStringLiteral("Cannot write the workbook \"%1\".").arg(path));
        return {};
    }
    return path;
}

QString series_path(const QString& name) { return SeriesStore().series_path(name); }
