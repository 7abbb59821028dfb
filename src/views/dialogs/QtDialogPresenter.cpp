#include "views/dialogs/QtDialogPresenter.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>

#include "platform/GuiThread.h"
#include "views/dialogs/WholeTitles.h"

namespace {

// A window made or run off the GUI thread gets no events there: its buttons do nothing.
void assertGuiThread([[maybe_unused]] const QObject* window = nullptr)
{
    Q_ASSERT_X(GuiThread::isCurrent() && (!window || window->thread() == QCoreApplication::instance()->thread()),
               "QtDialogPresenter", "dialogs and panels are made and run on the GUI thread");
}

}  // namespace

int QtDialogPresenter::runModal(QDialog& dialog)
{
    assertGuiThread(&dialog);
    keepTitleWhole(dialog);
    return dialog.exec();
}

QString QtDialogPresenter::openFile(const FilePanelRequest& request)
{
    assertGuiThread();
    return QFileDialog::getOpenFileName(request.parent, request.caption, request.directory,
                                        request.filter);
}

QStringList QtDialogPresenter::openFiles(const FilePanelRequest& request)
{
    assertGuiThread();
    return QFileDialog::getOpenFileNames(request.parent, request.caption, request.directory,
                                         request.filter);
}

QString QtDialogPresenter::saveFile(const FilePanelRequest& request)
{
    assertGuiThread();
    // A directory ending in a file name has the panel offer that name.
    const QString start = request.proposedName.isEmpty() ? request.directory
                          : request.directory.isEmpty()  ? request.proposedName
                                                         : QDir(request.directory).filePath(request.proposedName);
    return QFileDialog::getSaveFileName(request.parent, request.caption, start, request.filter);
}

QString QtDialogPresenter::chooseFolder(const FilePanelRequest& request)
{
    assertGuiThread();
    return QFileDialog::getExistingDirectory(request.parent, request.caption, request.directory);
}
