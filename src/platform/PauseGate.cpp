#include "platform/PauseGate.h"

void PauseGate::close()
{
    QMutexLocker lock(&m_lock);
    m_closed = true;
}

void PauseGate::open()
{
    QMutexLocker lock(&m_lock);
    m_closed = false;
    m_opened.wakeAll();
}

bool PauseGate::isClosed() const
{
    QMutexLocker lock(&m_lock);
    return m_closed;
}

void PauseGate::pass() const
{
    QMutexLocker lock(&m_lock);
    if (!m_closed)
        return;
    ++m_waiting;
    while (m_closed)
        m_opened.wait(&m_lock);
    --m_waiting;
}

int PauseGate::waiting() const
{
    QMutexLocker lock(&m_lock);
    return m_waiting;
}
