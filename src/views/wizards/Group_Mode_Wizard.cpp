#include "views/wizards/Group_Mode_Wizard.h"

#include "views/series/LoadedDataTableWindow.h"
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>

#include "data/Data_From_Excel.h"
#include "platform/DialogPresenter.h"
#include "platform/FileHelpers.h"
#include "platform/MessageBoxes.h"
#include "views/inspector/DataSourcePanel.h"
#include "views/inspector/InspectorLists.h"
#include "views/series/LoadedDataTableWindow.h"
#include "views/wizards/TemplateBrowser.h"
#include "views/wizards/Template_Wizard.h"
#include "ui_Group_Mode_Wizard.h"

Group_Mode_Wizard::Group_Mode_Wizard(const TemplateCatalog& catalog, GroupProjectHost& host, QString projectFolder,
                                     QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Group_Mode_Wizard>()), m_host(host),
      m_projectFolder(std::move(projectFolder)), m_browser(new TemplateBrowser(catalog, false, this))
{
    ui->setupUi(this);
    m_browser->attach(*ui->Template_Category_ComboBox, *ui->Template_Browser);
    connect(ui->Select_Excel_btn, &QPushButton::clicked, this, &Group_Mode_Wizard::Select_Excel_Click);
    connect(ui->View_Excel_btn, &QPushButton::clicked, this, &Group_Mode_Wizard::View_Excel_Btn_Clicked);
    connect(ui->wizard_buttons, &QDialogButtonBox::accepted, this, &Group_Mode_Wizard::OK_Click);
    connect(ui->wizard_buttons, &QDialogButtonBox::rejected, this, &Group_Mode_Wizard::Cancel_Click);
}

Group_Mode_Wizard::~Group_Mode_Wizard() = default;

int Group_Mode_Wizard::Open_Wnd()
{
    return dialogPresenter().runModal(*this) == QDialog::Accepted ? 1 : 0;
}

QString Group_Mode_Wizard::projectPath() const
{
    const QString name = Clean_File_Name(ui->Project_Name_Text->text());
    return name.isEmpty() ? QString() : QDir(m_projectFolder).filePath(name + QStringLiteral(".did"));
}

void Group_Mode_Wizard::Select_Excel_Click()
{
    FilePanelRequest request;
    request.parent = this;
    request.caption = QStringLiteral("Choose Workbook");
    request.filter = QStringLiteral("Workbooks (*.xlsx *.ods)");
    const QString path = dialogPresenter().openFile(request);
    if (path.isEmpty())
        return;
    m_workbookPath = Create_Excel_List_Func(path) == 1 ? path : QString();
    ui->Excel_Path_Text->setText(m_workbookPath);
    showRecordCount();
}

SheetRows Group_Mode_Wizard::readSheet(const QString& path, QString* refusal)
{
    refusal->clear();
    const QString extension = QFileInfo(path).suffix().toLower();
    if (!QFileInfo(path).isFile() || (extension != QLatin1String("ods") && extension != QLatin1String("xlsx")))
        return {};
    SheetRows rows;
    if (extension == QLatin1String("ods")) {
        rows = SpreadsheetWriter::ReadODS(path);
    } else {
        Excel_Sheet_Number = 1;
        SpreadsheetWriter::ReadWorkbook(path, true);
        rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
    }
    *refusal = SpreadsheetWriter::sharedInstance()->readRefusal;
    return rows;
}

int Group_Mode_Wizard::Create_Excel_List_Func(const QString& path)
{
    QString refusal;
    const SheetRows rows = readSheet(path, &refusal);
    Data_From_Excel& table = Loaded_Data_Table();
    GroupListData& groups = m_host.groupList();
    table.ListData.clear();
    table.ColList.removeDataColumns();
    groups.clear();
    Excel_table_rows = 0;
    // The first row names the columns; a sheet without a row after it holds no record.
    if (rows.size() < 2 || rows.first().isEmpty()) {
        Show_MessageBox(refusal.isEmpty() ? kCorruptWorkbookMessage : refusal);
        return 0;
    }
    const QStringList& titles = rows.first();
    const int columns = int(titles.size());
    // Short rows are filled up, so every record keeps its place in the group list.
    QString tooLarge;
    if (!table.Fill_From_Sheet(rows, 1, leadingPositions(columns), &tooLarge)) {
        Show_MessageBox(tooLarge);
        return 0;
    }
    for (int column = 1; column <= columns; ++column) {
        const QString title = titles.at(column - 1).trimmed();
        table.ColList.addColumn(Column_Key_For_Index(column), title.isEmpty() ? Untitled_Column_Title(column) : title);
    }
    for (qsizetype row = 1; row < rows.size(); ++row)
        groups.Create_Group_List(QStringLiteral("%1 - %2").arg(row).arg(rows.at(row).value(0).trimmed()));
    Excel_table_rows = table.rowCount();
    return 1;
}

void Group_Mode_Wizard::showRecordCount()
{
    ui->Excel_Rows_lbl->setText(m_workbookPath.isEmpty() ? QStringLiteral("No workbook chosen")
                                                         : QStringLiteral("%1 records").arg(Excel_table_rows));
}

void Group_Mode_Wizard::View_Excel_Btn_Clicked()
{
    if (Loaded_Data_Table().rowCount() == 0) {
        Show_MessageBox(kNoExcelDataMessage);
        return;
    }
    LoadedDataTableWindow::defaultInstance().Open_Wnd();
}

void Group_Mode_Wizard::OK_Click()
{
    const std::optional<TemplateEntry> chosen = m_browser->chosenTemplate();
    if (!chosen || !QFileInfo(chosen->didPath).isFile()) {
        Show_MessageBox(kSelectTemplateMessage);
        return;
    }
    if (m_workbookPath.isEmpty()) {
        Show_MessageBox(kSelectWorkbookMessage);
        return;
    }
    const QString project = projectPath();
    if (project.isEmpty()) {
        Show_MessageBox(kEnterProjectNameMessage);
        return;
    }
    if (QFileInfo::exists(project) && Show_YES_NO_MessageBox(kReplaceProjectQuestion) != 1)
        return;
    Create_Folder(m_projectFolder);
    // Reading the template empties the loaded table, so the records are read in after it.
    const QString workbook = m_workbookPath;
    const int made = m_host.Create_Group_Mode_Project(chosen->didPath, project, [this, workbook] {
        if (Create_Excel_List_Func(workbook) != 1)
            return 0;
        Excel_Source_Path = workbook;
        Excel_Binding_Use = true;
        return 1;
    });
    if (made == 1)
        accept();
}

void Group_Mode_Wizard::Cancel_Click()
{
    reject();
}
