#include "platform/GuiThread.h"
#include <QCoreApplication>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QMetaObject>
#include <QThread>
#include <QTimer>

namespace GuiThread {

bool isCurrent()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

void runBlocking(const std::function<void()>& fn)
{
    if (isCurrent()) {
        fn();
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&fn] { fn(); },
                              Qt::BlockingQueuedConnection);
}

void serveUntilFinished(const QFuture<void>& job, int tickMs, const std::function<void()>& tick)
{
    QEventLoop loop;
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    QTimer ticks;
    if (tick)
        QObject::connect(&ticks, &QTimer::timeout, &loop, [&tick] { tick(); });
    ticks.start(tickMs);
    watcher.setFuture(job);
    // An application asked to quit ends every loop it runs; the job still has to be waited for.
    while (!job.isFinished())
        loop.exec();
}

}  // namespace GuiThread
