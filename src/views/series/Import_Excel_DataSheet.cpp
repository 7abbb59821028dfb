#include "views/series/Import_Excel_DataSheet.h"

#include <QCheckBox>
#include <QMessageBox>

#include "data/SeriesFiles.h"
#include "data/SpreadsheetWriter.h"
#include "platform/DialogPresenter.h"
#include "platform/FreeFileName.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"
#include "views/dialogs/Replcae_Confirm_Box.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/series/BatchWizard.h"
#include "views/series/SeriesDestination.h"
#include "views/series/SeriesWindowStyle.h"
#include "views/series/SheetWindowCore.h"
#include "ui_Import_Excel_DataSheet.h"

namespace {

// The numbered name "keep both" gives files, counted over the series whatever their case.
QString freeSeriesName(const SeriesStore& store, const QString& name)
{
    return nextFreeNumberedName(name, [&](const QString& free) { return store.exists(free); });
}

// The in-use alert with its "Apply to All" box; true when the box was ticked.
bool showInUseAlert(const QString& name)
{
    QMessageBox alert(QMessageBox::Warning, QString(),
                      QStringLiteral("Series is in use\n\n%1\n\nBatch processing Series is already in use.").arg(name),
                      QMessageBox::Ok);
    auto* applyToAll = new QCheckBox(QStringLiteral("Apply to All"), &alert);
    alert.setCheckBox(applyToAll);
    dialogPresenter().runModal(alert);
    return applyToAll->isChecked();
}

// The values of the ticked columns of rows from first on, row by row; empty cells stay.
QStringList cellsOf(const SheetRows& rows, int first, const QList<int>& positions)
{
    QStringList lines;
    for (qsizetype r = first; r < rows.size(); ++r) {
        for (const int position : positions)
            lines.append(Trim_Str(rows.at(r).value(position)));
    }
    return lines;
}

// "1 series was imported.\n\n2 series were not imported:"
QString columnImportMessage(int imported, int notImported)
{
    const auto said = [](int count, const char* what) {
        return QStringLiteral("%1 series %2 %3").arg(count).arg(count == 1 ? "was" : "were", QLatin1String(what));
    };
    return said(imported, "imported.") + QStringLiteral("\n\n") + said(notImported, "not imported:");
}

}  // namespace

Import_Excel_DataSheet::Import_Excel_DataSheet(SeriesWindowLinks links, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Import_Excel_DataSheet>()), _links(std::move(links))
{
    ui->setupUi(this);
    styleSeriesWindow(*this);
    _core = std::make_unique<SheetWindowCore>(
        *this, SheetWindowWidgets{ui->file_path, ui->contains_header, ui->Sheet_ComboBox, ui->ColList,
                                  ui->Select_ALL_btn, ui->Clear_All_btn});
    connect(ui->Each_col_RD, &QRadioButton::clicked, this, &Import_Excel_DataSheet::Each_Col_RD_Click);
    connect(ui->Fill_col_RD, &QRadioButton::clicked, this, &Import_Excel_DataSheet::Fill_Col_RD_Click);
    connect(ui->fill_new_RD, &QRadioButton::clicked, this, [this] { Fill_Type_CellClick(NewSeries); });
    connect(ui->fill_replace_RD, &QRadioButton::clicked, this, [this] { Fill_Type_CellClick(ReplaceSeries); });
    connect(ui->fill_append_RD, &QRadioButton::clicked, this, [this] { Fill_Type_CellClick(AppendToSeries); });
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &Import_Excel_DataSheet::OKPressed);
    connect(ui->buttons, &QDialogButtonBox::rejected, this, &Import_Excel_DataSheet::CancelPressed);
}

Import_Excel_DataSheet::~Import_Excel_DataSheet() = default;

SheetColumnList& Import_Excel_DataSheet::columns()
{
    return _core->columns();
}

int Import_Excel_DataSheet::Open_excel_datasheet_Wnd(const QString& path)
{
    return Load_file_Func(path) ? dialogPresenter().runModal(*this) : 0;
}

bool Import_Excel_DataSheet::Load_file_Func(const QString& path)
{
    Msg_Apply_All_Chk = 0;
    ui->fill_new_RD->setChecked(true);
    Fill_Type_CellClick(NewSeries);
    ui->Each_col_RD->setChecked(true);
    ui->Fill_col_RD->setChecked(false);
    ui->fill_box->setEnabled(false);
    ui->List_ComboBox->clear();
    ui->list_name->clear();
    if (!_core->open(path))
        return false;
    ui->List_ComboBox->addItems(Get_datasheet_File_Name_Array());
    return true;
}

void Import_Excel_DataSheet::sheetChosen(int index)
{
    ui->Sheet_ComboBox->setCurrentIndex(index);
    _core->sheetChosen(index);
}

void Import_Excel_DataSheet::Each_Col_RD_Click()
{
    ui->Each_col_RD->setChecked(true);
    ui->fill_box->setEnabled(false);
    ui->ColList->showColumn(SheetColumnList::Header);
}

void Import_Excel_DataSheet::Fill_Col_RD_Click()
{
    ui->Fill_col_RD->setChecked(true);
    ui->fill_box->setEnabled(true);
    ui->ColList->hideColumn(SheetColumnList::Header);
}

