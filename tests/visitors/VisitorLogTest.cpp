// The visitor log: what is stored is read back by the sqlite3 shell exactly as typed, searches by
// name, failures are reported, and a process killed while registering leaves a sound database.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <csignal>

#include "platform/AppContext.h"
#include "platform/ScopedUmask.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "visitors/VisitorSamples.h"
#include "visitors/VisitorLog.h"
#include "visitors/VisitorLogExport.h"
#include "visitors/VisitorRegistration.h"

namespace {

const QString kHostileName = QStringLiteral("O'Brien'); DROP TABLE Visitor_Records;--");

QString shellText(const QString& db, const QString& sql)
{
    const auto result = TestEnvironment::run(QStringLiteral("sqlite3"), {db, sql});
    return QString::fromUtf8(result.out).trimmed();
}

class VisitorLogTest : public ::testing::Test {
protected:
    QString dbPath() const { return dir.filePath(QStringLiteral("Visitor.db")); }
    QTemporaryDir dir;
};

TEST_F(VisitorLogTest, VisitorsWithPhotosAreRowsTheShellReadsAsTyped)
{
    VisitorLog log;
    ASSERT_TRUE(log.open(dbPath())) << qPrintable(log.lastError());
    EXPECT_EQ(log.add(sampleVisitor(QStringLiteral("Ana Souza"), QStringLiteral("/photos/ana.png"), QStringLiteral("V-001"))), 1);
    EXPECT_EQ(log.add(sampleVisitor(QStringLiteral("Li Wei"), QStringLiteral("/photos/li.jpg<IMG_FILTER>0_0_1_"), QStringLiteral("V-002"))), 2);
    VisitorRecord hostile = sampleVisitor(kHostileName, QString(), QStringLiteral("V'; --"));
    hostile.other = QStringLiteral("100% \"quoted\" _under_ \\slash");
    EXPECT_EQ(log.add(hostile), 3);

    EXPECT_EQ(shellText(dbPath(), QStringLiteral("SELECT S_No, Name, Photo_Path, Visitor_No, Other FROM Visitor_Records")),
              QStringLiteral("1|Ana Souza|/photos/ana.png|V-001|Badge returned\n"
                             "2|Li Wei|/photos/li.jpg<IMG_FILTER>0_0_1_|V-002|Badge returned\n"
                             "3|%1||V'; --|100% \"quoted\" _under_ \\slash").arg(kHostileName));
    EXPECT_EQ(shellText(dbPath(), QStringLiteral("PRAGMA journal_mode")), QStringLiteral("wal"));
    const QList<VisitorRecord> all = log.all();
    ASSERT_EQ(all.size(), 3);
    VisitorRecord expected = sampleVisitor(QStringLiteral("Ana Souza"), QStringLiteral("/photos/ana.png"), QStringLiteral("V-001"));
    expected.sNo = 1;
    EXPECT_EQ(all[0], expected);
    EXPECT_EQ(all[2].name, kHostileName);
    ASSERT_EQ(log.findByName(QStringLiteral("o'brien')")).size(), 1);
    EXPECT_EQ(log.findByName(QStringLiteral("o'brien')")).first().sNo, 3);
}

TEST_F(VisitorLogTest, SearchByNameIgnoresCaseAndTakesWildcardsLiterally)
{
    VisitorLog log;
    ASSERT_TRUE(log.open(dbPath()));
    for (const char* name : {"Maria Lopez", "Mario Rossi", "Omar Farah", "100% Mart_in"})
        ASSERT_GT(log.add(sampleVisitor(QString::fromUtf8(name), QString(), QString())), 0);

    auto names = [&](const QString& text) {
        QStringList found;
        for (const VisitorRecord& record : log.findByName(text))
            found << record.name;
        return found;
    };
    EXPECT_EQ(names(QStringLiteral("MAR")), (QStringList{"Maria Lopez", "Mario Rossi", "Omar Farah", "100% Mart_in"}));
    EXPECT_EQ(names(QStringLiteral("ari")), (QStringList{"Maria Lopez", "Mario Rossi"}));
    EXPECT_EQ(names(QStringLiteral("%")), QStringList{"100% Mart_in"});
    EXPECT_EQ(names(QStringLiteral("t_i")), QStringList{"100% Mart_in"});
    EXPECT_EQ(names(QStringLiteral("nobody")), QStringList{});
    EXPECT_EQ(names(QString()).size(), 4);
}

TEST_F(VisitorLogTest, SearchByNameFoldsTheCaseOfEveryLetterInALogTheShellMade)
{
    // A log as an older version left it, written by the sqlite3 shell: the search needs nothing new in it.
    const auto made = TestEnvironment::run(
        QStringLiteral("sqlite3"),
        {dbPath(), QStringLiteral("CREATE TABLE Visitor_Records (S_No INTEGER PRIMARY KEY, Date_and_Time TEXT, "
                                  "Photo_Path TEXT, Name TEXT, Company_Name TEXT, Address TEXT, Phone TEXT, Email TEXT, "
                                  "Purpose TEXT, Person_to_Meet TEXT, Visitor_No TEXT, Other TEXT); "
                                  "INSERT INTO Visitor_Records (Name) VALUES ('Zo\u00eb Quinn'), ('\u0141ukasz \u017bak'), "
                                  "('\u03a3\u03bf\u03c6\u03af\u03b1 \u03a0\u03b1\u03c0\u03c0\u03ac'), ('Zoe Ng'), (NULL);")});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    VisitorLog log;
    ASSERT_TRUE(log.open(dbPath())) << qPrintable(log.lastError());
    ASSERT_GT(log.add(sampleVisitor(QStringLiteral("\u00c9LODIE 50% D_URAND"), QString(), QString())), 0);

    auto names = [&](const QString& text) {
        QStringList found;
        for (const VisitorRecord& record : log.findByName(text))
            found << record.name;
        return found.join(u'|').toStdString();
    };
    EXPECT_EQ(names(QStringLiteral("zo\u00cb")), "Zo\u00eb Quinn");
    EXPECT_EQ(names(QStringLiteral("ZOE")), "Zoe Ng");
    EXPECT_EQ(names(QStringLiteral("\u0142UKASZ \u017cAK")), "\u0141ukasz \u017bak");
    EXPECT_EQ(names(QStringLiteral("\u03a3\u039f\u03a6\u038a\u0391")), "\u03a3\u03bf\u03c6\u03af\u03b1 \u03a0\u03b1\u03c0\u03c0\u03ac");
    EXPECT_EQ(names(QStringLiteral("\u00e9lodie")), "\u00c9LODIE 50% D_URAND");
    // Wildcards are only themselves, whatever the case around them.
    EXPECT_EQ(names(QStringLiteral("0% d_u")), "\u00c9LODIE 50% D_URAND");
    EXPECT_EQ(names(QStringLiteral("d%u")), "");
    EXPECT_EQ(names(QStringLiteral("z_e")), "");
    EXPECT_EQ(log.findByName(QString()).size(), 6);
}

TEST_F(VisitorLogTest, AFailedOpenOrWriteIsReportedAndStoresNothing)
{
    VisitorLog missingFolder;
    EXPECT_FALSE(missingFolder.open(dir.filePath(QStringLiteral("no/such/folder/Visitor.db"))));
    EXPECT_TRUE(missingFolder.lastError().startsWith(QStringLiteral("The visitor log ")));
    EXPECT_EQ(missingFolder.add(sampleVisitor(QStringLiteral("A"), QString(), QString())), std::nullopt);
    EXPECT_EQ(missingFolder.lastError(), QStringLiteral("The visitor log is not open."));

    QFile notADatabase(dbPath());
    ASSERT_TRUE(notADatabase.open(QIODevice::WriteOnly));
    notADatabase.write(QByteArray(4096, 'x'));
    notADatabase.close();
    VisitorLog garbage;
    EXPECT_FALSE(garbage.open(dbPath()));
    EXPECT_TRUE(garbage.lastError().contains(QStringLiteral("file is not a database"))) << qPrintable(garbage.lastError());

    // The table taken away behind the log's back: the write fails and says so.
    const QString other = dir.filePath(QStringLiteral("Other.db"));
    VisitorLog log;
    ASSERT_TRUE(log.open(other));
    ASSERT_EQ(shellText(other, QStringLiteral("DROP TABLE Visitor_Records; SELECT 'dropped';")), QStringLiteral("dropped"));
    EXPECT_EQ(log.add(sampleVisitor(QStringLiteral("Late Guest"), QString(), QString())), std::nullopt);
    EXPECT_TRUE(log.lastError().startsWith(QStringLiteral("The visitor could not be stored"))) << qPrintable(log.lastError());
    EXPECT_TRUE(log.lastError().contains(QStringLiteral("no such table"))) << qPrintable(log.lastError());
}

TEST_F(VisitorLogTest, AProcessKilledWhileRegisteringLeavesEveryCommittedVisitor)
{
    QProcess probe;
    probe.start(QStringLiteral(ZOVA_VISITOR_PROBE), {QStringLiteral("register"), dbPath(), QStringLiteral("1000")});
    ASSERT_TRUE(probe.waitForStarted());
    QList<qint64> committed;
    QByteArray pending;
    while (committed.size() < 300 && probe.waitForReadyRead(20000)) {
        pending += probe.readAllStandardOutput();
        while (pending.contains('\n')) {
            const qsizetype end = pending.indexOf('\n');
            committed << pending.left(end).toLongLong();
            pending.remove(0, end + 1);
        }
    }
    ::kill(pid_t(probe.processId()), SIGKILL);
    probe.waitForFinished();
    ASSERT_GE(committed.size(), 300);
    ASSERT_LT(committed.size(), 1000) << "the probe finished before it was killed";

    EXPECT_EQ(shellText(dbPath(), QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    const qint64 last = committed.last();
    EXPECT_EQ(shellText(dbPath(), QStringLiteral("SELECT COUNT(*) FROM Visitor_Records WHERE S_No <= %1").arg(last)),
              QString::number(last));
    EXPECT_EQ(shellText(dbPath(), QStringLiteral("SELECT Name FROM Visitor_Records WHERE S_No = %1").arg(last)),
              QStringLiteral("Visitor %1").arg(last));
    // The killed run's log opens again and takes the next visitor.
    VisitorLog log;
    ASSERT_TRUE(log.open(dbPath()));
    EXPECT_GT(log.add(sampleVisitor(QStringLiteral("After"), QString(), QString())), last);
}

// Another process writing a log in rollback-journal mode: under its reserved lock the log is listed
// as it stands and keeps its journal mode, and a registration, once it has waited, names who holds
// the log; under its exclusive lock nothing can be read, and opening says who holds it.
TEST_F(VisitorLogTest, ALogAnotherProcessIsWritingIsListedAndItsHolderNamed)
{
    {
        VisitorLog log;
        ASSERT_TRUE(log.open(dbPath()));
        for (const char* name : {"Ann", "Bob"})
            ASSERT_TRUE(log.add(sampleVisitor(QString::fromLatin1(name), QString(), QString())));
    }
    ASSERT_EQ(shellText(dbPath(), QStringLiteral("PRAGMA journal_mode=DELETE;")), QStringLiteral("delete"));
    for (const QString lock : {QStringLiteral("IMMEDIATE"), QStringLiteral("EXCLUSIVE")}) {
        SCOPED_TRACE(lock.toStdString());
        QProcess holder;
        holder.start(QStringLiteral(ZOVA_SYSTEM_PYTHON),
                     {QStringLiteral("-c"),
                      QStringLiteral("import sqlite3, sys\n"
                                     "db = sqlite3.connect(sys.argv[1], isolation_level=None)\n"
                                     "db.execute('BEGIN ' + sys.argv[2])\n"
                                     "db.execute(\"INSERT INTO Visitor_Records (Name) VALUES ('Uncommitted')\")\n"
                                     "print('held', flush=True)\n"
                                     "sys.stdin.read()\n"),
                      dbPath(), lock});
        while (!holder.canReadLine() && holder.waitForReadyRead(20000)) {
        }
        ASSERT_EQ(holder.readLine(), "held\n") << holder.readAllStandardError().constData();
        const QString held = QStringLiteral("the visitor log %1 is in use by python3 (process %2)").arg(dbPath()).arg(holder.processId());
        VisitorLog log;
        if (lock == QLatin1String("IMMEDIATE")) {
            ASSERT_TRUE(log.open(dbPath())) << qPrintable(log.lastError());
            QStringList names;
            for (const VisitorRecord& visitor : log.all())
                names << visitor.name;
            EXPECT_EQ(names, QStringList({"Ann", "Bob"}));
            EXPECT_EQ(log.add(sampleVisitor(QStringLiteral("Cy"), QString(), QString())), std::nullopt);
            EXPECT_EQ(log.lastError(), QStringLiteral("The visitor could not be stored: %1.").arg(held));
        } else {
            EXPECT_FALSE(log.open(dbPath()));
            EXPECT_EQ(log.lastError(), QStringLiteral("The visitor log %1 could not be opened: %2").arg(dbPath(), held));
        }
        log.close();
        holder.closeWriteChannel();
        ASSERT_TRUE(holder.waitForFinished(20000));
    }
    EXPECT_EQ(shellText(dbPath(), QStringLiteral("PRAGMA journal_mode;")), QStringLiteral("delete"));
    EXPECT_EQ(shellText(dbPath(), QStringLiteral("SELECT group_concat(Name) FROM Visitor_Records;")), QStringLiteral("Ann,Bob"));
}

// A registration waits up to 5 s for another process's write to end, whether the log was open
// before (a listing opened it) or is opened to register; a listing's 250 ms would refuse it.
TEST_F(VisitorLogTest, ARegistrationWaitsForAnotherProcessesWriteToEnd)
{
    Resource_Path = TestEnvironment::resourceDir();
    Created_Resource_Path = dir.path();
    const QString live = dir.filePath(QStringLiteral("Visitor_Log/Visitor.db"));
    {
        VisitorLog first;
        ASSERT_TRUE(first.openLive() && first.add(sampleVisitor(QStringLiteral("Ann"), QString(), QString())));
    }
    ScriptedMessagePresenter messages;
    const ScopedMessagePresenter installed(messages);
    for (const bool openBefore : {false, true}) {
        SCOPED_TRACE(openBefore ? "a log open before" : "a log opened to register");
        // Out of WAL, another process's exclusive write keeps every reader out too (an opening
        // puts the log back into WAL when it can).
        ASSERT_EQ(shellText(live, QStringLiteral("PRAGMA journal_mode=DELETE;")), QStringLiteral("delete"));
        VisitorLog log;
        if (openBefore)
            ASSERT_TRUE(log.openLive()) << qPrintable(log.lastError());
        QProcess holder;
        holder.start(QStringLiteral(ZOVA_SYSTEM_PYTHON),
                     {QStringLiteral("-c"), QStringLiteral("import sqlite3, sys, time\n"
                                                           "db = sqlite3.connect(sys.argv[1], isolation_level=None)\n"
                                                           "db.execute('BEGIN EXCLUSIVE')\n"
                                                           "print('held', flush=True)\n"
                                                           "time.sleep(1.2)\n"
                                                           "db.execute('COMMIT')\n"),
                      live});
        while (!holder.canReadLine() && holder.waitForReadyRead(20000)) {
        }
        ASSERT_EQ(holder.readLine(), "held\n") << holder.readAllStandardError().constData();
        QElapsedTimer waited;
        waited.start();
        EXPECT_EQ(Register_Visitor(log, sampleVisitor(openBefore ? QStringLiteral("Bob") : QStringLiteral("Cy"), QString(), QString())), 1);
        EXPECT_GT(waited.elapsed(), 600);
        EXPECT_EQ(messages.texts().join(u'\n').toStdString(), "");
        ASSERT_TRUE(holder.waitForFinished(20000));
    }
    EXPECT_EQ(shellText(live, QStringLiteral("SELECT group_concat(Name) FROM Visitor_Records;")).toStdString(), "Ann,Cy,Bob");
}

TEST_F(VisitorLogTest, TheExportedWorkbookHasTheTwelveTitlesAndOneRowPerVisitor)
{
    VisitorLog log;
    ASSERT_TRUE(log.open(dbPath()));
    ASSERT_EQ(log.add(sampleVisitor(kHostileName, QStringLiteral("/p/a.png"), QStringLiteral("007"))), 1);
    ASSERT_EQ(log.add(sampleVisitor(QStringLiteral("Li Wei"), QStringLiteral("/p/b.png"), QStringLiteral("V-2"))), 2);
    const QString xlsx = dir.filePath(QStringLiteral("log.xlsx"));
    ASSERT_TRUE(exportVisitorLog(log.all(), xlsx));

    const auto read = TestEnvironment::runPython(
        "import sys, openpyxl\n"
        "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
        "for row in ws.iter_rows(values_only=True):\n"
        "    print('|'.join('' if v is None else str(v) for v in row))\n",
        {xlsx});
    ASSERT_EQ(read.exitCode, 0) << read.err.constData();
    const QStringList lines = QString::fromUtf8(read.out).trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("S.No.|Date and Time|Photo Path|Name|Company Name|Address|Phone|Email|Purpose|"
                                       "Person to Meet|Visitor No.|Other"));
    EXPECT_EQ(lines[1], QStringLiteral("1|07-12-2026 9:30:00 AM|/p/a.png|%1|Harbour Logistics|12 Quay Street|"
                                       "+44 20 7946 0000|guest@example.org|Interview|Ms Kaur|007|Badge returned")
                            .arg(kHostileName));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("2|07-12-2026 9:30:00 AM|/p/b.png|Li Wei|")));
}

