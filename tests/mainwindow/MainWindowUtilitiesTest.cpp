// The main window's shared services: units, lists, the clean-up, series in use, paths and the
// camera folder file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "data/SpreadsheetWriter.h"
#include "mail/Preferences.h"
#include "mainwindow/DesignFileController.h"
#include "mainwindow/FolderLists.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowUtilities.h"
#include "model/SKTDocument.h"

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// A private user folder, data folder and resource folder for each test.
class MainWindowUtilities : public ::testing::Test {
protected:
    void SetUp() override
    {
        Created_Resource_Path = root.filePath("user");
        Data_Folder_Path = root.filePath("user/DataSet");
        Resource_Path = root.filePath("resources");
        QDir().mkpath(Data_Folder_Path);
    }
    void TearDown() override
    {
        Created_Resource_Path = savedUser;
        Data_Folder_Path = savedData;
        Resource_Path = savedResources;
        CARD_SIDE_STR = savedSides;
    }

    QTemporaryDir root;
    const QString savedUser = Created_Resource_Path;
    const QString savedData = Data_Folder_Path;
    const QString savedResources = Resource_Path;
    const QString savedSides = CARD_SIDE_STR;
};

}  // namespace

TEST(MainWindowUnits, MillimetresAndPointsConvertBothWays)
{
    EXPECT_NEAR(MM_to_Points_Convert(25.4f), 72.0f, 1e-4);
    for (const float mm : {0.1f, 53.98f, 297.0f})
        EXPECT_NEAR(Points_to_MM_Convert(MM_to_Points_Convert(mm)), mm, 1e-4) << mm;
}

TEST_F(MainWindowUtilities, ListsAreSortedIgnoringCaseAndLeaveOutHiddenEntries)
{
    const QString folder = root.filePath("list");
    for (const char* name : {"b.PNG", "a.png", "C.tar.gz", ".hidden.png", "Zed/x.png", "alpha/Beta/deep/y.png", ".git/z"})
        touch(QDir(folder).filePath(name));
    EXPECT_EQ(Get_Files_Array_At_Path(folder, false), (QStringList{"a.png", "b.PNG", "C.tar.gz"}));
    EXPECT_EQ(Get_Files_Array_At_Path(folder, true), (QStringList{"a", "b", "C.tar"}));
    EXPECT_EQ(Get_Folder_Array_At_Path(folder), (QStringList{"alpha", "Zed"}));
    ASSERT_TRUE(QFile::link(folder, folder + "/Zed/loop"));  // listed, not entered
    EXPECT_EQ(Get_Folders_And_Sub_Folder_Array_At_Path(folder),
              (QStringList{"alpha", "alpha/Beta", "alpha/Beta/deep", "Zed", "Zed/loop"}));
    EXPECT_TRUE(Get_Folder_Array_At_Path(folder + "/a.png").isEmpty());
}

TEST_F(MainWindowUtilities, SeriesAreTextFilesInTheDataFolderAndInUseOnlyWhileTheFileExists)
{
    for (const char* name : {"Staff.txt", "guests.TXT", "a.b.Txt", "photo.png", ".old.txt", "folder.txt/inner.txt"})
        touch(QDir(Data_Folder_Path).filePath(name));
    EXPECT_EQ(Get_datasheet_File_Name_Array(), (QStringList{"a.b", "guests", "Staff"}));

    SKTDocument document;
    auto bind = [&](SKTDocument::Side side, GraphicKind kind) {
        GraphicPtr graphic = SKTGraphic::create(kind);
        graphic->data_source_type = 1;
        graphic->batch_list_name = "Staff";
        document.insertGraphicsOnSide(side, {graphic}, {0});
    };
    bind(SKTDocument::FrontSide, GraphicKind::Shape);  // shapes take no series
    bind(SKTDocument::BackSide, GraphicKind::Barcode);
    CARD_SIDE_STR = "1";
    EXPECT_FALSE(Check_Batch_File_In_Use_Validation("Staff", document));
    CARD_SIDE_STR = "2";
    EXPECT_TRUE(Check_Batch_File_In_Use_Validation("Staff", document));
    EXPECT_FALSE(Check_Batch_File_In_Use_Validation("../DataSet/Staff", document));
    QFile::remove(QDir(Data_Folder_Path).filePath("Staff.txt"));
    EXPECT_FALSE(Check_Batch_File_In_Use_Validation("Staff", document));
}

