#include "views/series/BatchWizard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

#include "data/SeriesStore.h"
#include "platform/AppContext.h"
#include "platform/DialogPresenter.h"
#include "platform/FileHelpers.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"
#include "ui_BatchWizardView.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/dialogs/PleaseWait_Modeless.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/series/AccessoryViewController_XL_TXT.h"
#include "views/series/CompactTable.h"
#include "views/series/SeriesValueModel.h"
#include "views/series/Update_Ex_Num.h"

BatchWizard* BatchWizard_Window = nullptr;
int Msg_Apply_All_Chk_for_in_use = 0;

QString seriesInUseDeleteMessage(const QString& name)
{
    return QStringLiteral("Series is in use\n\n%1\n\nBatch Processing Series can't be delete because it is currently in use.")
        .arg(name);
}

BatchWizard::BatchWizard(QWidget* parent)
    : m_view(std::make_unique<BatchWizardView>(parent)),
      m_seriesNames(new SeriesValueModel(QStringLiteral("Extension"), QStringLiteral("Series"), m_view.get())),
      m_values(new SeriesValueModel(QStringLiteral("Header"), QStringLiteral("Value"), m_view.get()))
{
    BatchWizard_Window = this;
    Ui::BatchWizardView& ui = m_view->ui();
    for (auto [table, model] : {std::pair{ui.List, m_seriesNames}, std::pair{ui.List_value, m_values}}) {
        table->setModel(model);
        table->horizontalHeader()->setStretchLastSection(true);
        setCompactRows(*table);
        QObject::connect(table, &QTableView::doubleClicked, m_view.get(),
                         [this, table = table] { doubleClickInTable(*table); });
    }
    const auto wire = [this](QPushButton* button, void (BatchWizard::*action)()) {
        QObject::connect(button, &QPushButton::clicked, m_view.get(), [this, action] { (this->*action)(); });
    };
    wire(ui.AddNew_Btn, &BatchWizard::AddNew_Btn_Clicked);
    wire(ui.Update_Btn, &BatchWizard::On_Update);
    wire(ui.Delete_List_Btn, &BatchWizard::Delete_List_Btn_Clicked);
    wire(ui.Import_Btn, &BatchWizard::Import_Btn_Clicked);
    wire(ui.CreateSeries_Btn, &BatchWizard::CreateSeries_Btn_Clicked);
    wire(ui.Import_Value_Btn, &BatchWizard::Import_Value_Btn_Clicked);
    wire(ui.Series_Value_Btn, &BatchWizard::Series_Value_Btn_Clicked);
    wire(ui.Delete_Rows_Btn, &BatchWizard::Delete_Rows_Btn_Clicked);
    wire(ui.Export_Value_Btn, &BatchWizard::Export_Value_Btn_Clicked);
    QObject::connect(ui.Save_Btn, &QPushButton::clicked, m_view.get(), [this] { Save_Btn_Clicked(); });
    wire(ui.Back_Btn, &BatchWizard::Back_Btn_Clicked);
    wire(ui.Help_Btn, &BatchWizard::Help_Btn_Clicked);
    wire(ui.Help_2_Btn, &BatchWizard::Help_Btn_Clicked);
    wire(ui.Close_Btn, &BatchWizard::Close_Btn_Clicked);
    wire(ui.Close_2_Btn, &BatchWizard::Close_Btn_Clicked);
    Show_hide_first_screen(false);
}

BatchWizard::~BatchWizard()
{
    if (BatchWizard_Window == this)
        BatchWizard_Window = nullptr;
}

BatchWizard& BatchWizard::defaultInstance()
{
    return sharedDialogInstance<BatchWizard>();
}

bool BatchWizard::secondScreenShown() const
{
    return m_view->ui().screens->currentWidget() == m_view->ui().list_value_box;
}

int BatchWizard::Open_Wnd()
{
    Check_Path_And_Create_Files();
    Show_hide_first_screen(false);
    Fill_List();
    const int code = dialogPresenter().runModal(*m_view);
    m_view->hide();
    return code;
}

void BatchWizard::Fill_List()
{
    m_seriesNames->clear();
    Update_batch_List_Count();
    for (const QString& name : SeriesStore().names())
        Create_Avail_List(name);
}

