// One message through the mail program: the password goes on its standard input and never among
// its arguments, exit status 0 counts as sent, and otherwise the last line it wrote on standard
// error is the answer reported. A stand-in script takes the place of the real one here.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "mail/MailSender.h"

namespace {

// Writes what it was given beside itself, then ends as its recipient says.
const char* const kStandIn = R"(import sys, json
args = sys.argv[1:]
password = sys.stdin.readline().rstrip("\n")
json.dump({"args": args, "password": password}, open(sys.argv[0] + ".json", "w"))
if "--to=refused@zova.example" in args:
    print("a warning Python printed first", file=sys.stderr)
    print("550 5.1.1 <refused@zova.example>: Recipient address rejected", file=sys.stderr)
    sys.exit(1)
if "--to=silent@zova.example" in args:
    sys.exit(3)
)";

class MailSenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile script(folder.filePath("stand_in.py"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(kStandIn);
        sender.python = QStringLiteral("/usr/bin/python3");
        sender.script = script.fileName();
    }
    QByteArray given() const
    {
        QFile record(sender.script + ".json");
        return record.open(QIODevice::ReadOnly) ? record.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    MailSender sender;
    MailAccount account{QStringLiteral("office@zova.example"), QStringLiteral("pw-7731"), QStringLiteral("127.0.0.1"),
                        2525, MailSecurity::Ssl};
};

}  // namespace

TEST_F(MailSenderTest, ThePasswordGoesOnStandardInputAndTheRestAsNamedArguments)
{
    const MailMessage message{"holder@zova.example", "-Your card", "Hello", {"/tmp/Card_1_Front.png"}};
    const MailSendResult result = sender.send(account, message);
    EXPECT_TRUE(result.sent);
    EXPECT_EQ(result.answer, "");
    EXPECT_EQ(given(),
              "{\"args\": [\"--from=office@zova.example\", \"--server=127.0.0.1\", \"--port=2525\", "
              "\"--security=ssl\", \"--to=holder@zova.example\", \"--subject=-Your card\", \"--body=Hello\", "
              "\"--timeout=60\", \"--attach=/tmp/Card_1_Front.png\"], \"password\": \"pw-7731\"}");
    EXPECT_FALSE(sender.arguments(account, message).join(' ').contains("pw-7731"));
}

TEST_F(MailSenderTest, AFailureGivesTheServersAnswerOrTheExitStatus)
{
    MailSendResult result = sender.send(account, {"refused@zova.example", "Card", "", {}});
    EXPECT_FALSE(result.sent);
    EXPECT_EQ(result.answer, "550 5.1.1 <refused@zova.example>: Recipient address rejected");
    result = sender.send(account, {"silent@zova.example", "Card", "", {}});
    EXPECT_FALSE(result.sent);
    EXPECT_EQ(result.answer, "The mail program ended with status 3.");
    sender.python = folder.filePath("no-such-python");
    result = sender.send(account, {"holder@zova.example", "Card", "", {}});
    EXPECT_FALSE(result.sent);
    EXPECT_TRUE(result.answer.startsWith("Cannot start " + sender.python)) << result.answer.toStdString();
}
