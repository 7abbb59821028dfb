#include "views/dialogs/Long_SMS_Dlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/DialogPresenter.h"
#include "views/dialogs/SharedDialogs.h"

Long_SMS_Dlg::Long_SMS_Dlg(QWidget* parent)
    : QDialog(parent)
{
    applySharedDialogBackground(*this);
    _Msg_Title = makeDialogTitleLabel(this);
    _Msg_Val = makeDialogMessageLabel(this);
    _Msg_Val->setTextInteractionFlags(Qt::TextSelectableByMouse);
    apply_chk = new QCheckBox(tr("Apply to all"), this);
    yes_button = new QPushButton(QStringLiteral("OK"), this);
    yes_button->setDefault(true);
    no_button = new QPushButton(tr("Cancel"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(apply_chk);
    buttons->addStretch();
    buttons->addWidget(no_button);
    buttons->addWidget(yes_button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(_Msg_Title);
    layout->addWidget(_Msg_Val, 1);
    layout->addLayout(buttons);

    connect(yes_button, &QPushButton::clicked, this, &Long_SMS_Dlg::OKPressed);
    connect(no_button, &QPushButton::clicked, this, &Long_SMS_Dlg::CancelPressed);
}

Long_SMS_Dlg& Long_SMS_Dlg::defaultInstance()
{
    return sharedDialogInstance<Long_SMS_Dlg>();
}

int Long_SMS_Dlg::Open_Long_sms_Dialog()
{
    _Msg_Title->setText(Cutom_Msg_Title);
    setWindowTitle(Cutom_Msg_Title);
    _Msg_Val->setText(Cutom_Msg_Val);
    no_button->setVisible(false);
    yes_button->setText(QStringLiteral("OK"));
    apply_chk->setVisible(false);
    const int response = dialogPresenter().runModal(*this);
    hide();
    return response;
}

void Open_Help_Box(const QString& title, const QString& text)
{
    Cutom_Msg_Title = title;
    Cutom_Msg_Val = text;
    Long_SMS_Dlg::defaultInstance().Open_Long_sms_Dialog();
}

void Long_SMS_Dlg::OKPressed()
{
    finishWith(1);
}

void Long_SMS_Dlg::CancelPressed()
{
    finishWith(0);
}

void Long_SMS_Dlg::finishWith(int response)
{
    Msg_Apply_All_Chk = apply_chk->isChecked() ? 1 : 0;
    modl_response = response;
    done(response);
}