void Import_Excel_DataSheet::Fill_Type_CellClick(int kind)
{
    fill_col_option = kind;
    ui->list_name->setVisible(kind == NewSeries);
    ui->List_ComboBox->setVisible(kind != NewSeries);
}

void Import_Excel_DataSheet::OKPressed()
{
    if (!_core->ticksHold())
        return;
    if (ui->Each_col_RD->isChecked()) {
        Create_file_For_Col_Func();
        done(1);
        return;
    }
    if (fill_col_option != NewSeries && Trim_Str(ui->List_ComboBox->currentText()).isEmpty()) {
        Show_MessageBox(kSelectListNameMessage);
        return;
    }
    if (fill_col_option == NewSeries && Trim_Str(ui->list_name->text()).isEmpty()) {
        Show_MessageBox(kEnterListNameMessage);
        return;
    }
    if (Insert_file_Func())
        done(1);
}

void Import_Excel_DataSheet::CancelPressed()
{
    done(0);
}

QString Import_Excel_DataSheet::targetForColumn(const QString& name, bool& askInUse, bool& askKeepReplace,
                                                QString* whyNot)
{
    const SeriesStore store;
    if (!store.exists(name))
        return name;
    if (_links.seriesInUse(name)) {
        if (askInUse && showInUseAlert(name))
            askInUse = false;
        *whyNot = QStringLiteral("the design is bound to it, so it was not replaced.");
        return {};
    }
    if (askKeepReplace) {
        Replcae_Confirm_Box& question = Replcae_Confirm_Box::defaultInstance();
        question.title_val = QStringLiteral("File already exists");
        question.msg_val_str =
            QStringLiteral("%1\n\nFile already exists in this location.\n\nDo you want to Keep or Replace it?").arg(name);
        question.apply_chk_show = true;
        question.file_path_str = store.series_path(name);
        Msg_Apply_All_Chk = 0;
        replace_keep_file_flag = ReplaceKeep::Cancel;
        question.Open_Replace_Dialog();
        const int answer = replace_keep_file_flag;
        if (answer == ReplaceKeep::KeepAll || answer == ReplaceKeep::ReplaceAll || answer == ReplaceKeep::CancelAll)
            askKeepReplace = false;
    }
    switch (int(replace_keep_file_flag)) {
    case ReplaceKeep::Keep:
    case ReplaceKeep::KeepAll:
        return freeSeriesName(store, name);
    case ReplaceKeep::Replace:
    case ReplaceKeep::ReplaceAll:
        return name;
    default:
        *whyNot = QStringLiteral("it was left as it was, as answered.");
        return {};
    }
}

void Import_Excel_DataSheet::Create_file_For_Col_Func()
{
    // The sheet first: a sheet without rows replaces nothing.
    const SheetRows rows = _core->readRows();
    if (rows.size() <= _core->firstDataRow()) {
        Show_MessageBox(kNoDataInSheetMessage);
        return;
    }
    bool askInUse = true;
    bool askKeepReplace = true;
    int imported = 0;
    QStringList notImported;  // "name: why", in column order
    for (const int position : columns().tickedPositions()) {
        const QString name = SeriesStore::cleanName(columns().seriesName(position));
        if (!SeriesStore::isUsableName(name)) {
            notImported << QStringLiteral("Column %1: its series name is empty.").arg(position + 1);
            continue;
        }
        QString whyNot;
        const QString target = targetForColumn(name, askInUse, askKeepReplace, &whyNot);
        if (target.isEmpty())
            notImported << QStringLiteral("%1: %2").arg(name, whyNot);
        else if (saveSeries(SeriesStore(), target, cellsOf(rows, _core->firstDataRow(), {position})))
            ++imported;
        else
            notImported << QStringLiteral("%1: it could not be written.").arg(target);
    }
    if (file_name_Insert == 1)
        _links.refreshManager();
    // Every series left alone is named, also when an earlier "Apply to All" silenced its question.
    if (!notImported.isEmpty())
        Show_Report_Box(columnImportMessage(imported, int(notImported.size())), notImported);
}

bool Import_Excel_DataSheet::Insert_file_Func()
{
    const QString chosen = fill_col_option == NewSeries ? ui->list_name->text() : ui->List_ComboBox->currentText();
    const QString name = usableSeriesName(chosen);
    if (name.isEmpty())
        return false;
    const SeriesStore store;
    const bool exists = store.exists(name);
    if (exists && _links.seriesInUse(name)) {
        Show_MessageBox(kSeriesCreateInUseMessage);
        return false;
    }
    if (fill_col_option == NewSeries && exists && Show_YES_NO_MessageBox(kReplaceSeriesQuestion) != 1)
        return false;
    const SheetRows rows = _core->readRows();
    if (rows.size() <= _core->firstDataRow()) {
        // Nothing to write: the old series stays as it was.
        Show_MessageBox(kNoDataInSheetMessage);
        return true;
    }
    QString tooLarge;
    if (!SpreadsheetWriter::fillFits(rows.size(), columns().tickedPositions().size(), &tooLarge)) {
        Show_MessageBox(tooLarge);
        return false;
    }
    const QStringList lines = cellsOf(rows, _core->firstDataRow(), columns().tickedPositions());
    if (!saveSeries(store, name, lines, fill_col_option == AppendToSeries)) {
        Show_MessageBox(kFileAccessErrorMessage);
        return false;
    }
    if (file_name_Insert == 1)
        _links.refreshManager();
    return true;
}
