// The page setup panel opens on the paper the print window shows, whatever paper the print queue's
// driver starts from: on a queue whose driver starts from Letter, File > Print… shows A4, and the
// panel of Add… and of Page Setup… opens on A4; OK there unchanged leaves the window on A4 and
// saves the profile as A4 (plistlib reads it). The Size page's printer page opens on A4 too.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "MainWindowFixture.h"
#include "OwnCupsServer.h"
#include "platform/CanvasGlobals.h"
#include "support/QtPrinting.h"

namespace {

const QString kDriver = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

}  // namespace

class PrintPageSetupRoadTest : public MainWindowFixture {};

TEST_F(PrintPageSetupRoadTest, ThePanelOpensOnThePaperTheWindowShows)
{
    if (!canRunOwnCupsServer(kDriver))
        GTEST_SKIP() << "needs root, cups and printer-driver-cups-pdf (scripts/deps.sh installs them)";
    QTemporaryDir folder;
    QString why;
    OwnCupsServer cups;
    ASSERT_TRUE(cups.start(folder, &why)) << why.toStdString();
    ASSERT_TRUE(cups.addQueue(QStringLiteral("ZovaLetter"), QStringLiteral("file:/dev/null"), kDriver,
                              {QStringLiteral("PageSize=Letter")}, &why))
        << why.toStdString();
    ASSERT_EQ(TestEnvironment::run(QStringLiteral("lpadmin"), {"-h", cups.socket, "-d", "ZovaLetter"}).exitCode, 0);
    controller.showWindow();
    ASSERT_NO_FATAL_FAILURE(openSampleDesign());

    QStringList panelOpenedOn;
    // The panel's own run, its OK pressed as a user presses it: Qt takes the panel's choices then.
    const auto okUnchanged = [&panelOpenedOn](QDialog& panel) {
        panelOpenedOn << panel.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"))->currentText();
        QTimer::singleShot(0, &panel, [&panel] {
            panel.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        panel.exec();
    };
    QStringList windowShows;
    dialogs.queueHook([&windowShows](QDialog& window) {
        const auto shown = [&window] {
            return window.findChild<QLabel*>(QStringLiteral("Paper_id"))->text() + u' '
                   + window.findChild<QLabel*>(QStringLiteral("Size_id"))->text();
        };
        windowShows << shown();
        window.findChild<QPushButton*>(QStringLiteral("Add_profile_btn"))->click();
        windowShows << shown();
        window.findChild<QPushButton*>(QStringLiteral("page_setup_btn"))->click();
        windowShows << shown();
        window.findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    });
    dialogs.queueHook([](QDialog& sheet) {
        sheet.findChild<QLineEdit*>(QStringLiteral("Profile_name"))->setText(QStringLiteral("Badges"));
        sheet.findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    dialogs.queueHook(okUnchanged);
    dialogs.queueHook(okUnchanged);
    action(QStringLiteral("Print_Button")).trigger();

    EXPECT_EQ(windowShows, QStringList(3, QStringLiteral("A4 209.90 x 297.04 mm")));
    // The Size page's printer page, on the default queue, opens on the shared paper too.
    ASSERT_TRUE(inspector().showPage(QStringLiteral("card_size_tab")));
    choose("Preset_ComboBox", control<QComboBox>("Preset_ComboBox").findText(QStringLiteral("Custom")));
    dialogs.queueHook(okUnchanged);
    control<QPushButton>("page_frm_printer_btn").click();
    EXPECT_NEAR(control<QDoubleSpinBox>("width_Stepper").value(), 210, 0.2);
    EXPECT_NEAR(control<QDoubleSpinBox>("height_Stepper").value(), 297, 0.2);
    EXPECT_EQ(panelOpenedOn, QStringList(3, QStringLiteral("A4")));
    const auto saved = TestEnvironment::runPython("import plistlib, sys\n"
                                                  "print('|'.join(plistlib.load(open(sys.argv[1], 'rb'))[:5]))\n",
                                                  {QDir(print_profile_path.get()).filePath(QStringLiteral("Badges.zvp"))});
    EXPECT_EQ(QString::fromUtf8(saved.out).trimmed(), QStringLiteral("ZovaLetter|A4|209.90 x 297.04|209.90|297.04"))
        << saved.err.constData();
}
