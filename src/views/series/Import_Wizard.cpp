#include "views/series/Import_Wizard.h"

#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include "data/SeriesPictureFolder.h"
#include "data/SeriesTextImport.h"
#include "data/SpreadsheetWriter.h"
#include "platform/AppContext.h"
#include "platform/DialogPresenter.h"
#include "platform/FileHelpers.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"
#include "views/dialogs/PleaseWait_Modeless.h"
#include "views/series/Import_Excel.h"
#include "views/series/Import_Excel_DataSheet.h"
#include "views/series/SeriesDestination.h"
#include "views/series/SeriesWindowStyle.h"
#include "ui_Import_Wizard.h"

namespace {

// No text file a series comes from is near this size; a larger one is refused unread.
constexpr qint64 kMaxTextFileBytes = 256LL * 1024 * 1024;

// Why the file is no source of a series before it is read; empty when it may be one.
QString refusalBeforeReading(const QFileInfo& info)
{
    if (!info.isFile() || info.size() == 0)
        return kSelectValidFileMessage;
    if (info.size() > kMaxTextFileBytes)
        return kSelectValidFileMessage
            + QStringLiteral("\n\nThe file is larger than %1 MB, the largest text file a series is made from.").arg(kMaxTextFileBytes >> 20);
    return {};
}

}  // namespace

Import_Wizard::Import_Wizard(SeriesWindowLinks links, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Import_Wizard>()), _links(std::move(links))
{
    ui->setupUi(this);
    styleSeriesWindow(*this);
    connect(ui->Excel_RD, &QRadioButton::clicked, this, &Import_Wizard::Excel_RD_Pressed);
    connect(ui->Text_RD, &QRadioButton::clicked, this, &Import_Wizard::Text_RD_Pressed);
    connect(ui->Mnul_RD, &QRadioButton::clicked, this, &Import_Wizard::Manual_RD_Pressed);
    connect(ui->Image_RD, &QRadioButton::clicked, this, &Import_Wizard::Image_RD_Pressed);
    connect(ui->Excel_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Excel_Pressed);
    connect(ui->Text_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Text_Pressed);
    connect(ui->Image_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Image_Pressed);
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &Import_Wizard::OKPressed);
    connect(ui->buttons, &QDialogButtonBox::rejected, this, &Import_Wizard::CancelPressed);
    connect(ui->buttons, &QDialogButtonBox::helpRequested, this, [] { Open_Help_File(); });
}

Import_Wizard::~Import_Wizard() = default;

Import_Excel& Import_Wizard::spreadsheetWindow()
{
    if (!_spreadsheetWindow)
        _spreadsheetWindow = std::make_unique<Import_Excel>(_links, this);
    return *_spreadsheetWindow;
}

Import_Excel_DataSheet& Import_Wizard::sheetColumnsWindow()
{
    if (!_sheetColumnsWindow)
        _sheetColumnsWindow = std::make_unique<Import_Excel_DataSheet>(_links, this);
    return *_sheetColumnsWindow;
}

int Import_Wizard::Open_Wnd()
{
    Check_Path_And_Create_Files();
    for (QLineEdit* field : {ui->Excel_path, ui->Text_path, ui->Image_path, ui->Text_file_name,
                             ui->Manual_file_name, ui->Image_file_name})
        field->clear();
    ui->ManualEdit->clear();
    const bool named = flags.file_name_required == 1;
    for (QWidget* widget : std::initializer_list<QWidget*>{ui->Text_file_name, ui->Manual_file_name, ui->Image_file_name,
                                                          ui->Text_name_label, ui->Manual_name_label, ui->Image_name_label})
        widget->setVisible(named);
    selectOption(Workbook);
    return dialogPresenter().runModal(*this);
}

void Import_Wizard::Excel_RD_Pressed()
{
    selectOption(Workbook);
}

void Import_Wizard::Text_RD_Pressed()
{
    selectOption(TextFile);
}

void Import_Wizard::Manual_RD_Pressed()
{
    selectOption(TypedLines);
}

void Import_Wizard::Image_RD_Pressed()
{
    selectOption(PictureFolder);
}

void Import_Wizard::selectOption(int option)
{
    import_option = option;
    ui->Excel_RD->setChecked(option == Workbook);
    ui->Text_RD->setChecked(option == TextFile);
    ui->Mnul_RD->setChecked(option == TypedLines);
    ui->Image_RD->setChecked(option == PictureFolder);
    for (QWidget* widget : std::initializer_list<QWidget*>{ui->Excel_btn, ui->Excel_path})
        widget->setEnabled(option == Workbook);
    for (QWidget* widget : std::initializer_list<QWidget*>{ui->Text_btn, ui->Text_path, ui->Text_file_name})
        widget->setEnabled(option == TextFile);
    ui->ManualEdit->setReadOnly(option != TypedLines);
    ui->ManualEdit->setEnabled(option == TypedLines);
    ui->Manual_file_name->setEnabled(option == TypedLines);
    for (QWidget* widget : std::initializer_list<QWidget*>{ui->Image_btn, ui->Image_path, ui->Image_file_name})
        widget->setEnabled(option == PictureFolder);
    QLineEdit* name = option == TextFile     ? ui->Text_file_name
                      : option == TypedLines ? ui->Manual_file_name
                      : option == PictureFolder ? ui->Image_file_name
                                                : nullptr;
    if (name && Trim_Str(name->text()).isEmpty())
        name->setText(default_file_name);
}

