// The visitor log trusts its file no more than any other: each hostile log is made at test time
// with Python's sqlite3. A file that is not a log is refused at open and left as it was, a statement
// that cannot be prepared is a refusal, reads are bounded, a negative serial number does not stop
// registering, and a log that can only be read is listed.
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "visitors/VisitorLog.h"
#include "visitors/VisitorRegistration.h"
#include "visitors/VisitorSamples.h"

namespace {

// The table as the log makes it, written here by hand so that the test pins it.
const char* const kLogTable =
    "CREATE TABLE Visitor_Records (S_No INTEGER PRIMARY KEY, Date_and_Time TEXT, Photo_Path TEXT, Name TEXT, "
    "Company_Name TEXT, Address TEXT, Phone TEXT, Email TEXT, Purpose TEXT, Person_to_Meet TEXT, Visitor_No TEXT, "
    "Other TEXT);";

// Runs the statements on a database at path with Python's sqlite3; the test stops when they fail.
void makeDatabase(const QString& path, const QString& statements)
{
    const auto made = TestEnvironment::runPython(QStringLiteral("import sqlite3, sys\n"
                                                                "db = sqlite3.connect(sys.argv[1])\n"
                                                                "db.executescript(sys.argv[2])\n"
                                                                "db.commit()\n"
                                                                "db.close()\n"),
                                                 {path, statements});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
}

QByteArray fingerprint(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

QString shellText(const QString& db, const QString& sql)
{
    return QString::fromUtf8(TestEnvironment::run(QStringLiteral("sqlite3"), {db, sql}).out).trimmed();
}

class HostileVisitorLogTest : public ::testing::Test {
protected:
    QString dbPath(const char* name = "Visitor.db") const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter installed{messages};
};

TEST_F(HostileVisitorLogTest, ARegistrationWhoseInsertCannotBePreparedIsRefusedWithTheReason)
{
    // The table changed behind the open log's back, then read once (the window lists it) so the
    // log knows the new schema when it first prepares its INSERT.
    const struct {
        const char* change;
        const char* reason;
    } cases[] = {
        {"ALTER TABLE Visitor_Records RENAME TO Kept; CREATE VIEW Visitor_Records AS SELECT * FROM Kept;",
         "cannot modify Visitor_Records because it is a view"},
        {"DROP TABLE Visitor_Records; CREATE TABLE Visitor_Records (S_No INTEGER PRIMARY KEY, Name TEXT);",
         "table Visitor_Records has no column named Date_and_Time"},
    };
    int n = 0;
    for (const auto& hostile : cases) {
        SCOPED_TRACE(hostile.change);
        const QString path = dir.filePath(QStringLiteral("changed%1.db").arg(++n));
        VisitorLog log;
        ASSERT_TRUE(log.open(path)) << qPrintable(log.lastError());
        ASSERT_NO_FATAL_FAILURE(makeDatabase(path, QString::fromLatin1(hostile.change)));
        log.all();
        EXPECT_EQ(Register_Visitor(log, sampleVisitor(QStringLiteral("Ana Souza"), QString(), QString())), 0);
        EXPECT_EQ(messages.texts().value(n - 1),
                  QStringLiteral("\nThe visitor could not be stored: %1").arg(QLatin1String(hostile.reason)));
        EXPECT_EQ(shellText(path, QStringLiteral("SELECT count(*) FROM Visitor_Records")), QStringLiteral("0"));
    }
}

// A log that cannot be opened says so; a registration refused for its own reason leaves nothing
// of that reason behind for the next one.
TEST_F(HostileVisitorLogTest, AnUnreachableLogSaysWhyAndARefusalIsForgottenByTheNextRegistration)
{
    VisitorLog unreachable;
    const QString missing = dir.filePath(QStringLiteral("no such folder/Visitor.db"));
    EXPECT_FALSE(unreachable.open(missing));
    EXPECT_EQ(unreachable.lastError(),
              QStringLiteral("The visitor log %1 could not be opened: unable to open database file").arg(missing));
    EXPECT_FALSE(QFileInfo::exists(missing));

    VisitorLog log;
    ASSERT_TRUE(log.open(dir.filePath(QStringLiteral("sound.db")))) << qPrintable(log.lastError());
    VisitorRecord tooLong = sampleVisitor(QStringLiteral("Ana Souza"), QString(), QString());
    tooLong.name = QString(visitorFieldLimit(0) + 1, u'x');
    EXPECT_FALSE(log.add(tooLong));
    EXPECT_TRUE(log.lastError().startsWith(QStringLiteral("The visitor could not be stored: its "))) << qPrintable(log.lastError());
    EXPECT_TRUE(log.add(sampleVisitor(QStringLiteral("Ana Souza"), QString(), QString())));
    EXPECT_EQ(log.lastError(), QString());
}

TEST_F(HostileVisitorLogTest, AFileThatIsNotALogIsRefusedAtOpenAndLeftAsItWas)
{
    const QString row = QStringLiteral("INSERT INTO Visitor_Records (Name) VALUES ('Ana Souza');");
    const struct {
        const char* name;
        QString statements;
        const char* why;
    } cases[] = {
        // A listing of it would never end.
        {"endless view",
         "CREATE VIEW Visitor_Records AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) "
         "SELECT i AS S_No, '' AS Date_and_Time, '' AS Photo_Path, 'x' AS Name, '' AS Company_Name, '' AS Address, "
         "'' AS Phone, '' AS Email, '' AS Purpose, '' AS Person_to_Meet, '' AS Visitor_No, '' AS Other FROM n;",
         "its Visitor_Records is a view, not a table"},
        {"fewer columns", "CREATE TABLE Visitor_Records (S_No INTEGER PRIMARY KEY, Name TEXT);",
         "its table Visitor_Records is not made as a visitor log's"},
        {"virtual table",
         "CREATE VIRTUAL TABLE Visitor_Records USING fts5(Date_and_Time, Photo_Path, Name, Company_Name, Address, "
         "Phone, Email, Purpose, Person_to_Meet, Visitor_No, Other);",
         "its table Visitor_Records is not made as a visitor log's"},
        // Each registration would run it.
        {"insert trigger",
         kLogTable + row
             + QStringLiteral("CREATE TABLE Busy (x); CREATE TRIGGER slow AFTER INSERT ON Visitor_Records BEGIN "
                              "INSERT INTO Busy WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                              "WHERE i < 10000000) SELECT count(*) FROM n; END;"),
         "it holds triggers"},
        {"view beside the table", kLogTable + QStringLiteral("CREATE VIEW Recent AS SELECT * FROM Visitor_Records;") + row,
         "it holds views"},
        {"index on an expression", kLogTable + QStringLiteral("CREATE INDEX Folded ON Visitor_Records (lower(Name));") + row,
         "it holds an index that computes values"},
        {"another program's database", "CREATE TABLE Invoices (Number INTEGER PRIMARY KEY, Total REAL);",
         "it holds no table Visitor_Records"},
    };
    for (const auto& hostile : cases) {
        SCOPED_TRACE(hostile.name);
        const QString path = dir.filePath(QString::fromLatin1(hostile.name) + QStringLiteral(".db"));
        ASSERT_NO_FATAL_FAILURE(makeDatabase(path, hostile.statements));
        const QByteArray before = fingerprint(path);
        VisitorLog log;
        ASSERT_FALSE(log.open(path));
        EXPECT_EQ(log.lastError(), QStringLiteral("The file %1 is not a visitor log: %2.").arg(path, QLatin1String(hostile.why)));
        EXPECT_FALSE(log.isOpen());
        EXPECT_EQ(fingerprint(path), before);
        EXPECT_FALSE(QFile::exists(path + QStringLiteral("-wal")));
    }

    // A pipe where the log is expected is not waited on.
    const QString pipe = dbPath("pipe.db");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    VisitorLog log;
    EXPECT_FALSE(log.open(pipe));
    EXPECT_EQ(log.lastError(), QStringLiteral("The visitor log %1 is not a file.").arg(pipe));
}

TEST_F(HostileVisitorLogTest, ReadsAreBoundedTextsCutAndAValuePastAnyLimitRefused)
{
    // 50,001 visitors, the newest with a name and a photo reference longer than the log keeps.
    const QString many = dbPath("many.db");
    ASSERT_NO_FATAL_FAILURE(makeDatabase(
        many, kLogTable + QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50000) "
                                         "INSERT INTO Visitor_Records (Name) SELECT 'Visitor ' || i FROM n; "
                                         "INSERT INTO Visitor_Records (Name, Photo_Path) VALUES "
                                         "(replace(hex(zeroblob(35000)), '0', 'n'), replace(hex(zeroblob(150000)), '0', 'p'));")));
    VisitorLog log;
    ASSERT_TRUE(log.open(many)) << qPrintable(log.lastError());
    const QList<VisitorRecord> listed = log.all();
    EXPECT_EQ(log.lastError(), QString());
    ASSERT_EQ(listed.size(), 50000);
    EXPECT_EQ(listed.first().sNo, 2);
    EXPECT_EQ(listed.first().name, QStringLiteral("Visitor 2"));
    EXPECT_EQ(listed.last().sNo, 50001);
    EXPECT_EQ(listed.last().name, QString(65536, u'n'));
    EXPECT_EQ(listed.last().photoPath, QString(262144, u'p'));
    EXPECT_EQ(log.listingNote(),
              QStringLiteral("Only the latest 50000 visitors are listed. 2 text(s) longer than the log keeps were cut short."));
    EXPECT_EQ(log.findByName(QStringLiteral("visitor 4999")).size(), 11);
    EXPECT_EQ(log.listingNote(), QString());

