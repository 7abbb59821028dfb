#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include "data/SeriesStore.h"
#include "support/TestEnvironment.h"

namespace {

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Writes past `bytes` fail with EFBIG for as long as the object lives, as on a full disk; the
// superuser is held by it too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit small = m_old;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

QStringList manyValues(int count)
{
    QStringList values;
    for (int i = 0; i < count; ++i)
        values.append(QStringLiteral("value number %1").arg(i));
    return values;
}

class SeriesStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SeriesStore store{dir.path()};
    QString at(const QString& name) const { return dir.filePath(name); }
};

TEST_F(SeriesStoreTest, ListsTxtFilesInAnyCaseAndFindsThemByNameInAnyCase)
{
    put(at("A.txt"), "1\n");
    put(at("b.TXT"), "x\ny\n");
    put(at("C.txt"), "3\n");
    put(at("c.csv"), "no\n");
    put(at(".hidden.txt"), "no\n");
    ASSERT_TRUE(QDir(dir.path()).mkdir("d.txt"));
    EXPECT_EQ(store.names(), (QStringList{"A", "b", "C"}));  // in name order, the case of letters ignored

    EXPECT_EQ(store.series_path("b"), at("b.TXT"));
    EXPECT_EQ(store.series_path("B"), at("b.TXT"));
    EXPECT_EQ(store.series_path("new"), at("new.txt"));
    EXPECT_EQ(store.series_path("d"), at("d.txt"));  // a folder is no series: a save there fails
    EXPECT_FALSE(store.exists("d"));
    EXPECT_EQ(store.series_path("../x"), QString());
    EXPECT_EQ(store.read("b").values, (QStringList{"x", "y"}));

    // Saving "b" replaces its own file rather than making a twin b.txt beside it.
    ASSERT_TRUE(store.save("b", {"z"}));
    EXPECT_EQ(contentsOf(at("b.TXT")), "z\n");
    EXPECT_EQ(store.names(), (QStringList{"A", "b", "C"}));
}

TEST_F(SeriesStoreTest, ReadsByTheManagerRuleAndByTheBatchRule)
{
    put(at("Lines.txt"), "1\r\n\r\n  2  \n\xEF\xBB\xBF\n");
    EXPECT_EQ(store.read("Lines").values, (QStringList{"1", "2"}));
    // A blank first line is record 1's empty value: dropping it would give each record the next
    // one's value. Blank lines at the end are no records.
    put(at("Gaps.txt"), "\na\n\nb\n \r\n\n");
    EXPECT_EQ(store.readRecords("Gaps").values, (QStringList{"", "a", "", "b"}));
    put(at("Empty.txt"), "");
    EXPECT_EQ(store.readRecords("Empty").values, QStringList{QString()});
    put(at("Blank.txt"), "\n \n");
    EXPECT_EQ(store.readRecords("Blank").values, QStringList{QString()});
    EXPECT_EQ(store.readFirstValue("LINES").values, QStringList{"1\r"});

    put(at("Latin.txt"), "caf\xE9\n");
    const SeriesStore::Values latin = store.read("Latin");
    EXPECT_TRUE(latin.values.isEmpty());
    EXPECT_TRUE(latin.failure.contains("Latin")) << latin.failure.toStdString();

    const SeriesStore::Values missing = store.read("Missing");
    EXPECT_TRUE(missing.values.isEmpty() && missing.readable());
}

TEST_F(SeriesStoreTest, WritesEachValueWithALineFeedAndNeverSplitsAValue)
{
    EXPECT_EQ(SeriesStore::fileBytes({"1", "Zoë", ""}), QByteArray("1\nZo\xC3\xAB\n\n"));
    EXPECT_EQ(SeriesStore::fileBytes({"two\nlines", "a\r\nb"}), QByteArray("two lines\na b\n"));
    EXPECT_EQ(SeriesStore::keptValues({" 1 ", "", "\t", "2"}), (QStringList{"1", "2"}));

    put(at("Open.txt"), "a");
    ASSERT_TRUE(store.append("Open", {"b", ""}));
    EXPECT_EQ(contentsOf(at("Open.txt")), "a\nb\n\n");
    ASSERT_TRUE(store.append("Fresh", {"c"}));
    EXPECT_EQ(contentsOf(at("Fresh.txt")), "c\n");
}

