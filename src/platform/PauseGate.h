#pragma once
// A gate a long job passes before each step: closed while the user is asked whether to stop, so
// nothing more is written until the answer comes, opened again by a No or by the stop itself.
#include <QMutex>
#include <QWaitCondition>

class PauseGate {
public:
    // Any thread.
    void close();
    void open();
    bool isClosed() const;
    // Waits while the gate is closed; returns at once when it is open.
    void pass() const;
    // How many threads wait at the gate now.
    int waiting() const;

private:
    mutable QMutex m_lock;
    mutable QWaitCondition m_opened;
    bool m_closed = false;
    mutable int m_waiting = 0;
};
