#pragma once
// The group-mode project wizard: a template, the workbook whose rows are the group's records and
// a project name. OK makes the project, a design file in group mode in the projects folder.
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "data/SpreadsheetWriter.h"
#include "designfile/TemplateCatalog.h"

class GroupListData;
class TemplateBrowser;
namespace Ui {
class Group_Mode_Wizard;
}

inline const QString kCorruptWorkbookMessage =
    QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
inline const QString kNoExcelDataMessage = QStringLiteral("There is no excel data to view.");
inline const QString kSelectWorkbookMessage = QStringLiteral("Please select excel file.");
inline const QString kEnterProjectNameMessage = QStringLiteral("Please enter project name.");
inline const QString kReplaceProjectQuestion =
    QStringLiteral("Project with this name already exists, Do you want to replace the existing project?");

// What the wizard's OK asks of the main window.
class GroupProjectHost {
public:
    virtual ~GroupProjectHost() = default;
    // Reads the template, then runs fillTable, which fills the loaded table from the workbook (0
    // stops there), puts the run in group mode and saves the project at projectPath. 1 when the
    // project was written; otherwise the host has said why.
    virtual int Create_Group_Mode_Project(const QString& templatePath, const QString& projectPath,
                                          const std::function<int()>& fillTable) = 0;
    // The group list of the main window: one entry per record.
    virtual GroupListData& groupList() = 0;
};

class Group_Mode_Wizard : public QDialog {
    Q_OBJECT
public:
    // Projects are written into projectFolder, which is made when the first one is.
    Group_Mode_Wizard(const TemplateCatalog& catalog, GroupProjectHost& host, QString projectFolder,
                      QWidget* parent = nullptr);
    ~Group_Mode_Wizard() override;

    // Runs the wizard modally through the dialog seam: 1 when a project was made.
    int Open_Wnd();

    TemplateBrowser& browser() { return *m_browser; }
    const QString& workbookPath() const { return m_workbookPath; }
    // The project's file for the name typed, cleaned of characters no file name may hold; empty
    // for a name that cleans to nothing.
    QString projectPath() const;

    // The open panel for the workbook, then Create_Excel_List_Func.
    void Select_Excel_Click();
    // Fills the loaded data table and the group list from the first sheet of the workbook (xlsx or
    // ods): its first row names the columns, every later row is a record. 1 when it has records;
    // else says why the file gave none (that it is no workbook, or the read's own refusal) or
    // kCorruptWorkbookMessage, leaving the table empty, and answers 0.
    int Create_Excel_List_Func(const QString& path);
    // The viewer of the loaded data table; kNoExcelDataMessage when it has no rows.
    void View_Excel_Btn_Clicked();
    void OK_Click();
    void Cancel_Click();

private:
    // The first sheet's rows; *refusal says why the reader refused the file, "" when it did not.
    static SheetRows readSheet(const QString& path, QString* refusal);
    void showRecordCount();

    std::unique_ptr<Ui::Group_Mode_Wizard> ui;
    GroupProjectHost& m_host;
    QString m_projectFolder;
    TemplateBrowser* m_browser;
    QString m_workbookPath;
};
