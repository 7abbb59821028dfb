#pragma once
// The seam through which every modal window and file panel runs, so tests can answer them. The
// application installs the Qt presenter; until one is installed, every dialog and panel is
// cancelled.
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

struct FilePanelRequest {
    QWidget* parent = nullptr;
    QString caption;
    QString directory;
    QString filter;  // Qt name filter, "Design (*.did);;All (*)"
    QString proposedName;  // the name a save panel offers, in directory
};

class DialogPresenter {
public:
    virtual ~DialogPresenter() = default;
    // Runs the dialog modally and returns its result code (QDialog::Accepted is 1, Rejected 0).
    virtual int runModal(QDialog& dialog) = 0;
    // File panels answer an empty string (or list) when cancelled.
    virtual QString openFile(const FilePanelRequest& request) = 0;
    virtual QStringList openFiles(const FilePanelRequest& request) = 0;
    virtual QString saveFile(const FilePanelRequest& request) = 0;
    virtual QString chooseFolder(const FilePanelRequest& request) = 0;
};

DialogPresenter& dialogPresenter();
// Installs a presenter (not owned); nullptr restores the one that cancels everything.
void setDialogPresenter(DialogPresenter* presenter);
