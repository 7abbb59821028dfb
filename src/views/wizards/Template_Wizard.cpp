#include "views/wizards/Template_Wizard.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QItemSelectionModel>

#include "designfile/DesignFile.h"
#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "views/inspector/ComboSelection.h"
#include "views/wizards/TemplateBrowser.h"
#include "ui_Template_Wizard.h"

namespace {

constexpr int kCustomSize = 2;

}  // namespace

Template_Wizard::Template_Wizard(const TemplateCatalog& catalog, CardSizeNames sizes, bool visitorMode,
                                 QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Template_Wizard>()), m_sizeNames(std::move(sizes)),
      m_browser(new TemplateBrowser(catalog, visitorMode, this))
{
    ui->setupUi(this);
    ui->ColList->setModel(&m_sizes);
    m_browser->attach(*ui->Template_Category_ComboBox, *ui->Template_Browser);
    fillSizeList();
    connect(ui->Preset_ComboBox, &QComboBox::activated, this, &Template_Wizard::Preset_ComboBox_Changed);
    connect(ui->Category_ComboBox, &QComboBox::activated, this, &Template_Wizard::Category_ComboBox_Changed);
    connect(ui->wizard_buttons, &QDialogButtonBox::accepted, this, &Template_Wizard::OK_Click);
    connect(ui->wizard_buttons, &QDialogButtonBox::rejected, this, &Template_Wizard::Cancel_Click);
    connect(ui->User_Profile_btn, &QPushButton::clicked, this, &Template_Wizard::User_Profile_Click);
    connect(m_browser, &TemplateBrowser::templateChosen, this, &Template_Wizard::showSizeOfTemplate);
    connect(ui->Template_Browser, &QAbstractItemView::doubleClicked, this, &Template_Wizard::OK_Click);
}

Template_Wizard::~Template_Wizard() = default;

int Template_Wizard::Open_Template_Window()
{
    m_selectedTemplatePath.clear();
    if (dialogPresenter().runModal(*this) != QDialog::Accepted || m_selectedTemplatePath.isEmpty()) {
        m_selectedTemplatePath.clear();
        return 0;
    }
    return 1;
}

Template_Wizard_Fields Template_Wizard::fields() const
{
    Template_Wizard_Fields fields;
    fields.Preset_ComboBox = ui->Preset_ComboBox->currentIndex();
    fields.Category_ComboBox = ui->Category_ComboBox->currentIndex();
    const QModelIndexList rows = ui->ColList->selectionModel()->selectedRows();
    fields.ColList = rows.isEmpty() ? -1 : rows.first().row();
    return fields;
}

QString Template_Wizard::chosenTemplateFile() const
{
    const std::optional<TemplateEntry> chosen = m_browser->chosenTemplate();
    return chosen && QFileInfo(chosen->didPath).isFile() ? chosen->didPath : QString();
}

void Template_Wizard::OK_Click()
{
    const QString path = chosenTemplateFile();
    if (path.isEmpty()) {
        Show_MessageBox(kSelectTemplateMessage);
        return;
    }
    m_selectedTemplatePath = path;
    accept();
}

void Template_Wizard::Cancel_Click()
{
    m_selectedTemplatePath.clear();
    reject();
}

void Template_Wizard::User_Profile_Click()
{
    if (chosenTemplateFile().isEmpty()) {
        Show_MessageBox(kSelectTemplateMessage);
        return;
    }
    if (openProfileWindow)
        openProfileWindow(false, QString(), QStringLiteral("2"));
}

void Template_Wizard::showSizeOfTemplate(const TemplateEntry& entry)
{
    DesignFileError error;
    const std::optional<DesignState> design = readDesignFile(entry.didPath, &error);
    // A file that does not read is reported when the start reads it.
    if (!design)
        return;
    selectComboText(*ui->Preset_ComboBox, design->front.Card_Preset(), [this] { Preset_ComboBox_Changed(); });
    selectComboText(*ui->Category_ComboBox, design->front.Card_Category(), [this] { fillSizeList(); });
    markSizeRow(design->front.Card_Cat_index());
}

void Template_Wizard::Preset_ComboBox_Changed()
{
    const bool custom = ui->Preset_ComboBox->currentIndex() == kCustomSize;
    ui->Category_ComboBox->setEnabled(!custom);
    ui->ColList->setEnabled(!custom);
    if (custom)
        markSizeRow(-1);
}

void Template_Wizard::Category_ComboBox_Changed()
{
    fillSizeList();
}

void Template_Wizard::fillSizeList()
{
    m_sizes.clear();
    for (const QString& name : ui->Category_ComboBox->currentIndex() == 0 ? m_sizeNames.pvc : m_sizeNames.paper)
        m_sizes.Create_List(name);
}

void Template_Wizard::markSizeRow(int row)
{
    QItemSelectionModel& selection = *ui->ColList->selectionModel();
    selection.clearSelection();
    if (row >= 0 && row < m_sizes.rowCount() && ui->ColList->isEnabled())
        selection.select(m_sizes.index(row), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}
