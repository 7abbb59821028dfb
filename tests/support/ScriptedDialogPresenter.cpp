#include "support/ScriptedDialogPresenter.h"

#include <QDialog>

// Runs on the GUI thread only, as the real presenter does.
int ScriptedDialogPresenter::runModal(QDialog& dialog)
{
    dialog.setResult(0);  // as QDialog::exec starts
    if (!hooks_.empty()) {
        const Hook hook = std::move(hooks_.front());
        hooks_.pop_front();
        hook(dialog);
    }
    return dialog.result();
}

QString ScriptedDialogPresenter::openFile(const FilePanelRequest&)
{
    if (openFiles_.empty())
        return {};
    QString path = openFiles_.front();
    openFiles_.pop_front();
    return path;
}
