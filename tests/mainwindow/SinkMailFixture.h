#pragma once
// The mail window of the real main window sending through a local SMTP server with our mail
// script, its settings in a folder of the test's; the window's own settings come back afterwards.
#include <QDir>
#include <gtest/gtest.h>

#include "mail/MailSender.h"
#include "mail/Preferences.h"
#include "views/mail/Send_Mail.h"
#include "views/mail/SmtpSink.h"

class SinkMail {
public:
    explicit SinkMail(const QString& settingsFolder)
        : server(QStringLiteral("office@zova.example:pw-5120")),
          preferences(QDir(settingsFolder).filePath(QStringLiteral("com.zovacardmail.plist"))),
          m_before(window.preferences), m_transportBefore(window.transport)
    {
        EXPECT_GT(server.port(), 0);
        EXPECT_TRUE(preferences.store({"office@zova.example", "pw-5120", "127.0.0.1", server.port(), MailSecurity::None}));
        sender.python = QStringLiteral(ZOVA_SYSTEM_PYTHON);
        sender.script = QDir(QStringLiteral(ZOVA_TEST_RESOURCE_DIR)).filePath(QStringLiteral("pyth_mail"));
        window.preferences = &preferences;
        window.transport = sender.transport();
    }
    ~SinkMail()
    {
        window.preferences = m_before;
        window.transport = m_transportBefore;
    }
    SinkMail(const SinkMail&) = delete;
    SinkMail& operator=(const SinkMail&) = delete;

    // The front picture of a message the server took (its first attachment).
    QString frontOf(const QStringList& message) const
    {
        return QDir(server.folder()).filePath(message.value(5).section(u',', 0, 0));
    }

    Send_Mail& window = Send_Mail::defaultInstance();
    SmtpSink server;
    Preferences preferences;
    MailSender sender;

private:
    Preferences* m_before;
    MailTransport m_transportBefore;
};
