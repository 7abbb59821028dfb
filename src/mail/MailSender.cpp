#include "mail/MailSender.h"

#include <QDir>
#include <QProcess>

#include "platform/AppFolders.h"

namespace {

// Beyond the script's own time-out: starting Python and writing the answer.
constexpr int kStartAndEndAllowanceMs = 15000;

// The last non-empty line the script wrote: its one-line answer, after any warning Python printed.
QString lastLine(const QByteArray& output)
{
    const QStringList lines = QString::fromUtf8(output).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const QString line = lines[i].trimmed();
        if (!line.isEmpty())
            return line;
    }
    return QString();
}

}  // namespace

MailSender::MailSender()
    : python(qEnvironmentVariable("ZOVA_PYTHON", QStringLiteral("python3"))),
      script(QDir(AppFolders::resourceFolder()).filePath(QStringLiteral("pyth_mail")))
{
}

QStringList MailSender::arguments(const MailAccount& account, const MailMessage& message) const
{
    // "--name=value" throughout, so that a value starting with "-" is never read as an option.
    auto option = [](const char* name, const QString& value) {
        return QStringLiteral("--%1=%2").arg(QLatin1String(name), value);
    };
    QStringList arguments{script,
                          option("from", account.sender.trimmed()),
                          option("server", account.server.trimmed()),
                          option("port", QString::number(account.port)),
                          option("security", mailSecurityText(account.security).toLower()),
                          option("to", message.recipient),
                          option("subject", message.subject),
                          option("body", message.body),
                          option("timeout", QString::number(timeoutSeconds))};
    for (const QString& attachment : message.attachments)
        arguments << option("attach", attachment);
    if (!certificateAuthority.isEmpty())
        arguments << option("cafile", certificateAuthority);
    return arguments;
}

MailSendResult MailSender::send(const MailAccount& account, const MailMessage& message) const
{
    QProcess process;
    process.start(python, arguments(account, message));
    if (!process.waitForStarted())
        return {false, QStringLiteral("Cannot start %1: %2").arg(python, process.errorString())};
    process.write(account.password.toUtf8() + '\n');
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutSeconds * 1000 + kStartAndEndAllowanceMs)) {
        process.kill();
        process.waitForFinished();
        return {false, QStringLiteral("The server did not answer within %1 seconds.").arg(timeoutSeconds)};
    }
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return {true, QString()};
    const QString answer = lastLine(process.readAllStandardError());
    if (!answer.isEmpty())
        return {false, answer};
    return {false, QStringLiteral("The mail program ended with status %1.").arg(process.exitCode())};
}

MailTransport MailSender::transport() const
{
    return [sender = *this](const MailAccount& account, const MailMessage& message) {
        return sender.send(account, message);
    };
}
