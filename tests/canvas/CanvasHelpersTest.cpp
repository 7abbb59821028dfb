// Helpers: message boxes across threads, strings, files and folders, the stopwatch, enabling widgets.
#include <QApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMutex>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>
#include <thread>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "canvas/CanvasGlobals.h"
#include "canvas/helpers/FileHelpers.h"
#include "canvas/helpers/InterfaceObjects.h"
#include "canvas/helpers/Log.h"
#include "canvas/helpers/MessageBoxes.h"
#include "canvas/helpers/Stopwatch.h"
#include "canvas/helpers/StringHelpers.h"
#include "mainwindow/MainWindowGlobals.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"

namespace {

// Runs each job on a thread of its own while this (GUI) thread serves events, so blocking calls
// back into the GUI thread are answered.
void runOnWorkers(const std::vector<std::function<void()>>& jobs)
{
    std::atomic<int> running = int(jobs.size());
    std::vector<std::thread> threads;
    for (const auto& job : jobs)
        threads.emplace_back([&running, job] { job(), --running; });
    while (running > 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    for (auto& thread : threads)
        thread.join();
}

QMutex logMutex;
QStringList logEntries;
void captureLog(QtMsgType, const QMessageLogContext&, const QString& message)
{
    QMutexLocker lock(&logMutex);
    logEntries.append(message);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
bool writeText(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class MessageBoxes : public ::testing::Test {
protected:
    ScriptedMessagePresenter presenter;
    ScopedMessagePresenter installed{presenter};
};

TEST_F(MessageBoxes, OnTheGuiThreadTheyShowTheirTextsButtonsAndAnswers)
{
    presenter.queueAnswers({0, 0, 1, 0, 1, 2});
    Show_MessageBox("Selected control is locked.");
    EXPECT_EQ(Show_YES_NO_MessageBox("Delete?"), 1);
    EXPECT_TRUE(yes_no_msg_val);
    EXPECT_EQ(Show_YES_NO_MessageBox("Delete?"), 0);
    EXPECT_FALSE(yes_no_msg_val);
    for (int answer : {1000, 1001, 1002})
        EXPECT_EQ(Show_YES_NO_Cancel_MessageBox("Save?"), answer);
    Show_MessageBox_No_Thread("here");
    EXPECT_EQ(show_msg("plain"), 1);
    EXPECT_EQ(presenter.texts(), (QStringList{"\nSelected control is locked.", "Delete?", "Delete?", "Save?", "Save?",
                                              "Save?", "\nhere", "plain"}));
    const QStringList ok{"OK"}, yesNo{"Yes", "No"}, yesNoCancel{"Yes", "No", "Cancel"};
    const QList<QStringList> buttons{ok, yesNo, yesNo, yesNoCancel, yesNoCancel, yesNoCancel, ok, ok};
    for (int i = 0; i < buttons.size(); ++i)
        EXPECT_EQ(std::tuple(presenter.records()[i].request.buttons, presenter.records()[i].request.defaultButton,
                             presenter.records()[i].thread), std::tuple(buttons[i], 0, qApp->thread())) << i;
}

TEST_F(MessageBoxes, WorkersAskTheGuiThreadWithoutDeadlockAndEachGetsItsOwnAnswer)
{
    presenter.queueAnswers({0, 0});
    int answer = -1;
    runOnWorkers({[&] {
        Show_MessageBox("from worker");
        answer = Show_YES_NO_MessageBox("Continue?");
    }});
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(presenter.texts(), (QStringList{"\nfrom worker", "Continue?"}));
    for (int round = 0; round < 20; ++round) {
        presenter.queueAnswers({0, 1});
        int answerA = -1, answerB = -1;
        runOnWorkers({[&] { answerA = Show_YES_NO_MessageBox(QString("A%1?").arg(round)); },
                      [&] { answerB = Show_YES_NO_MessageBox(QString("B%1?").arg(round)); }});
        const auto records = presenter.records().mid(2 + 2 * round);
        ASSERT_EQ(records.size(), 2);
        for (const auto& record : records)
            EXPECT_EQ(record.request.text.startsWith('A') ? answerA : answerB, record.answer == 0 ? 1 : 0);
    }
    for (const auto& record : presenter.records())
        EXPECT_EQ(record.thread, qApp->thread());
}

TEST_F(MessageBoxes, ABoxThatCannotBeShownIsLoggedAndAnswersNo)
{
    logEntries.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureLog);
    presenter.queueAnswers({-1, -1, -1, -1});
    Show_MessageBox("gone");
    EXPECT_EQ(Show_YES_NO_MessageBox("Yes?"), 0);
    EXPECT_EQ(Show_YES_NO_Cancel_MessageBox("Save?"), 1002);
    EXPECT_EQ(show_msg("plain"), 0);
    Show_NSLog_Message("");  // nothing for empty text; the text is written unchanged
    Show_NSLog_Message("100% \"done\" %@\nnext");
    qInstallMessageHandler(previous);
    ASSERT_EQ(logEntries.size(), 5);
    EXPECT_TRUE(logEntries[0].contains("gone"));
    EXPECT_TRUE(logEntries[2].contains("Save?"));
    EXPECT_EQ(logEntries[4], "100% \"done\" %@\nnext");
}

TEST(StringHelpers, TrimStrStripsWhiteSpaceThenControlAndFormatCharactersFromBothEnds)
{
    const QChar bom(0xFEFF), zeroWidth(0x200B);
    const QString tag = QString::fromUcs4(U"\U000E0001"), emoji = QString::fromUcs4(U"\U0001F600");
    const QList<std::pair<QString, QString>> cases = {  // white space behind a zero-width space stays: one pass each
        {QString(bom) + "Name", "Name"}, {QString(" \t") + zeroWidth + "Name" + zeroWidth + "\r\n", "Name"},
        {"\x01\x1FName\x7F", "Name"}, {QString(QChar(0x00A0)) + QChar(0x3000) + "Name" + QChar(0x2028), "Name"},
        {QString(" ") + zeroWidth + " Name", " Name"}, {QString("First\t") + bom + " Last", QString("First\t") + bom + " Last"},
        {" \t\r\n \n", ""}, {QString(bom) + zeroWidth, ""}, {tag + "A" + tag, "A"}, {emoji + " ", emoji}};
    for (const auto& [text, trimmed] : cases)
        EXPECT_EQ(Trim_Str(text), trimmed) << text.toStdString();
    EXPECT_EQ(Replace_Char_For_valid(QString("\t") + bom + "x "), "x");
}

TEST(StringHelpers, FileNamesSubstringsAndSearch)
{
    for (const auto& [name, cleaned] : QList<std::pair<QString, QString>>{
             {"<Staff/2024?>", "Staff_2024"}, {"<Who?/Me>", "Who?_Me"}, {"\\\"*%|Card|%*\"/", "Card"},
             {"a*b<c>d", "a*b<c>d"}, {"/ Name /", "Name"}, {"?/?", ""}})
        EXPECT_EQ(Remove_Reserve_Char_In_File_Name(name), cleaned) << name.toStdString();
    EXPECT_EQ(Replace_char_in_string("a.b.A.b", ".b", "_"), "a_.A_");
    EXPECT_EQ(Replace_char_in_string("aAa", "a", "x"), "xAx");
    EXPECT_EQ(Replace_char_in_string("abc", "", "x"), "abc");

    // Count or index, then the results of Left, Right, Read_Str_FromIndex and Read_Str_Upto_Index on "abcd".
    for (const auto& [n, left, right, from, upto] :
         QList<std::tuple<int, QString, QString, QString, QString>>{{-1, "", "", "", ""}, {0, "", "", "abcd", ""},
                                                                    {1, "a", "d", "bcd", "a"}, {3, "abc", "bcd", "d", "abc"},
                                                                    {4, "abcd", "abcd", "", "abcd"}, {5, "abcd", "abcd", "", ""}})
        EXPECT_EQ((QStringList{Left_Str_substringToIndex("abcd", n), Right_Str_substringFromIndex("abcd", n),
                               Read_Str_FromIndex("abcd", n), Read_Str_Upto_Index("abcd", n)}),
                  (QStringList{left, right, from, upto})) << n;
    EXPECT_EQ(Left_Str_substringToIndex("", 3), "");

    EXPECT_FALSE(Find_Str("abc", "") || Find_Str_Case_Insensitive("abc", "") || Find_Str_Case_Insensitive({}, "a"));
    EXPECT_TRUE(Find_Str("Front_Photo", "Photo") && Find_Str_Case_Insensitive("Front_Photo", "PHOTO"));
    EXPECT_FALSE(Find_Str("Front_Photo", "photo"));
}

TEST(FileHelpers, CreateFolderMakesParentsLeavesAFileAloneAndFollowsTheUmask)
{
    QTemporaryDir root;
    EXPECT_TRUE(Create_Folder(root.filePath("a/b/c")));
    EXPECT_TRUE(QFileInfo(root.filePath("a/b/c")).isDir());
    EXPECT_TRUE(Create_Folder(root.filePath("a/b/c")));
    const QString file = root.filePath("plain");
    ASSERT_TRUE(writeText(file, "keep"));
    EXPECT_TRUE(Create_Folder(file));
    EXPECT_EQ(readAll(file), "keep");
    EXPECT_FALSE(Create_Folder(file + "/below"));
    EXPECT_FALSE(Create_Folder(""));

    const mode_t previous = ::umask(077);
    const bool made = Create_Folder(root.filePath("private/inner"));
    ::umask(previous);
    ASSERT_TRUE(made);
    for (const QString& path : {root.filePath("private"), root.filePath("private/inner")}) {
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0700u) << path.toStdString();
    }
}

TEST(FileHelpers, UserFoldersAreMadeOnceKeepingAnEditedProfileAndNeverAtTheRoot)
{
    const QStringList saved = {Resource_Path, Created_Resource_Path, Data_Folder_Path};
    QTemporaryDir root;
    Resource_Path = root.filePath("resources");
    Created_Resource_Path = root.filePath("user");
    Data_Folder_Path = Created_Resource_Path + "/DataSet";
    const QString profile = "/PrintProfile/Default.zvp";
    ASSERT_TRUE(QDir().mkpath(Resource_Path + "/PrintProfile"));
    ASSERT_TRUE(QFile::copy(TestEnvironment::resourceDir() + profile, Resource_Path + profile));

    Check_Path_And_Create_Files();
    for (const char* folder : {"Background", "Fill_Style_Image", "LibraryImage", "Templates"})
        EXPECT_TRUE(QFileInfo(Resource_Path + "/" + folder).isDir()) << folder;
    for (const char* folder : {"Templates/User", "DataSet", "Cropped_Images", "Images_save_by_user", "PrintProfile"})
        EXPECT_TRUE(QFileInfo(Created_Resource_Path + "/" + folder).isDir()) << folder;
    EXPECT_EQ(Cropped_Img_Path.get(), Created_Resource_Path + "/Cropped_Images");
    EXPECT_EQ(print_profile_path.get(), Created_Resource_Path + "/PrintProfile");
    EXPECT_EQ(readAll(Created_Resource_Path + profile), readAll(Resource_Path + profile));
    ASSERT_TRUE(writeText(Created_Resource_Path + profile, "edited"));
    ASSERT_TRUE(writeText(Created_Resource_Path + "/Templates/User/Mine.zovacard", "mine"));
    Check_Path_And_Create_Files();
    EXPECT_EQ(readAll(Created_Resource_Path + profile), "edited");
    EXPECT_EQ(readAll(Created_Resource_Path + "/Templates/User/Mine.zovacard"), "mine");

    Resource_Path.clear(), Created_Resource_Path.clear(), Data_Folder_Path.clear();
    Check_Path_And_Create_Files();
    EXPECT_TRUE(Cropped_Img_Path.get().isEmpty() && print_profile_path.get().isEmpty());
    std::tie(Resource_Path, Created_Resource_Path, Data_Folder_Path) = std::tuple(saved[0], saved[1], saved[2]);

    const auto result = TestEnvironment::runPython(  // the shipped profile as Python's plistlib reads it
        "import plistlib, sys\nitems = plistlib.load(open(sys.argv[1], 'rb'))\n"
        "assert isinstance(items, list) and len(items) == 26 and all(isinstance(i, str) for i in items), items\n"
        "assert items[1:6] == ['A4', '210.00 x 297.00', '210.00', '297.00', 'Portrait'], items\n"
        "assert items[15:26] == ['1', 'Y', 'BOTH', '0', 'N', 'FH', 'N', 'N', 'N', 'N', 'N'], items\n",
        {TestEnvironment::resourceDir() + profile});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
}

TEST(Stopwatch, ShowsWholeHoursMinutesAndSecondsSinceTheStart)
{
    ScriptedMessagePresenter presenter;
    ScopedMessagePresenter installed(presenter);
    const QDateTime start = QDateTime::fromMSecsSinceEpoch(1'700'000'000'400, Qt::UTC);
    Calculate_Time_Taken_At(0, "Batch Crop", start);
    EXPECT_EQ(mLastActivity_Time.load(), 1'700'000'000);
    // The start is cut to whole seconds, so 3725.9 s after the stored start shows 3725 s.
    Calculate_Time_Taken_At(1, "Batch Crop", QDateTime::fromMSecsSinceEpoch(1'700'000'000'000 + 3'725'900, Qt::UTC));
    Calculate_Time_Taken_At(2, "%1 Print", start.addSecs(59));
    EXPECT_EQ(presenter.texts(), (QStringList{"\nTime Taken in Batch Crop :: 1 Hours : 2 Minutes : 5 Seconds\n",
                                              "\nTime Taken in %1 Print :: 0 Hours : 0 Minutes : 59 Seconds\n"}));
}

class DerivedLineEdit : public QLineEdit {
    Q_OBJECT
};

TEST(SetObjEnabled, GroupBoxPassesTheFlagOnAndGreysOnlyExactTextFields)
{
    QGroupBox box;
    auto* field = new QLineEdit(&box);
    auto* button = new QPushButton(&box);
    auto* innerLabel = new QLabel("Name", new QGroupBox(&box));
    auto* derived = new DerivedLineEdit;
    derived->setParent(&box);
    auto text = [](QWidget* w, QPalette::ColorRole role = QPalette::Text) { return w->palette().color(QPalette::Active, role); };
    const QColor derivedBefore = text(derived);
    const QColor normal = text(field), disabled = QApplication::palette(field).color(QPalette::Disabled, QPalette::Text);
    ASSERT_NE(normal, disabled);

    SetObjEnabled(&box, false);
    EXPECT_FALSE(field->isEnabled() || button->isEnabled() || innerLabel->isEnabled() || derived->isEnabled());
    EXPECT_EQ(text(field), disabled);
    EXPECT_EQ(text(derived), derivedBefore);  // a subclass is only disabled
    EXPECT_EQ(text(innerLabel, QPalette::WindowText),
              QApplication::palette(innerLabel).color(QPalette::Disabled, QPalette::WindowText));
    SetObjEnabled(&box, true);
    EXPECT_TRUE(field->isEnabled() && button->isEnabled() && innerLabel->isEnabled());
    EXPECT_EQ(text(field), normal);
    QObject notAWidget;
    SetObjEnabled(&notAWidget, false);
    SetObjEnabled(nullptr, false);
}

}  // namespace

#include "CanvasHelpersTest.moc"
