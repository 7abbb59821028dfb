// The mail window on a bound two-sided card: set up on every opening with its counters at zero,
// the settings refused while others may read them, and real runs through our mail program
// against a local SMTP server: five records mailed each to its own address with its own card
// (the barcode read back from the attachment the server decoded), a wrong password and a refused
// recipient reported while the run goes on, STARTTLS with a certificate made for the test, and
// the password in no log, no message and no process's command line while the run goes.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "mail/Preferences.h"
#include "output/ExportTestCard.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/WidgetParts.h"
#include "views/mail/SmtpSink.h"
#include "views/mail/Send_Mail.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/dialogs/Send_Modeless.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/output/OutputRangeBlock.h"

using namespace ExportTest;

namespace {

const QString kPassword = QStringLiteral("pw-7731-zq");
const QString kSender = QStringLiteral("office@zova.example");

QString address(int record) { return QStringLiteral("holder%1@zova.example").arg(record); }

// Every log line of the run, whatever its level.
QStringList& logLines()
{
    static QStringList lines;
    return lines;
}

void keepLogLine(QtMsgType, const QMessageLogContext&, const QString& text) { logLines().append(text); }

// Scans every process's command line while a run goes: how often our mail program was seen, and
// whether any command line held the password.
class CommandLineWatch {
public:
    CommandLineWatch()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { scan(); });
        m_timer.start();
    }
    int mailProgramSeen = 0;
    bool passwordSeen = false;

private:
    void scan()
    {
        for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
            if (!cmdline.open(QIODevice::ReadOnly))
                continue;
            const QByteArray line = cmdline.readAll();
            if (line.contains("pyth_mail"))
                ++mailProgramSeen;
            passwordSeen = passwordSeen || line.contains(kPassword.toUtf8());
        }
    }
    QTimer m_timer;
};

// A self-signed certificate for 127.0.0.1, made with openssl.
bool makeCertificate(const QString& cert, const QString& key)
{
    return TestEnvironment::run("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
                                            "-days", "1", "-subj", "/CN=127.0.0.1", "-addext",
                                            "subjectAltName=IP:127.0.0.1"})
               .exitCode == 0;
}

class SendMailRoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QList<QStringList> rows;
        for (int n = 1; n <= kRecords; ++n)
            rows.append({recordName(n), recordId(n), address(n)});
        OutputTest::fillTable(card.table, rows);
        card.table.ColList.addColumn("Column1", "Name");
        card.table.ColList.addColumn("Column2", "Number");
        card.table.ColList.addColumn("Column3", "E-mail");
        window.preferences = &preferences;
        logLines().clear();
        previousHandler = qInstallMessageHandler(&keepLogLine);
    }
    void TearDown() override { qInstallMessageHandler(previousHandler); }

    void storeAccount(int port, const QString& password, MailSecurity security = MailSecurity::None)
    {
        ASSERT_TRUE(preferences.store({kSender, password, "127.0.0.1", port, security}));
    }
    // Opens the window, fills the message, presses Send once per entry of runs (each may change
    // things first), and closes.
    void openAndSend(QList<std::function<void()>> runs)
    {
        dialogs.queueHook([this, runs](QDialog&) {
            part<QLineEdit>(window, "subject_text").setText("Your ID card");
            part<QPlainTextEdit>(window, "message_text").setPlainText("Your new card is attached.");
            for (const auto& before : runs) {
                if (before)
                    before();
                part<QPushButton>(window, "send_button").click();
                reports.append(window.lastReport());
            }
        });
        window.Open_Wnd(card.design, card.store, card.table, true);
    }
    // Records 1 to last only, chosen in the range block before Send.
    std::function<void()> upTo(int last)
    {
        return [this, last] {
            window.rangeBlock()->Sel_print_rd->click();
            window.rangeBlock()->To_Text->setValue(last);
        };
    }
    // A certificate made for 127.0.0.1, which the window's sender is told to trust.
    void makeTrustedCertificate()
    {
        ASSERT_TRUE(makeCertificate(cert, key));
        MailSender sender;
        sender.certificateAuthority = cert;
        window.transport = sender.transport();
    }
    QString counters() const { return part<QLabel>(window, "sent_count").text() + " / " + part<QLabel>(window, "failed_count").text(); }

    static constexpr int kRecords = 5;
    BoundCard card{kRecords};
    QTemporaryDir settingsFolder;
    Preferences preferences{settingsFolder.filePath("com.zovacardmail.plist")};
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    ScriptedDialogPresenter dialogs;
    Send_Mail window;
    QStringList reports;
    QtMessageHandler previousHandler = nullptr;
    QTemporaryDir keys;
    QString cert = keys.filePath("cert.pem");
    QString key = keys.filePath("key.pem");
};

}  // namespace

