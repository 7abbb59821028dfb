#include "views/mail/PreferencesWindow.h"

#include "mail/Preferences.h"
#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "ui_PreferencesWindow.h"
#include "views/dialogs/SharedDialogs.h"

namespace {
constexpr int kSubmissionPort = 587;
}

PreferencesWindow::PreferencesWindow(QWidget* parent) : QDialog(parent), ui(new Ui::PreferencesWindow)
{
    ui->setupUi(this);
    applySharedDialogBackground(*this);
    connect(ui->SaveButton, &QPushButton::clicked, this, &PreferencesWindow::Save_Pressed);
    connect(ui->CancelButton, &QPushButton::clicked, this, &PreferencesWindow::Cancel_Pressed);
}

PreferencesWindow::~PreferencesWindow()
{
    delete ui;
}

PreferencesWindow& PreferencesWindow::defaultInstance()
{
    return sharedDialogInstance<PreferencesWindow>();
}

int PreferencesWindow::Open_Wnd(Preferences& store)
{
    m_store = &store;
    QString refusal;
    if (!store.reload(&refusal))
        Show_MessageBox(refusal);
    showAccount(store.account());
    ui->sender_email->setFocus();
    return dialogPresenter().runModal(*this) == QDialog::Accepted ? 1 : 0;
}

void PreferencesWindow::showAccount(const MailAccount& account)
{
    ui->sender_email->setText(account.sender);
    ui->sender_pwd->setText(account.password);
    ui->sending_server->setText(account.server);
    ui->sending_port->setValue(account.port > 0 ? account.port : kSubmissionPort);
    ui->send_enable_ssl->setCurrentIndex(int(account.security));
}

MailAccount PreferencesWindow::enteredAccount() const
{
    MailAccount account;
    account.sender = ui->sender_email->text().trimmed();
    account.password = ui->sender_pwd->text();
    account.server = ui->sending_server->text().trimmed();
    account.port = ui->sending_port->value();
    account.security = MailSecurity(ui->send_enable_ssl->currentIndex());
    return account;
}

void PreferencesWindow::Save_Pressed()
{
    const MailAccount account = enteredAccount();
    if (const std::optional<QString> refusal = mailAccountRefusal(account)) {
        Show_MessageBox(*refusal);
        return;
    }
    QString error;
    if (!m_store->store(account, &error)) {
        Show_MessageBox(QStringLiteral("The mail settings could not be saved.\n\n") + error);
        return;
    }
    accept();
}

void PreferencesWindow::Cancel_Pressed()
{
    reject();
}
