// Visitor log speed: 10,000 registrations, each its own transaction, then a search by name, in
// our log against the sqlite3 shell running the same inserts (one transaction per row) and the
// same search on the same empty log, both as whole processes, interleaved.
//   bench_visitor_log [ROUNDS]          the comparison
//   bench_visitor_log --register DB N   one run of ours: N registrations and a search
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchSupport.h"
#include "platform/AppFolders.h"
#include "visitors/VisitorLog.h"

namespace {

constexpr int kVisitors = 10000;
const QString kSearched = QStringLiteral("Visitor 4242");

VisitorRecord visitorNumber(int n)
{
    VisitorRecord visitor;
    visitor.dateAndTime = QStringLiteral("07-12-2026 9:30:00 AM");
    visitor.photoPath = QStringLiteral("/home/desk/photos/visitor_%1.png").arg(n);
    visitor.name = QStringLiteral("Visitor %1").arg(n);
    visitor.companyName = QStringLiteral("Company %1").arg(n % 97);
    visitor.purpose = QStringLiteral("Meeting");
    visitor.personToMeet = QStringLiteral("Reception");
    visitor.visitorNo = QStringLiteral("V%1").arg(n, 5, 10, QLatin1Char('0'));
    return visitor;
}

QString sqlText(const QString& text)
{
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

// The shell's script: the log's connection settings, the same rows one transaction each, the search.
QByteArray shellScript(int count)
{
    QString script = QStringLiteral("PRAGMA journal_mode=WAL;\nPRAGMA synchronous=NORMAL;\n");
    for (int n = 1; n <= count; ++n) {
        QStringList values;
        for (const QString& field : visitorNumber(n).fields())
            values << sqlText(field);
        script += QStringLiteral("BEGIN IMMEDIATE; INSERT INTO Visitor_Records (Date_and_Time, Photo_Path, Name, "
                                 "Company_Name, Address, Phone, Email, Purpose, Person_to_Meet, Visitor_No, Other) "
                                 "VALUES (%1); COMMIT;\n")
                      .arg(values.join(u','));
    }
    script += QStringLiteral("SELECT COUNT(*) FROM Visitor_Records WHERE Name LIKE %1;\n").arg(sqlText(u'%' + kSearched + u'%'));
    return script.toUtf8();
}

int registerAll(const QString& db, int count)
{
    VisitorLog log;
    if (!log.open(db)) {
        std::fprintf(stderr, "%s\n", qPrintable(log.lastError()));
        return 1;
    }
    for (int n = 1; n <= count; ++n)
        if (!log.add(visitorNumber(n))) {
            std::fprintf(stderr, "%s\n", qPrintable(log.lastError()));
            return 1;
        }
    std::printf("%lld\n", static_cast<long long>(log.findByName(kSearched).size()));
    return 0;
}

void freshCopy(const QString& empty, const QString& db)
{
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(db + QLatin1String(suffix));
    QFile::copy(empty, db);
    QFile(db).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 4 && arguments[1] == QLatin1String("--register"))
        return registerAll(arguments[2], arguments[3].toInt());

    const QString empty = QDir(AppFolders::resourceFolder()).filePath(QStringLiteral("Visitor.db"));
    if (!QFile::exists(empty)) {
        std::fprintf(stderr, "no empty visitor log at %s\n", qPrintable(empty));
        return 1;
    }
    QTemporaryDir folder;
    const QString ours = folder.filePath(QStringLiteral("ours.db"));
    const QString peer = folder.filePath(QStringLiteral("peer.db"));
    const QString script = folder.filePath(QStringLiteral("inserts.sql"));
    QFile scriptFile(script);
    if (!scriptFile.open(QIODevice::WriteOnly) || scriptFile.write(shellScript(kVisitors)) < 0)
        return 1;
    scriptFile.close();

    Rounds rounds;
    rounds.count = countArgument(argc, argv, 5);
    const BenchSide oursSide{
        [&] { runProcess(app.applicationFilePath(), {QStringLiteral("--register"), ours, QString::number(kVisitors)}); },
        [&] { freshCopy(empty, ours); }};
    const BenchSide peerSide{[&] { runProcess(QStringLiteral("sqlite3"), {peer, QStringLiteral(".read ") + script}); },
                             [&] { freshCopy(empty, peer); }};
    const PairedTimings timings = runPairedRounds(rounds, oursSide, peerSide);
    printRatio("visitor_log_10000_registrations_and_search", timings,
               "sqlite3 shell, same inserts one transaction per row, same search");
    return 0;
}
