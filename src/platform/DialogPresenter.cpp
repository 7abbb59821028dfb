#include "platform/DialogPresenter.h"

#include <atomic>

namespace {

// Where no window system is in use, every dialog and file panel is cancelled.
class CancelledDialogs : public DialogPresenter {
public:
    int runModal(QDialog&) override { return 0; }
    QString openFile(const FilePanelRequest&) override { return {}; }
    QStringList openFiles(const FilePanelRequest&) override { return {}; }
    QString saveFile(const FilePanelRequest&) override { return {}; }
    QString chooseFolder(const FilePanelRequest&) override { return {}; }
};

std::atomic<DialogPresenter*> installedPresenter{nullptr};

}  // namespace

DialogPresenter& dialogPresenter()
{
    static CancelledDialogs cancelled;
    DialogPresenter* presenter = installedPresenter.load();
    return presenter != nullptr ? *presenter : cancelled;
}

void setDialogPresenter(DialogPresenter* presenter)
{
    installedPresenter.store(presenter);
}
