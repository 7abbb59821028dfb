#include "visitors/VisitorLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <sqlite3.h>
#include <unistd.h>

#include "platform/AppContext.h"
#include "platform/AtomicFile.h"
#include "platform/FileHelpers.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/ScopedUmask.h"
#include "visitors/VisitorListing.h"
#include "visitors/VisitorLogHolder.h"
#include "visitors/VisitorLogSchema.h"

namespace {

const char* const kInsert =
    "INSERT INTO Visitor_Records (Date_and_Time, Photo_Path, Name, Company_Name, Address, Phone, Email, "
    "Purpose, Person_to_Meet, Visitor_No, Other) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)";
// Newest first, so that a listing cut short keeps the latest visitors.
const char* const kSelectAll =
    "SELECT S_No, Date_and_Time, Photo_Path, Name, Company_Name, Address, Phone, Email, Purpose, "
    "Person_to_Meet, Visitor_No, Other FROM Visitor_Records ORDER BY S_No DESC";
// instr() takes the text as it is: "%" and "_" are only themselves.
const char* const kSelectByName =
    "SELECT S_No, Date_and_Time, Photo_Path, Name, Company_Name, Address, Phone, Email, Purpose, "
    "Person_to_Meet, Visitor_No, Other FROM Visitor_Records WHERE instr(fold_case(Name), fold_case(?1)) > 0 "
    "ORDER BY S_No DESC";
// A registration waits this long for another process's write to end; a reading only this long,
// since a log held longer is better told held than waited for.
constexpr int kWriteWaitMs = 5000;
constexpr int kReadWaitMs = 250;
constexpr int kTextColumns = 11;
// The largest value SQLite hands over, however a file was written: far past any field's limit,
// small enough that a few at once stay well inside the memory of a listing.
constexpr int kMaxValueBytes = 16 << 20;
// The shipped log is an empty database of a few pages.
constexpr qint64 kMaxShippedLogBytes = qint64(1) << 20;
// The log holds people's data: what is created for it is its owner's alone.
constexpr mode_t kOwnerOnlyMask = 077;

// Whether the last call failed because another connection holds the log.
bool heldElsewhere(sqlite3* db)
{
    const int code = sqlite3_errcode(db);
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

QString heldMessage(const QString& path)
{
    return QStringLiteral("the visitor log %1 is in use by %2").arg(path, visitorLogHolder(path));
}

// A finalised statement whatever way the function leaves.
struct Statement {
    sqlite3_stmt* handle = nullptr;
    ~Statement() { sqlite3_finalize(handle); }
};

QString textColumn(sqlite3_stmt* statement, int column)
{
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement, column));
    const int bytes = sqlite3_column_bytes16(statement, column);
    return text ? QString::fromUtf16(text, bytes / 2) : QString();
}

// Case folded for every script, not only ASCII as SQLite's own LIKE and lower() do: "Zoë" is
// found by "zoË". A text that is no text stays NULL.
void foldCase(sqlite3_context* context, int, sqlite3_value** arguments)
{
    const auto* text = static_cast<const char16_t*>(sqlite3_value_text16(arguments[0]));
    if (!text) {
        sqlite3_result_null(context);
        return;
    }
    const QString folded = QString::fromUtf16(text, sqlite3_value_bytes16(arguments[0]) / 2).toCaseFolded();
    sqlite3_result_text16(context, folded.utf16(), int(folded.size() * 2), SQLITE_TRANSIENT);
}

// A log written before it was kept private keeps no file open to others: the database and the
// journal files beside it.
void restrictLogFiles(const QString& path)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        const QString file = path + QLatin1String(suffix);
        if (QFileInfo::exists(file) && !Restrict_To_Owner(file))
            Show_NSLog_Message(QStringLiteral("The visitor log file %1 could not be made private.").arg(file));
    }
}

