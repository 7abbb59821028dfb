#include "views/dialogs/QtDialogPresenter.h"

#include <QDialog>
#include <QFileDialog>

int QtDialogPresenter::runModal(QDialog& dialog)
{
    return dialog.exec();
}

QString QtDialogPresenter::openFile(const FilePanelRequest& request)
{
    return QFileDialog::getOpenFileName(request.parent, request.caption, request.directory,
                                        request.filter);
}

QStringList QtDialogPresenter::openFiles(const FilePanelRequest& request)
{
    return QFileDialog::getOpenFileNames(request.parent, request.caption, request.directory,
                                         request.filter);
}

QString QtDialogPresenter::saveFile(const FilePanelRequest& request)
{
    return QFileDialog::getSaveFileName(request.parent, request.caption, request.directory,
                                        request.filter);
}

QString QtDialogPresenter::chooseFolder(const FilePanelRequest& request)
{
    return QFileDialog::getExistingDirectory(request.parent, request.caption, request.directory);
}
