#include "platform/GuiThread.h"
#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

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

}  // namespace GuiThread