void BatchWizard::Create_Avail_List(const QString& name)
{
    const QString trimmed = Trim_Str(name);
    if (trimmed.isEmpty())
        return;
    m_seriesNames->append(trimmed);
    Update_batch_List_Count();
}

void BatchWizard::Create_Value_List(const QString& value)
{
    const QString trimmed = Trim_Str(value);
    if (trimmed.isEmpty())
        return;
    m_values->append(trimmed);
    Update_Value_List_Count();
}

QString BatchWizard::Get_List_Name_Text(int row) const { return Trim_Str(m_seriesNames->text(row)); }

QString BatchWizard::Get_Value_Text(int row) const { return Trim_Str(m_values->text(row)); }

bool BatchWizard::Batch_List_Selection_Validation()
{
    if (m_seriesNames->count() == 0) {
        Show_MessageBox(kAvailableListEmptyMessage);
        return false;
    }
    const int row = reportedRow(*m_view->ui().List);
    if (row < 0 || Get_List_Name_Text(row).isEmpty()) {
        Show_MessageBox(kSelectAvailableRecordMessage);
        m_view->ui().List->setFocus();
        return false;
    }
    return true;
}

void BatchWizard::On_Update()
{
    if (!Batch_List_Selection_Validation())
        return;
    const QString name = Get_List_Name_Text(reportedRow(*m_view->ui().List));
    const SeriesStore store;
    QFile file(store.series_path(name));
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
        Show_MessageBox(kFileAccessErrorMessage);
        return;
    }
    file.close();
    Show_hide_first_screen(true);
    Show_hide_Last_screen(false);
    m_view->ui().batch_list_name->setText(name);
    m_updateListName = name;
    m_values->clear();
    Update_Value_List_Count();
    const PleaseWaitSheet reading;
    const SeriesStore::Values read = store.read(name);
    if (!read.readable())
        Show_NSLog_Message(read.failure);
    for (const QString& value : read.values)
        Create_Value_List(value);
}

void BatchWizard::AddNew_Btn_Clicked()
{
    Show_hide_first_screen(true);
    Show_hide_Last_screen(false);
    m_view->ui().batch_list_name->setText(default_file_name);
    m_values->clear();
    Update_Value_List_Count();
}

bool BatchWizard::Save_Btn_Clicked()
{
    if (m_values->count() == 0) {
        Show_MessageBox(kListEmptyMessage);
        m_view->ui().List_value->setFocus();
        return false;
    }
    const QString newName = SeriesStore::cleanName(m_view->ui().batch_list_name->text());
    const QString oldName = m_updateListName;
    if (!SeriesStore::isUsableName(newName)) {
        Show_MessageBox(kValidSeriesNameMessage);
        return false;
    }
    const SeriesStore store;
    // The cleaned name decides, and a name that differs only in case is the same series: the
    // user is never asked to replace their own series, nor allowed to save over one in use.
    const bool ownSeries = !oldName.isEmpty() && store.exists(oldName)
                           && store.series_path(oldName) == store.series_path(newName);
    if (!oldName.isEmpty() && inUse(oldName)) {
        Show_MessageBox(kSeriesUpdateInUseMessage);
        return false;
    }
    if (!ownSeries && inUse(newName)) {
        Show_MessageBox(oldName.isEmpty() ? kSeriesCreateInUseMessage : kSeriesUpdateInUseMessage);
        return false;
    }
    if (!ownSeries && store.exists(newName) && Show_YES_NO_MessageBox(kReplaceSeriesQuestion) != 1)
        return false;
    QString error;
    if (!PleaseWaitSheet::around([&] { return store.saveRenamed(oldName, newName, m_values->texts(), &error); })) {
        Show_NSLog_Message(error);
        Show_MessageBox(kFileAccessErrorMessage);
        return false;
    }
    Export_File_Path = store.series_path(newName);
    m_view->raise();
    Show_hide_first_screen(false);
    Show_hide_Last_screen(true);
    Fill_List();
    return true;
}

bool BatchWizard::showInUseAlert(const QString& name)
{
    QMessageBox alert(QMessageBox::Warning, QString(), seriesInUseDeleteMessage(name), QMessageBox::Ok, m_view.get());
    alert.setInformativeText(QString());
    auto* applyToAll = new QCheckBox(kApplyToAllTitle, &alert);
    alert.setCheckBox(applyToAll);
    dialogPresenter().runModal(alert);
    return applyToAll->isChecked();
}

