#include "visitors/VisitorLogSchema.h"

#include <QRegularExpression>
#include <sqlite3.h>

const char* const kVisitorTableSql =
    "CREATE TABLE Visitor_Records ("
    "S_No INTEGER PRIMARY KEY, Date_and_Time TEXT, Photo_Path TEXT, Name TEXT, Company_Name TEXT, "
    "Address TEXT, Phone TEXT, Email TEXT, Purpose TEXT, Person_to_Meet TEXT, Visitor_No TEXT, Other TEXT)";

namespace {

// A statement as SQLite reads it: the case of words and the spaces between them do not count.
QString normalised(const QString& sql)
{
    static const QRegularExpression spaceBesidePunctuation(QStringLiteral(" ?([(),]) ?"));
    return sql.simplified().toCaseFolded().replace(spaceBesidePunctuation, QStringLiteral("\\1"));
}

// The first row of a query, read a column at a time; false when SQLite could not run it.
class FirstRow {
public:
    FirstRow(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) == SQLITE_OK)
            m_step = sqlite3_step(m_statement);
    }
    ~FirstRow() { sqlite3_finalize(m_statement); }
    FirstRow(const FirstRow&) = delete;
    FirstRow& operator=(const FirstRow&) = delete;

    bool ran() const { return m_step == SQLITE_ROW || m_step == SQLITE_DONE; }
    bool found() const { return m_step == SQLITE_ROW; }
    qint64 number(int column) const { return found() ? sqlite3_column_int64(m_statement, column) : 0; }
    QString text(int column) const
    {
        const auto* text = found() ? reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column)) : nullptr;
        return text ? QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column)) : QString();
    }

private:
    sqlite3_stmt* m_statement = nullptr;
    int m_step = SQLITE_ERROR;
};

}  // namespace

VisitorLogSchema inspectVisitorLogSchema(sqlite3* db)
{
    const auto unreadable = [db] { return VisitorLogSchema{VisitorLogSchema::Kind::Unreadable, QString::fromUtf8(sqlite3_errmsg(db))}; };
    const auto foreign = [](const char* why) { return VisitorLogSchema{VisitorLogSchema::Kind::Foreign, QString::fromUtf8(why)}; };

    const FirstRow objects(db, "SELECT count(*) FROM sqlite_schema");
    if (!objects.ran())
        return unreadable();
    if (objects.number(0) == 0)
        return {VisitorLogSchema::Kind::Empty, QString()};

    const FirstRow table(db, "SELECT type, sql, count(*) FROM sqlite_schema WHERE name = 'Visitor_Records' COLLATE NOCASE");
    if (!table.ran())
        return unreadable();
    if (table.number(2) == 0)
        return foreign("it holds no table Visitor_Records");
    if (table.text(0) == QLatin1String("view"))
        return foreign("its Visitor_Records is a view, not a table");
    if (table.number(2) != 1 || table.text(0) != QLatin1String("table")
        || normalised(table.text(1)) != normalised(QString::fromUtf8(kVisitorTableSql)))
        return foreign("its table Visitor_Records is not made as a visitor log's");

    // Each count read before the next query, whose outcome would replace SQLite's reason.
    struct Forbidden {
        const char* sql;
        const char* why;
    };
    for (const Forbidden& forbidden :
         {Forbidden{"SELECT count(*) FROM sqlite_schema WHERE type = 'trigger'", "it holds triggers"},
          Forbidden{"SELECT count(*) FROM sqlite_schema WHERE type = 'view'", "it holds views"},
          Forbidden{"SELECT count(*) FROM pragma_index_list('Visitor_Records') AS i WHERE i.partial "
                    "OR EXISTS (SELECT 1 FROM pragma_index_xinfo(i.name) WHERE cid = -2)",
                    "it holds an index that computes values"}}) {
        const FirstRow found(db, forbidden.sql);
        if (!found.ran())
            return unreadable();
        if (found.number(0) > 0)
            return foreign(forbidden.why);
    }
    return {VisitorLogSchema::Kind::Log, QString()};
}
