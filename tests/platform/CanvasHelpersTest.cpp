// Helpers: message boxes across threads, strings, files and folders, the stopwatch.
#include <QCoreApplication>
#include <QDateTime>
#include <QTemporaryDir>
#include <functional>
#include <thread>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/AppContext.h"
#include "platform/CanvasGlobals.h"
#include "platform/FileHelpers.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/Stopwatch.h"
#include "platform/StringHelpers.h"
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

QStringList logEntries;  // written on the GUI thread only

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

TEST_F(MessageBoxes, WorkersAskTheGuiThreadWithoutDeadlockAndEachGetsItsOwnAnswer)
{
    for (int round = 0; round < 20; ++round) {
        presenter.queueAnswers({0, 1});
        int answerA = -1, answerB = -1;
        runOnWorkers({[&] { answerA = Show_YES_NO_MessageBox(QString("A%1?").arg(round)); },
                      [&] { answerB = Show_YES_NO_MessageBox(QString("B%1?").arg(round)); }});
        const auto records = presenter.records().mid(2 * round);
        ASSERT_EQ(records.size(), 2);
        for (const auto& record : records)
            EXPECT_EQ(record.request.text.startsWith('A') ? answerA : answerB, record.answer == 0 ? 1 : 0);
    }
    runOnWorkers({[] { Show_MessageBox("from worker"); }});
    EXPECT_EQ(presenter.texts().last(), "\nfrom worker");
    for (const auto& record : presenter.records())
        EXPECT_EQ(record.thread, qApp->thread());
}

TEST_F(MessageBoxes, OnTheGuiThreadTheyAnswerAndABoxThatCannotBeShownIsLoggedAndAnswersNo)
{
    logEntries.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { logEntries.append(message); });
    presenter.queueAnswers({0, 1, 0, 1, 2, -1, -1, -1});
    EXPECT_EQ(Show_YES_NO_MessageBox("Delete?"), 1);
    EXPECT_TRUE(yes_no_msg_val);
    EXPECT_EQ(Show_YES_NO_MessageBox("Delete?"), 0);
    EXPECT_FALSE(yes_no_msg_val);
    for (int answer : {1000, 1001, 1002})
        EXPECT_EQ(Show_YES_NO_Cancel_MessageBox("Save?"), answer);
    EXPECT_EQ(presenter.records()[2].request.buttons, (QStringList{"Yes", "No", "Cancel"}));
    Show_MessageBox("gone");
    EXPECT_EQ(Show_YES_NO_MessageBox("Yes?"), 0);
    EXPECT_EQ(Show_YES_NO_Cancel_MessageBox("Save?"), 1002);
    Show_NSLog_Message("100% \"done\" %@\nnext");  // written unchanged
    qInstallMessageHandler(previous);
    ASSERT_EQ(logEntries.size(), 4);
    EXPECT_TRUE(logEntries[0].contains("gone"));
    EXPECT_EQ(logEntries[3], "100% \"done\" %@\nnext");
}

TEST(StringHelpers, TrimStrStripsByteOrderMarksAndZeroWidthSpacesAndFindStrRefusesAnEmptyNeedle)
{
    const QChar bom(0xFEFF), zeroWidth(0x200B);
    // White space behind a zero-width space goes too, so that trimming again changes nothing.
    const QList<std::pair<QString, QString>> cases = {
        {QString(bom) + "Name", "Name"}, {QString(" \t") + zeroWidth + "Name" + zeroWidth + "\r\n", "Name"},
        {QString(" ") + zeroWidth + " Name", "Name"}, {QString("Name ") + zeroWidth, "Name"}, {QString(bom) + zeroWidth, ""},
        // Long runs of blanks, other blanks and controls among them, and text of blanks alone.
        {QString(9, u' ') + "\t" + QString(17, u' ') + "a  b" + QString(8, u' ') + "\x7f" + QString(16, u' '), "a  b"},
        {QString(24, u' '), ""}, {QString(7, u' ') + "\x01" + QString(7, u' ') + "x", "x"}, {"x" + QString(15, u' ') + "\r\n", "x"}};
    for (const auto& [text, trimmed] : cases) {
        EXPECT_EQ(Trim_Str(text), trimmed) << text.toStdString();
        EXPECT_EQ(Trim_Str(Trim_Str(text)), Trim_Str(text)) << text.toStdString();
        // ASCII is trimmed the same as its bytes.
        const QByteArray bytes = text.toUtf8();
        EXPECT_EQ(Is_Ascii(bytes), bytes.size() == text.size()) << text.toStdString();
        if (Is_Ascii(bytes))
            EXPECT_EQ(Trimmed_Ascii_Part(bytes), trimmed.toLatin1()) << text.toStdString();
    }
    EXPECT_FALSE(Find_Str("abc", "") || Find_Str_Case_Insensitive("abc", "") || Find_Str_Case_Insensitive({}, "a"));
    EXPECT_TRUE(Find_Str_Case_Insensitive("Front_Photo", "PHOTO") && !Find_Str("Front_Photo", "photo"));
}

TEST(FileHelpers, CreateFolderMakesParentsLeavesAFileAloneAndFollowsTheUmask)
{
    QTemporaryDir root;
    const QString file = root.filePath("plain");
    ASSERT_TRUE(writeText(file, "keep"));
    EXPECT_TRUE(Create_Folder(file));
    EXPECT_EQ(readAll(file), "keep");
    EXPECT_FALSE(Create_Folder(file + "/below"));

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
    EXPECT_EQ(print_profile_path.get(), Created_Resource_Path + "/PrintProfile");
    EXPECT_EQ(readAll(Created_Resource_Path + profile), readAll(Resource_Path + profile));
    ASSERT_TRUE(writeText(Created_Resource_Path + profile, "edited"));
    Check_Path_And_Create_Files();
    EXPECT_EQ(readAll(Created_Resource_Path + profile), "edited");

    Resource_Path.clear(), Created_Resource_Path.clear(), Data_Folder_Path.clear();
    Check_Path_And_Create_Files();
    EXPECT_TRUE(Cropped_Img_Path.get().isEmpty() && print_profile_path.get().isEmpty());
    std::tie(Resource_Path, Created_Resource_Path, Data_Folder_Path) = std::tuple(saved[0], saved[1], saved[2]);
}

TEST_F(MessageBoxes, StopwatchShowsWholeHoursMinutesAndSecondsSinceTheStart)
{
    const QDateTime start = QDateTime::fromMSecsSinceEpoch(1'700'000'000'400, Qt::UTC);
    Calculate_Time_Taken_At(0, "Batch Crop", start);
    EXPECT_EQ(mLastActivity_Time.load(), 1'700'000'000);
    // The start is cut to whole seconds, so 3725.9 s after the stored start shows 3725 s.
    Calculate_Time_Taken_At(1, "Batch Crop", QDateTime::fromMSecsSinceEpoch(1'700'000'000'000 + 3'725'900, Qt::UTC));
    Calculate_Time_Taken_At(2, "%1 Print", start.addSecs(59));
    EXPECT_EQ(presenter.texts(), (QStringList{"\nTime Taken in Batch Crop :: 1 Hours : 2 Minutes : 5 Seconds\n",
                                              "\nTime Taken in %1 Print :: 0 Hours : 0 Minutes : 59 Seconds\n"}));
}

}  // namespace