TEST_F(SendMailRoadTest, FiveRecordsGoEachToItsOwnAddressWithItsOwnCard)
{
    SmtpSink server(kSender + ":" + kPassword);
    ASSERT_GT(server.port(), 0);
    storeAccount(server.port(), kPassword);
    CommandLineWatch watch;
    openAndSend({{}});

    EXPECT_EQ(reports, QStringList{"Messages sent: 5 of 5."});
    EXPECT_EQ(messages.texts(), QStringList{"\nMessages sent: 5 of 5."});
    EXPECT_EQ(counters(), "Sent: 5 / Not sent: 0");
    const QList<QStringList> received = server.received();
    ASSERT_EQ(received.size(), kRecords);
    for (int n = 1; n <= kRecords; ++n) {
        const QStringList& message = received[n - 1];
        ASSERT_EQ(message.size(), 6);
        EXPECT_EQ(message[1], address(n));
        EXPECT_EQ(message[2], address(n));
        EXPECT_EQ(message[3], "Your ID card");
        EXPECT_EQ(message[4], "Your new card is attached.");
        EXPECT_EQ(message[5], QStringLiteral("%1_Card_%1_Front.png,%1_Card_%1_Back.png").arg(n));
        EXPECT_EQ(OutputTest::zxingText(QDir(server.folder()).filePath(QStringLiteral("%1_Card_%1_Front.png").arg(n))),
                  recordId(n));
    }
    // The design is given back as it was.
    EXPECT_EQ(card.design.graphics().size(), 2);

    EXPECT_GT(watch.mailProgramSeen, 0);
    EXPECT_FALSE(watch.passwordSeen);
    EXPECT_FALSE(logLines().join('\n').contains(kPassword));
}

TEST_F(SendMailRoadTest, AWrongPasswordAndARefusedRecipientAreReportedAndTheRunGoesOn)
{
    SmtpSink server(kSender + ":" + kPassword, {"--refuse", address(3)});
    ASSERT_GT(server.port(), 0);
    storeAccount(server.port(), QStringLiteral("not-the-password"));
    QString afterFirstRun, afterSecondRun;
    openAndSend({{},
                 [&] {
                     afterFirstRun = counters();
                     storeAccount(server.port(), kPassword);
                 },
                 [&] {
                     afterSecondRun = counters();
                     upTo(2)();
                 }});

    const QString refusedAuth = QStringLiteral("535 5.7.8 Authentication credentials invalid");
    ASSERT_EQ(reports.size(), 3);
    EXPECT_EQ(reports[0], QStringLiteral("Messages sent: 0 of 5.\n\n5 messages could not be sent:\n"
                                         "Card 1 to %1: %6\nCard 2 to %2: %6\nCard 3 to %3: %6\n"
                                         "Card 4 to %4: %6\nCard 5 to %5: %6")
                              .arg(address(1), address(2), address(3), address(4), address(5), refusedAuth));
    EXPECT_EQ(afterFirstRun, "Sent: 0 / Not sent: 5");
    EXPECT_EQ(reports[1], QStringLiteral("Messages sent: 4 of 5.\n\n1 message could not be sent:\n"
                                         "Card 3 to %1: 550 5.1.1 <%1>: Recipient address rejected: User unknown")
                              .arg(address(3)));
    // Each run counts from zero, in the same opening too.
    EXPECT_EQ(afterSecondRun, "Sent: 4 / Not sent: 1");
    EXPECT_EQ(reports[2], "Messages sent: 2 of 2.");
    EXPECT_EQ(counters(), "Sent: 2 / Not sent: 0");
    QStringList reached;
    for (const QStringList& message : server.received())
        reached.append(message.value(1));
    EXPECT_EQ(reached, (QStringList{address(1), address(2), address(4), address(5), address(1), address(2)}));

    // The counters start from zero on the next opening.
    dialogs.queueHook([](QDialog&) {});
    window.Open_Wnd(card.design, card.store, card.table, true);
    EXPECT_EQ(counters(), "Sent: 0 / Not sent: 0");
}