    // What the log would not read back is not stored.
    VisitorRecord longName = sampleVisitor(QString(65537, u'n'), QString(), QString());
    EXPECT_EQ(Register_Visitor(log, longName), 0);
    EXPECT_EQ(messages.texts(), QStringList{"\nThe visitor could not be stored: its Name is longer than 65536 characters."});
    EXPECT_EQ(log.count(), 50001);

    // A value of 17 MB is past what SQLite is let hand over: the listing says so.
    const QString huge = dbPath("huge.db");
    ASSERT_NO_FATAL_FAILURE(makeDatabase(
        huge, kLogTable + QStringLiteral("INSERT INTO Visitor_Records (Name) VALUES ('Ana Souza'); "
                                         "INSERT INTO Visitor_Records (Other) VALUES (zeroblob(17000000));")));
    VisitorLog hugeLog;
    ASSERT_TRUE(hugeLog.open(huge)) << qPrintable(hugeLog.lastError());
    EXPECT_EQ(hugeLog.all().size(), 0);
    EXPECT_EQ(hugeLog.lastError(), QStringLiteral("The visitor log could not be read: string or blob too big"));
}

TEST_F(HostileVisitorLogTest, ANegativeOrLargestSerialNumberIsNoBarToRegistering)
{
    // SQLite numbers a new row one past the largest: -2 after -3.
    const QString negative = dbPath("negative.db");
    ASSERT_NO_FATAL_FAILURE(makeDatabase(
        negative, kLogTable + QStringLiteral("INSERT INTO Visitor_Records (S_No, Name) VALUES (-7, 'Li Wei'), (-3, 'Omar Farah');")));
    VisitorLog log;
    ASSERT_TRUE(log.open(negative)) << qPrintable(log.lastError());
    EXPECT_EQ(Register_Visitor(log, sampleVisitor(QStringLiteral("Ana Souza"), QString(), QString())), 1);
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(shellText(negative, QStringLiteral("SELECT S_No, Name FROM Visitor_Records ORDER BY S_No")),
              QStringLiteral("-7|Li Wei\n-3|Omar Farah\n-2|Ana Souza"));
    EXPECT_EQ(log.all().last().sNo, -2);

    // Past the largest serial number SQLite picks an unused one at random, of either sign.
    const QString largest = dbPath("largest.db");
    ASSERT_NO_FATAL_FAILURE(makeDatabase(
        largest, kLogTable + QStringLiteral("INSERT INTO Visitor_Records (S_No, Name) VALUES (9223372036854775807, 'Li Wei');")));
    VisitorLog full;
    ASSERT_TRUE(full.open(largest)) << qPrintable(full.lastError());
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Register_Visitor(full, sampleVisitor(QStringLiteral("Guest %1").arg(i), QString(), QString())), 1);
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(full.count(), 9);
}

