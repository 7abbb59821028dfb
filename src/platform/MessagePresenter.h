#pragma once
// The one road by which message boxes reach the user. Production shows QMessageBox; tests install a
// scripted double that records the texts and answers from a queue.
#include <QString>
#include <QStringList>

struct MessageBoxRequest {
    QString text;         // message text, shown as given
    QStringList buttons;  // button titles in the order added; the first is the rightmost
    int defaultButton = 0;
};

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Runs one modal box on the calling thread, which must be the GUI thread. Returns the index
    // of the button pressed, or -1 when the box could not be shown.
    virtual int present(const MessageBoxRequest& request) = 0;
};

class QtMessagePresenter : public MessagePresenter {
public:
    int present(const MessageBoxRequest& request) override;
};

// The presenter in use; QtMessagePresenter until another is installed.
MessagePresenter& messagePresenter();
// Installs a presenter (not owned); nullptr restores the Qt one.
void setMessagePresenter(MessagePresenter* presenter);
