// A group card mailed from the real window without the spreadsheet is the chosen record's card,
// and it goes to that record's own address or to one the user types, never to another person's:
// the messages as a local SMTP server took them, their barcodes read with zbarimg. The window is
// pictured in test-artifacts/output.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "GroupPeopleFixture.h"
#include "SinkMailFixture.h"
#include "support/WidgetParts.h"
#include "views/output/OutputRangeBlock.h"

TEST_F(LiveModeRoad, AGroupCardMailedWithoutTheSpreadsheetGoesToItsOwnOrATypedAddress)
{
    // Twelve people: Name, Company, Email, ID; a Code 128 and a text show the ID.
    const QString workbook = openpyxlWorkbook(
        QStringLiteral("staff.xlsx"),
        "ws.append(['Name', 'Company', 'Email', 'ID'])\n"
        "for n in range(1, 13): ws.append(['Person %d' % n, 'Firm %d' % n, 'person%d@zova.example' % n, 'ID%04d' % n])\n");
    ASSERT_NO_FATAL_FAILURE(startGroupProject(workbook));
    chooseColumn("Fup_Name", 1);
    addIdElements(document);
    SinkMail mail(scratch.path());
    Send_Mail& window = mail.window;

    clickGroupRow(4);
    // The address the box offers, then one typed.
    const QStringList to{QStringLiteral("person5@zova.example"), QStringLiteral("desk@zova.example")};
    QString offered;
    QStringList reports;
    QString columnAgain;
    dialogs.queueHook([&](QDialog&) {
        auto& address = part<QLineEdit>(window, "recipient_address");
        window.rangeBlock()->Export_with_excel_chk->click();
        offered = address.isEnabled() ? address.text() : QStringLiteral("(greyed) ") + address.text();
        QDir().mkpath(QStringLiteral(ZOVA_OUTPUT_ARTIFACT_DIR));
        window.grab().save(QStringLiteral(ZOVA_OUTPUT_ARTIFACT_DIR "/mail-without-data.png"));
        for (const QString& recipient : to) {
            address.setText(recipient);
            part<QPushButton>(window, "send_button").click();
            reports.append(window.lastReport());
        }
        // With the spreadsheet on again each card goes to its row's address.
        window.rangeBlock()->Export_with_excel_chk->click();
        columnAgain = part<QComboBox>(window, "recipient_column").currentText() + (address.isEnabled() ? "" : " (greyed)");
        // An address typed for every card stays as it is.
        part<QComboBox>(window, "recipient_column").setCurrentIndex(0);
        address.setText(QStringLiteral("front@zova.example"));
        window.rangeBlock()->Export_with_excel_chk->click();
        columnAgain += u'|' + address.text();
    });
    action(QStringLiteral("Mail_Button")).trigger();

    EXPECT_EQ(offered, "person5@zova.example");
    EXPECT_EQ(reports, (QStringList{"Messages sent: 1 of 1.", "Messages sent: 1 of 1."}));
    EXPECT_EQ(columnAgain, "Email (greyed)|front@zova.example");
    const QList<QStringList> received = mail.server.received();
    ASSERT_EQ(received.size(), to.size());
    for (qsizetype i = 0; i < received.size(); ++i) {
        EXPECT_EQ(received[i].value(1), to[i]);
        EXPECT_EQ(received[i].value(2), to[i]);
        const auto read = TestEnvironment::run(QStringLiteral("zbarimg"),
                                               {QStringLiteral("-q"), QStringLiteral("--raw"), mail.frontOf(received[i])});
        EXPECT_EQ(QString::fromUtf8(read.out).trimmed(), "ID0005");
    }
}
