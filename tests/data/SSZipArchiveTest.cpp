#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/SSZipArchive.h"
#include "support/TestEnvironment.h"

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeText(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Names as Python's zipfile lists them: an independent reader of what we packed.
QStringList entryNames(const QString& archive)
{
    const auto result = TestEnvironment::runPython(
        QStringLiteral("import sys, zipfile\n"
                       "z = zipfile.ZipFile(sys.argv[1])\n"
                       "assert z.testzip() is None\n"
                       "print('\\n'.join(sorted(i.filename for i in z.infolist())))\n"),
        {archive});
    return QString::fromUtf8(result.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// An archive made by Python with the given raw entry names, each holding its own name.
void craftArchive(const QString& path, const QStringList& names)
{
    const auto result = TestEnvironment::runPython(
        QStringLiteral("import sys, zipfile\n"
                       "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
                       "    for name in sys.argv[2:]:\n"
                       "        info = zipfile.ZipInfo('x')\n"
                       "        info.filename = name\n"
                       "        z.writestr(info, name)\n"),
        QStringList{path} + names);
    ASSERT_EQ(result.exitCode, 0) << result.err.constData();
}

class SSZipArchiveTest : public ::testing::Test {
protected:
    QTemporaryDir work;
    QString at(const QString& name) const { return work.filePath(name); }
};

TEST_F(SSZipArchiveTest, PackingNamesEntriesBelowEachListedItemsParent)
{
    writeText(at("src/F/a.txt"), "alpha");
    QDir().mkpath(at("src/F/E"));
    writeText(at("src/b.txt"), "beta");
    const QString archive = at("out.zip");

    ASSERT_TRUE(SSZipArchive::createZipFileAtPath(
        archive, QStringList{at("src/F/"), at("src/missing.txt"), at("src/b.txt")}));
    EXPECT_EQ(entryNames(archive), (QStringList{"F/E/", "F/a.txt", "b.txt"}));
    EXPECT_EQ(TestEnvironment::run("unzip", {"-t", archive}).exitCode, 0);

    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(archive, at("back")));
    EXPECT_EQ(readAll(at("back/F/a.txt")), "alpha");
    EXPECT_TRUE(QFileInfo(at("back/F/E")).isDir());
}

TEST_F(SSZipArchiveTest, UnpackingTurnsBackslashesIntoFoldersAndKeepsFilesWhenAsked)
{
    const QString archive = at("in.zip");
    craftArchive(archive, {"dir\\sub\\file.txt", "folder/", "keep.txt"});
    writeText(at("out/keep.txt"), "mine");

    EXPECT_TRUE(SSZipArchive::unzipFileAtPath(archive, at("out"), false, QString(), nullptr));
    EXPECT_EQ(readAll(at("out/dir/sub/file.txt")), "dir\\sub\\file.txt");
    EXPECT_TRUE(QFileInfo(at("out/folder")).isDir());
    EXPECT_EQ(readAll(at("out/keep.txt")), "mine");

    EXPECT_TRUE(SSZipArchive::unzipFileAtPath(archive, at("out")));
    EXPECT_EQ(readAll(at("out/keep.txt")), "keep.txt");
}

TEST_F(SSZipArchiveTest, HostileEntryNamesWriteNothingOutsideTheDestination)
{
    const QString archive = at("evil.zip");
    const QString absolute = at("absolute.txt");
    craftArchive(archive, {"../escape.txt", "a/../../escape2.txt", "..\\escape3.txt", absolute, "/", "inside.txt"});
    QDir().mkpath(at("dest"));

    SSZipArchive::unzipFileAtPath(archive, at("dest"));
    EXPECT_EQ(readAll(at("dest/inside.txt")), "inside.txt");
    const QStringList outside = QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    EXPECT_EQ(outside, (QStringList{"dest", "evil.zip"}));
    EXPECT_FALSE(QFileInfo::exists(absolute));
    EXPECT_EQ(QDir(at("dest")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"inside.txt"});
}

TEST_F(SSZipArchiveTest, ANonZipFileIsRefusedWithItsError)
{
    writeText(at("plain.xlsx"), "this is not an archive");
    SSZipArchiveError error;
    EXPECT_FALSE(SSZipArchive::unzipFileAtPath(at("plain.xlsx"), at("out"), true, QString(), &error));
    EXPECT_EQ(error.domain, "SSZipArchiveErrorDomain");
    EXPECT_EQ(error.code, -1);
    EXPECT_EQ(error.localizedDescription, "failed to open zip file");
    EXPECT_FALSE(SSZipArchive::unzipFileAtPath(at("missing.zip"), at("out")));
}

TEST_F(SSZipArchiveTest, ArchiveObjectRefusesMisuseAndDatesDataEntries)
{
    SSZipArchive archive(at("entries.zip"));
    EXPECT_THROW(archive.writeFile("a", work.path()), SSZipArchiveAssertion);
    EXPECT_THROW(archive.close(), SSZipArchiveAssertion);
    ASSERT_TRUE(archive.open());
    EXPECT_THROW(archive.open(), SSZipArchiveAssertion);
    EXPECT_FALSE(archive.writeData(QByteArray(), "null.txt"));
    EXPECT_TRUE(archive.writeData("bytes", "data.txt"));
    EXPECT_TRUE(archive.close());

    const auto result = TestEnvironment::runPython(
        QStringLiteral("import sys, zipfile, datetime\n"
                       "i = zipfile.ZipFile(sys.argv[1]).getinfo('data.txt')\n"
                       "print(i.compress_type, abs((datetime.datetime(*i.date_time) - datetime.datetime.now()).total_seconds()) < 120)\n"),
        {at("entries.zip")});
    EXPECT_EQ(result.out.trimmed(), "8 True");

    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(at("entries.zip"), at("out")));
    EXPECT_LT(qAbs(QFileInfo(at("out/data.txt")).lastModified().secsTo(QDateTime::currentDateTime())), 120);
}

TEST_F(SSZipArchiveTest, ZipCalendarStartsIn1980AndMonthsCountFromZero)
{
    EXPECT_EQ(SSZipArchive::_dateFor1980(), QDateTime(QDate(1980, 1, 1), QTime(0, 0)));
    zip_fileinfo info{};
    SSZipArchive::zipInfo(&info, QDateTime(QDate(2023, 1, 31), QTime(13, 45, 7)));
    EXPECT_EQ(info.tmz_date.tm_year, 2023u);
    EXPECT_EQ(info.tmz_date.tm_mon, 0u);
    EXPECT_EQ(info.tmz_date.tm_mday, 31u);
    EXPECT_EQ(info.tmz_date.tm_hour, 13u);
    EXPECT_EQ(info.tmz_date.tm_sec, 7u);
}

}  // namespace
