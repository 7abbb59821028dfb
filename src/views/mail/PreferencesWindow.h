#pragma once
// The mail settings window: the sender's address and password, the SMTP server, its port and
// the secure connection, kept in the mail settings store. A settings file others may read is
// refused with a message, and the window opens empty so the settings can be entered again.
#include <QDialog>

#include "mail/MailAccount.h"

namespace Ui {
class PreferencesWindow;
}

class Preferences;

class PreferencesWindow : public QDialog {
    Q_OBJECT
public:
    explicit PreferencesWindow(QWidget* parent = nullptr);
    ~PreferencesWindow() override;

    static PreferencesWindow& defaultInstance();

    // Runs the window over the store; 1 when settings were saved.
    int Open_Wnd(Preferences& store);

    // The account the fields hold.
    MailAccount enteredAccount() const;

    Ui::PreferencesWindow* ui;

public Q_SLOTS:
    void Save_Pressed();
    void Cancel_Pressed();

private:
    void showAccount(const MailAccount& account);

    Preferences* m_store = nullptr;
};