TEST_F(SendMailRoadTest, StartTlsAgainstAServerWithACertificateMadeForTheTest)
{
    makeTrustedCertificate();
    SmtpSink server(kSender + ":" + kPassword, {"--tls", cert, key});
    ASSERT_GT(server.port(), 0);
    storeAccount(server.port(), kPassword, MailSecurity::StartTls);
    openAndSend({upTo(2)});
    EXPECT_EQ(reports, QStringList{"Messages sent: 2 of 2."});
    ASSERT_EQ(server.received().size(), 2);
    EXPECT_EQ(server.received()[1].value(1), address(2));

    // Without STARTTLS the server does not offer the login.
    storeAccount(server.port(), kPassword, MailSecurity::None);
    reports.clear();
    openAndSend({upTo(1)});
    EXPECT_EQ(reports, QStringList{"Messages sent: 0 of 1.\n\n1 message could not be sent:\nCard 1 to " + address(1) +
                                   ": The server does not support this: SMTP AUTH extension not supported by server."});
}

TEST_F(SendMailRoadTest, SslFromTheFirstByteAndACertificateTheSenderCannotCheck)
{
    makeTrustedCertificate();
    SmtpSink server(kSender + ":" + kPassword, {"--ssl", cert, key});
    ASSERT_GT(server.port(), 0);
    storeAccount(server.port(), kPassword, MailSecurity::Ssl);
    openAndSend({upTo(1)});
    EXPECT_EQ(reports, QStringList{"Messages sent: 1 of 1."});
    EXPECT_EQ(server.received().size(), 1);

    // A certificate nobody vouches for is refused, and said so.
    window.transport = MailSender().transport();
    reports.clear();
    openAndSend({upTo(1)});
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith("Messages sent: 0 of 1.\n\n1 message could not be sent:\nCard 1 to " + address(1) +
                                      ": The secure connection failed: [SSL: CERTIFICATE_VERIFY_FAILED]"))
        << reports[0].toStdString();
    EXPECT_EQ(server.received().size(), 1);
}