void Import_Wizard::Browse_Excel_Pressed()
{
    const QString path = dialogPresenter().openFile({this, tr("Choose a Workbook"), QString(), tr("Workbooks (*.xlsx *.XLSX)")});
    if (path.isEmpty())
        return;
    ui->Excel_path->setText(path);
    OKPressed();
}

void Import_Wizard::Browse_Text_Pressed()
{
    const QString path = dialogPresenter().openFile(
        {this, tr("Choose a Text File"), QString(), tr("Text files (*.txt *.TXT *.rtf *.RTF *.csv *.CSV)")});
    if (path.isEmpty())
        return;
    ui->Text_path->setText(path);
    OKPressed();
}

void Import_Wizard::Browse_Image_Pressed()
{
    const QString path = dialogPresenter().chooseFolder({this, tr("Choose a Picture Folder"), QString(), QString()});
    if (path.isEmpty())
        return;
    ui->Image_path->setText(path);
    OKPressed();
}

void Import_Wizard::OKPressed()
{
    bool imported = false;
    switch (import_option) {
    case Workbook:
        imported = !_links.pathProblem(ui->Excel_path->text()) && importWorkbook(Trim_Str(ui->Excel_path->text()));
        break;
    case TextFile:
        imported = !_links.pathProblem(ui->Text_path->text())
                   && Create_And_Save_Text_Data_Sheet(Trim_Str(ui->Text_path->text()));
        break;
    case TypedLines:
        imported = Create_And_Save_Manual_Paste_data_Sheet();
        break;
    case PictureFolder:
        imported = !_links.pathProblem(ui->Image_path->text())
                   && Create_And_Save_Image_data_Sheet(Trim_Str(ui->Image_path->text()));
        break;
    }
    if (imported)
        done(1);
}

void Import_Wizard::CancelPressed()
{
    done(0);
}

bool Import_Wizard::importWorkbook(const QString& path)
{
    // A file that is no workbook is said at once, and the wizard stays for another choice.
    if (flags.file_name_required != 1) {
        Import_Excel& window = spreadsheetWindow();
        window.open_mode = QStringLiteral("D");
        if (!window.Load_file_Func(path))
            return false;
        dialogPresenter().runModal(window);
        return true;
    }
    Import_Excel_DataSheet& window = sheetColumnsWindow();
    window.file_name_Insert = flags.file_name_Insert;
    if (!window.Load_file_Func(path))
        return false;
    hide();
    dialogPresenter().runModal(window);
    return true;
}

bool Import_Wizard::saveValues(const QString& typedName, const QStringList& values)
{
    SeriesDestination destination(_links, flags);
    if (!destination.prepare(typedName))
        return false;
    const PleaseWaitSheet writing;
    for (const QString& value : values)
        destination.add(value);
    return destination.finish();
}

bool Import_Wizard::Create_And_Save_Text_Data_Sheet(const QString& path)
{
    const bool named = flags.file_name_required == 1;
    if (named && usableSeriesName(ui->Text_file_name->text()).isEmpty())
        return false;
    SeriesTextImport::FileValues read;
    QString refusal;
    {
        const PleaseWaitSheet reading;
        QFile file(path);
        const QFileInfo info(path);
        refusal = refusalBeforeReading(info);
        if (refusal.isEmpty() && !file.open(QIODevice::ReadOnly))
            refusal = kSelectValidFileMessage;
        if (refusal.isEmpty())
            read = SeriesTextImport::valuesOfFile(file, info.suffix());
    }
    if (!refusal.isEmpty()) {
        Show_MessageBox(refusal);
        return false;
    }
    if (!read.ok || read.values.isEmpty()) {
        Show_MessageBox(read.failure.isEmpty() ? SeriesTextImport::kUnreadableTextMessage : read.failure);
        return false;
    }
    return saveValues(ui->Text_file_name->text(), read.values);
}

bool Import_Wizard::Create_And_Save_Manual_Paste_data_Sheet()
{
    const bool named = flags.file_name_required == 1;
    if (named && usableSeriesName(ui->Manual_file_name->text()).isEmpty())
        return false;
    const QString text = ui->ManualEdit->toPlainText();
    if (Trim_Str(text).isEmpty()) {
        Show_MessageBox(kEnterSomeDataMessage);
        return false;
    }
    return saveValues(ui->Manual_file_name->text(), SeriesTextImport::typedLines(Trim_Str(text)));
}

bool Import_Wizard::Create_And_Save_Image_data_Sheet(const QString& folder)
{
    const bool named = flags.file_name_required == 1;
    if (named && usableSeriesName(ui->Image_file_name->text()).isEmpty())
        return false;
    // The folder is read before any series is touched: without pictures the old series stays.
    const QStringList pictures = PleaseWaitSheet::around([&folder] { return scanPictureFolder(folder); });
    if (pictures.isEmpty()) {
        Show_MessageBox(kNoPictureInFolderMessage);
        return false;
    }
    return saveValues(ui->Image_file_name->text(), pictures);
}
