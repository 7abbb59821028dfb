// The group-mode wizard: the workbook's records, the checks of OK and the project it asks for.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"
#include "support/HostileWorkbooks.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/inspector/InspectorLists.h"
#include "views/series/DataRowsModel.h"
#include "views/series/LoadedDataTableWindow.h"
#include "views/wizards/Group_Mode_Wizard.h"
#include "views/wizards/TemplateBrowser.h"
#include "TemplateFolder.h"

namespace {

// Records what the wizard asks and fills the table as the main window would after the template.
class FakeProjectHost : public GroupProjectHost {
public:
    int Create_Group_Mode_Project(const QString& templatePath, const QString& projectPath,
                                  const std::function<int()>& fillTable) override
    {
        asked.append({templatePath, projectPath});
        Loaded_Data_Table().ListData.clear();  // as reading the template does
        return fillTable() == 1 && answer;
    }
    GroupListData& groupList() override { return groups; }

    QList<QStringList> asked;
    bool answer = true;
    GroupListData groups;
};

constexpr int kYes = 0, kNo = 1;

class GroupModeWizardTest : public ::testing::Test {
protected:
    void SetUp() override { Excel_Source_Path.clear(), Excel_Binding_Use = false; }
    void TearDown() override
    {
        Loaded_Data_Table().ListData.clear();
        Loaded_Data_Table().ColList.removeDataColumns();
        Excel_Source_Path.clear(), Excel_Binding_Use = false;
    }
    QString workbook(const char* name, const SheetRows& rows)
    {
        const QString path = templates.root.filePath(QLatin1String(name));
        const bool written = path.endsWith(QLatin1String(".ods")) ? SpreadsheetWriter::WriteODS(path, rows, true)
                                                                   : SpreadsheetWriter::WriteWorkbook(path, rows, true);
        EXPECT_TRUE(written) << name;
        return path;
    }
    QString projects() const { return templates.root.filePath(QStringLiteral("Group_Excel_Data")); }

    TemplateFolder templates;
    // Made before the wizard, which lists the templates when it is made.
    QString templatePath = templates.add(QStringLiteral("event"), QStringLiteral("badge (h)"),
                                         QStringLiteral("Horizontal"), QStringLiteral("PVC Card"), 0);
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    ScriptedDialogPresenter dialogs;
    FakeProjectHost host;
    Group_Mode_Wizard wizard{templates.catalog(), host, projects()};
    QLineEdit& projectName = *wizard.findChild<QLineEdit*>(QStringLiteral("Project_Name_Text"));
};

const SheetRows kTeam{{"Name", "", "Role"}, {"Ada", "7", "Engineer"}, {"Grace", "", "Admiral"}};

}  // namespace

