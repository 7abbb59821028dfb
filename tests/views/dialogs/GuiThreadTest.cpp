// Windows belong to the GUI thread: a shared window asked for first by a worker is made there, and
// the test programs' check catches a widget made anywhere else.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QThread>
#include <atomic>
#include <thread>
#include <vector>

#include "support/GuiThreadCheckedApplication.h"
#include "views/dialogs/SharedDialogs.h"

namespace {

// Window classes of their own, so that no other test has made them.
class FirstAskedByAWorker : public QDialog {};
class AskedByManyWorkers : public QDialog {};

// Runs the asks on workers while the GUI thread handles their hops; the windows they got.
template <class Window>
std::vector<Window*> askFromWorkers(int workers)
{
    std::vector<Window*> got(size_t(workers), nullptr);
    std::atomic<int> finished{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < workers; ++i) {
        threads.emplace_back([&got, &finished, i] {
            got[size_t(i)] = &sharedDialogInstance<Window>();
            ++finished;
        });
    }
    while (finished < workers)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    for (std::thread& thread : threads)
        thread.join();
    return got;
}

}  // namespace

TEST(GuiThread, ASharedWindowAskedForFirstByAWorkerIsMadeOnTheGuiThread)
{
    const std::vector<FirstAskedByAWorker*> got = askFromWorkers<FirstAskedByAWorker>(1);
    ASSERT_NE(got[0], nullptr);
    EXPECT_EQ(got[0]->thread(), qApp->thread());
    EXPECT_EQ(&sharedDialogInstance<FirstAskedByAWorker>(), got[0]);
}

TEST(GuiThread, WorkersAskingAtOnceAllGetTheOneWindow)
{
    const std::vector<AskedByManyWorkers*> got = askFromWorkers<AskedByManyWorkers>(8);
    for (AskedByManyWorkers* window : got)
        EXPECT_EQ(window, got[0]);
    EXPECT_EQ(got[0]->thread(), qApp->thread());
}

TEST(GuiThread, TheCheckCountsAWidgetMadeOnAWorkerAndNoneMadeHere)
{
    const GuiThreadCheckedApplication::Expecting expecting;
    const int before = GuiThreadCheckedApplication::offThreadWidgets();
    QWidget here;
    EXPECT_EQ(GuiThreadCheckedApplication::offThreadWidgets(), before);
    std::thread([] { delete new QWidget; }).join();
    EXPECT_EQ(GuiThreadCheckedApplication::offThreadWidgets(), before + 1);
}