void BatchWizard::Delete_List_Btn_Clicked()
{
    Msg_Apply_All_Chk_for_in_use = 0;
    if (!Batch_List_Selection_Validation())
        return;
    if (Show_YES_NO_MessageBox(kDeleteSeriesQuestion) != 1)
        return;
    QList<int> rows = selectedRows(*m_view->ui().List);
    const SeriesStore store;
    bool anyInUse = false;
    for (const int row : rows) {
        const QString name = Get_List_Name_Text(row);
        if (inUse(name)) {
            anyInUse = true;
            if (Msg_Apply_All_Chk_for_in_use == 0 && showInUseAlert(name))
                Msg_Apply_All_Chk_for_in_use = 1;
            continue;
        }
        if (!store.remove(name))
            Show_NSLog_Message(QStringLiteral("Cannot delete the series %1").arg(name));
    }
    if (anyInUse) {
        Fill_List();
        return;
    }
    const int lastDeleted = rows.isEmpty() ? 0 : rows.last();
    m_seriesNames->removeRowsAt(rows);
    if (lastDeleted < m_seriesNames->count())
        Mark_List_New_Selection(lastDeleted);
    else if (m_seriesNames->count() > 0)
        Mark_List_New_Selection(0);
    Update_batch_List_Count();
}

void BatchWizard::Delete_Rows_Btn_Clicked()
{
    QTableView& table = *m_view->ui().List_value;
    if (m_values->count() == 0) {
        Show_MessageBox(kListEmptyMessage);
        table.setFocus();
        return;
    }
    const QList<int> rows = selectedRows(table);
    if (rows.isEmpty()) {
        Show_MessageBox(kSelectRecordsMessage);
        table.setFocus();
        return;
    }
    const int reported = reportedRow(table);
    m_values->removeRowsAt(rows);
    table.clearSelection();
    if (reported - 1 >= 0 && reported - 1 < m_values->count())
        Mark_List_New_Selection_Value(reported - 1);
    Update_Value_List_Count();
}

void BatchWizard::openMaker(const SeriesMaker& maker, const QString& window, int required, int insert)
{
    if (!maker) {
        Show_Not_Available_Yet(window);
        return;
    }
    maker(required, insert);
}

void BatchWizard::Import_Btn_Clicked()
{
    m_view->lower();
    openMaker(importWizard, QStringLiteral("The series import wizard"), 1, 1);
    m_view->raise();
}

void BatchWizard::CreateSeries_Btn_Clicked()
{
    openMaker(generator, QStringLiteral("The series generator"), 1, 1);
}

int BatchWizard::Load_Num_Info()
{
    switch (Show_YES_NO_Cancel_MessageBox(kLoadValuesQuestion)) {
    case 1000:
        return 1;
    case 1001:
        return 0;
    default:
        return 2;
    }
}

void BatchWizard::valuesIntoEditedSeries(const SeriesMaker& maker, const QString& window)
{
    if (m_values->count() > 0) {
        const int answer = Load_Num_Info();
        if (answer == 1) {
            m_values->clear();
            Update_Value_List_Count();
        } else if (answer != 0) {
            return;
        }
    }
    openMaker(maker, window, 0, 1);
}

void BatchWizard::Import_Value_Btn_Clicked() { valuesIntoEditedSeries(importWizard, QStringLiteral("The series import wizard")); }

void BatchWizard::Series_Value_Btn_Clicked() { valuesIntoEditedSeries(generator, QStringLiteral("The series generator")); }

void BatchWizard::doubleClickInTable(QTableView& table)
{
    const QList<int> rows = selectedRows(table);
    if (rows.isEmpty())
        return;
    if (rows.size() > 1) {
        Show_MessageBox(kSelectOneRecordMessage);
        return;
    }
    if (&table == m_view->ui().List)
        On_Update();
    else
        OnGetSelected();
}

void BatchWizard::OnGetSelected()
{
    const int row = reportedRow(*m_view->ui().List_value);
    if (m_values->count() == 0 || row < 0)
        return;
    Update_Ex_Num panel(m_view.get());
    if (panel.Open_Wnd(row, Get_Value_Text(row)) != 1 || panel.editedValue().isNull())
        return;
    m_values->replace(row, panel.editedValue());
}

