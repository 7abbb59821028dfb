#pragma once
// A decimal comma in the C library's numbers, as a German user's locale has, for tests of
// number text that must not follow the user's locale.
#include <QByteArray>

class ScopedCommaLocale {
public:
    // Switches LC_NUMERIC to de_DE (compiled once with localedef where it is not installed).
    ScopedCommaLocale();
    // Puts the previous LC_NUMERIC back.
    ~ScopedCommaLocale();
    ScopedCommaLocale(const ScopedCommaLocale&) = delete;
    ScopedCommaLocale& operator=(const ScopedCommaLocale&) = delete;

    // False when no comma-decimal locale could be had; tests then skip.
    bool active() const { return m_active; }

private:
    QByteArray m_previous;
    bool m_active = false;
};
