#pragma once
// The mail window: one message per record of the range, in the range's order, each to the
// record's address (a column of the loaded table, or one address typed for every card) with the
// record's card attached as PNG or PDF, front only or front and back; mirrored when the range
// block says so. Without data the one card is the card shown, which goes to the address typed,
// at first the shown record's own: no row of the table is its holder's. The run shows the shared
// progress window with its stop, and the window counts what its last run sent and did not.
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "mail/MailBatch.h"
#include "mail/MailSender.h"

namespace Ui {
class Send_Mail;
}

class Data_From_Excel;
class OutputRangeBlock;
class Preferences;
class RecordRun;
class RunSources;
class SeriesStore;
class SKTDocument;

class Send_Mail : public QDialog {
    Q_OBJECT
public:
    explicit Send_Mail(QWidget* parent = nullptr);
    ~Send_Mail() override;

    static Send_Mail& defaultInstance();

    // Sets the window up for the design (side "BOTH" on a two-sided card, else "F" with "BOTH"
    // disabled; mirror off; the front's picture; the range block, the addresses, the attachment
    // format, the wait and the counters reset) and runs it modally. The store and the table
    // outlive the call. shownRecord: the table's row the card shows (a group project's chosen
    // record), -1 for none.
    void Open_Wnd(SKTDocument& design, const SeriesStore& store, const Data_From_Excel& table, bool twoSided,
                  int shownRecord = -1);

    // The settings store (the user's own unless a test gives another), how a message is sent, and
    // how the settings window is opened (its answer unused).
    Preferences* preferences = nullptr;
    MailTransport transport;
    std::function<void(Preferences&)> openSettings;

    Ui::Send_Mail* ui;
    OutputRangeBlock* rangeBlock() const;
    // "BOTH" or "F".
    QString mail_card_side() const;
    int sentCount() const { return m_sent; }
    int failedCount() const { return m_failed; }
    // The closing message of the last run.
    QString lastReport() const { return m_lastReport; }

public Q_SLOTS:
    void Send_Button();
    void Settings_Button();
    void Close_Button();
    void Recipient_Column_Changed();

private:
    void fillRecipientColumns();
    // With data on, the address column chosen; with none, the address box, taking the shown
    // record's own address in that column when there is one.
    void recipientFollowsSources(bool dataOn);
    void showCardPicture();
    void showCounters();
    // The account to send from, or nothing (the reason shown) when the settings are refused.
    std::optional<MailAccount> accountToUse();
    // The address of each record: its cell of the chosen column, or the typed address.
    std::function<QString(int)> recipients() const;
    MailReport runBatch(RecordRun& run, const MailBatchSettings& settings);

    SKTDocument* m_design = nullptr;
    const SeriesStore* m_store = nullptr;
    const Data_From_Excel* m_table = nullptr;
    bool m_twoSided = false;
    int m_shownRecord = -1;
    int m_dataColumnItem = 0;  // the address column's item while no data is used
    std::unique_ptr<RunSources> m_counting;
    int m_sent = 0;
    int m_failed = 0;
    QString m_lastReport;
};
