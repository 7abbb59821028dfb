#pragma once
// The one road by which message boxes reach the user. The application installs a presenter that
// shows QMessageBox; tests install a scripted double that records the texts and answers from a
// queue. Until one is installed, no box can be shown and every box answers -1.
#include <QString>
#include <QStringList>

struct MessageBoxRequest {
    QString text;         // message text, shown as given
    QStringList buttons;  // button titles in the order added; the first is the rightmost
    int defaultButton = 0;
    // A list under the text, one entry per line, that the user can scroll, select and copy.
    QStringList details;
    // Smaller text under the message; none when empty.
    QString informativeText;
    // The box's own title; the application's name when empty.
    QString title;
};

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Runs one modal box on the calling thread, which must be the GUI thread. Returns the index
    // of the button pressed, or -1 when the box could not be shown.
    virtual int present(const MessageBoxRequest& request) = 0;
    // The short alert sound that goes with a failure the user did not ask to see in a box.
    virtual void beep() = 0;
};

// The presenter in use.
MessagePresenter& messagePresenter();
// Installs a presenter (not owned); nullptr restores the one that shows nothing.
void setMessagePresenter(MessagePresenter* presenter);
