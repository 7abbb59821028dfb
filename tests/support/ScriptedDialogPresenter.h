#pragma once
// A dialog presenter for tests, installed for its lifetime: the next queued hook works each modal
// dialog (presses its buttons, ticks its boxes) and the run answers the result the hook left.
// File panels answer the queued paths, then as cancelled. A dialog or panel shown off the GUI
// thread, or a dialog made on a worker, fails the running test.
#include <deque>
#include <functional>
#include <QStringList>
#include "platform/DialogPresenter.h"

class ScriptedDialogPresenter : public DialogPresenter {
public:
    using Hook = std::function<void(QDialog&)>;
    ScriptedDialogPresenter() { setDialogPresenter(this); }
    ~ScriptedDialogPresenter() override { setDialogPresenter(previous_); }
    void queueHook(Hook hook) { hooks_.push_back(std::move(hook)); }
    void queueOpenFile(const QString& path) { openFiles_.push_back(path); }
    void queueSaveFile(const QString& path) { saveFiles_.push_back(path); }
    void queueFolder(const QString& path) { folders_.push_back(path); }
    // Drops the hooks no dialog took.
    void clearHooks() { hooks_.clear(); }
    // The names the save panels offered, in order.
    QStringList offeredNames;
    // The filters the open panels offered, in order.
    QStringList offeredFilters;

    int runModal(QDialog& dialog) override;
    QString openFile(const FilePanelRequest&) override;
    QStringList openFiles(const FilePanelRequest&) override { return {}; }
    QString saveFile(const FilePanelRequest&) override;
    QString chooseFolder(const FilePanelRequest&) override;

private:
    DialogPresenter* previous_ = &dialogPresenter();
    std::deque<Hook> hooks_;
    std::deque<QString> openFiles_;
    std::deque<QString> saveFiles_;
    std::deque<QString> folders_;
};