// A log this user may not change: the file, or the folder that must take its journal files.
bool onlyReadable(const QString& path)
{
    const QByteArray file = QFile::encodeName(path);
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    return QFileInfo::exists(path) && (::access(file.constData(), W_OK) != 0 || ::access(folder.constData(), W_OK) != 0);
}

// How SQLite is to open a log it may only read. A log in WAL mode needs its shared-memory file,
// which no one may make in a folder that cannot be written; one closed cleanly has no journal
// left and is read as the unchanging file it is.
QByteArray readOnlyUri(const QString& path)
{
    QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    uri.setQuery(QFileInfo::exists(path + QStringLiteral("-wal")) ? QStringLiteral("mode=ro")
                                                                  : QStringLiteral("mode=ro&immutable=1"));
    return uri.toEncoded();
}

// The shipped empty log copied in, private from its first byte; without it the log is made afresh.
void seedFromShipped(const QString& shipped, const QString& path)
{
    QFile source(shipped);
    if (!QFileInfo(shipped).isFile() || source.size() > kMaxShippedLogBytes || !source.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = source.read(kMaxShippedLogBytes);
    const ScopedUmask ownerOnly(kOwnerOnlyMask);
    writePrivateFileAtomically(path, bytes);
}

}  // namespace

VisitorLog::~VisitorLog()
{
    close();
}

bool VisitorLog::fail(const QString& what) const
{
    m_error = m_db ? QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(m_db))) : what;
    return false;
}

bool VisitorLog::exec(const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    m_error = QString::fromUtf8(message ? message : sqlite3_errmsg(m_db));
    sqlite3_free(message);
    return false;
}

// The connection waits this long for another's write until the object goes, then as a listing.
class VisitorLog::Wait {
public:
    Wait(VisitorLog& log, int ms) : m_log(log) { m_log.waitFor(ms); }
    ~Wait() { m_log.waitFor(kReadWaitMs); }

private:
    VisitorLog& m_log;
};

void VisitorLog::waitFor(int ms)
{
    m_waitMs = ms;
    if (m_db)
        sqlite3_busy_timeout(m_db, ms);
}

