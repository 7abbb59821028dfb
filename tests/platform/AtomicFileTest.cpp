#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes a folder refuse new files. The superuser ignores permission bits, so for it the folder
// is made immutable instead (when the file system and capabilities allow).
class LockedFolder {
public:
    explicit LockedFolder(const QString& path) : m_path(path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        if (geteuid() == 0)
            m_immutable = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
    }
    ~LockedFolder()
    {
        if (m_immutable)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool locked() const { return geteuid() != 0 || m_immutable; }

private:
    QString m_path;
    bool m_immutable = false;
};

}  // namespace

TEST(AtomicFile, WritesAndReplacesWholeFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("card.txt"));
    QString error;
    ASSERT_TRUE(writeFileAtomically(path, "first version", &error)) << error.toStdString();
    EXPECT_EQ(contents(path), QByteArray("first version"));
    ASSERT_TRUE(writeFileAtomically(path, "second", &error)) << error.toStdString();
    EXPECT_EQ(contents(path), QByteArray("second"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("card.txt")});
}

TEST(AtomicFile, MissingFolderIsReportedWithThePath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no such folder/card.txt"));
    QString error;
    EXPECT_FALSE(writeFileAtomically(path, "data", &error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

TEST(AtomicFile, FailedWriteLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/card.txt");
    ASSERT_TRUE(writeFileAtomically(path, "old contents"));

    LockedFolder lock(folder);
    if (!lock.locked())
        GTEST_SKIP() << "cannot make a folder unwritable for the superuser here";
    QString error;
    EXPECT_FALSE(writeFileAtomically(path, "new contents that never land", &error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_EQ(contents(path), QByteArray("old contents"));
}