TEST_F(SeriesStoreTest, CleansNamesAndRefusesOnesThatNameNoFile)
{
    EXPECT_EQ(SeriesStore::cleanName("/a/b?"), "a_b");
    EXPECT_EQ(SeriesStore::cleanName(" Staff: 2024 "), "Staff: 2024");
    EXPECT_EQ(SeriesStore::cleanName("??"), "");
    EXPECT_FALSE(SeriesStore::isUsableName(""));
    EXPECT_FALSE(SeriesStore::isUsableName(".."));

    QString error;
    EXPECT_FALSE(store.save(SeriesStore::cleanName("**"), {"1"}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());  // no orphan ".txt"
}

// Inside a name only "/" changes: a backslash is an ordinary character of a file name, and the
// series is one file of the data folder.
TEST_F(SeriesStoreTest, ABackslashInsideANameStaysAndNamesOneFileOfTheFolder)
{
    EXPECT_EQ(SeriesStore::cleanName("\\a\\b/c\\"), "a\\b_c");
    ASSERT_TRUE(SeriesStore::isUsableName("a\\b"));
    EXPECT_EQ(store.series_path("a\\b"), at("a\\b.txt"));
    EXPECT_EQ(store.series_path("..\\x"), at("..\\x.txt"));

    ASSERT_TRUE(store.save("a\\b", {"1", "2"}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"a\\b.txt"});
    EXPECT_EQ(contentsOf(at("a\\b.txt")), "1\n2\n");
    EXPECT_EQ(store.names(), QStringList{"a\\b"});
    EXPECT_EQ(store.read("a\\b").values, (QStringList{"1", "2"}));
    EXPECT_FALSE(SeriesStore::isUsableName("a/b"));
}

// A save that finds no values, or fails on the way, leaves the series as it was.
TEST_F(SeriesStoreTest, AFailedOrEmptySaveLeavesTheOldSeriesWhole)
{
    put(at("Staff.txt"), "Ann\nBob\n");
    QString error;
    EXPECT_FALSE(store.save("Staff", {}, &error));
    EXPECT_FALSE(store.append("Staff", {}, &error));
    EXPECT_EQ(contentsOf(at("Staff.txt")), "Ann\nBob\n");

    bool saved = true;
    {
        FileSizeLimit full(64);
        saved = store.save("Staff", manyValues(1000), &error);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(contentsOf(at("Staff.txt")), "Ann\nBob\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Staff.txt"});
}

TEST_F(SeriesStoreTest, ARenameRemovesTheOldFileOnlyOnceTheNewOneIsInPlace)
{
    put(at("A.txt"), "1\n");
    bool renamed = true;
    {
        FileSizeLimit full(64);
        renamed = store.saveRenamed("A", "B", manyValues(1000));
    }
    EXPECT_FALSE(renamed);
    EXPECT_EQ(contentsOf(at("A.txt")), "1\n");
    EXPECT_FALSE(QFile::exists(at("B.txt")));

    ASSERT_TRUE(store.saveRenamed("A", "B", {"2"}));
    EXPECT_EQ(store.names(), QStringList{"B"});
    EXPECT_EQ(contentsOf(at("B.txt")), "2\n");

    // Onto another existing series (the user agreed to replace it): the old one stays.
    put(at("C.txt"), "3\n");
    ASSERT_TRUE(store.saveRenamed("C", "B", {"4"}));
    EXPECT_EQ(contentsOf(at("B.txt")), "4\n");
    EXPECT_EQ(contentsOf(at("C.txt")), "3\n");

    // Only the case changes: the series takes the new spelling.
    ASSERT_TRUE(store.saveRenamed("B", "b", {"5"}));
    EXPECT_EQ(store.names(), (QStringList{"b", "C"}));
    EXPECT_EQ(contentsOf(at("b.txt")), "5\n");
}

// A run killed in the middle of writing a series (here by the file-size signal, whose default
// action ends the process) leaves the old series whole.
TEST_F(SeriesStoreTest, ASaveKilledHalfWayLeavesTheOldSeriesWhole)
{
    put(at("Staff.txt"), "Ann\nBob\n");
    const auto saveUntilKilled = [this] {
        rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit small{};
        getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &small);
        store.save("Staff", manyValues(100000));
        std::_Exit(0);
    };
    EXPECT_EXIT(saveUntilKilled(), ::testing::KilledBySignal(SIGXFSZ), "");
    EXPECT_EQ(contentsOf(at("Staff.txt")), "Ann\nBob\n");
    EXPECT_EQ(store.read("Staff").values, (QStringList{"Ann", "Bob"}));
}

