#pragma once
// A dialog presenter for tests: records every request and answers from queues that the test fills.
// An empty queue answers "cancelled": 0 for modal windows, an empty path or list for file panels.
// runModal also sets its answer as the dialog's result.
#include "platform/DialogPresenter.h"

#include <QList>

#include <functional>

class ScriptedDialogPresenter : public DialogPresenter {
public:
    enum class Panel { OpenFile, OpenFiles, SaveFile, ChooseFolder };
    struct PanelRequest {
        Panel panel;
        FilePanelRequest request;
    };

    int runModal(QDialog& dialog) override;
    QString openFile(const FilePanelRequest& request) override;
    QStringList openFiles(const FilePanelRequest& request) override;
    QString saveFile(const FilePanelRequest& request) override;
    QString chooseFolder(const FilePanelRequest& request) override;

    // Answers, taken from the front.
    QList<int> modalResults;
    QList<QString> paths;             // openFile, saveFile and chooseFolder
    QList<QStringList> pathLists;     // openFiles
    // Runs on each modal dialog before it is answered, so a test can fill in its fields.
    std::function<void(QDialog&)> fillDialog;

    // What was asked.
    QList<QString> modalTitles;       // window titles of the dialogs run
    QList<PanelRequest> panelRequests;
};

// Installs a presenter for the scope of a test and restores the Qt one afterwards.
class ScopedDialogPresenter {
public:
    explicit ScopedDialogPresenter(DialogPresenter* presenter) { setDialogPresenter(presenter); }
    ~ScopedDialogPresenter() { setDialogPresenter(nullptr); }
    ScopedDialogPresenter(const ScopedDialogPresenter&) = delete;
    ScopedDialogPresenter& operator=(const ScopedDialogPresenter&) = delete;
};
