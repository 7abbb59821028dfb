#pragma once
// The stored mail settings: the sender's address and password, the SMTP server, its port and the
// kind of secure connection, in the property list "com.zovacardmail.plist" of the user's
// configuration folder. The file holds a password: it is written for its owner only, and a file
// that others may read is refused until it is made private again.
#include <QString>
#include <QVariantMap>
#include <optional>

#include "mail/MailAccount.h"

inline const QString kMailSettingsFileName = QStringLiteral("com.zovacardmail.plist");

// What the user is told when the settings file may be read by others.
QString mailSettingsNotPrivateMessage(const QString& path);

class Preferences {
public:
    // The settings of this user, read from the default path on first use.
    static Preferences& sharedInstance();
    // "ZOVA ID Card/com.zovacardmail.plist" in the user's configuration folder.
    static QString defaultPath();

    explicit Preferences(QString path = defaultPath());

    QString path() const { return m_path; }
    // Another file (tests, another user folder); read at once.
    void setPath(const QString& path);

    // Reads the file again. A missing file is no error (nothing is stored). A file others may read,
    // or one that cannot be read, keeps nothing and gives false with the reason.
    bool reload(QString* error = nullptr);
    // The reason the last reload refused the file; empty when it was taken.
    QString refusal() const { return m_refusal; }

    // Each stored text, or nothing when the key is not stored.
    std::optional<QString> send_email_SenderEmail() const;
    std::optional<QString> send_email_Password() const;
    std::optional<QString> send_email_SMTP_server() const;
    std::optional<QString> send_email_PORT_num() const;
    std::optional<QString> send_email_enable_ssl() const;

    // The account the stored texts make (missing ones empty, the port 0 when it is no number).
    MailAccount account() const;
    // Writes the account whole, mode 0600, and keeps it; false with the reason when it cannot.
    bool store(const MailAccount& account, QString* error = nullptr);

private:
    std::optional<QString> value(const char* key) const;

    QString m_path;
    QVariantMap m_values;
    QString m_refusal;
};
