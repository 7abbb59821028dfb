#include "support/ScriptedDialogPresenter.h"

#include <QDialog>

namespace {
template <typename T>
T takeOr(QList<T>& queue, T fallback)
{
    return queue.isEmpty() ? fallback : queue.takeFirst();
}
}  // namespace

int ScriptedDialogPresenter::runModal(QDialog& dialog)
{
    modalTitles.append(dialog.windowTitle());
    if (fillDialog)
        fillDialog(dialog);
    const int result = takeOr(modalResults, 0);
    dialog.setResult(result);
    return result;
}

QString ScriptedDialogPresenter::openFile(const FilePanelRequest& request)
{
    panelRequests.append({Panel::OpenFile, request});
    return takeOr(paths, QString());
}

QStringList ScriptedDialogPresenter::openFiles(const FilePanelRequest& request)
{
    panelRequests.append({Panel::OpenFiles, request});
    return takeOr(pathLists, QStringList());
}

QString ScriptedDialogPresenter::saveFile(const FilePanelRequest& request)
{
    panelRequests.append({Panel::SaveFile, request});
    return takeOr(paths, QString());
}

QString ScriptedDialogPresenter::chooseFolder(const FilePanelRequest& request)
{
    panelRequests.append({Panel::ChooseFolder, request});
    return takeOr(paths, QString());
}
