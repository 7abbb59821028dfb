#pragma once
// The visitor log: an SQLite database holding the table Visitor_Records, one row per registered
// visitor. Values only ever reach SQL as bound parameters. The database runs in WAL mode with a
// busy timeout, and each registration is one transaction, so a process killed half-way leaves
// every visitor stored before it and nothing half-written.
#include <QList>
#include <QString>

#include "visitors/VisitorRecord.h"

struct sqlite3;
struct sqlite3_stmt;

class VisitorLog {
public:
    VisitorLog() = default;
    ~VisitorLog();
    VisitorLog(const VisitorLog&) = delete;
    VisitorLog& operator=(const VisitorLog&) = delete;

    // Opens (creating when missing) the database at path with its table; false, with lastError()
    // saying why, when it cannot be opened or is not a visitor log. The database and its journal
    // files are their owner's alone (0600): made so, and narrowed when an older log is wider.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString path() const { return m_path; }

    // Stores the visitor in one transaction; the serial number given, or -1 (lastError()) when
    // nothing was stored.
    qint64 add(const VisitorRecord& visitor);
    // Every visitor, in the order of registration.
    QList<VisitorRecord> all() const;
    // The visitors whose name holds text, whatever the case of any letter; all for an empty text.
    QList<VisitorRecord> findByName(const QString& text) const;
    qint64 count() const;

    QString lastError() const { return m_error; }

    // The application's live log: Visitor_Log/Visitor.db in the user's folder.
    static QString livePath();
    // Opens the live log, seeding it from the shipped empty Visitor.db when it is missing, in a
    // folder only its owner may enter (0700).
    bool openLive();

private:
    bool exec(const char* sql);
    bool fail(const QString& what) const;
    QList<VisitorRecord> select(const char* sql, const QString& parameter) const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_insert = nullptr;
    QString m_path;
    mutable QString m_error;
};
