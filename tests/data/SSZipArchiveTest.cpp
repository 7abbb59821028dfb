#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/SSZipArchive.h"
#include "support/TestEnvironment.h"

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SSZipArchiveTest : public ::testing::Test {
protected:
    QTemporaryDir work;
    QString at(const QString& name) const { return work.filePath(name); }
    // Python's zipfile, an independent reader and writer of archives.
    QStringList python(const QString& script, const QStringList& arguments)
    {
        const auto result = TestEnvironment::runPython("import sys, zipfile, datetime\n" + script, arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err.constData();
        return QString::fromUtf8(result.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
};

TEST_F(SSZipArchiveTest, PackingNamesEntriesBelowEachListedItemsParent)
{
    const QString data = TestEnvironment::fixtureDir() + "/data";
    QDir().mkpath(at("E"));
    const QString archive = at("out.zip");

    ASSERT_TRUE(SSZipArchive::createZipFileAtPath(
        archive, QStringList{data + "/", at("missing.txt"), data + "/people.csv", at("E")}));
    QStringList names = QString::fromUtf8(TestEnvironment::run("unzip", {"-Z1", archive}).out).split('\n', Qt::SkipEmptyParts);
    names.sort();
    EXPECT_EQ(names, (QStringList{"E/", "data/people.csv", "people.csv"}));
    EXPECT_EQ(TestEnvironment::run("unzip", {"-t", archive}).exitCode, 0);

    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(archive, at("back")));
    EXPECT_EQ(readFile(at("back/data/people.csv")), readFile(data + "/people.csv"));
    EXPECT_TRUE(QFileInfo(at("back/E")).isDir());
}

TEST_F(SSZipArchiveTest, HostileEntryNamesWriteNothingOutsideTheDestination)
{
    const QString archive = at("evil.zip");
    const QString absolute = at("absolute.txt");
    python("with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
           "    for name in sys.argv[2:]:\n"
           "        info = zipfile.ZipInfo('x')\n"
           "        info.filename = name\n"
           "        z.writestr(info, name)\n",
           {archive, "../escape.txt", "a/../../escape2.txt", "..\\escape3.txt", absolute, "/", "dir\\sub\\file.txt",
            "folder/", "inside.txt"});
    QDir().mkpath(at("dest"));

    SSZipArchive::unzipFileAtPath(archive, at("dest"));
    EXPECT_EQ(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), (QStringList{"dest", "evil.zip"}));
    EXPECT_FALSE(QFileInfo::exists(absolute));
    EXPECT_EQ(QDir(at("dest")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), (QStringList{"dir", "folder", "inside.txt"}));
    EXPECT_EQ(readFile(at("dest/inside.txt")), "inside.txt");
    EXPECT_EQ(readFile(at("dest/dir/sub/file.txt")), "dir\\sub\\file.txt");
    EXPECT_TRUE(QFileInfo(at("dest/folder")).isDir());
}

TEST_F(SSZipArchiveTest, ANonZipFileIsRefusedWithItsError)
{
    SSZipArchiveError error;
    EXPECT_FALSE(SSZipArchive::unzipFileAtPath(TestEnvironment::fixtureDir() + "/data/people.csv", at("out"), true,
                                               QString(), &error));
    EXPECT_EQ(error.domain, "SSZipArchiveErrorDomain");
    EXPECT_EQ(error.code, -1);
    EXPECT_EQ(error.localizedDescription, "failed to open zip file");
}

// Zip dates count months from zero and years from 1980: a slip shows as a date far from now.
TEST_F(SSZipArchiveTest, DataEntriesAreDeflatedAndDatedNow)
{
    SSZipArchive archive(at("entries.zip"));
    ASSERT_TRUE(archive.open());
    EXPECT_TRUE(archive.writeData("bytes", "data.txt"));
    EXPECT_TRUE(archive.close());
    EXPECT_EQ(python("i = zipfile.ZipFile(sys.argv[1]).getinfo('data.txt')\n"
                     "age = datetime.datetime(*i.date_time) - datetime.datetime.now()\n"
                     "print(i.compress_type, abs(age.total_seconds()) < 120)\n",
                     {at("entries.zip")}),
              QStringList{"8 True"});
}

// Packed files keep their modification time; an empty folder its own. Undated entries showed as
// 1980-01-00, a day that does not exist.
TEST_F(SSZipArchiveTest, PackedFilesAndFoldersCarryTheirModificationTimes)
{
    QDir().mkpath(at("tree/empty"));
    QFile file(at("tree/card.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("card");
    file.close();
    const QDateTime noon(QDate(2024, 3, 15), QTime(12, 30, 10), Qt::LocalTime);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(file.setFileTime(noon, QFileDevice::FileModificationTime));
    file.close();
    ASSERT_TRUE(SSZipArchive::createZipFileAtPath(at("tree.zip"), at("tree")));
    EXPECT_EQ(python("z = zipfile.ZipFile(sys.argv[1])\n"
                     "print(z.getinfo('tree/card.txt').date_time)\n"
                     "age = datetime.datetime(*z.getinfo('tree/empty/').date_time) - datetime.datetime.now()\n"
                     "print(abs(age.total_seconds()) < 120)\n",
                     {at("tree.zip")}),
              (QStringList{"(2024, 3, 15, 12, 30, 10)", "True"}));
}

// Each bound stops the unpack with its reason; the filter leaves the other entries packed.
TEST_F(SSZipArchiveTest, UnpackingKeepsWithinItsLimitsAndTakesOnlyTheWantedEntries)
{
    python("z = zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED)\n"
           "z.writestr('a.txt', 'a' * 1000)\nz.writestr('b.txt', 'b' * 1000)\nz.writestr('c/big.txt', 'c' * 5000)\n",
           {at("three.zip")});
    const auto unpack = [&](const UnpackLimits& limits, const SSZipArchive::EntryFilter& wanted, const QString& into) {
        SSZipArchiveError error;
        const bool unpacked = SSZipArchive::unzipFileAtPath(at("three.zip"), at(into), limits, wanted, &error);
        return std::make_pair(unpacked ? 0 : error.code, error.localizedDescription);
    };
    const auto files = [&](const QString& folder) {
        QStringList names;
        for (const QString& name : {"a.txt", "b.txt", "c/big.txt"})
            names << (QFileInfo::exists(at(folder + "/" + name)) ? name : QString());
        return names;
    };

    EXPECT_EQ(unpack({2, 1 << 20, 1 << 20}, {}, "few"),
              std::make_pair(SSZipArchive::kTooManyEntries, QStringLiteral("The archive lists 3 parts, more than 2.")));
    EXPECT_FALSE(QFileInfo::exists(at("few"))) << "nothing is written";
    EXPECT_EQ(unpack({3, 4096, 1 << 20}, {}, "part").first, SSZipArchive::kEntryTooLarge);
    EXPECT_EQ(files("part"), (QStringList{"a.txt", "b.txt", ""}));
    EXPECT_EQ(unpack({3, 1 << 20, 1500}, {}, "sum").first, SSZipArchive::kTooLargeInAll);
    EXPECT_EQ(files("sum"), (QStringList{"a.txt", "", ""}));
    EXPECT_EQ(unpack({3, 1 << 20, 1 << 20}, [](const QString& name) { return name.startsWith("c/"); }, "some"),
              std::make_pair(0, QString()));
    EXPECT_EQ(files("some"), (QStringList{"", "", "c/big.txt"}));
    EXPECT_EQ(readFile(at("some/c/big.txt")), QByteArray(5000, 'c'));
}

}  // namespace
