#include "views/mail/Send_Mail.h"

#include <QPixmap>

#include "data/Data_From_Excel.h"
#include "mail/Preferences.h"
#include "model/SKTDocument.h"
#include "output/RecordRun.h"
#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "ui_Send_Mail.h"
#include "views/dialogs/Send_Modeless.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/mail/PreferencesWindow.h"
#include "views/output/OutputRangeBlock.h"

namespace {

// The resolution of the card's picture in the window: a CR80 card about 260 pixels wide.
constexpr double kPictureDpi = 76.0;
const QString kOneAddressItem = QStringLiteral("One address for every card");

}  // namespace

Send_Mail::Send_Mail(QWidget* parent) : QDialog(parent), ui(new Ui::Send_Mail)
{
    ui->setupUi(this);
    applySharedDialogBackground(*this);
    transport = MailSender().transport();
    openSettings = [](Preferences& store) { PreferencesWindow::defaultInstance().Open_Wnd(store); };
    connect(ui->send_button, &QPushButton::clicked, this, &Send_Mail::Send_Button);
    connect(ui->settings_button, &QPushButton::clicked, this, &Send_Mail::Settings_Button);
    connect(ui->close_button, &QPushButton::clicked, this, &Send_Mail::Close_Button);
    connect(ui->recipient_column, &QComboBox::currentIndexChanged, this, &Send_Mail::Recipient_Column_Changed);
}

Send_Mail::~Send_Mail()
{
    delete ui;
}

Send_Mail& Send_Mail::defaultInstance()
{
    return sharedDialogInstance<Send_Mail>();
}

OutputRangeBlock* Send_Mail::rangeBlock() const { return ui->rangeBlock; }

QString Send_Mail::mail_card_side() const
{
    return ui->side_both->isChecked() ? QStringLiteral("BOTH") : QStringLiteral("F");
}

void Send_Mail::Open_Wnd(SKTDocument& design, const SeriesStore& store, const Data_From_Excel& table, bool twoSided,
                         int shownRecord)
{
    m_design = &design;
    m_store = &store;
    m_table = &table;
    m_twoSided = twoSided;
    m_shownRecord = shownRecord;
    if (!preferences)
        preferences = &Preferences::sharedInstance();
    ui->side_both->setEnabled(twoSided);
    (twoSided ? ui->side_both : ui->side_front)->setChecked(true);
    ui->format_png->setChecked(true);
    ui->delay_seconds->setValue(0);
    m_sent = 0;
    m_failed = 0;
    m_lastReport.clear();
    showCounters();
    fillRecipientColumns();
    showCardPicture();

    m_counting = std::make_unique<RunSources>(store, table);
    m_counting->Check_Series_Or_Excel_Use_or_not(design.graphics(), design.graphics_back(), twoSided);
    const bool usesSeries = m_counting->Use_Data_Sheet_Values;
    const bool usesSheet = m_counting->Use_Excel_Binding_Values;
    ui->rangeBlock->prepareMail(usesSeries, usesSheet, [this, usesSeries, usesSheet](bool series, bool sheet) {
        if (!m_counting)  // the window is closed: its sources are gone
            return 1;
        m_counting->Use_Data_Sheet_Values = usesSeries && series;
        m_counting->Use_Excel_Binding_Values = usesSheet && sheet;
        m_counting->Get_total_Card_count();
        recipientFollowsSources(m_counting->Use_Data_Sheet_Values || m_counting->Use_Excel_Binding_Values);
        return m_counting->Total_Batch_Excel_Card;
    });
    dialogPresenter().runModal(*this);
    m_counting.reset();
}

void Send_Mail::fillRecipientColumns()
{
    ui->recipient_column->setEnabled(true);
    ui->recipient_column->clear();
    ui->recipient_column->addItem(kOneAddressItem, 0);
    // Column 0 numbers the rows; the data columns follow, each by its title.
    for (int column = 1; column < m_table->ColList.count(); ++column)
        ui->recipient_column->addItem(m_table->ColList.at(column).title, column);
    // A column whose title speaks of mail is the likely one.
    for (int i = 1; i < ui->recipient_column->count(); ++i) {
        if (ui->recipient_column->itemText(i).contains(QLatin1String("mail"), Qt::CaseInsensitive)) {
            ui->recipient_column->setCurrentIndex(i);
            break;
        }
    }
    Recipient_Column_Changed();
}

void Send_Mail::recipientFollowsSources(bool dataOn)
{
    QComboBox& column = *ui->recipient_column;
    if (!dataOn && column.isEnabled()) {
        m_dataColumnItem = column.currentIndex();
        // Empty without a shown record or an address column: the box keeps what was typed.
        const int chosen = column.currentData().toInt();
        const QString own = chosen > 0 ? m_table->objectValue(Column_Key_For_Index(chosen), m_shownRecord) : QString();
        if (!own.isEmpty())
            ui->recipient_address->setText(own);
        column.setCurrentIndex(0);
    } else if (dataOn && !column.isEnabled()) {
        column.setCurrentIndex(m_dataColumnItem);
    }
    // The address box follows the item through Recipient_Column_Changed.
    column.setEnabled(dataOn);
}