TEST_F(SendMailRoadTest, SettingsOthersMayReadAreRefusedAndNothingIsSent)
{
    storeAccount(2525, kPassword);
    ASSERT_TRUE(QFile::setPermissions(preferences.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    int sends = 0;
    window.transport = [&](const MailAccount&, const MailMessage&) {
        ++sends;
        return MailSendResult{true, {}};
    };
    openAndSend({{}});
    EXPECT_EQ(sends, 0);
    EXPECT_EQ(messages.texts(), QStringList{"\n" + mailSettingsNotPrivateMessage(preferences.path())});
    EXPECT_FALSE(messages.texts().join(' ').contains(kPassword));
}

TEST_F(SendMailRoadTest, StopInTheProgressWindowEndsTheRunAfterTheMessageBeingSent)
{
    storeAccount(2525, kPassword);
    std::atomic<int> sends{0};
    window.transport = [&](const MailAccount&, const MailMessage&) {
        // The second message is still on its way when Stop is pressed.
        if (++sends == 2) {
            while (!Stop_SMS_Sending_Now)
                QThread::msleep(5);
            QThread::msleep(200);
        }
        return MailSendResult{true, {}};
    };
    Send_Modeless& progress = Send_Modeless::defaultInstance();
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (progress.isVisible() && progress.current_count >= 1 && !Stop_SMS_Sending_Now) {
            messages.queueAnswers({0});  // "Yes" to "Are you sure you want to stop?"
            progress._stop_btn->click();
        }
    });
    watch.start();
    openAndSend({{}});
    EXPECT_EQ(sends, 2);
    const QString stopped = QStringLiteral("Messages sent: 2 of 5. The sending was stopped. "
                                           "3 records were not reached (cards 3\u20135).");
    EXPECT_EQ(reports, QStringList{stopped});
    EXPECT_EQ(messages.texts(), (QStringList{"Are you sure you want to stop?", "\n" + stopped}));
    EXPECT_EQ(counters(), "Sent: 2 / Not sent: 0");

    // The next run counts from zero again.
    watch.stop();
    sends = 10;
    reports.clear();
    openAndSend({upTo(1)});
    EXPECT_EQ(progress.current_count, 1);
    EXPECT_EQ(reports, QStringList{"Messages sent: 1 of 1."});
}

TEST_F(SendMailRoadTest, EachOpeningSetsTheWindowUpForTheDesign)
{
    part<QRadioButton>(window, "format_pdf").setChecked(true);
    part<QSpinBox>(window, "delay_seconds").setValue(30);
    dialogs.queueHook([](QDialog&) {});
    window.Open_Wnd(card.design, card.store, card.table, false);
    EXPECT_EQ(window.mail_card_side(), "F");
    EXPECT_FALSE(part<QRadioButton>(window, "side_both").isEnabled());
    EXPECT_TRUE(part<QRadioButton>(window, "format_png").isChecked());
    EXPECT_EQ(part<QSpinBox>(window, "delay_seconds").value(), 0);
    EXPECT_FALSE(window.rangeBlock()->mirror_chk_box->isChecked());
    EXPECT_EQ(part<QComboBox>(window, "recipient_column").currentText(), "E-mail");
    EXPECT_FALSE(part<QLineEdit>(window, "recipient_address").isEnabled());
    EXPECT_EQ(window.rangeBlock()->Total_Batch_Excel_Card(), kRecords);
    // The range block shows the total and the one-per-recipient choice, which turns the fields off.
    OutputRangeBlock& range = *window.rangeBlock();
    EXPECT_FALSE(range.Total_Text->isHidden());
    EXPECT_EQ(range.Total_Text->value(), kRecords);
    EXPECT_FALSE(range.rd_one_per_recp->isHidden());
    range.rd_one_per_recp->click();
    EXPECT_FALSE(range.Total_Text->isEnabled());
    EXPECT_FALSE(range.To_Text->isEnabled());
    EXPECT_FALSE(part<QLabel>(window, "card_picture").pixmap().isNull());
    EXPECT_EQ(counters(), "Sent: 0 / Not sent: 0");

    dialogs.queueHook([](QDialog&) {});
    window.Open_Wnd(card.design, card.store, card.table, true);
    EXPECT_EQ(window.mail_card_side(), "BOTH");
    EXPECT_TRUE(part<QRadioButton>(window, "side_both").isEnabled());
}

TEST_F(SendMailRoadTest, AnAddressTypedForEveryCardIsCheckedBeforeAnythingGoes)
{
    int sends = 0;
    window.transport = [&](const MailAccount&, const MailMessage&) {
        ++sends;
        return MailSendResult{true, {}};
    };
    storeAccount(2525, kPassword);
    openAndSend({[this] {
        part<QComboBox>(window, "recipient_column").setCurrentIndex(0);
        part<QLineEdit>(window, "recipient_address").setText("a@zova.example, b@zova.example");
    }});
    EXPECT_EQ(sends, 0);
    EXPECT_EQ(messages.texts(), QStringList{"\n\"a@zova.example, b@zova.example\" is not one e-mail address."});
}
