#include "views/wizards/Insert_Template.h"

#include <QDialogButtonBox>
#include <QPushButton>

#include "platform/DialogPresenter.h"
#include "ui_Insert_Template.h"

QString Template_Msg_Val;

Insert_Template::Insert_Template(const QString& title_or_msg, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Insert_Template>())
{
    ui->setupUi(this);
    const bool titles = title_or_msg == QLatin1String("T");
    ui->template_prompt->setText(titles ? tr("Pick a title for the text:") : tr("Pick a message for the text:"));
    ui->template_list->addItems(titles ? templateTitles() : templateMessages());
    connect(ui->template_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->template_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui->template_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    // OK means nothing until a text is picked.
    QPushButton* ok = ui->template_buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    connect(ui->template_list, &QListWidget::currentRowChanged, ok, [ok](int row) { ok->setEnabled(row >= 0); });
}

Insert_Template::~Insert_Template() = default;

QStringList Insert_Template::templateTitles()
{
    return {tr("Employee"), tr("Staff"),     tr("Student"),     tr("Teacher"),  tr("Visitor"),
            tr("Guest"),    tr("Contractor"), tr("Volunteer"),  tr("Member"),   tr("Press"),
            tr("Security"), tr("Delegate"),   tr("Speaker"),    tr("Exhibitor"), tr("Event Staff")};
}

QStringList Insert_Template::templateMessages()
{
    return {tr("If found, please return this card to the address on the back."),
            tr("This card remains the property of the issuer."),
            tr("Please wear this card where it can be seen at all times."),
            tr("This card is not transferable."),
            tr("Valid only with a photo identification."),
            tr("Please return this card when you leave."),
            tr("Report a lost card at once.")};
}

int Insert_Template::Open_Template_Dialog()
{
    if (dialogPresenter().runModal(*this) != QDialog::Accepted || ui->template_list->currentItem() == nullptr)
        return 0;
    Template_Msg_Val = ui->template_list->currentItem()->text();
    return 1;
}
