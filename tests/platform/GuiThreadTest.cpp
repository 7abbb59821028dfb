// Waiting on the GUI thread for a job: its calls onto the GUI thread are served while it runs, and
// the wait ends when the job does.
#include "platform/GuiThread.h"

#include <QCoreApplication>
#include <QThread>
#include <QtConcurrent/QtConcurrent>
#include <atomic>
#include <gtest/gtest.h>

TEST(GuiThreadWait, ServesTheJobsCallsAndTicksUntilTheJobHasFinished)
{
    QList<bool> servedOnGuiThread;
    std::atomic<int> ticks{0};
    const QFuture<void> job = QtConcurrent::run([&] {
        for (int i = 0; i < 3; ++i)
            GuiThread::runBlocking([&] { servedOnGuiThread.append(QThread::currentThread() == qApp->thread()); });
        while (ticks < 2)
            QThread::msleep(1);
    });
    GuiThread::serveUntilFinished(job, 1, [&] { ++ticks; });
    EXPECT_TRUE(job.isFinished());
    EXPECT_EQ(servedOnGuiThread, (QList<bool>{true, true, true}));
    EXPECT_GE(ticks, 2);

    // A job done before the wait begins: nothing to wait for.
    GuiThread::serveUntilFinished(QtFuture::makeReadyFuture(), 1000);
}
