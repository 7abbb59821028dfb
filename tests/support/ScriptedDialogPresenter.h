#pragma once
// A dialog presenter for tests: records every modal run and file panel, and answers them from
// queues. A hook may work the dialog (press its buttons, tick its boxes) before the answer.
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <initializer_list>
#include "platform/DialogPresenter.h"

class ScriptedDialogPresenter : public DialogPresenter {
public:
    struct ModalRecord {
        QString className;  // the dialog's meta-object class name
        QString windowTitle;
    };
    using Hook = std::function<void(QDialog&)>;

    // runModal answers the next queued code; with the queue empty it answers the result the
    // hook left (a button that called done()), else 0 as a dialog closed unanswered.
    void queueModalAnswers(std::initializer_list<int> answers);
    // Hooks run one per modal run in the order queued; the last one set with setHook runs
    // when the queue of hooks is empty.
    void queueHook(Hook hook);
    void setHook(Hook hook);
    // Answers for openFile, saveFile and chooseFolder, in order; "" once the queue is empty.
    void queuePathAnswers(std::initializer_list<QString> answers);
    // Answers for openFiles; an empty list once the queue is empty.
    void queuePathListAnswer(const QStringList& answer);

    int runModal(QDialog& dialog) override;
    QString openFile(const FilePanelRequest& request) override;
    QStringList openFiles(const FilePanelRequest& request) override;
    QString saveFile(const FilePanelRequest& request) override;
    QString chooseFolder(const FilePanelRequest& request) override;

    QList<ModalRecord> modalRecords() const;
    QList<FilePanelRequest> panelRequests() const;

private:
    QString nextPath(const FilePanelRequest& request);

    mutable QMutex mutex_;
    std::deque<int> modalAnswers_;
    std::deque<Hook> hooks_;
    Hook standingHook_;
    std::deque<QString> pathAnswers_;
    std::deque<QStringList> pathListAnswers_;
    QList<ModalRecord> modalRecords_;
    QList<FilePanelRequest> panelRequests_;
};

// Installs a dialog presenter for the lifetime of the object, then restores the one before it.
class ScopedDialogPresenter {
public:
    explicit ScopedDialogPresenter(DialogPresenter& presenter);
    ~ScopedDialogPresenter();
    ScopedDialogPresenter(const ScopedDialogPresenter&) = delete;
    ScopedDialogPresenter& operator=(const ScopedDialogPresenter&) = delete;

private:
    DialogPresenter* previous_;
};
