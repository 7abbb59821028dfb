#include "support/GuiThreadCheckedApplication.h"

#include <QThread>
#include <gtest/gtest.h>

namespace {

// What Qt says, in release builds too, when an object is used from a thread it does not belong to.
const char* const kCrossThreadWarnings[] = {
    "Cannot filter events for objects in a different thread",
    "Cannot create children for a parent that is in a different thread",
    "Cannot send events to objects owned by a different thread",
    "Timers cannot be started from another thread",
    "Timers cannot be stopped from another thread",
    "It is not safe to use pixmaps outside the GUI thread",
    "Widgets must be created in the GUI thread",
};

// The class of the window a new widget goes into; a window itself is still a plain QWidget while
// Qt sends its Create event.
const char* windowClassOf(const QObject* widget)
{
    const QObject* top = widget;
    while (top->parent())
        top = top->parent();
    return top->metaObject()->className();
}

}  // namespace

GuiThreadCheckedApplication::GuiThreadCheckedApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    s_previousHandler = qInstallMessageHandler(&failOnCrossThreadWarning);
}

GuiThreadCheckedApplication::~GuiThreadCheckedApplication()
{
    qInstallMessageHandler(s_previousHandler);
}

void GuiThreadCheckedApplication::failOnCrossThreadWarning(QtMsgType type, const QMessageLogContext& context,
                                                           const QString& text)
{
    for (const char* warning : kCrossThreadWarnings) {
        if (s_expecting == 0 && text.contains(QLatin1String(warning)))
            ADD_FAILURE() << "Qt: " << text.toStdString();
    }
    if (s_previousHandler)
        s_previousHandler(type, context, text);
}

bool GuiThreadCheckedApplication::notify(QObject* receiver, QEvent* event)
{
    if (event->type() == QEvent::Create && receiver->isWidgetType() && QThread::currentThread() != thread()) {
        ++s_offThreadWidgets;
        if (s_expecting == 0)
            ADD_FAILURE() << "a widget of " << windowClassOf(receiver) << " was made on the thread \""
                          << QThread::currentThread()->objectName().toStdString()
                          << "\", not on the GUI thread";
    }
    return QApplication::notify(receiver, event);
}