TEST_F(MainWindowUtilities, CleanUpKeepsDesignsAndTouchesOnlyOurOwnFolders)
{
    const QString own = root.filePath("user/Templates/User");
    for (const char* name : {"card.did", "CARD2.DID", "card.png", ".lock", "sub/keep.png"})
        touch(QDir(own).filePath(name));
    EXPECT_TRUE(Filter_Non_Log_Files_At_Path(own));
    EXPECT_EQ(QDir(own).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{"CARD2.DID", "card.did", "sub"}));
    EXPECT_TRUE(QFile::exists(own + "/sub/keep.png"));

    const QString scratch = QFileInfo(SpreadsheetWriter::temporaryFolder()).path() + "/clean-up-test";
    touch(scratch + "/left.xml");
    EXPECT_TRUE(Filter_Non_Log_Files_At_Path(scratch) && !QFile::exists(scratch + "/left.xml"));
    QDir(scratch).removeRecursively();

    // Outside, the user folder itself, a path climbing out, and a link from inside to outside.
    const QString outside = root.filePath("elsewhere");
    touch(outside + "/notes.txt");
    touch(Created_Resource_Path + "/idcardcampics.txt");
    ASSERT_TRUE(QFile::link(outside, own + "/link"));
    for (const QString& folder : {outside, Created_Resource_Path, own + "/../../../elsewhere", own + "/link"})
        EXPECT_FALSE(Filter_Non_Log_Files_At_Path(folder)) << folder.toStdString();
    EXPECT_TRUE(QFile::exists(outside + "/notes.txt"));
    EXPECT_TRUE(QFile::exists(Created_Resource_Path + "/idcardcampics.txt"));
}

TEST_F(MainWindowUtilities, ResourcePathsOfAnApplicationBundleArePointedIntoOurResources)
{
    const QString ours = Resource_Path + "/Background/blue.png";
    const QString climbing = "/Applications/X.app/Contents/Resources/../../../etc/passwd";
    const struct { QString stored, expected; } cases[] = {
        {"/Applications/Other.app/Contents/Resources/Background/blue.png", ours},
        {"  /Applications/ZOVA ID Card.app/Contents/Resources/Background/blue.png\n", ours},
        {climbing, climbing},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Check_Path_For_App_Resources(c.stored), c.expected) << c.stored.toStdString();
}

// The program's own pictures are those of the resource folder in use, those a design names inside
// the application, and another installation's: one not on this machine, or a copy of ours. A
// picture of the user's that only shares the name stays the user's, whatever its folder is called.
TEST_F(MainWindowUtilities, APictureIsTheProgramsInItsResourcesOrAsAnotherInstallationsCopyOnly)
{
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    write(Resource_Path + "/no.png", "our placeholder");
    write(root.filePath("opt/other/resources/no.png"), "our placeholder");
    write(root.filePath("home/Resources/no.png"), "the user's pict");  // as long as ours
    write(root.filePath("home/photos/no.png"), "our placeholder");
    const struct {
        QString path;
        bool programs;
    } cases[] = {
        {Resource_Path + "/no.png", true},
        {"/Applications/ZOVA ID Card.app/Contents/Resources/no.png", true},
        {"/opt/zova-old/build/resources/no.png", true},
        {root.filePath("opt/other/resources/no.png"), true},
        {root.filePath("home/Resources/no.png"), false},
        {root.filePath("home/photos/no.png"), false},
        {"/opt/zova-old/build/pictures/no.png", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Is_Placeholder_Path(c.path), c.programs) << c.path.toStdString();
}

TEST_F(MainWindowUtilities, CameraFolderFileHoldsOnePathIsRewrittenAndFallsBackWhenTheFolderIsGone)
{
    const QString file = Default_Camera_Path_File();
    const QString chosen = root.filePath("Bilder für Karten");
    QDir().mkpath(chosen);
    ASSERT_TRUE(Create_Camera_Path_File(file, root.path()));
    ASSERT_TRUE(Create_Camera_Path_File(file, chosen));
    QFile written(file);
    EXPECT_TRUE(written.open(QIODevice::ReadOnly) && written.readAll() == chosen.toUtf8());  // no line end
    EXPECT_EQ(Read_Camera_Folder_Path(file), chosen);
    QDir(chosen).removeRecursively();
    EXPECT_EQ(Read_Camera_Folder_Path(file), Default_Camera_Folder_Path());
    EXPECT_FALSE(Create_Camera_Path_File(root.filePath("no/such/folder/idcardcampics.txt"), chosen));
}

// The window reads the sender's settings from the mail settings store the mail window writes; a
// store without them leaves every setting empty.
TEST_F(MainWindowUtilities, SenderSettingsComeFromTheMailSettingsStore)
{
    Preferences stored(root.filePath("mail/com.zovacardmail.plist"));
    ASSERT_TRUE(stored.store({"desk@example.org", "s3cret", "smtp.example.org", 587, MailSecurity::StartTls}));
    Get_Email_Details(Preferences(stored.path()));
    EXPECT_EQ(QStringList({sender_email, sender_pwd, sending_server, sending_port, send_enable_ssl}),
              QStringList({"desk@example.org", "s3cret", "smtp.example.org", "587", "STARTTLS"}));

    Get_Email_Details(Preferences(root.filePath("mail/none.plist")));
    EXPECT_EQ(QStringList({sender_email, sender_pwd, sending_server, sending_port, send_enable_ssl}),
              QStringList({"", "", "", "", ""}));
}