void Send_Mail::showCardPicture()
{
    OutputPictures pictures;
    const SideSnapshot front = snapshotForOutput(m_design->graphics(), CardSide::Front, pictures, kPictureDpi);
    ui->card_picture->setPixmap(front.isWhole() ? QPixmap::fromImage(front.image.toImage(kPictureDpi)) : QPixmap());
}

void Send_Mail::showCounters()
{
    ui->sent_count->setText(QStringLiteral("Sent: %1").arg(m_sent));
    ui->failed_count->setText(QStringLiteral("Not sent: %1").arg(m_failed));
}

void Send_Mail::Recipient_Column_Changed()
{
    ui->recipient_address->setEnabled(ui->recipient_column->currentData().toInt() == 0);
}

void Send_Mail::Settings_Button()
{
    if (!preferences)
        preferences = &Preferences::sharedInstance();
    openSettings(*preferences);
}

void Send_Mail::Close_Button()
{
    reject();
}

std::optional<MailAccount> Send_Mail::accountToUse()
{
    QString refusal;
    if (!preferences->reload(&refusal)) {
        Show_MessageBox(refusal);
        return std::nullopt;
    }
    const MailAccount account = preferences->account();
    if (const std::optional<QString> incomplete = mailAccountRefusal(account)) {
        Show_MessageBox(*incomplete + QStringLiteral("\n\nThe mail settings are set with Mail Settings…"));
        return std::nullopt;
    }
    return account;
}

std::function<QString(int)> Send_Mail::recipients() const
{
    const int column = ui->recipient_column->currentData().toInt();
    if (column == 0)
        return [address = ui->recipient_address->text()](int) { return address; };
    return [table = m_table, column](int record) {
        return record < table->rowCount() ? table->Get_Item_Text(record, column).value_or(QString()) : QString();
    };
}

void Send_Mail::Send_Button()
{
    if (ui->recipient_column->currentData().toInt() == 0) {
        if (const std::optional<QString> refusal = mailAddressRefusal(ui->recipient_address->text().trimmed())) {
            Show_MessageBox(*refusal);
            return;
        }
    }
    MailBatchSettings settings;
    if (!ui->rangeBlock->range(&settings.first, &settings.end)) {
        Show_MessageBox(QStringLiteral("Please select valid range."));
        return;
    }
    const std::optional<MailAccount> account = accountToUse();
    if (!account)
        return;
    settings.account = *account;
    settings.subject = ui->subject_text->text();
    settings.body = ui->message_text->toPlainText();
    settings.format = ui->format_pdf->isChecked() ? QStringLiteral("PDF") : QStringLiteral("PNG");
    settings.side = mail_card_side();
    settings.delaySeconds = ui->delay_seconds->value();

    RecordRun run(*m_design, *m_store, *m_table, m_twoSided);
    run.sources().Use_Data_Sheet_Values = run.sources().Use_Data_Sheet_Values && ui->rangeBlock->seriesOn();
    run.sources().Use_Excel_Binding_Values = run.sources().Use_Excel_Binding_Values && ui->rangeBlock->spreadsheetOn();
    run.sources().Get_total_Card_count();
    run.Mirror_Image_Create = ui->rangeBlock->Mirror_Image_Create();
    run.Mirror_Vertical_Not_Horz = ui->rangeBlock->Mirror_Vertical_Not_Horz();
    const MailReport report = runBatch(run, settings);

    m_sent = report.sent;
    m_failed = int(report.failures.size()) + report.cardsRefused;
    showCounters();
    const QStringList listed = run.refused().lines() + report.failures;
    m_lastReport = mailReportMessage(report);
    Show_Report_Box(m_lastReport, listed);
    if (!listed.isEmpty())
        m_lastReport += u'\n' + listed.join(u'\n');
}

MailReport Send_Mail::runBatch(RecordRun& run, const MailBatchSettings& settings)
{
    Send_Modeless& progress = Send_Modeless::defaultInstance();
    MailBatch batch(settings, [&run](int n, CardSide side) { return run.Set_data_table_value_to_card(n, side); },
                    recipients(), transport);
    batch.setPauseNotice([&progress](const QString& text) { progress.setPauseText(text); });
    MailReport report;
    progress.runCountedJob(QStringLiteral("Total Messages :"), batch.messageCount(),
                           [&] { report = batch.Send_Batch_Mail(); }, [&] { return batch.messagesDone(); },
                           [&] { batch.stop(); }, [&](bool paused) { paused ? batch.pause() : batch.resume(); });
    return report;
}