TEST_F(SeriesStoreTest, DeletesASeriesWhateverTheCaseOfItsFile)
{
    put(at("Old.TXT"), "1\n");
    EXPECT_TRUE(store.remove("old"));
    EXPECT_FALSE(QFile::exists(at("Old.TXT")));
    EXPECT_TRUE(store.remove("never there"));
}

TEST_F(SeriesStoreTest, ExportsTextByteForByteAndWorkbooksWithTheTitleRow)
{
    SeriesStore::ExportFormat format = SeriesStore::ExportFormat::Text;
    EXPECT_EQ(SeriesStore::exportPath("/x/list.XLSX", &format), "/x/list.XLSX");
    EXPECT_EQ(format, SeriesStore::ExportFormat::Workbook);
    EXPECT_EQ(SeriesStore::exportPath("/x/list.csv", &format), "/x/list.csv.txt");
    EXPECT_EQ(format, SeriesStore::ExportFormat::Text);

    const QStringList values{"007", "Zoë Ünal", "42"};
    QString error;
    EXPECT_EQ(store.exportValues(at("out.csv"), values, &error), at("out.csv.txt")) << error.toStdString();
    EXPECT_EQ(contentsOf(at("out.csv.txt")), QByteArray("007\nZo\xC3\xAB \xC3\x9Cnal\n42\n"));

    const QString workbook = store.exportValues(at("out.XLSX"), values, &error);
    ASSERT_EQ(workbook, at("out.XLSX")) << error.toStdString();
    const auto read = TestEnvironment::runPython("import sys, warnings, openpyxl\n"
                                                 "warnings.simplefilter('ignore')\n"
                                                 "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                                 "for row in ws.iter_rows(values_only=True):\n"
                                                 "    print(repr(row[0]))\n",
                                                 {workbook});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(read.out), "'Batch Value'\n'007'\n'Zoë Ünal'\n42\n");
}

}  // namespace

namespace {

// The most memory the process has held so far, in megabytes.
long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

}  // namespace

