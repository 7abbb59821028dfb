// The batch mail over a bound two-sided card with a stand-in transport: one message per record of
// the range in its order, each with its own card attached; an address with a line break or a
// comma never reaches the transport; the wait between messages shows its countdown. Failed
// messages and the stop are run through the mail window against a real server.
#include <QFileInfo>
#include <QImage>
#include <QMutex>
#include <gtest/gtest.h>

#include "mail/MailBatch.h"
#include "output/ExportTestCard.h"

using namespace ExportTest;

namespace {

struct Call {
    QString recipient;
    QStringList attachments;  // file names
    QString frontText;        // the barcode read from the front attachment
};

class MailBatchTest : public ::testing::Test {
protected:
    static constexpr int kRecords = 5;
    BoundCard card{kRecords};
    std::unique_ptr<RecordRun> run;
    QList<Call> calls;
    QStringList addresses{"holder1@zova.example", "holder2@zova.example", "holder3@zova.example",
                          "holder4@zova.example", "holder5@zova.example"};

    // A run over the bound card with these settings, sending through the transport given.
    MailBatch batchWith(MailBatchSettings settings, MailTransport transport)
    {
        run = std::make_unique<RecordRun>(card.design, card.store, card.table, true);
        return MailBatch(
            settings, [this](int n, CardSide s) { return run->Set_data_table_value_to_card(n, s); },
            [this](int n) { return addresses.value(n); }, std::move(transport));
    }
    // Records first to end, both sides, each send noted in calls and taken.
    MailBatch batch(int first, int end)
    {
        MailBatchSettings settings;
        settings.account = {"office@zova.example", "pw", "127.0.0.1", 25, MailSecurity::None};
        settings.subject = "Your card";
        settings.first = first;
        settings.end = end;
        return batchWith(settings, [this](const MailAccount&, const MailMessage& message) {
            Call call{message.recipient, {}, OutputTest::zxingText(message.attachments.value(0))};
            for (const QString& path : message.attachments)
                call.attachments.append(QFileInfo(path).fileName());
            calls.append(call);
            return MailSendResult{true, {}};
        });
    }
    static MailReport send(MailBatch& mail)
    {
        QFuture<MailReport> worker = QtConcurrent::run([&] { return mail.Send_Batch_Mail(); });
        while (!worker.isFinished())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return worker.result();
    }
};

}  // namespace

TEST_F(MailBatchTest, EachRecordOfTheRangeGoesToItsOwnAddressWithItsOwnCard)
{
    MailBatch mail = batch(1, 4);
    const MailReport report = send(mail);
    ASSERT_EQ(calls.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const int record = i + 2;
        EXPECT_EQ(calls[i].recipient, QStringLiteral("holder%1@zova.example").arg(record));
        EXPECT_EQ(calls[i].attachments, (QStringList{QStringLiteral("Card_%1_Front.png").arg(record),
                                                     QStringLiteral("Card_%1_Back.png").arg(record)}));
        EXPECT_EQ(calls[i].frontText, recordId(record));
    }
    EXPECT_EQ(mailReportMessage(report), "Messages sent: 3 of 3.");
    EXPECT_EQ(mail.messagesSent(), 3);
}

TEST_F(MailBatchTest, TheFrontAloneGoesAsAPdf)
{
    MailBatchSettings settings;
    settings.format = "PDF";
    settings.side = "F";
    QByteArray head;
    QStringList names;
    MailBatch mail = batchWith(settings, [&](const MailAccount&, const MailMessage& message) {
        names.append(QFileInfo(message.attachments.value(0)).fileName());
        QFile file(message.attachments.value(0));
        head = file.open(QIODevice::ReadOnly) ? file.read(5) : QByteArray();
        return MailSendResult{true, {}};
    });
    EXPECT_EQ(send(mail).sent, 1);
    EXPECT_EQ(names, QStringList{"Card_1_Front.pdf"});
    EXPECT_EQ(head, "%PDF-");
}

TEST_F(MailBatchTest, AnAddressWithALineBreakOrACommaNeverReachesTheServer)
{
    addresses[1] = "holder2@zova.example\r\nBcc: everyone@zova.example";
    addresses[3] = "holder4@zova.example,boss@zova.example";
    MailBatch mail = batch(0, 5);
    const MailReport report = send(mail);
    QStringList reached;
    for (const Call& call : calls)
        reached.append(call.recipient);
    EXPECT_EQ(reached, (QStringList{"holder1@zova.example", "holder3@zova.example", "holder5@zova.example"}));
    EXPECT_EQ(mailReportMessage(report), "Messages sent: 3 of 5.\n\n2 messages could not be sent:");
    EXPECT_EQ(report.failures,
              (QStringList{"Card 2: \"holder2@zova.example\\r\\nBcc: everyone@zova.example\" is not one e-mail address.",
                           "Card 4: \"holder4@zova.example,boss@zova.example\" is not one e-mail address."}));
}

TEST_F(MailBatchTest, TheWaitBetweenMessagesCountsDownAndAStopCutsItShort)
{
    MailBatchSettings settings;
    settings.side = "F";
    settings.end = 3;
    settings.delaySeconds = 1;
    QStringList notices;
    QMutex lock;
    MailBatch mail = batchWith(settings, [](const MailAccount&, const MailMessage&) { return MailSendResult{true, {}}; });
    mail.setPauseNotice([&](const QString& text) {
        QMutexLocker hold(&lock);
        notices.append(text);
        if (notices.size() == 3)
            mail.stop();
    });
    const MailReport report = send(mail);
    EXPECT_EQ(notices, (QStringList{"Next message in 1 second", "", "Next message in 1 second", ""}));
    EXPECT_EQ(report.sent, 2);
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(mailReportMessage(report),
              "Messages sent: 2 of 3. The sending was stopped. 1 record was not reached (card 3).");
}

TEST_F(MailBatchTest, ACardThatCannotBeMadeSendsNothingAndIsCountedAndAStopAfterTheLastIsNoStop)
{
    run = std::make_unique<RecordRun>(card.design, card.store, card.table, true);
    MailBatch mail(MailBatchSettings{{"office@zova.example", "pw", "127.0.0.1", 25, MailSecurity::None}, "Your card", {},
                                     "PNG", "F", 0, kRecords},
                   [this](int n, CardSide s) {
                       return n == 1 ? SideSnapshot{CardImage(), QStringLiteral("The picture \"gone.png\" could not be read.")}
                                     : run->Set_data_table_value_to_card(n, s);
                   },
                   [this](int n) { return addresses.value(n); },
                   [this, &mail](const MailAccount&, const MailMessage& message) {
                       calls.append({message.recipient, {}, {}});
                       // The stop comes with the last message: nothing was left unsent.
                       if (calls.size() == kRecords - 1)
                           mail.stop();
                       return MailSendResult{true, {}};
                   });
    const MailReport report = send(mail);
    QStringList reached;
    for (const Call& call : calls)
        reached.append(call.recipient);
    EXPECT_EQ(reached, (QStringList{"holder1@zova.example", "holder3@zova.example", "holder4@zova.example",
                                    "holder5@zova.example"}));
    EXPECT_EQ(report.cardsRefused, 1);
    EXPECT_TRUE(report.failures.isEmpty());
    EXPECT_FALSE(report.stopped);
    EXPECT_EQ(mailReportMessage(report), "Messages sent: 4 of 5.\n\n1 card was left out:");
}