TEST_F(VisitorLogTest, TheShippedLogIsEmptyWithTheTableAndSeedsTheUsersLog)
{
    const QString shipped = QDir(TestEnvironment::resourceDir()).filePath(QStringLiteral("Visitor.db"));
    ASSERT_TRUE(QFile::exists(shipped));
    EXPECT_EQ(shellText(shipped, QStringLiteral("SELECT COUNT(*) FROM Visitor_Records")), QStringLiteral("0"));
    EXPECT_EQ(shellText(shipped, QStringLiteral("SELECT group_concat(name, ',') FROM pragma_table_info('Visitor_Records')")),
              QStringLiteral("S_No,Date_and_Time,Photo_Path,Name,Company_Name,Address,Phone,Email,Purpose,"
                             "Person_to_Meet,Visitor_No,Other"));

    Resource_Path = TestEnvironment::resourceDir();
    Created_Resource_Path = dir.path();
    VisitorLog live;
    ASSERT_TRUE(live.openLive()) << qPrintable(live.lastError());
    EXPECT_EQ(live.path(), dir.filePath(QStringLiteral("Visitor_Log/Visitor.db")));
    EXPECT_EQ(live.add(sampleVisitor(QStringLiteral("First"), QString(), QString())), 1);
    EXPECT_EQ(shellText(shipped, QStringLiteral("SELECT COUNT(*) FROM Visitor_Records")), QStringLiteral("0"));
}

