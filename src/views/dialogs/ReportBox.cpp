#include "views/dialogs/ReportBox.h"

#include <QClipboard>
#include <QGuiApplication>

#include "ui_ReportBox.h"
#include "views/dialogs/SharedDialogs.h"

ReportBox::ReportBox(QWidget* parent) : QDialog(parent), ui(new Ui::ReportBox)
{
    ui->setupUi(this);
    applySharedDialogBackground(*this);
    setWindowTitle(QGuiApplication::applicationDisplayName());
    connect(ui->ok_button, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->copy_button, &QPushButton::clicked, this, &ReportBox::copyList);
}

ReportBox::~ReportBox()
{
    delete ui;
}

void ReportBox::setReport(const QString& message, const QStringList& lines)
{
    ui->message->setText(message.trimmed());
    ui->list->setPlainText(lines.join(u'\n'));
    ui->list->setVisible(!lines.isEmpty());
    ui->copy_button->setVisible(!lines.isEmpty());
}

QString ReportBox::listText() const
{
    return ui->list->toPlainText();
}

void ReportBox::copyList() const
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(listText());
}
