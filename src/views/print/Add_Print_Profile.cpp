#include "views/print/Add_Print_Profile.h"

#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"
#include "ui_Add_Print_Profile.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/inspector/PrintInfo.h"
#include "views/print/PrinterCatalog.h"

Add_Print_Profile::Add_Print_Profile(QWidget* parent) : QDialog(parent), ui(new Ui::Add_Print_Profile)
{
    ui->setupUi(this);
    applySharedDialogBackground(*this);
    connect(ui->OKButton, &QPushButton::clicked, this, &Add_Print_Profile::OKPressed);
    connect(ui->CancelButton, &QPushButton::clicked, this, &Add_Print_Profile::CancelPressed);
}

Add_Print_Profile::~Add_Print_Profile()
{
    delete ui;
}

std::optional<ProfileNameAnswer> Add_Print_Profile::Open_Profile_Wnd(const QString& name, const QString& printer)
{
    const bool adding = name.isEmpty() && printer.isEmpty();
    ui->Printer_ComboBox->clear();
    ui->Printer_ComboBox->addItems(printerCatalog().printerNames());
    ui->Printer_ComboBox->setCurrentIndex(0);
    if (!adding && ui->Printer_ComboBox->findText(printer) >= 0)
        ui->Printer_ComboBox->setCurrentText(printer);
    ui->Profile_name->setText(name);
    ui->pass_profile_name->setText(name);
    ui->Profile_name->setFocus();
    if (dialogPresenter().runModal(*this) != QDialog::Accepted)
        return std::nullopt;
    return m_answer;
}

void Add_Print_Profile::OKPressed()
{
    const QString printer = Trim_Str(ui->Printer_ComboBox->currentText());
    if (const std::optional<QString> refusal = profileNameRefusal(printer, ui->Profile_name->text())) {
        Show_MessageBox(*refusal);
        return;
    }
    QPageLayout page = printInfo();
    if (!printerCatalog().runPageSetup(printer, page, this))
        return;
    setPrintInfo(page);
    m_answer = {printer, cleanProfileName(ui->Profile_name->text())};
    accept();
}

void Add_Print_Profile::CancelPressed()
{
    ui->Profile_name->clear();
    reject();
}
