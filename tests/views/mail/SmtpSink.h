#pragma once
// The tests' mail server on 127.0.0.1 (tests/mail/smtp_sink.py over Debian's aiosmtpd), started
// for one test and stopped with it; it ends by itself after two minutes whatever happens.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

class SmtpSink {
public:
    // login: "user:password" the server requires, or empty for none.
    explicit SmtpSink(const QString& login, const QStringList& options = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("SINK_LOGIN"), login);
        m_server.setProcessEnvironment(environment);
        m_server.start(QStringLiteral(ZOVA_SYSTEM_PYTHON),
                       QStringList{QStringLiteral(ZOVA_SMTP_SINK), QStringLiteral("--folder"), m_folder.path(),
                                   QStringLiteral("--lifetime"), QStringLiteral("120")} +
                           options);
        // "PORT n" once it listens.
        if (m_server.waitForStarted() && m_server.waitForReadyRead(20000)) {
            const QByteArray line = m_server.readLine().trimmed();
            if (line.startsWith("PORT "))
                m_port = line.mid(5).toInt();
        }
    }
    ~SmtpSink()
    {
        m_server.closeWriteChannel();
        if (!m_server.waitForFinished(5000)) {
            m_server.kill();
            m_server.waitForFinished();
        }
    }

    int port() const { return m_port; }
    QString folder() const { return m_folder.path(); }
    // One entry per message received: number, envelope recipients, To, subject, body, attachments.
    QList<QStringList> received() const
    {
        QList<QStringList> messages;
        QFile listing(QDir(m_folder.path()).filePath(QStringLiteral("received.txt")));
        if (!listing.open(QIODevice::ReadOnly))
            return messages;
        for (const QByteArray& line : listing.readAll().split('\n')) {
            if (!line.isEmpty())
                messages.append(QString::fromUtf8(line).split(u'\t'));
        }
        return messages;
    }

private:
    QTemporaryDir m_folder;
    QProcess m_server;
    int m_port = 0;
};
