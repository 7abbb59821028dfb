#pragma once
// The window of a profile dialog: closing it or pressing Escape runs the dialog's own Cancel, which
// does more than close (the spreadsheet state, a restore); the Cancel then ends the run itself.
#include <QDialog>
#include <functional>

class ProfileDialogWindow : public QDialog {
public:
    explicit ProfileDialogWindow(QWidget* parent = nullptr) : QDialog(parent) {}
    void setCancel(std::function<void()> cancel) { m_cancel = std::move(cancel); }
    void reject() override
    {
        if (m_cancel)
            m_cancel();
        else
            QDialog::reject();
    }

private:
    std::function<void()> m_cancel;
};
