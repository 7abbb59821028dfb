#pragma once
#include <QFuture>
#include <functional>

namespace GuiThread {
// True on the application's GUI thread, and always when no QCoreApplication exists.
bool isCurrent();
// Runs fn on the GUI thread and waits for it. On the GUI thread itself (or with no application)
// it runs at once, so the GUI thread never blocks on itself.
void runBlocking(const std::function<void()>& fn);
// Serves the GUI thread's events until the job has finished, calling tick every tickMs meanwhile.
// It sleeps between events: a loop of processEvents with a time limit never waits, and would
// keep a core busy that the job's workers need.
void serveUntilFinished(const QFuture<void>& job, int tickMs, const std::function<void()>& tick = {});
}  // namespace GuiThread
