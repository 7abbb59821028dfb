#include "mainwindow/dialogs/DialogPresenter.h"

#include <QDialog>
#include <QFileDialog>

#include <atomic>

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

namespace {
std::atomic<DialogPresenter*> installedPresenter{nullptr};
}

DialogPresenter& dialogPresenter()
{
    static QtDialogPresenter qtPresenter;
    DialogPresenter* presenter = installedPresenter.load();
    return presenter ? *presenter : qtPresenter;
}

void setDialogPresenter(DialogPresenter* presenter)
{
    installedPresenter = presenter;
}
