#pragma once
// The visitor log: an SQLite database holding the table Visitor_Records, one row per registered
// visitor. Values only ever reach SQL as bound parameters. The database runs in WAL mode (once no
// other process is writing it when it is opened) with a busy timeout, and each registration is
// one transaction, so a process killed half-way leaves
// every visitor stored before it and nothing half-written. The file is trusted no more than any
// other: a log not made as the log makes it is refused, and what is read from it is bounded.
#include <QList>
#include <QString>
#include <optional>

#include "visitors/VisitorRecord.h"

inline const QString kEmptyLogQuestion =
    QStringLiteral("The visitor log %1 is empty: the visitors it held are gone, or it was replaced by an empty file."
                   "\n\nDo you want to start a new visitor log in its place?");
// What a refused registration says, with the reason.
inline const QString kVisitorNotStored = QStringLiteral("The visitor could not be stored: %1");
inline const QString kEmptyLogLeftMessage = QStringLiteral("The visitor log %1 is empty and was left as it is.");

struct sqlite3;
struct sqlite3_stmt;

class VisitorLog {
public:
    VisitorLog() = default;
    ~VisitorLog();
    VisitorLog(const VisitorLog&) = delete;
    VisitorLog& operator=(const VisitorLog&) = delete;

    // Opens (creating when missing) the database at path with its table; false, with lastError()
    // saying why, when it cannot be opened or is not a visitor log: a file whose Visitor_Records is
    // not the table the log makes, or that holds views, triggers or computed indexes, is left as it
    // was. A log this user may not write is opened for reading only, unchanged. The database and its journal files are their owner's
    // alone (0600): made so, and narrowed when an older log is wider.
    // A listing waits a moment for another process's write to end; a registration waits as long
    // as its write may, from the opening on.
    enum class Waiting { Listing, Registering };
    bool open(const QString& path, Waiting waiting = Waiting::Listing);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    bool isReadOnly() const { return m_readOnly; }
    QString path() const { return m_path; }

    // Stores the visitor in one transaction; the serial number given (SQLite's next after the
    // largest, whatever its sign), or none (lastError()) when nothing was stored. A text longer
    // than its field's limit (visitorFieldLimit()) and a log opened for reading are refused.
    // A log another process keeps busy past a few seconds is refused too, the error naming that
    // process.
    std::optional<qint64> add(const VisitorRecord& visitor);
    // Every visitor, in the order of registration, within the bounds of a VisitorListing: the
    // latest ones when there are more, texts cut to their limits; listingNote() says what is not
    // shown. A value past what SQLite is let hand over ends the listing with lastError().
    QList<VisitorRecord> all() const;
    // The visitors whose name holds text, whatever the case of any letter; all for an empty text.
    QList<VisitorRecord> findByName(const QString& text) const;
    qint64 count() const;

    QString lastError() const { return m_error; }
    QString listingNote() const { return m_note; }

    // The application's live log: Visitor_Log/Visitor.db in the user's folder.
    static QString livePath();
    // Opens the live log, seeding it from the shipped empty Visitor.db when it is missing, in a
    // folder only its owner may enter (0700). A live log of no bytes becomes a new log only when
    // the user says so.
    bool openLive(Waiting waiting = Waiting::Listing);

private:
    class Wait;
    // How long the connection waits for another's write.
    void waitFor(int ms);
    // The connection, read-only when m_readOnly, with its limits; false when SQLite refused it.
    bool connect(const QString& path);
    // Asks whether a new log may be made in the empty file; false, with lastError(), when not.
    bool startAgainInEmptyFile(const QString& path);
    bool exec(const char* sql);
    bool switchToWal();
    bool fail(const QString& what) const;
    // The visitors whose name holds name, all for a null text.
    QList<VisitorRecord> select(const QString& name) const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_insert = nullptr;
    QString m_path;
    bool m_readOnly = false;
    int m_waitMs = 0;  // how long the connection waits for another's write, as it stands
    mutable QString m_error;
    mutable QString m_note;
};
