#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QMutex>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include "canvas/CanvasGlobals.h"
#include "canvas/helpers/Log.h"
#include "canvas/helpers/MessageBoxes.h"
#include "support/ScriptedMessagePresenter.h"

namespace {

const QStringList kOk{"OK"};
const QStringList kYesNo{"Yes", "No"};
const QStringList kYesNoCancel{"Yes", "No", "Cancel"};

// Runs each job on a thread of its own while this (GUI) thread keeps its event loop going,
// so blocking calls back into the GUI thread are served.
void runOnWorkers(const std::vector<std::function<void()>>& jobs)
{
    QEventLoop loop;
    int running = int(jobs.size());
    std::vector<std::unique_ptr<QThread>> threads;
    for (const auto& job : jobs) {
        threads.emplace_back(QThread::create(job));
        QObject::connect(threads.back().get(), &QThread::finished, &loop, [&] {
            if (--running == 0)
                loop.quit();
        });
    }
    for (auto& thread : threads)
        thread->start();
    loop.exec();
    for (auto& thread : threads)
        thread->wait();
}

// Collects the log entries written while it lives.
class LogCapture {
public:
    LogCapture()
    {
        QMutexLocker lock(&mutex());
        store().clear();
        previous_ = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() { qInstallMessageHandler(previous_); }
    QStringList entries() const
    {
        QMutexLocker lock(&mutex());
        return store();
    }

private:
    static QMutex& mutex()
    {
        static QMutex m;
        return m;
    }
    static QStringList& store()
    {
        static QStringList s;
        return s;
    }
    static void handle(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        QMutexLocker lock(&mutex());
        store().append(message);
    }
    QtMessageHandler previous_ = nullptr;
};

class MessageBoxesTest : public ::testing::Test {
protected:
    ScriptedMessagePresenter presenter;
    ScopedMessagePresenter installed{presenter};
};

TEST_F(MessageBoxesTest, BoxesOnTheGuiThreadShowTheirTextsButtonsAndAnswers)
{
    presenter.queueAnswers({0, 0, 1, 0, 0, 1, 2});
    Show_MessageBox("Selected control is locked.");
    Show_MessageBox("");
    EXPECT_EQ(Show_YES_NO_MessageBox("Delete?"), 0);
    EXPECT_FALSE(yes_no_msg_val);
    EXPECT_EQ(Show_YES_NO_MessageBox("Delete?"), 1);
    EXPECT_TRUE(yes_no_msg_val);
    EXPECT_EQ(Show_YES_NO_Cancel_MessageBox("Do you want to save changes?"), 1000);
    EXPECT_EQ(Show_YES_NO_Cancel_MessageBox("Do you want to save changes?"), 1001);
    EXPECT_EQ(Show_YES_NO_Cancel_MessageBox("Do you want to save changes?"), 1002);
    Show_MessageBox_No_Thread("here");
    EXPECT_EQ(show_msg("plain"), 1);

    const auto records = presenter.records();
    ASSERT_EQ(records.size(), 9);
    EXPECT_EQ(presenter.texts(), (QStringList{"\nSelected control is locked.", "\n", "Delete?", "Delete?",
                                              "Do you want to save changes?", "Do you want to save changes?",
                                              "Do you want to save changes?", "\nhere", "plain"}));
    const QList<QStringList> expectedButtons{kOk, kOk, kYesNo, kYesNo, kYesNoCancel, kYesNoCancel, kYesNoCancel,
                                             kOk, kOk};
    for (int i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].request.buttons, expectedButtons[i]) << i;
        EXPECT_EQ(records[i].request.defaultButton, 0) << i;
        EXPECT_EQ(records[i].thread, qApp->thread()) << i;
    }
}

TEST_F(MessageBoxesTest, BoxesAskedFromAWorkerRunOnTheGuiThreadAndAnswerTheWorker)
{
    presenter.queueAnswers({0, 0});
    int answer = -1;
    runOnWorkers({[&] {
        Show_MessageBox("from worker");
        answer = Show_YES_NO_MessageBox("Continue?");
    }});

    EXPECT_EQ(answer, 1);
    EXPECT_EQ(presenter.texts(), (QStringList{"\nfrom worker", "Continue?"}));
    for (const auto& record : presenter.records())
        EXPECT_EQ(record.thread, qApp->thread());
}

TEST_F(MessageBoxesTest, TwoWorkersAskingAtOnceEachGetTheirOwnAnswer)
{
    for (int round = 0; round < 20; ++round) {
        presenter.queueAnswers({0, 1});
        int answerA = -1;
        int answerB = -1;
        runOnWorkers({[&] { answerA = Show_YES_NO_MessageBox(QString("A%1?").arg(round)); },
                      [&] { answerB = Show_YES_NO_MessageBox(QString("B%1?").arg(round)); }});

        const auto records = presenter.records().mid(2 * round);
        ASSERT_EQ(records.size(), 2);
        for (const auto& record : records) {
            const int expected = record.answer == 0 ? 1 : 0;
            if (record.request.text.startsWith('A'))
                EXPECT_EQ(answerA, expected) << record.request.text.toStdString();
            else
                EXPECT_EQ(answerB, expected) << record.request.text.toStdString();
        }
    }
}

TEST_F(MessageBoxesTest, ABoxThatCannotBeShownIsLoggedAndAnswersNo)
{
    LogCapture log;
    presenter.queueAnswers({-1, -1, -1, -1});
    Show_MessageBox("gone");
    EXPECT_EQ(Show_YES_NO_MessageBox("Yes?"), 0);
    EXPECT_EQ(Show_YES_NO_Cancel_MessageBox("Save?"), 1002);
    EXPECT_EQ(show_msg("plain"), 0);

    const QStringList entries = log.entries();
    ASSERT_EQ(entries.size(), 4);
    EXPECT_TRUE(entries[0].contains("gone"));
    EXPECT_TRUE(entries[2].contains("Save?"));
}

TEST(LogTest, WritesOneEntryWithTheTextUnchangedAndNothingForEmptyText)
{
    LogCapture log;
    Show_NSLog_Message("");
    Show_NSLog_Message("100% \"done\" %@\nnext");
    EXPECT_EQ(log.entries(), QStringList{"100% \"done\" %@\nnext"});
}

// The Qt presenter itself: the buttons in order, "Yes" as default, and the index of the one pressed.
TEST(QtMessagePresenterTest, ShowsAModalBoxAndReportsTheButtonPressed)
{
    QStringList shownButtons;
    QString shownText;
    QString defaultTitle;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box == nullptr || !box->isVisible())
                continue;
            shownText = box->text();
            for (QAbstractButton* button : box->buttons())
                shownButtons.append(button->text());
            defaultTitle = box->defaultButton() ? box->defaultButton()->text() : QString();
            for (QAbstractButton* button : box->buttons())
                if (button->text() == "No")
                    button->click();
        }
    });
    QtMessagePresenter qtPresenter;
    EXPECT_EQ(qtPresenter.present({"Replace it?", kYesNo, 0}), 1);
    EXPECT_EQ(shownText, "Replace it?");
    EXPECT_EQ(defaultTitle, "Yes");
    shownButtons.sort();
    EXPECT_EQ(shownButtons, (QStringList{"No", "Yes"}));
}

}  // namespace
