#pragma once
// What a database file holds, as the visitor log sees it. A log comes from the user's disk like
// any file: its schema is read before anything runs against it, and only the log's own table,
// made as the log makes it, is taken. Views and triggers run code of the file's choosing, and an
// index over expressions or with a condition computes values on every registration: a visitor
// log holds none of them.
#include <QString>

struct sqlite3;

// The statement that makes the log's table: the serial number is the row's key, the other
// columns are named after the export's titles.
extern const char* const kVisitorTableSql;

struct VisitorLogSchema {
    enum class Kind { Empty, Log, Foreign, Unreadable };
    Kind kind = Kind::Unreadable;
    // Why the file is not a visitor log (Foreign), or SQLite's reason (Unreadable).
    QString why;
};

VisitorLogSchema inspectVisitorLogSchema(sqlite3* db);
