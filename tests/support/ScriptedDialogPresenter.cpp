#include "support/ScriptedDialogPresenter.h"

#include <QDialog>

#include "support/OnGuiThread.h"

// Runs on the GUI thread only, as the real presenter does.
int ScriptedDialogPresenter::runModal(QDialog& dialog)
{
    expectOnGuiThread("a dialog", &dialog);
    dialog.setResult(0);  // as QDialog::exec starts
    if (!hooks_.empty()) {
        const Hook hook = std::move(hooks_.front());
        hooks_.pop_front();
        hook(dialog);
    }
    return dialog.result();
}

namespace {

QString takeFirst(std::deque<QString>& paths)
{
    if (paths.empty())
        return {};
    QString path = paths.front();
    paths.pop_front();
    return path;
}

}  // namespace

QString ScriptedDialogPresenter::openFile(const FilePanelRequest& request)
{
    expectOnGuiThread("a file panel");
    offeredFilters.append(request.filter);
    return takeFirst(openFiles_);
}

QString ScriptedDialogPresenter::saveFile(const FilePanelRequest& request)
{
    expectOnGuiThread("a file panel");
    offeredNames.append(request.proposedName);
    return takeFirst(saveFiles_);
}

QString ScriptedDialogPresenter::chooseFolder(const FilePanelRequest&)
{
    expectOnGuiThread("a file panel");
    return takeFirst(folders_);
}
