#include "mail/MailBatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include "output/CardFileNames.h"
#include "output/CardFileWriter.h"
#include "output/RefusedRecords.h"
#include "platform/Log.h"

namespace {

constexpr int kStopCheckMs = 100;

}  // namespace

QString mailReportMessage(const MailReport& report)
{
    QString message = QStringLiteral("Messages sent: %1 of %2.").arg(report.sent).arg(report.messages);
    if (report.stopped)
        message += QStringLiteral(" The sending was stopped.");
    if (report.notReached > 0)
        message += u' ' + notReachedPhrase(report.firstNotReached, report.notReached);
    return message + listIntroduction(report.cardsRefused, int(report.failures.size()),
                                      QStringLiteral("message could not be sent"),
                                      QStringLiteral("messages could not be sent"));
}

MailBatch::MailBatch(MailBatchSettings settings, SideSource sides, RecipientSource recipients, MailTransport transport)
    : m_settings(std::move(settings)),
      m_sides(std::move(sides)),
      m_recipients(std::move(recipients)),
      m_transport(std::move(transport))
{
}

QStringList MailBatch::writeAttachments(int record, const QString& folder, QString* failure, bool* refused)
{
    *refused = false;
    const QString base =
        QDir(folder).filePath(QStringLiteral("Card_%1.%2").arg(record + 1).arg(m_settings.format.toLower()));
    QList<std::pair<QString, CardSide>> files{{Create_Front_Card_Path(base), CardSide::Front}};
    if (m_settings.side == QLatin1String("BOTH"))
        files.append({Create_Back_Card_Path(base), CardSide::Back});
    QStringList written;
    for (const auto& [path, side] : files) {
        const SideSnapshot snapshot = m_sides(record, side);
        if (!snapshot.isWhole()) {
            *failure = snapshot.failure.isEmpty() ? QStringLiteral("the card could not be drawn") : snapshot.failure;
            *refused = true;
            return {};
        }
        CardFile file;
        file.path = path;
        file.front = snapshot.image;
        const QByteArray bytes = cardFileBytes(file, failure);
        if (bytes.isEmpty() || !writeFileWhole(path, bytes, failure))
            return {};
        written.append(path);
    }
    return written;
}

void MailBatch::waitBetweenMessages()
{
    for (int left = m_settings.delaySeconds; left > 0 && !m_stop; --left) {
        if (m_pauseNotice)
            m_pauseNotice(left == 1 ? QStringLiteral("Next message in 1 second")
                                    : QStringLiteral("Next message in %1 seconds").arg(left));
        for (int waited = 0; waited < 1000 && !m_stop; waited += kStopCheckMs)
            QThread::msleep(kStopCheckMs);
    }
    if (m_pauseNotice)
        m_pauseNotice(QString());
}

MailReport MailBatch::Send_Batch_Mail()
{
    MailReport report;
    report.messages = messageCount();
    // The cards wait in a folder only this user can open, and go with it.
    QTemporaryDir folder;
    auto fail = [&](int record, const QString& recipient, const QString& reason) {
        const QString line = recipient.isEmpty() ? QStringLiteral("Card %1: %2").arg(record + 1).arg(reason)
                                                 : QStringLiteral("Card %1 to %2: %3").arg(record + 1).arg(recipient, reason);
        report.failures.append(line);
        Show_NSLog_Message(QStringLiteral("Mail not sent. ") + line);
    };
    if (!folder.isValid()) {
        report.failures.append(QStringLiteral("Cannot make a temporary folder for the cards: %1").arg(folder.errorString()));
        return report;
    }
    int record = m_settings.first;
    for (; record < m_settings.end && !m_stop; ++record) {
        if (record > m_settings.first)
            waitBetweenMessages();
        m_gate.pass();
        if (m_stop)
            break;
        const QString recipient = m_recipients(record).trimmed();
        if (const std::optional<QString> refusal = mailAddressRefusal(recipient)) {
            // Never handed to the server: a line break or comma would address someone else.
            fail(record, QString(), *refusal);
        } else {
            QString failure;
            bool refused = false;
            const QStringList attachments = writeAttachments(record, folder.path(), &failure, &refused);
            if (refused) {
                ++report.cardsRefused;
                Show_NSLog_Message(QStringLiteral("Card %1 left out: %2").arg(record + 1).arg(failure));
            } else if (attachments.isEmpty()) {
                fail(record, recipient, failure);
            } else {
                const MailSendResult result =
                    m_transport(m_settings.account, {recipient, m_settings.subject, m_settings.body, attachments});
                if (result.sent)
                    ++m_sent;
                else
                    fail(record, recipient, result.answer);
                for (const QString& path : attachments)
                    QFile::remove(path);
            }
        }
        ++m_done;
    }
    report.sent = m_sent;
    report.stopped = m_stop && m_done < report.messages;
    report.firstNotReached = record;
    report.notReached = report.stopped ? m_settings.end - record : 0;
    return report;
}
