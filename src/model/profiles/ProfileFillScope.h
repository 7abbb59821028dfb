#pragma once
// Whether a card-holder profile is being written onto a side right now. The canvas records no
// undo snapshot of its own while it is set, since the fill records one for the whole side; it is
// never left set, so the user's own edits after a fill keep their undo.
#include <QScopedValueRollback>

extern bool Profile_Fill_Running;

class ProfileFillScope {
public:
    ProfileFillScope() : m_running(Profile_Fill_Running, true) {}

private:
    QScopedValueRollback<bool> m_running;
};