TEST_F(SeriesStoreTest, HostileSeriesFilesAreReadWithinTheirBoundsOrRefused)
{
    // The first value of a 300 MB file is its first line, read alone (a sparse file: no disk used).
    {
        QFile big(at("Big.txt"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        big.write("Ann\nB");
        ASSERT_TRUE(big.resize(300LL << 20));
    }
    const long before = peakMegabytes();
    EXPECT_EQ(store.readFirstValue("Big").values, QStringList{"Ann"});
    EXPECT_LT(peakMegabytes() - before, 32) << "the first value read the file";
    EXPECT_EQ(store.readRecords("Big").failure, "The series \"Big\" cannot be read: it is larger than 256 MB.");

    // Ten million short lines are 20 MB on disk and far more as values: refused before they fill
    // memory.
    {
        QFile many(at("Many.txt"));
        ASSERT_TRUE(many.open(QIODevice::WriteOnly));
        const QByteArray block = QByteArray("1\n").repeated(1 << 20);
        for (int i = 0; i < 10; ++i)
            many.write(block);
    }
    const long beforeMany = peakMegabytes();
    for (const SeriesStore::Values& read : {store.readRecords("Many"), store.read("Many")}) {
        EXPECT_TRUE(read.values.isEmpty());
        EXPECT_EQ(read.failure, "The series \"Many\" cannot be read: it holds more values than a series can keep.");
    }
    EXPECT_LT(peakMegabytes() - beforeMany, 400);

    // A FIFO named as a series is refused at once, never waited on.
    ASSERT_EQ(TestEnvironment::run("mkfifo", {at("Pipe.txt")}).exitCode, 0);
    EXPECT_EQ(store.readRecords("Pipe").failure,
              QStringLiteral("The series \"Pipe\" cannot be read: \"%1\" is not a file.").arg(at("Pipe.txt")));
    EXPECT_EQ(store.readFirstValue("Pipe").failure, store.readRecords("Pipe").failure);
}

// A series file is read a chunk (a megabyte) at a time: lines ending on a chunk's edge, crossing
// it, cut in the middle of a character, or longer than several chunks read as they were written.
TEST_F(SeriesStoreTest, LinesAcrossTheEdgesOfTheReadingChunksReadAsWritten)
{
    constexpr int kChunk = 1 << 20;
    const QString wide = QString(900000, QChar(0x65E5)) + QStringLiteral("\U0001F600");
    const struct {
        const char* what;
        QByteArray before;  // bytes ahead of the values: none, or a byte-order mark
        QStringList values;
    } cases[] = {
        {"a line ending on a chunk's edge", "", {QString(kChunk - 1, u'a'), "b"}},
        {"a line across a chunk's edge", "", {"x", QString(kChunk, u'c'), "d"}},
        {"a character cut by a chunk's edge", "", {QString(kChunk - 2, u'e') + QChar(0x65E5), "f"}},
        {"a line of wide characters over three chunks", "", {"g", wide, "h"}},
        {"a first line of several chunks after a byte-order mark", "\xEF\xBB\xBF", {wide, "i"}},
        {"a U+FEFF leading a later line", "", {"j", QString(QChar(0xFEFF)) + "k"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        put(at("S.txt"), c.before + c.values.join(u'\n').toUtf8() + '\n');
        EXPECT_EQ(store.readRecords("S").values, c.values);
        EXPECT_EQ(store.read("S").values, SeriesStore::keptValues(c.values));
        EXPECT_EQ(store.readFirstValue("S").values, QStringList{c.values.first()});
    }
    // A broken sequence far inside a long line, and a NUL, are no text.
    for (const QByteArray& broken : {QByteArray(3 * kChunk, 'l') + "\xE6\x97" + "m\n", "n\n" + QByteArray(2 * kChunk, '\0')}) {
        put(at("S.txt"), broken);
        EXPECT_EQ(store.readRecords("S").failure, "The series \"S\" cannot be read: it is not a text file.");
    }
}

// Whatever is saved reads back: lines that would hold more than a series can keep are refused
// before anything is written.
TEST_F(SeriesStoreTest, WhatCouldNotBeReadBackIsNeverSaved)
{
    ASSERT_TRUE(store.save("Kept", {"old"}));
    const QStringList tooMany(4200000, QStringLiteral("x"));
    QString error;
    EXPECT_FALSE(store.save("Kept", tooMany, &error));
    EXPECT_EQ(error, "The series \"Kept\" was not written: it would hold more values than a series can keep.");
    EXPECT_FALSE(store.append("Kept", tooMany, &error));
    EXPECT_EQ(error, "The series \"Kept\" was not written: it would hold more values than a series can keep.");
    EXPECT_EQ(store.readRecords("Kept").values, QStringList{"old"});
    const QStringList justFitting(3800000, QStringLiteral("x"));
    ASSERT_TRUE(store.save("Kept", justFitting, &error)) << error.toStdString();
    EXPECT_EQ(store.readRecords("Kept").values.size(), justFitting.size());
}
