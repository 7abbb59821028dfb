#pragma once
// Sends one message with one attachment: runs Python on our script pyth_mail, the password given
// on its standard input (never among the arguments others may list), and reads its answer: exit
// status 0 when the server took the message, else the server's answer on its standard error.
#include <QString>
#include <QStringList>
#include <functional>

#include "mail/MailAccount.h"

struct MailMessage {
    QString recipient;
    QString subject;
    QString body;
    QStringList attachments;  // file paths
};

struct MailSendResult {
    bool sent = false;
    QString answer;  // why it was not sent: the server's answer or what went wrong on the way
};

// Sends one message; the batch run and tests may put another in its place.
using MailTransport = std::function<MailSendResult(const MailAccount&, const MailMessage&)>;

class MailSender {
public:
    // Python from $ZOVA_PYTHON, else "python3" found on the PATH; the script in the resource
    // folder; a minute per message.
    MailSender();

    QString python;
    QString script;
    int timeoutSeconds = 60;
    // A certificate file the server's certificate is checked against besides the system's (tests).
    QString certificateAuthority;

    // The arguments the script is run with: no password among them.
    QStringList arguments(const MailAccount& account, const MailMessage& message) const;
    // Runs the script to its end (the time-out and a few seconds more at most). Any thread.
    MailSendResult send(const MailAccount& account, const MailMessage& message) const;
    // This sender as a transport.
    MailTransport transport() const;
};
