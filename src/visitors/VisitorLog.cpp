#include "visitors/VisitorLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

#include "platform/AppContext.h"
#include "platform/AtomicFile.h"
#include "platform/FileHelpers.h"
#include "platform/Log.h"
#include "platform/ScopedUmask.h"

namespace {

// The serial number is the row's key; the other columns are named after the export's titles.
const char* const kCreateTable =
    "CREATE TABLE IF NOT EXISTS Visitor_Records ("
    "S_No INTEGER PRIMARY KEY, Date_and_Time TEXT, Photo_Path TEXT, Name TEXT, Company_Name TEXT, "
    "Address TEXT, Phone TEXT, Email TEXT, Purpose TEXT, Person_to_Meet TEXT, Visitor_No TEXT, Other TEXT)";
const char* const kInsert =
    "INSERT INTO Visitor_Records (Date_and_Time, Photo_Path, Name, Company_Name, Address, Phone, Email, "
    "Purpose, Person_to_Meet, Visitor_No, Other) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)";
const char* const kSelectAll =
    "SELECT S_No, Date_and_Time, Photo_Path, Name, Company_Name, Address, Phone, Email, Purpose, "
    "Person_to_Meet, Visitor_No, Other FROM Visitor_Records";
constexpr int kBusyTimeoutMs = 5000;
constexpr int kTextColumns = 11;
// The shipped log is an empty database of a few pages.
constexpr qint64 kMaxShippedLogBytes = qint64(1) << 20;
// The log holds people's data: what is created for it is its owner's alone.
constexpr mode_t kOwnerOnlyMask = 077;

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
        if (!Restrict_To_Owner(file))
            Show_NSLog_Message(QStringLiteral("The visitor log file %1 could not be made private.").arg(file));
    }
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

bool VisitorLog::open(const QString& path)
{
    close();
    m_error.clear();
    restrictLogFiles(path);
    // A new database is made 0600; SQLite gives its journal files the database's own mode.
    const ScopedUmask ownerOnly(kOwnerOnlyMask);
    const QByteArray file = QFile::encodeName(path);
    if (sqlite3_open_v2(file.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK
        || sqlite3_create_function_v2(m_db, "fold_case", 1, SQLITE_UTF16 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                      nullptr, foldCase, nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail(QStringLiteral("The visitor log %1 could not be opened").arg(path));
        close();
        return false;
    }
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    // WAL keeps readers and the writer apart; NORMAL sync is durable across a killed process.
    if (!exec("PRAGMA journal_mode=WAL") || !exec("PRAGMA synchronous=NORMAL") || !exec(kCreateTable)) {
        m_error = QStringLiteral("The visitor log %1 could not be opened: %2").arg(path, m_error);
        close();
        return false;
    }
    m_path = path;
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
}

qint64 VisitorLog::add(const VisitorRecord& visitor)
{
    if (!m_db) {
        m_error = QStringLiteral("The visitor log is not open.");
        return -1;
    }
    if (!exec("BEGIN IMMEDIATE")) {
        m_error = QStringLiteral("The visitor could not be stored: %1").arg(m_error);
        return -1;
    }
    qint64 sNo = -1;
    // Prepared once per connection: every registration binds its values into the same statement.
    bool bound = m_insert || sqlite3_prepare_v3(m_db, kInsert, -1, SQLITE_PREPARE_PERSISTENT, &m_insert, nullptr) == SQLITE_OK;
    const QStringList fields = visitor.fields();
    for (int i = 0; bound && i < kTextColumns; ++i) {
        const QString& value = fields.at(i);
        bound = sqlite3_bind_text16(m_insert, i + 1, value.utf16(), int(value.size() * 2), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    if (bound && sqlite3_step(m_insert) == SQLITE_DONE)
        sNo = sqlite3_last_insert_rowid(m_db);
    else
        fail(QStringLiteral("The visitor could not be stored"));
    sqlite3_reset(m_insert);
    sqlite3_clear_bindings(m_insert);
    if (sNo < 0 || !exec("COMMIT")) {
        const QString why = sNo < 0 ? m_error : QStringLiteral("The visitor could not be stored: %1").arg(m_error);
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        m_error = why;
        return -1;
    }
    return sNo;
}

QList<VisitorRecord> VisitorLog::select(const char* sql, const QString& parameter) const
{
    QList<VisitorRecord> visitors;
    m_error.clear();
    if (!m_db)
        return visitors;
    Statement query;
    if (sqlite3_prepare_v2(m_db, sql, -1, &query.handle, nullptr) != SQLITE_OK) {
        fail(QStringLiteral("The visitor log could not be read"));
        return visitors;
    }
    if (!parameter.isNull())
        sqlite3_bind_text16(query.handle, 1, parameter.utf16(), int(parameter.size() * 2), SQLITE_TRANSIENT);
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(query.handle)) == SQLITE_ROW) {
        QStringList fields;
        for (int column = 1; column <= kTextColumns; ++column)
            fields << textColumn(query.handle, column);
        visitors << VisitorRecord::fromFields(sqlite3_column_int64(query.handle, 0), fields);
    }
    if (step != SQLITE_DONE)
        fail(QStringLiteral("The visitor log could not be read"));
    return visitors;
}

QList<VisitorRecord> VisitorLog::all() const
{
    static const QByteArray sql = QByteArray(kSelectAll) + " ORDER BY S_No";
    return select(sql.constData(), QString());
}

QList<VisitorRecord> VisitorLog::findByName(const QString& text) const
{
    if (text.isEmpty())
        return all();
    // instr() takes the text as it is: "%" and "_" are only themselves.
    static const QByteArray sql = QByteArray(kSelectAll) + " WHERE instr(fold_case(Name), fold_case(?1)) > 0 ORDER BY S_No";
    return select(sql.constData(), text);
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

bool VisitorLog::openLive()
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
    return open(path);
}
