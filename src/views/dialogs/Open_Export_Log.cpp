#include "views/dialogs/Open_Export_Log.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "views/dialogs/SharedDialogs.h"

Open_Export_Log::Open_Export_Log(QWidget* parent)
    : QDialog(parent)
    , openPath([](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); })
{
    applySharedDialogBackground(*this);
    setWindowTitle(tr("Export"));
    _open_log_message = new QLabel(this);
    _open_log_message->setWordWrap(true);
    _open_log_details = new QPlainTextEdit(this);
    _open_log_details->setReadOnly(true);
    _open_log_details->setMinimumSize(460, 120);
    _open_log_details->hide();
    _open_log_path = new QLineEdit(this);
    _open_log_path->setReadOnly(true);
    _open_log_path->setMinimumWidth(380);
    _open_log_chk = new QCheckBox(this);
    _open_log_chk->setChecked(true);
    ok_button = new QPushButton(QStringLiteral("OK"), this);
    ok_button->setDefault(true);
    cancel_button = new QPushButton(tr("Cancel"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(_open_log_chk);
    buttons->addStretch();
    buttons->addWidget(cancel_button);
    buttons->addWidget(ok_button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(_open_log_message);
    layout->addWidget(_open_log_details);
    layout->addWidget(_open_log_path);
    layout->addLayout(buttons);

    connect(ok_button, &QPushButton::clicked, this, &Open_Export_Log::OKPressed);
    connect(cancel_button, &QPushButton::clicked, this, &Open_Export_Log::CancelPressed);
}

Open_Export_Log& Open_Export_Log::defaultInstance()
{
    return sharedDialogInstance<Open_Export_Log>();
}

void Open_Export_Log::Open_Export_File_Box(const QStringList& details, const QString& fileChoice)
{
    if (check_any_card_exported == 0)
        return;
    _open_log_chk->setText(QFileInfo(Export_File_Path).isDir() ? QStringLiteral("Open containing folder.") : fileChoice);
    _open_log_chk->setFocus();
    _open_log_path->setText(Export_File_Path);
    _open_log_message->setText(Export_File_Message);
    _open_log_details->setPlainText(details.join(u'\n'));
    _open_log_details->setVisible(!details.isEmpty());
    dialogPresenter().runModal(*this);
    hide();
}

void Open_Export_Log::Show_Closing_Box(const QString& path, const QString& message, const QStringList& details,
                                       int filesWritten, const QString& fileChoice)
{
    check_any_card_exported = filesWritten > 0 ? 1 : 0;
    if (filesWritten == 0) {
        if (!details.isEmpty())
            Show_Report_Box(message, details);
        return;
    }
    Export_File_Path = path;
    Export_File_Message = message;
    defaultInstance().Open_Export_File_Box(details, fileChoice);
}

void Open_Export_Log::OKPressed()
{
    if (_open_log_chk->isChecked()) {
        openPath(Export_File_Path);
        if (QFileInfo(Export_Back_File_Path).isFile())
            openPath(Export_Back_File_Path);
    }
    resetForNextTime();
    done(1);
}

void Open_Export_Log::CancelPressed()
{
    resetForNextTime();
    done(0);
}

void Open_Export_Log::reject()
{
    CancelPressed();
}

void Open_Export_Log::resetForNextTime()
{
    _open_log_chk->setChecked(true);
    Export_Back_File_Path.clear();
}
