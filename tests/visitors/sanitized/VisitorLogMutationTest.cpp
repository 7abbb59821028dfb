// The visitor log's file comes from the user's disk: damaged logs must never crash the log, overrun
// memory or keep it busy. A fixed-seed loop mutates real logs and opens, lists and registers into
// each under AddressSanitizer and UBSan, within the readers' bounds of time and heap.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

#include "support/TestEnvironment.h"
#include "support/sanitized/ReaderBounds.h"
#include "visitors/VisitorLog.h"

namespace {

std::mt19937 rng(20261207);
int below(int n) { return std::uniform_int_distribution<int>(0, std::max(0, n - 1))(rng); }

VisitorRecord visitor(int n, const QString& photo)
{
    VisitorRecord record;
    record.dateAndTime = QStringLiteral("07-12-2026 9:%1:00 AM").arg(n % 60, 2, 10, QLatin1Char('0'));
    record.photoPath = photo;
    record.name = QStringLiteral("Visitor %1 Zo\u00eb").arg(n);
    record.companyName = QStringLiteral("Harbour Logistics");
    record.purpose = QStringLiteral("Interview");
    record.visitorNo = QStringLiteral("V-%1").arg(n, 4, 10, QLatin1Char('0'));
    return record;
}

// A log as the application leaves it, its journal folded back in.
QByteArray madeLog(const QString& path, int visitors, const QString& photo)
{
    {
        VisitorLog log;
        EXPECT_TRUE(log.open(path)) << qPrintable(log.lastError());
        for (int n = 1; n <= visitors; ++n)
            EXPECT_TRUE(log.add(visitor(n, photo)));
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The header and the schema on the first page are where a file tells the most: a third of the
// damage lands in the header, a third on the first page, the rest anywhere.
QByteArray mutate(QByteArray bytes)
{
    static const QList<QByteArray> pieces = {"\xff\xff\xff\xff", QByteArray(4, '\0'), "\x7f", "\x80\x00", "\x0d",
                                             "\x05", "\x02", "VIEW", "view", "TRIGGER", "index"};
    for (int i = 1 + below(4); i > 0 && !bytes.isEmpty(); --i) {
        const int size = int(bytes.size());
        const int spans[] = {std::min(size, 100), std::min(size, 4096), size};
        const int at = below(spans[below(3)]);
        switch (below(8)) {
        case 0:
        case 1:
        case 2: bytes[at] = char(below(256)); break;
        case 3:
        case 4: {
            const QByteArray& piece = pieces[below(int(pieces.size()))];
            bytes.replace(at, std::min(int(piece.size()), size - at), piece);
            break;
        }
        case 5:
        case 6: bytes[at] = char(bytes[at] ^ (1 << below(8))); break;
        default: bytes.truncate(1 + below(size)); break;
        }
    }
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(VisitorLogMutationTest, DamagedLogsAreOpenedListedAndWrittenOrRefusedWithoutFault)
{
    QTemporaryDir work;
    // A plain log, and one whose long photo references run over several pages.
    const QList<QByteArray> logs = {
        madeLog(work.filePath(QStringLiteral("plain.db")), 40, QStringLiteral("/photos/guest.png")),
        madeLog(work.filePath(QStringLiteral("long.db")), 6,
                QStringLiteral("/photos/guest.png<IMG_FILTER>") + QString(6000, u'7')),
    };
    ASSERT_FALSE(logs[0].isEmpty());
    ASSERT_FALSE(logs[1].isEmpty());

    const QString damaged = work.filePath(QStringLiteral("damaged.db"));
    int opened = 0, listed = 0, stored = 0;
    for (int round = 0; round < 300; ++round) {
        ASSERT_NO_FATAL_FAILURE(writeFile(damaged, mutate(logs[round % 2])));
        readWithinBounds(QStringLiteral("damaged log %1").arg(round), [&] {
            VisitorLog log;
            if (!log.open(damaged)) {
                EXPECT_FALSE(log.lastError().isEmpty());
                return;
            }
            ++opened;
            listed += int(log.all().size());
            log.findByName(QStringLiteral("zo\u00cb"));
            if (log.add(visitor(round, QString())))
                ++stored;
            else
                EXPECT_FALSE(log.lastError().isEmpty());
            log.count();
        });
    }
    // Most damage still leaves a log that opens; a loop that opens nothing tests nothing.
    EXPECT_GT(opened, 100);
    EXPECT_GT(listed, 2000);
    EXPECT_GT(stored, 50);
}

// Texts past their fields' limits are cut to copies of their own: a listing holds what it shows,
// not the buffers of the texts as read (cutting in place kept them, 8 MB a name).
TEST(VisitorLogMutationTest, AListingOfTextsPastTheirLimitsHoldsOnlyWhatItShows)
{
    QTemporaryDir work;
    const QString path = work.filePath(QStringLiteral("long.db"));
    ASSERT_FALSE(madeLog(path, 1, QString()).isEmpty());
    const auto written = TestEnvironment::runPython(
        QStringLiteral("import sqlite3, sys\n"
                       "db = sqlite3.connect(sys.argv[1])\n"
                       "db.executemany('INSERT INTO Visitor_Records (Name) VALUES (?)', [('N' * 4000000,)] * 12)\n"
                       "db.commit()\n"),
        {path});
    ASSERT_EQ(written.exitCode, 0) << written.err.constData();
    readWithinBounds(QStringLiteral("a log of twelve 4 MB names"), [&] {
        VisitorLog log;
        ASSERT_TRUE(log.open(path)) << qPrintable(log.lastError());
        const QList<VisitorRecord> listed = log.all();
        ASSERT_EQ(listed.size(), 13);
        EXPECT_EQ(listed.last().name, QString(visitorFieldLimit(2), u'N'));
        EXPECT_EQ(log.listingNote(), QStringLiteral("12 text(s) longer than the log keeps were cut short."));
    }, {.heapBytes = std::size_t(48) << 20});
}

}  // namespace
