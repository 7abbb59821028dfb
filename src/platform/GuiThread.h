#pragma once
#include <functional>

namespace GuiThread {
// True on the application's GUI thread, and always when no QCoreApplication exists.
bool isCurrent();
// Runs fn on the GUI thread and waits for it. On the GUI thread itself (or with no application)
// it runs at once, so the GUI thread never blocks on itself.
void runBlocking(const std::function<void()>& fn);
}  // namespace GuiThread
