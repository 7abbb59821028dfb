#pragma once
// Narrows the process's file-creation mask while it lives, so that what the calls in its scope
// create is private from its first byte; the old mask comes back at the end of the scope. The
// mask is the process's: keep the scope to the creating calls.
#include <sys/stat.h>
#include <sys/types.h>

class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_previous(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_previous); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t m_previous;
};
