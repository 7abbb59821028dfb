#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include "canvas/CanvasGlobals.h"
#include "canvas/helpers/FileHelpers.h"
#include "mainwindow/MainWindowGlobals.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"

namespace {

bool writeText(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Sets the process umask for its lifetime.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : previous_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(previous_); }

private:
    mode_t previous_;
};

TEST(CreateFolderTest, MakesMissingParentsAndLeavesAnExistingFileAlone)
{
    QTemporaryDir root;
    const QString nested = root.filePath("a/b/c");
    EXPECT_TRUE(Create_Folder(nested));
    EXPECT_TRUE(QFileInfo(nested).isDir());
    EXPECT_TRUE(Create_Folder(nested));

    const QString file = root.filePath("plain");
    ASSERT_TRUE(writeText(file, "keep"));
    EXPECT_TRUE(Create_Folder(file));
    EXPECT_TRUE(QFileInfo(file).isFile());
    EXPECT_EQ(readAll(file), "keep");

    EXPECT_FALSE(Create_Folder(file + "/below"));
    EXPECT_FALSE(Create_Folder(""));
}

TEST(CreateFolderTest, FolderModeFollowsTheUmask)
{
    QTemporaryDir root;
    const QString folder = root.filePath("private/inner");
    {
        ScopedUmask mask(077);
        ASSERT_TRUE(Create_Folder(folder));
    }
    for (const QString& path : {root.filePath("private"), folder}) {
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0700u) << path.toStdString();
    }
}

TEST(DeleteTest, RemovesFilesAndWholeFoldersAndIgnoresMissingOnes)
{
    QTemporaryDir root;
    const QString folder = root.filePath("tree");
    ASSERT_TRUE(QDir().mkpath(folder + "/sub"));
    ASSERT_TRUE(writeText(folder + "/sub/file.txt", "x"));
    const QString file = root.filePath("single.txt");
    ASSERT_TRUE(writeText(file, "x"));

    Delete_File(file);
    Delete_Folder(folder);
    Delete_File(root.filePath("missing"));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_FALSE(QFileInfo::exists(folder));
}

// Points the folder globals at a temporary tree and restores them afterwards.
class UserFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = {Resource_Path, Created_Resource_Path, Data_Folder_Path};
        Resource_Path = root_.filePath("resources");
        Created_Resource_Path = root_.filePath("user");
        Data_Folder_Path = Created_Resource_Path + "/DataSet";
        ASSERT_TRUE(QDir().mkpath(Resource_Path + "/PrintProfile"));
        ASSERT_TRUE(QFile::copy(TestEnvironment::resourceDir() + "/PrintProfile/Default.zvp",
                                Resource_Path + "/PrintProfile/Default.zvp"));
    }
    void TearDown() override
    {
        Resource_Path = saved_[0];
        Created_Resource_Path = saved_[1];
        Data_Folder_Path = saved_[2];
        Cropped_Img_Path = QString();
        print_profile_path = QString();
    }

    QTemporaryDir root_;
    QStringList saved_;
};

TEST_F(UserFolderTest, MakesTheLayoutOnceAndKeepsAnEditedProfile)
{
    Check_Path_And_Create_Files();

    for (const char* folder : {"Background", "Fill_Style_Image", "LibraryImage", "Templates"})
        EXPECT_TRUE(QFileInfo(Resource_Path + "/" + folder).isDir()) << folder;
    for (const char* folder : {"Templates/User", "DataSet", "Cropped_Images", "Images_save_by_user", "PrintProfile"})
        EXPECT_TRUE(QFileInfo(Created_Resource_Path + "/" + folder).isDir()) << folder;
    EXPECT_EQ(Cropped_Img_Path.get(), Created_Resource_Path + "/Cropped_Images");
    EXPECT_EQ(print_profile_path.get(), Created_Resource_Path + "/PrintProfile");

    const QString userProfile = print_profile_path.get() + "/Default.zvp";
    EXPECT_EQ(readAll(userProfile), readAll(Resource_Path + "/PrintProfile/Default.zvp"));

    ASSERT_TRUE(writeText(userProfile, "edited"));
    ASSERT_TRUE(writeText(Created_Resource_Path + "/Templates/User/Mine.zovacard", "mine"));
    Check_Path_And_Create_Files();
    EXPECT_EQ(readAll(userProfile), "edited");
    EXPECT_EQ(readAll(Created_Resource_Path + "/Templates/User/Mine.zovacard"), "mine");
}

TEST_F(UserFolderTest, UnknownFoldersMakeNothingAtTheRoot)
{
    Resource_Path.clear();
    Created_Resource_Path.clear();
    Data_Folder_Path.clear();
    Check_Path_And_Create_Files();
    EXPECT_TRUE(Cropped_Img_Path.get().isEmpty());
    EXPECT_TRUE(print_profile_path.get().isEmpty());
}

TEST_F(UserFolderTest, MissingHelpFileIsReported)
{
    ScriptedMessagePresenter presenter;
    ScopedMessagePresenter installed(presenter);
    Open_Help_File();
    EXPECT_EQ(presenter.texts(), QStringList{"\nHelp file does not exist!"});
}

TEST(DefaultPrintProfileTest, IsAPropertyListArrayOfTwentySixStrings)
{
    const auto result = TestEnvironment::runPython(
        "import plistlib, sys\n"
        "items = plistlib.load(open(sys.argv[1], 'rb'))\n"
        "assert isinstance(items, list) and len(items) == 26, items\n"
        "assert all(isinstance(i, str) for i in items), items\n"
        "assert items[1:6] == ['A4', '210.00 x 297.00', '210.00', '297.00', 'Portrait'], items\n"
        "assert items[15:26] == ['1', 'Y', 'BOTH', '0', 'N', 'FH', 'N', 'N', 'N', 'N', 'N'], items\n",
        {TestEnvironment::resourceDir() + "/PrintProfile/Default.zvp"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
}

}  // namespace
