#pragma once
// The batch mail: one message per record of the range, in the range's order, each to the record's
// own address with the record's card attached (PNG or PDF, the front, or the front and the back).
// The caller's source binds and snapshots each side (on the GUI thread); the run, on a worker,
// writes the attachments into a private temporary folder, sends through the transport, and goes
// on after a message that fails, noting the server's answer. A stop ends the run after the
// message being sent.
#include <QString>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <functional>

#include "mail/MailSender.h"
#include "model/CardSide.h"
#include "output/SideSnapshot.h"
#include "platform/PauseGate.h"

struct MailBatchSettings {
    MailAccount account;
    QString subject;
    QString body;
    QString format = QStringLiteral("PNG");  // "PNG" or "PDF"
    QString side = QStringLiteral("BOTH");   // "BOTH" (two attachments) or "F"
    int first = 0;  // the first record, from 0
    int end = 1;    // records first up to but not including end
    int delaySeconds = 0;  // the wait between two messages, which some servers ask for
};

struct MailReport {
    int messages = 0;  // messages of the run
    int sent = 0;
    int cardsRefused = 0;  // records whose card could not be made: nothing was sent for them
    bool stopped = false;
    int notReached = 0;       // records a stop kept the run from, the last ones of the range
    int firstNotReached = 0;  // the first of them, from 0
    QStringList failures;  // "Card 3 to name@example.org: answer", in the order they happened
};

// What the closing box says: how many were sent of how many, whether the run was stopped and which
// records it did not reach, and how many cards were left out and messages not sent; the box lists
// them.
QString mailReportMessage(const MailReport& report);

class MailBatch {
public:
    using SideSource = std::function<SideSnapshot(int record, CardSide side)>;
    using RecipientSource = std::function<QString(int record)>;
    // Called from the run's thread with the text the progress window shows while it waits
    // between messages (empty when it no longer waits).
    using PauseNotice = std::function<void(const QString&)>;

    MailBatch(MailBatchSettings settings, SideSource sides, RecipientSource recipients, MailTransport transport);

    // Runs to the end or the stop; call it off the GUI thread when the source waits for it.
    MailReport Send_Batch_Mail();
    void setPauseNotice(PauseNotice notice) { m_pauseNotice = std::move(notice); }

    // Any thread: no message starts after this; the one being sent ends first.
    void stop()
    {
        m_stop = true;
        m_gate.open();
    }
    // Any thread: no message starts from now until resume or stop.
    void pause() { m_gate.close(); }
    void resume() { m_gate.open(); }
    bool stopping() const { return m_stop; }

    int messageCount() const { return std::max(0, m_settings.end - m_settings.first); }
    // Messages dealt with so far (sent or not), and of those the ones sent.
    int messagesDone() const { return m_done; }
    int messagesSent() const { return m_sent; }

private:
    // The record's attachments written into the folder; empty, with the reason, when a side could
    // not be made (refused set) or a file not written.
    QStringList writeAttachments(int record, const QString& folder, QString* failure, bool* refused);
    void waitBetweenMessages();

    MailBatchSettings m_settings;
    SideSource m_sides;
    RecipientSource m_recipients;
    MailTransport m_transport;
    PauseNotice m_pauseNotice;
    std::atomic<bool> m_stop{false};
    PauseGate m_gate;
    std::atomic<int> m_done{0};
    std::atomic<int> m_sent{0};
};