QString BatchWizard::Export_list_method_2()
{
    QFileDialog panel(m_view.get(), QStringLiteral("Export Values"));
    panel.setAcceptMode(QFileDialog::AcceptSave);
    panel.setNameFilters({QStringLiteral("*.xlsx"), QStringLiteral("*.txt")});
    panel.setDirectory(QDir::homePath());
    auto* chooser = new AccessoryViewController_XL_TXT(&panel);
    chooser->attachTo(panel);
    panel.selectFile(SeriesStore::cleanName(m_view->ui().batch_list_name->text()) + QStringLiteral(".xlsx"));
    chooser->showFormat(0);
    const int answer = dialogPresenter().runModal(panel);
    m_view->raise();
    const QString chosen = panel.selectedFiles().value(0);
    if (answer != QDialog::Accepted || chosen.isEmpty())
        return {};
    // The format shown is the one written, whatever extension the typed name has.
    return chooser->pathInShownFormat(chosen);
}

void BatchWizard::Export_Value_Btn_Clicked()
{
    if (m_values->count() == 0) {
        Show_MessageBox(kListEmptyMessage);
        m_view->ui().List_value->setFocus();
        return;
    }
    const QString chosen = Export_list_method_2();
    if (chosen.isEmpty())
        return;
    QString error;
    const QString written =
        PleaseWaitSheet::around([&] { return SeriesStore().exportValues(chosen, m_values->texts(), &error); });
    if (written.isEmpty()) {
        Show_NSLog_Message(error);
        Show_MessageBox(kFileAccessErrorMessage);
        return;
    }
    m_view->raise();
    Export_File_Message = kRecordExportedMessage;
    Export_File_Path = written;
    check_any_card_exported = 1;
    Open_Export_Log::defaultInstance().Open_Export_File_Box();
}

void BatchWizard::Back_Btn_Clicked()
{
    Show_hide_Last_screen(true);
    Show_hide_first_screen(false);
}

void BatchWizard::Close_Btn_Clicked() { m_view->done(0); }

void BatchWizard::Help_Btn_Clicked() { Open_Help_File(); }

void BatchWizard::Show_hide_first_screen(bool hide)
{
    Ui::BatchWizardView& ui = m_view->ui();
    ui.screens->setCurrentWidget(hide ? ui.list_value_box : ui.avl_list_box);
    if (!hide)
        m_updateListName.clear();
}

void BatchWizard::Show_hide_Last_screen(bool hide)
{
    Ui::BatchWizardView& ui = m_view->ui();
    ui.screens->setCurrentWidget(hide ? ui.avl_list_box : ui.list_value_box);
    if (hide)
        m_updateListName.clear();
}

void BatchWizard::Update_batch_List_Count()
{
    m_view->ui().batch_list_count->setText(QStringLiteral("Total List : %1").arg(m_seriesNames->count()));
}

void BatchWizard::Update_Value_List_Count()
{
    m_view->ui().batch_value_count->setText(QStringLiteral("Total Rows : %1").arg(m_values->count()));
}

void BatchWizard::Mark_List_New_Selection(int row) { markRow(*m_view->ui().List, row); }

void BatchWizard::Mark_List_New_Selection_Value(int row) { markRow(*m_view->ui().List_value, row); }

bool BatchWizard::inUse(const QString& name) const { return seriesInUse && seriesInUse(name); }

int BatchWizard::reportedRow(QTableView& table)
{
    const QItemSelectionModel* selection = table.selectionModel();
    if (selection->isRowSelected(table.currentIndex().row(), {}))
        return table.currentIndex().row();
    const QList<int> rows = selectedRows(table);
    return rows.isEmpty() ? -1 : rows.first();
}

QList<int> BatchWizard::selectedRows(QTableView& table)
{
    QList<int> rows;
    for (const QModelIndex& index : table.selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void BatchWizard::markRow(QTableView& table, int row)
{
    const QModelIndex cell = table.model()->index(row, 0);
    if (!cell.isValid())
        return;
    table.selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table.scrollTo(cell);
    table.setFocus();
}