// Runs visitor-probe as a user who may only read what root made: root writes whatever the
// permission bits say, so the probe runs as nobody when the tests run as root.
TestEnvironment::ProcessResult probeAsReader(const QStringList& arguments)
{
    if (::geteuid() != 0)
        return TestEnvironment::run(QStringLiteral(ZOVA_VISITOR_PROBE), arguments);
    return TestEnvironment::run(QStringLiteral("/usr/bin/setpriv"),
                                QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", ZOVA_VISITOR_PROBE} + arguments);
}

TEST_F(HostileVisitorLogTest, ALogThatCanOnlyBeReadIsListedAndRegisteringSaysItCannotBeWritten)
{
    const QString folder = dir.filePath(QStringLiteral("Visitor_Log"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/Visitor.db");
    {
        VisitorLog log;
        ASSERT_TRUE(log.open(path));
        ASSERT_EQ(log.add(sampleVisitor(QStringLiteral("Ana Souza"), QString(), QString())), 1);
        ASSERT_EQ(log.add(sampleVisitor(QStringLiteral("Li Wei"), QString(), QString())), 2);
    }
    ASSERT_FALSE(QFile::exists(path + QStringLiteral("-wal")));
    // Readable by all, writable by no one but root: the log, its folder and the folder above.
    const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto enterable = readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(path, readable));
    ASSERT_TRUE(QFile::setPermissions(folder, enterable));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), enterable | QFile::WriteOwner));
    const QByteArray before = fingerprint(path);

    const auto listed = probeAsReader({QStringLiteral("list"), path});
    EXPECT_EQ(listed.exitCode, 0) << listed.err.constData();
    EXPECT_EQ(listed.out, "1|Ana Souza\n2|Li Wei\n");
    const auto registered = probeAsReader({QStringLiteral("register"), path, QStringLiteral("1")});
    EXPECT_EQ(registered.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(registered.err),
              QStringLiteral("The visitor could not be stored: the visitor log %1 can only be read, not written.\n").arg(path));
    EXPECT_EQ(fingerprint(path), before);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("-wal")));
    ASSERT_TRUE(QFile::setPermissions(folder, enterable | QFile::WriteOwner));
}

}  // namespace
