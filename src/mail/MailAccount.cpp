#include "mail/MailAccount.h"

#include <QRegularExpression>

QString mailSecurityText(MailSecurity security)
{
    switch (security) {
    case MailSecurity::Ssl:
        return QStringLiteral("SSL");
    case MailSecurity::StartTls:
        return QStringLiteral("STARTTLS");
    case MailSecurity::None:
        break;
    }
    return QStringLiteral("NO");
}

MailSecurity mailSecurityFromText(const QString& text)
{
    const QString word = text.trimmed().toUpper();
    if (word == QLatin1String("STARTTLS"))
        return MailSecurity::StartTls;
    if (word == QLatin1String("SSL"))
        return MailSecurity::Ssl;
    // The platform's reading of a yes: a leading Y or T, or a digit other than 0.
    const QChar first = word.isEmpty() ? QChar() : word.front();
    if (first == u'Y' || first == u'T' || (first.isDigit() && first != u'0'))
        return MailSecurity::Ssl;
    return MailSecurity::None;
}

std::optional<QString> mailAccountRefusal(const MailAccount& account)
{
    if (account.sender.trimmed().isEmpty())
        return QStringLiteral("Please enter the sender's e-mail address.");
    if (const std::optional<QString> refusal = mailAddressRefusal(account.sender))
        return refusal;
    if (account.server.trimmed().isEmpty())
        return QStringLiteral("Please enter the SMTP server.");
    if (account.port < 1 || account.port > 65535)
        return QStringLiteral("Please enter a port between 1 and 65535.");
    if (account.password.contains(u'\n') || account.password.contains(u'\r'))
        return QStringLiteral("The password cannot hold a line break.");
    return std::nullopt;
}

std::optional<QString> mailAddressRefusal(const QString& address)
{
    // Only printable characters other than the separators, one "@" with text on both sides.
    static const QRegularExpression oneAddress(QStringLiteral("^[^\\s,;<>\"@\\x00-\\x1f\\x7f]+@[^\\s,;<>\"@\\x00-\\x1f\\x7f]+$"));
    if (oneAddress.match(address).hasMatch())
        return std::nullopt;
    QString shown = address;
    shown.replace(u'\r', QStringLiteral("\\r")).replace(u'\n', QStringLiteral("\\n"));
    return QStringLiteral("\"%1\" is not one e-mail address.").arg(shown);
}
