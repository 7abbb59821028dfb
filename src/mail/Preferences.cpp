#include "mail/Preferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/AtomicFile.h"
#include "platform/PropertyList.h"

namespace {

const char* const kSenderKey = "SendEmailSender";
const char* const kPasswordKey = "SendEmailPwd";
const char* const kServerKey = "SendEmailSMTP";
const char* const kPortKey = "SendEmailPORT";
const char* const kSecurityKey = "SendEnableSSL";

constexpr QFileDevice::Permissions kOthersMay = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

}  // namespace

QString mailSettingsNotPrivateMessage(const QString& path)
{
    return QStringLiteral("The mail settings file \"%1\" can be read by other users, so it is not used.\n\n"
                          "Make it private (chmod 600) or enter the mail settings again.")
        .arg(path);
}

Preferences& Preferences::sharedInstance()
{
    static Preferences preferences;
    return preferences;
}

QString Preferences::defaultPath()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("ZOVA ID Card/") + kMailSettingsFileName);
}

Preferences::Preferences(QString path) : m_path(std::move(path))
{
    reload();
}

void Preferences::setPath(const QString& path)
{
    m_path = path;
    reload();
}

bool Preferences::reload(QString* error)
{
    m_values.clear();
    m_refusal.clear();
    const QFileInfo info(m_path);
    if (!info.exists())
        return true;
    if (info.permissions() & kOthersMay) {
        m_refusal = mailSettingsNotPrivateMessage(m_path);
        return fail(error, m_refusal);
    }
    QString reason;
    const std::optional<QVariant> read = PropertyList::readFile(m_path, &reason);
    if (!read || read->typeId() != QMetaType::QVariantMap) {
        m_refusal = QStringLiteral("The mail settings file \"%1\" cannot be read: %2")
                        .arg(m_path, read ? QStringLiteral("it holds no settings") : reason);
        return fail(error, m_refusal);
    }
    m_values = read->toMap();
    return true;
}

std::optional<QString> Preferences::value(const char* key) const
{
    const auto found = m_values.constFind(QLatin1String(key));
    if (found == m_values.cend() || found->typeId() != QMetaType::QString)
        return std::nullopt;
    return found->toString();
}

std::optional<QString> Preferences::send_email_SenderEmail() const { return value(kSenderKey); }
std::optional<QString> Preferences::send_email_Password() const { return value(kPasswordKey); }
std::optional<QString> Preferences::send_email_SMTP_server() const { return value(kServerKey); }
std::optional<QString> Preferences::send_email_PORT_num() const { return value(kPortKey); }
std::optional<QString> Preferences::send_email_enable_ssl() const { return value(kSecurityKey); }

MailAccount Preferences::account() const
{
    MailAccount account;
    account.sender = send_email_SenderEmail().value_or(QString());
    account.password = send_email_Password().value_or(QString());
    account.server = send_email_SMTP_server().value_or(QString());
    account.port = send_email_PORT_num().value_or(QString()).trimmed().toInt();
    account.security = mailSecurityFromText(send_email_enable_ssl().value_or(QString()));
    return account;
}

bool Preferences::store(const MailAccount& account, QString* error)
{
    QVariantMap values;
    values.insert(QLatin1String(kSenderKey), account.sender.trimmed());
    values.insert(QLatin1String(kPasswordKey), account.password);
    values.insert(QLatin1String(kServerKey), account.server.trimmed());
    values.insert(QLatin1String(kPortKey), QString::number(account.port));
    values.insert(QLatin1String(kSecurityKey), mailSecurityText(account.security));
    QString reason;
    const QByteArray bytes = PropertyList::toData(values, PropertyList::Format::Xml, &reason);
    if (bytes.isEmpty())
        return fail(error, reason);
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return fail(error, QStringLiteral("Cannot make the folder \"%1\".").arg(QFileInfo(m_path).absolutePath()));
    if (!writePrivateFileAtomically(m_path, bytes, &reason))
        return fail(error, reason);
    m_values = values;
    m_refusal.clear();
    return true;
}
