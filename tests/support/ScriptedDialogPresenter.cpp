#include "support/ScriptedDialogPresenter.h"

#include <QDialog>
#include <QMutexLocker>

void ScriptedDialogPresenter::queueModalAnswers(std::initializer_list<int> answers)
{
    QMutexLocker lock(&mutex_);
    modalAnswers_.insert(modalAnswers_.end(), answers);
}

void ScriptedDialogPresenter::queueHook(Hook hook)
{
    QMutexLocker lock(&mutex_);
    hooks_.push_back(std::move(hook));
}

void ScriptedDialogPresenter::setHook(Hook hook)
{
    QMutexLocker lock(&mutex_);
    standingHook_ = std::move(hook);
}

void ScriptedDialogPresenter::queuePathAnswers(std::initializer_list<QString> answers)
{
    QMutexLocker lock(&mutex_);
    pathAnswers_.insert(pathAnswers_.end(), answers);
}

void ScriptedDialogPresenter::queuePathListAnswer(const QStringList& answer)
{
    QMutexLocker lock(&mutex_);
    pathListAnswers_.push_back(answer);
}

int ScriptedDialogPresenter::runModal(QDialog& dialog)
{
    Hook hook;
    {
        QMutexLocker lock(&mutex_);
        modalRecords_.append(ModalRecord{QString::fromLatin1(dialog.metaObject()->className()),
                                         dialog.windowTitle()});
        if (!hooks_.empty()) {
            hook = std::move(hooks_.front());
            hooks_.pop_front();
        } else {
            hook = standingHook_;
        }
    }
    dialog.setResult(0);  // as QDialog::exec starts
    if (hook)
        hook(dialog);  // unlocked: the hook may open further dialogs
    QMutexLocker lock(&mutex_);
    if (modalAnswers_.empty())
        return dialog.result();
    const int answer = modalAnswers_.front();
    modalAnswers_.pop_front();
    return answer;
}

QString ScriptedDialogPresenter::nextPath(const FilePanelRequest& request)
{
    QMutexLocker lock(&mutex_);
    panelRequests_.append(request);
    if (pathAnswers_.empty())
        return {};
    QString answer = pathAnswers_.front();
    pathAnswers_.pop_front();
    return answer;
}

QString ScriptedDialogPresenter::openFile(const FilePanelRequest& request)
{
    return nextPath(request);
}

QStringList ScriptedDialogPresenter::openFiles(const FilePanelRequest& request)
{
    QMutexLocker lock(&mutex_);
    panelRequests_.append(request);
    if (pathListAnswers_.empty())
        return {};
    QStringList answer = pathListAnswers_.front();
    pathListAnswers_.pop_front();
    return answer;
}

QString ScriptedDialogPresenter::saveFile(const FilePanelRequest& request)
{
    return nextPath(request);
}

QString ScriptedDialogPresenter::chooseFolder(const FilePanelRequest& request)
{
    return nextPath(request);
}

QList<ScriptedDialogPresenter::ModalRecord> ScriptedDialogPresenter::modalRecords() const
{
    QMutexLocker lock(&mutex_);
    return modalRecords_;
}

QList<FilePanelRequest> ScriptedDialogPresenter::panelRequests() const
{
    QMutexLocker lock(&mutex_);
    return panelRequests_;
}

ScopedDialogPresenter::ScopedDialogPresenter(DialogPresenter& presenter)
    : previous_(&dialogPresenter())
{
    setDialogPresenter(&presenter);
}

ScopedDialogPresenter::~ScopedDialogPresenter()
{
    setDialogPresenter(previous_);
}
