// The mail settings store: written for its owner only (stat) in a property list Python's plistlib
// reads with the five keys, refused while others may read it, and the checks on accounts and
// addresses that keep a line break or a second address away from the server.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "mail/Preferences.h"
#include "support/TestEnvironment.h"

namespace {

QString modeOf(const QString& path)
{
    return QString::fromUtf8(TestEnvironment::run("stat", {"-c", "%a", path}).out).trimmed();
}

MailAccount officeAccount()
{
    return {QStringLiteral("office@zova.example"), QStringLiteral("s3cret pass"), QStringLiteral("smtp.zova.example"),
            587, MailSecurity::StartTls};
}

class MailSettingsTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("ZOVA ID Card/com.zovacardmail.plist"));
};

}  // namespace

TEST_F(MailSettingsTest, StoredSettingsAreTheOwnersAloneAndReadBackUnderTheirKeys)
{
    Preferences store(path);
    EXPECT_FALSE(store.send_email_SenderEmail().has_value());
    EXPECT_FALSE(store.send_email_Password().has_value());
    ASSERT_TRUE(store.store(officeAccount()));
    EXPECT_EQ(modeOf(path), "600");

    const auto plist = TestEnvironment::runPython(
        "import plistlib, sys\n"
        "d = plistlib.load(open(sys.argv[1], 'rb'))\n"
        "print('|'.join(d[k] for k in ('SendEmailSender', 'SendEmailPwd', 'SendEmailSMTP', 'SendEmailPORT', "
        "'SendEnableSSL')))\n",
        {path});
    EXPECT_EQ(plist.out.trimmed(), "office@zova.example|s3cret pass|smtp.zova.example|587|STARTTLS");

    const Preferences again(path);
    EXPECT_EQ(again.send_email_SenderEmail(), "office@zova.example");
    EXPECT_EQ(again.send_email_Password(), "s3cret pass");
    EXPECT_EQ(again.send_email_SMTP_server(), "smtp.zova.example");
    EXPECT_EQ(again.send_email_PORT_num(), "587");
    EXPECT_EQ(again.send_email_enable_ssl(), "STARTTLS");
    EXPECT_EQ(again.account().port, 587);
    EXPECT_EQ(again.account().security, MailSecurity::StartTls);
}

TEST_F(MailSettingsTest, AFileOthersMayReadIsRefusedUntilItIsMadePrivate)
{
    Preferences store(path);
    ASSERT_TRUE(store.store(officeAccount()));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
    QString refusal;
    EXPECT_FALSE(store.reload(&refusal));
    EXPECT_EQ(refusal, QStringLiteral("The mail settings file \"%1\" can be read by other users, so it is not used.\n\n"
                                      "Make it private (chmod 600) or enter the mail settings again.")
                           .arg(path));
    EXPECT_FALSE(store.send_email_Password().has_value());
    EXPECT_FALSE(store.send_email_SenderEmail().has_value());

    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_TRUE(store.reload());
    EXPECT_EQ(store.send_email_Password(), "s3cret pass");
}

TEST_F(MailSettingsTest, SavingOverAWideFileLeavesItPrivate)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile wide(path);
    ASSERT_TRUE(wide.open(QIODevice::WriteOnly));
    wide.write("not a property list");
    wide.close();
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther));
    Preferences store(path);
    EXPECT_FALSE(store.refusal().isEmpty());
    ASSERT_TRUE(store.store(officeAccount()));
    EXPECT_EQ(modeOf(path), "600");
    EXPECT_TRUE(store.reload());
}

TEST(MailAddresses, OnlyOneAddressWithoutLineBreaksOrSeparatorsIsTaken)
{
    EXPECT_EQ(mailAddressRefusal("holder.1@zova.example"), std::nullopt);
    EXPECT_EQ(mailAddressRefusal("holder@zova.example\r\nBcc: all@zova.example"),
              "\"holder@zova.example\\r\\nBcc: all@zova.example\" is not one e-mail address.");
    EXPECT_EQ(mailAddressRefusal("a@zova.example,b@zova.example"),
              "\"a@zova.example,b@zova.example\" is not one e-mail address.");
    EXPECT_TRUE(mailAddressRefusal("a@zova.example; b@zova.example").has_value());
    EXPECT_TRUE(mailAddressRefusal("Holder <a@zova.example>").has_value());
    EXPECT_TRUE(mailAddressRefusal("").has_value());
    EXPECT_TRUE(mailAddressRefusal("no-at-sign").has_value());
}

TEST(MailAddresses, AnAccountNamesWhatItLacks)
{
    MailAccount account = officeAccount();
    EXPECT_EQ(mailAccountRefusal(account), std::nullopt);
    account.server.clear();
    EXPECT_EQ(mailAccountRefusal(account), "Please enter the SMTP server.");
    account = officeAccount();
    account.port = 0;
    EXPECT_EQ(mailAccountRefusal(account), "Please enter a port between 1 and 65535.");
    account.port = 65536;
    EXPECT_EQ(mailAccountRefusal(account), "Please enter a port between 1 and 65535.");
    account.port = 65535;
    EXPECT_EQ(mailAccountRefusal(account), std::nullopt);
    account.port = 1;
    EXPECT_EQ(mailAccountRefusal(account), std::nullopt);
    account = officeAccount();
    account.sender.clear();
    EXPECT_EQ(mailAccountRefusal(account), "Please enter the sender's e-mail address.");
}

TEST(MailAddresses, TheSecureConnectionReadsBackFromItsStoredText)
{
    EXPECT_EQ(mailSecurityText(MailSecurity::Ssl), "SSL");
    EXPECT_EQ(mailSecurityText(MailSecurity::StartTls), "STARTTLS");
    EXPECT_EQ(mailSecurityText(MailSecurity::None), "NO");
    EXPECT_EQ(mailSecurityFromText("starttls"), MailSecurity::StartTls);
    EXPECT_EQ(mailSecurityFromText("YES"), MailSecurity::Ssl);
    EXPECT_EQ(mailSecurityFromText("1"), MailSecurity::Ssl);
    EXPECT_EQ(mailSecurityFromText("0"), MailSecurity::None);
    EXPECT_EQ(mailSecurityFromText(""), MailSecurity::None);
}
