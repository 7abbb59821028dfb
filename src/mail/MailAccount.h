#pragma once
// The account cards are mailed from, and how a server's connection is secured.
#include <QString>
#include <optional>

enum class MailSecurity { None, Ssl, StartTls };

struct MailAccount {
    QString sender;    // the sender's address, also the login
    QString password;  // empty: the server takes mail without a login
    QString server;
    int port = 0;
    MailSecurity security = MailSecurity::None;
};

// The stored texts of the security choice: "NO", "SSL" and "STARTTLS". Read back, any other text
// that reads as yes ("YES", "1", "true") means SSL, as the setting was once a plain switch.
QString mailSecurityText(MailSecurity security);
MailSecurity mailSecurityFromText(const QString& text);

// Why an account cannot send yet ("Please enter ..."), or nothing when it is complete.
std::optional<QString> mailAccountRefusal(const MailAccount& account);

// Why an address cannot be a recipient (or a sender): it must be one address, name@domain, with
// no line break, comma, semicolon, space or angle bracket that would make it a second address or
// a second header line. Nothing when it can.
std::optional<QString> mailAddressRefusal(const QString& address);