TEST_F(GroupModeWizardTest, AWorkbookFillsTheTableAndTheGroupList)
{
    for (const char* name : {"team.xlsx", "team.ods"}) {
        ASSERT_EQ(wizard.Create_Excel_List_Func(workbook(name, kTeam)), 1) << name;
        const Data_From_Excel& table = Loaded_Data_Table();
        EXPECT_EQ(table.ColList.titles(), (QStringList{table.ColList.at(0).title, "Name", "Untitled Column 2", "Role"}));
        ASSERT_EQ(table.rowCount(), 2) << name;
        EXPECT_EQ(table.objectValue(QStringLiteral("Column1"), 1), "Grace");
        EXPECT_EQ(table.objectValue(QStringLiteral("Column2"), 0), "7");
        EXPECT_EQ(table.objectValue(QStringLiteral("Column3"), 1), "Admiral");
        EXPECT_EQ(Excel_table_rows, 2);
        EXPECT_EQ(host.groups.rowCount(), 2);
        EXPECT_EQ(host.groups.Get_Item_Text(0), "1 - Ada");
        EXPECT_EQ(host.groups.Get_Item_Text(1), "2 - Grace");
    }
    // View Data shows the records in the data table's viewer.
    int shownRows = -1;
    dialogs.queueHook([&](QDialog&) { shownRows = LoadedDataTableWindow::defaultInstance().model().rowCount(); });
    wizard.View_Excel_Btn_Clicked();
    EXPECT_EQ(shownRows, 2);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(GroupModeWizardTest, AWorkbookWithoutRecordsIsRefusedAndThereIsNothingToView)
{
    ASSERT_EQ(wizard.Create_Excel_List_Func(workbook("team.xlsx", kTeam)), 1);
    QFile broken(templates.root.filePath(QStringLiteral("broken.xlsx")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("not a zip") > 0);
    broken.close();
    // A workbook under the other kind's name: a zip, but no spreadsheet of that kind.
    const QString otherKind = templates.root.filePath(QStringLiteral("team.ods"));
    ASSERT_TRUE(QFile::copy(workbook("team.xlsx", kTeam), otherKind));
    for (const QString& path : {workbook("titles.xlsx", {{"Name", "Role"}}), broken.fileName(),
                                templates.root.filePath(QStringLiteral("missing.xlsx")), otherKind})
        EXPECT_EQ(wizard.Create_Excel_List_Func(path), 0) << path.toStdString();
    // Nothing of the earlier workbook is left to pass for this one's records.
    EXPECT_EQ(Loaded_Data_Table().rowCount(), 0);
    EXPECT_EQ(host.groups.rowCount(), 0);
    wizard.View_Excel_Btn_Clicked();
    const QString corrupt = QLatin1Char('\n') + kCorruptWorkbookMessage;
    EXPECT_EQ(messages.texts(), (QStringList{corrupt, "\nThe file \"broken.xlsx\" cannot be read as a workbook.", corrupt,
                                             "\nThe file \"team.ods\" cannot be read as a workbook.",
                                             QLatin1Char('\n') + kNoExcelDataMessage}));
}

TEST_F(GroupModeWizardTest, OkChecksTemplateWorkbookAndNameThenMakesTheProject)
{
    const QString team = workbook("team.xlsx", kTeam);
    messages.queueAnswers({0, 0, 0, kNo, kYes});  // three notes, then the question twice
    dialogs.queueHook([&](QDialog& dialog) {
        wizard.OK_Click();  // no template
        wizard.browser().chooseRow(0);
        wizard.OK_Click();  // no workbook
        dialogs.queueOpenFile(team);
        wizard.findChild<QPushButton*>(QStringLiteral("Select_Excel_btn"))->click();
        EXPECT_EQ(wizard.workbookPath(), team);
        projectName.setText(QStringLiteral("  :/ "));
        wizard.OK_Click();  // a name of reserved characters only
        EXPECT_EQ(dialog.result(), 0);
        EXPECT_TRUE(host.asked.isEmpty());

        // An existing project is replaced only when the user agrees.
        projectName.setText(QStringLiteral(" Team/2026 "));
        ASSERT_TRUE(QDir().mkpath(projects()));
        QFile existing(QDir(projects()).filePath(QStringLiteral("Team2026.did")));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.close();
        wizard.OK_Click();
        EXPECT_TRUE(host.asked.isEmpty());
        wizard.OK_Click();
    });
    EXPECT_EQ(wizard.Open_Wnd(), 1);
    EXPECT_EQ(host.asked, (QList<QStringList>{{templatePath, QDir(projects()).filePath(QStringLiteral("Team2026.did"))}}));
    EXPECT_EQ(messages.texts(),
              (QStringList{"\nPlease select template.", "\nPlease select excel file.", "\nPlease enter project name.",
                           kReplaceProjectQuestion, kReplaceProjectQuestion}));
    // The records were read in again after the template, and the design is bound to the workbook.
    EXPECT_EQ(Loaded_Data_Table().rowCount(), 2);
    EXPECT_EQ(Excel_Source_Path, team);
    EXPECT_TRUE(Excel_Binding_Use);
}

TEST_F(GroupModeWizardTest, AProjectThatWasNotMadeKeepsTheWizardOpen)
{
    host.answer = false;
    dialogs.queueOpenFile(workbook("team.xlsx", kTeam));
    dialogs.queueHook([&](QDialog&) {
        wizard.browser().chooseRow(0);
        wizard.Select_Excel_Click();
        projectName.setText(QStringLiteral("Team"));
        wizard.OK_Click();
    });
    EXPECT_EQ(wizard.Open_Wnd(), 0);
    EXPECT_EQ(host.asked.size(), 1);
    // The projects folder is made for the first project.
    EXPECT_TRUE(QFileInfo(projects()).isDir());
}

// A sheet whose first row reaches column XFD would fill each of its 1,219 records to 16,384
// cells: refused, saying why, before anything is filled.
TEST_F(GroupModeWizardTest, ASheetTooWideToLoadIsRefusedSayingWhy)
{
    const QString wide = templates.root.filePath(QStringLiteral("wide.xlsx"));
    ASSERT_TRUE(HostileWorkbooks::make(HostileWorkbooks::kWideSheet, wide));
    EXPECT_EQ(wizard.Create_Excel_List_Func(wide), 0);
    EXPECT_EQ(Loaded_Data_Table().rowCount(), 0);
    EXPECT_EQ(host.groups.rowCount(), 0);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\nThe sheet is too large to load: 1219 rows of 16384 columns would "
                                                  "take more than \\d+ MB of memory\\.$"))
                    .match(messages.texts().first())
                    .hasMatch())
        << messages.texts().first().toStdString();
    // A workbook of sound size still loads after it.
    EXPECT_EQ(wizard.Create_Excel_List_Func(workbook("team.xlsx", kTeam)), 1);
}