// The permission bits and paths as stat reads them, one line each.
QString modes(const QStringList& paths)
{
    return QString::fromUtf8(TestEnvironment::run(QStringLiteral("stat"), QStringList{"-c", "%a %n"} + paths).out).trimmed();
}

TEST_F(VisitorLogTest, TheLogIsReadableByItsOwnerAloneFromItsFirstByteAndWhenFoundWider)
{
    // A umask that leaves what is made readable by every user of the machine.
    const ScopedUmask permissive(022);
    Resource_Path = TestEnvironment::resourceDir();
    Created_Resource_Path = dir.path();
    const QString folder = dir.filePath(QStringLiteral("Visitor_Log"));
    const QString db = folder + QStringLiteral("/Visitor.db");
    const QStringList paths{folder, db, db + "-wal", db + "-shm"};
    const QString privateModes =
        QStringLiteral("700 %1\n600 %2\n600 %2-wal\n600 %2-shm").arg(folder, db);

    VisitorLog live;
    ASSERT_TRUE(live.openLive()) << qPrintable(live.lastError());
    ASSERT_EQ(live.add(sampleVisitor(QStringLiteral("Ana Souza"), QString(), QString())), 1);
    EXPECT_EQ(modes(paths).toStdString(), privateModes.toStdString());

    // A log an older version left open to others is narrowed when it is opened, and keeps its visitors.
    const auto readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(folder, readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther));
    for (const QString& path : paths.mid(1))
        ASSERT_TRUE(QFile::setPermissions(path, readable));
    ASSERT_EQ(modes(paths).toStdString(), QStringLiteral("755 %1\n644 %2\n644 %2-wal\n644 %2-shm").arg(folder, db).toStdString());
    VisitorLog reopened;
    ASSERT_TRUE(reopened.openLive()) << qPrintable(reopened.lastError());
    EXPECT_EQ(modes(paths).toStdString(), privateModes.toStdString());
    EXPECT_EQ(reopened.count(), 1);
}

}  // namespace
