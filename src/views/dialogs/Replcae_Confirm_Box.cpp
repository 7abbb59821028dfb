#include "views/dialogs/Replcae_Confirm_Box.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/DialogPresenter.h"
#include "platform/FreeFileName.h"
#include "platform/GuiThread.h"
#include "views/dialogs/SharedDialogs.h"

Replcae_Confirm_Box::Replcae_Confirm_Box(QWidget* parent)
    : QDialog(parent)
{
    applySharedDialogBackground(*this);
    _Msg_Title = makeDialogTitleLabel(this);
    _Msg_Val = makeDialogMessageLabel(this);
    path_control = new QLineEdit(this);
    path_control->setReadOnly(true);
    apply_chk = new QCheckBox(tr("Apply to All"), this);
    keep_button = new QPushButton(tr("Keep Both"), this);
    replace_button = new QPushButton(tr("Replace"), this);
    cancel_button = new QPushButton(tr("Cancel"), this);
    keep_button->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(apply_chk);
    buttons->addStretch();
    buttons->addWidget(cancel_button);
    buttons->addWidget(replace_button);
    buttons->addWidget(keep_button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(_Msg_Title);
    layout->addWidget(_Msg_Val, 1);
    layout->addWidget(path_control);
    layout->addLayout(buttons);

    connect(keep_button, &QPushButton::clicked, this, &Replcae_Confirm_Box::Keep_Pressed);
    connect(replace_button, &QPushButton::clicked, this, &Replcae_Confirm_Box::Replace_Pressed);
    connect(cancel_button, &QPushButton::clicked, this, &Replcae_Confirm_Box::CancelPressed);
}

Replcae_Confirm_Box& Replcae_Confirm_Box::defaultInstance()
{
    return sharedDialogInstance<Replcae_Confirm_Box>();
}

void Replcae_Confirm_Box::Open_box_in_thread()
{
    GuiThread::runBlocking([this] { Open_Replace_Dialog(); });
}

int Replcae_Confirm_Box::Open_Replace_Dialog()
{
    _Msg_Title->setText(title_val);
    setWindowTitle(title_val);
    _Msg_Val->setText(msg_val_str);
    path_control->setText(file_path_str);
    path_control->setVisible(false);
    apply_chk->setVisible(apply_chk_show);
    apply_chk->setChecked(Msg_Apply_All_Chk == 1);
    const int code = dialogPresenter().runModal(*this);
    hide();
    return code;
}

void Replcae_Confirm_Box::Keep_Pressed()
{
    replace_keep_file_flag = apply_chk->isChecked() ? ReplaceKeep::KeepAll : ReplaceKeep::Keep;
    done(1);
}

void Replcae_Confirm_Box::Replace_Pressed()
{
    replace_keep_file_flag = apply_chk->isChecked() ? ReplaceKeep::ReplaceAll : ReplaceKeep::Replace;
    done(0);
}

void Replcae_Confirm_Box::CancelPressed()
{
    reject();
}

void Replcae_Confirm_Box::reject()
{
    replace_keep_file_flag = apply_chk->isChecked() ? ReplaceKeep::CancelAll : ReplaceKeep::Cancel;
    Stop_SMS_Sending_Now = 1;
    QDialog::reject();
}

namespace {

int askAbout(const QString& path, const QString& title, const QString& text, bool applyToAll)
{
    // The box's fields are the GUI thread's too: all of it goes there in one hop.
    int answer = ReplaceKeep::Cancel;
    GuiThread::runBlocking([&] {
        Replcae_Confirm_Box& box = Replcae_Confirm_Box::defaultInstance();
        box.title_val = title;
        box.msg_val_str = text;
        box.apply_chk_show = applyToAll;
        box.file_path_str = path;
        box.Open_Replace_Dialog();
        answer = replace_keep_file_flag;
    });
    return answer;
}

}  // namespace

int askKeepOrReplace(const QString& path, const QString& title, const QString& text)
{
    return askAbout(path, title, text, true);
}

QString Check_And_Show_Keep_Replace_File_Msg(const QString& path, bool show_apply_all)
{
    if (!cardFileExists(path) || replace_keep_file_flag == ReplaceKeep::ReplaceAll)
        return path;
    if (replace_keep_file_flag == ReplaceKeep::KeepAll)
        return Check_Exist_Path_and_Create_New(path);
    const QString text = QFileInfo(path).fileName() +
                         QStringLiteral("\n\nFile already exists in this location.\n\nDo you want to Keep or Replace it?");
    switch (askAbout(path, QStringLiteral("File already exists :"), text, show_apply_all)) {
    case ReplaceKeep::Keep:
    case ReplaceKeep::KeepAll:
        return Check_Exist_Path_and_Create_New(path);
    case ReplaceKeep::Replace:
    case ReplaceKeep::ReplaceAll:
        return path;
    default:
        Stop_SMS_Sending_Now = 1;
        return QString();
    }
}
