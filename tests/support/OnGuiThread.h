#pragma once
// The scripted presenters' side of the GUI-thread check: a box or dialog shown from a worker, or a
// dialog made on one (its buttons would never be handled), fails the running test.
#include <QCoreApplication>
#include <QObject>
#include <gtest/gtest.h>

#include "platform/GuiThread.h"

inline void expectOnGuiThread(const char* what, const QObject* window = nullptr)
{
    if (!GuiThread::isCurrent())
        ADD_FAILURE() << what << " was shown from a thread other than the GUI thread";
    else if (window && window->thread() != QCoreApplication::instance()->thread())
        ADD_FAILURE() << what << " (" << window->metaObject()->className()
                      << ") was made on a thread other than the GUI thread";
}
