#pragma once
// Who holds a visitor log another process is writing: SQLite locks byte ranges of the database
// (rollback journal) or of its shared-memory file (WAL) with POSIX locks, whose holder the system
// names.
#include <QString>

// "<program> (process <id>)" for the process holding a write lock on the log at path, "another
// program" when none is found (the lock gone, or taken another way).
QString visitorLogHolder(const QString& path);
