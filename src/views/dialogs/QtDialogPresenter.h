#pragma once
// Dialogs run modally and the Qt file panels, the presenter the application installs at start.
#include "platform/DialogPresenter.h"

class QtDialogPresenter : public DialogPresenter {
public:
    int runModal(QDialog& dialog) override;
    QString openFile(const FilePanelRequest& request) override;
    QStringList openFiles(const FilePanelRequest& request) override;
    QString saveFile(const FilePanelRequest& request) override;
    QString chooseFolder(const FilePanelRequest& request) override;
};
