// On the real window, each road that opens a workbook the user chose: a file that is no workbook,
// or one cut short, is named in one message at once; no column window opens on an empty sheet
// list, and the window the user chose it in takes no path and stays for another choice.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "MainWindowFixture.h"
#include "data/Data_From_Excel.h"
#include "mainwindow/WizardStartWindows.h"
#include "support/ScriptedDialogPresenter.h"
#include "views/series/Import_Wizard.h"
#include "views/wizards/Group_Mode_Wizard.h"

namespace {

class UnreadableWorkbookRoad : public MainWindowFixture {
protected:
    void SetUp() override
    {
        controller.inspector().setUpControls({});
        controller.showWindow();
        ASSERT_NO_FATAL_FAILURE(openSampleDesign());
        Loaded_Data_Table().ListData.clear();
    }
    // A hook that only notes that a window came up; none is expected.
    void noteAnyWindow() { dialogs.queueHook([this](QDialog& window) { unexpected << window.metaObject()->className(); }); }

    QStringList unexpected;
};

TEST_F(UnreadableWorkbookRoad, EachRoadNamesTheFileAndOpensNoEmptyColumnWindow)
{
    const QString notZip = scratch.filePath(QStringLiteral("staff list.xlsx"));
    QFile text(notZip);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("Name,Title\nAda Lovelace,Analyst\n");
    text.close();
    // A workbook cut in half, and a whole one under the other kind's name: a zip, but no
    // spreadsheet of that kind.
    const QString cut = scratch.filePath(QStringLiteral("cut.xlsx"));
    const QString otherKind = scratch.filePath(QStringLiteral("staff.ods"));
    const auto made = TestEnvironment::runPython("import sys, openpyxl\n"
                                                 "wb = openpyxl.Workbook()\n"
                                                 "for n in range(200): wb.active.append(['Person %d' % n, 'Title %d' % n])\n"
                                                 "wb.save(sys.argv[2])\n"
                                                 "data = open(sys.argv[2], 'rb').read()\n"
                                                 "open(sys.argv[1], 'wb').write(data[:len(data) // 2])\n",
                                                 {cut, otherKind});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    const QString notZipOds = scratch.filePath(QStringLiteral("staff list.ods"));
    ASSERT_TRUE(QFile::copy(notZip, notZipOds));
    // The profile and the series import take workbooks only; the group project spreadsheets too.
    const QStringList workbooks{notZip, cut};
    const QStringList spreadsheets{notZip, cut, notZipOds, otherKind};

    struct Road {
        const char* name;
        // Chooses the file on the road; what the window it was chosen in shows afterwards: the
        // path it took, or the import wizard's answer (0: still open).
        std::function<QString(const QString& file)> choose;
        QString shownAfter;
        QStringList files;
    };
    WizardStartWindows startWindows;
    const QList<Road> roads{
        {"the card-holder profile's spreadsheet", [&](const QString& file) {
             QString shown;
             dialogs.queueHook([&](QDialog& window) {
                 dialogs.queueOpenFile(file);
                 noteAnyWindow();
                 window.findChild<QPushButton*>(QStringLiteral("excel_browse_btn"))->click();
                 shown = window.findChild<QLineEdit*>(QStringLiteral("excel_path_field"))->text();
                 dialogs.clearHooks();
             });
             action(QStringLiteral("User_Profile_Button_Clicked")).trigger();
             return shown;
         }, "", workbooks},
        {"the import of series from a workbook", [&](const QString& file) {
             QString shown;
             dialogs.queueHook([&](QDialog& window) {
                 auto& wizard = static_cast<Import_Wizard&>(window);
                 wizard.Excel_RD_Pressed();
                 wizard.findChild<QLineEdit*>(QStringLiteral("Excel_path"))->setText(file);
                 noteAnyWindow();
                 wizard.OKPressed();
                 shown = QString::number(wizard.result());
                 dialogs.clearHooks();
             });
             action(QStringLiteral("Import_Wizard_Button")).trigger();
             return shown;
         }, "0", workbooks},
        {"the group project's workbook", [&](const QString& file) {
             QString shown;
             dialogs.queueHook([&](QDialog& window) {
                 dialogs.queueOpenFile(file);
                 noteAnyWindow();
                 static_cast<Group_Mode_Wizard&>(window).Select_Excel_Click();
                 shown = window.findChild<QLineEdit*>(QStringLiteral("Excel_Path_Text"))->text();
                 dialogs.clearHooks();
             });
             startWindows.Group_Mode_Wizard_Open_Wnd(controller);
             return shown;
         }, "", spreadsheets},
    };
    for (const Road& road : roads) {
        for (const QString& file : road.files) {
            SCOPED_TRACE(road.name + (" / " + QFileInfo(file).fileName()).toStdString());
            const qsizetype said = messages.texts().size();
            unexpected.clear();
            EXPECT_EQ(road.choose(file).toStdString(), road.shownAfter.toStdString());
            EXPECT_EQ(messages.texts().mid(said).join(u'|').toStdString(),
                      QStringLiteral("\nThe file \"%1\" cannot be read as a workbook.").arg(QFileInfo(file).fileName()).toStdString());
            EXPECT_TRUE(unexpected.isEmpty()) << unexpected.join(u' ').toStdString();
            EXPECT_EQ(Loaded_Data_Table().rowCount(), 0);
        }
    }
}

}  // namespace