bool VisitorLog::connect(const QString& path)
{
    const QByteArray file = m_readOnly ? readOnlyUri(path) : QFile::encodeName(path);
    const int flags = m_readOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_URI : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(file.constData(), &m_db, flags, nullptr) != SQLITE_OK)
        return false;
    // Nothing of the file's choosing runs, and no value it holds is larger than a listing can take.
    sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, kMaxValueBytes);
    sqlite3_limit(m_db, SQLITE_LIMIT_ATTACHED, 0);
    for (const int option : {SQLITE_DBCONFIG_ENABLE_TRIGGER, SQLITE_DBCONFIG_ENABLE_VIEW, SQLITE_DBCONFIG_TRUSTED_SCHEMA})
        sqlite3_db_config(m_db, option, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    waitFor(kReadWaitMs);
    return sqlite3_create_function_v2(m_db, "fold_case", 1, SQLITE_UTF16 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                      nullptr, foldCase, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool VisitorLog::open(const QString& path, Waiting waiting)
{
    close();
    m_error.clear();
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        m_error = QStringLiteral("The visitor log %1 is not a file.").arg(path);
        return false;
    }
    m_readOnly = onlyReadable(path);
    // A new database is made 0600; SQLite gives its journal files the database's own mode.
    const ScopedUmask ownerOnly(kOwnerOnlyMask);
    const QString cannotOpen = QStringLiteral("The visitor log %1 could not be opened").arg(path);
    if (!connect(path)) {
        fail(cannotOpen);
        close();
        return false;
    }
    const Wait wait(*this, waiting == Waiting::Registering ? kWriteWaitMs : kReadWaitMs);
    // The schema is read before anything is written, so a file that is no log is left as it was.
    const VisitorLogSchema schema = inspectVisitorLogSchema(m_db);
    if (schema.kind == VisitorLogSchema::Kind::Unreadable)
        m_error = QStringLiteral("%1: %2").arg(cannotOpen, heldElsewhere(m_db) ? heldMessage(path) : schema.why);
    else if (schema.kind == VisitorLogSchema::Kind::Foreign)
        m_error = QStringLiteral("The file %1 is not a visitor log: %2.").arg(path, schema.why);
    else if (schema.kind == VisitorLogSchema::Kind::Empty && m_readOnly)
        m_error = QStringLiteral("The visitor log %1 holds no table of visitors and cannot be written.").arg(path);
    if (!m_error.isEmpty()) {
        close();
        return false;
    }
    if (!m_readOnly) {
        restrictLogFiles(path);
        // NORMAL sync is durable across a killed process.
        if (!switchToWal() || !exec("PRAGMA synchronous=NORMAL")
            || (schema.kind == VisitorLogSchema::Kind::Empty && !exec(kVisitorTableSql))) {
            m_error = QStringLiteral("%1: %2").arg(cannotOpen, heldElsewhere(m_db) ? heldMessage(path) : m_error);
            close();
            return false;
        }
    }
    m_path = path;
    return true;
}

// WAL keeps readers and the writer apart. Switching to it needs the log to itself: a log another
// process is writing keeps its journal mode, which serves as well, and switches at a later open.
bool VisitorLog::switchToWal()
{
    const int waitMs = m_waitMs;
    waitFor(0);
    const bool switched = exec("PRAGMA journal_mode=WAL");
    waitFor(waitMs);
    if (switched || !heldElsewhere(m_db))
        return switched;
    m_error.clear();
    return true;
}

void VisitorLog::close()
{
    sqlite3_finalize(m_insert);
    m_insert = nullptr;
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_path.clear();
    m_readOnly = false;
}

std::optional<qint64> VisitorLog::add(const VisitorRecord& visitor)
{
    m_error.clear();
    if (!m_db) {
        m_error = QStringLiteral("The visitor log is not open.");
        return std::nullopt;
    }
    if (m_readOnly) {
        m_error = kVisitorNotStored.arg(QStringLiteral("the visitor log %1 can only be read, not written.").arg(m_path));
        return std::nullopt;
    }
    const QStringList fields = visitor.fields();
    for (int i = 0; i < kTextColumns; ++i)
        if (fields.at(i).size() > visitorFieldLimit(i)) {
            m_error = kVisitorNotStored.arg(visitorTooLong(visitorLogTitles().at(i + 1), visitorFieldLimit(i)));
            return std::nullopt;
        }
    const Wait waiting(*this, kWriteWaitMs);
    if (!exec("BEGIN IMMEDIATE")) {
        m_error = kVisitorNotStored.arg(heldElsewhere(m_db) ? heldMessage(m_path) + u'.' : m_error);
        return std::nullopt;
    }
    std::optional<qint64> sNo;
    // Prepared once per connection: every registration binds its values into the same statement.
    bool bound = m_insert || sqlite3_prepare_v3(m_db, kInsert, -1, SQLITE_PREPARE_PERSISTENT, &m_insert, nullptr) == SQLITE_OK;
    for (int i = 0; bound && i < kTextColumns; ++i) {
        const QString& value = fields.at(i);
        bound = sqlite3_bind_text16(m_insert, i + 1, value.utf16(), int(value.size() * 2), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    // SQLite numbers the row one past the largest, whatever its sign.
    if (bound && sqlite3_step(m_insert) == SQLITE_DONE)
        sNo = sqlite3_last_insert_rowid(m_db);
    else
        fail(QStringLiteral("The visitor could not be stored"));
    // A statement that could not be prepared is no statement to reset.
    if (m_insert) {
        sqlite3_reset(m_insert);
        sqlite3_clear_bindings(m_insert);
    }
    if (!sNo || !exec("COMMIT")) {
        const QString why = sNo ? kVisitorNotStored.arg(m_error) : m_error;
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        m_error = why;
        return std::nullopt;
    }
    return sNo;
}

QList<VisitorRecord> VisitorLog::select(const QString& name) const
{
    m_error.clear();
    m_note.clear();
    if (!m_db)
        return {};
    Statement query;
    if (sqlite3_prepare_v2(m_db, name.isNull() ? kSelectAll : kSelectByName, -1, &query.handle, nullptr) != SQLITE_OK) {
        fail(QStringLiteral("The visitor log could not be read"));
        return {};
    }
    if (!name.isNull())
        sqlite3_bind_text16(query.handle, 1, name.utf16(), int(name.size() * 2), SQLITE_TRANSIENT);
    VisitorListing listing;
    int step = SQLITE_ROW;
    while (!listing.full() && (step = sqlite3_step(query.handle)) == SQLITE_ROW) {
        QStringList fields;
        int cut = 0;
        for (int column = 1; column <= kTextColumns; ++column) {
            fields << textColumn(query.handle, column);
            cut += VisitorListing::cut(fields.last(), column - 1);
        }
        listing.take(VisitorRecord::fromFields(sqlite3_column_int64(query.handle, 0), fields), cut);
    }
    if (step != SQLITE_DONE && step != SQLITE_ROW && heldElsewhere(m_db))
        m_error = QStringLiteral("The visitor log could not be read: %1.").arg(heldMessage(m_path));
    else if (step != SQLITE_DONE && step != SQLITE_ROW)
        fail(QStringLiteral("The visitor log could not be read"));
    m_note = listing.note();
    return listing.visitors();
}

QList<VisitorRecord> VisitorLog::all() const
{
    return select(QString());
}

QList<VisitorRecord> VisitorLog::findByName(const QString& text) const
{
    return text.isEmpty() ? all() : select(text);
}

qint64 VisitorLog::count() const
{
    Statement query;
    if (!m_db || sqlite3_prepare_v2(m_db, "SELECT COUNT(*) FROM Visitor_Records", -1, &query.handle, nullptr) != SQLITE_OK
        || sqlite3_step(query.handle) != SQLITE_ROW)
        return -1;
    return sqlite3_column_int64(query.handle, 0);
}

QString VisitorLog::livePath()
{
    return QDir(QDir(Created_Resource_Path).filePath(QStringLiteral("Visitor_Log"))).filePath(QStringLiteral("Visitor.db"));
}

bool VisitorLog::openLive(Waiting waiting)
{
    const QString path = livePath();
    const QString folder = QFileInfo(path).absolutePath();
    // The user's folder is made as every folder of ours; the log's own folder is private.
    bool made = Create_Folder(QFileInfo(folder).absolutePath());
    if (made && !QFileInfo(folder).isDir()) {
        const ScopedUmask ownerOnly(kOwnerOnlyMask);
        made = QDir().mkdir(folder);
    }
    if (!made || !QFileInfo(folder).isDir()) {
        m_error = QStringLiteral("The folder of the visitor log %1 could not be made.").arg(path);
        return false;
    }
    if (!Restrict_To_Owner(folder))
        Show_NSLog_Message(QStringLiteral("The visitor log folder %1 could not be made private.").arg(folder));
    if (!QFileInfo::exists(path))
        seedFromShipped(QDir(Resource_Path).filePath(QStringLiteral("Visitor.db")), path);
    else if (QFileInfo(path).isFile() && QFileInfo(path).size() == 0 && !startAgainInEmptyFile(path))
        return false;
    return open(path, waiting);
}

bool VisitorLog::startAgainInEmptyFile(const QString& path)
{
    // A log of no bytes was cut short or replaced: its visitors are gone, which the user hears of
    // before a new log is made in its place.
    if (Show_YES_NO_MessageBox(kEmptyLogQuestion.arg(path)) == 1)
        return true;
    m_error = kEmptyLogLeftMessage.arg(path);
    return false;
}
