#pragma once
// Message boxes as QMessageBox, the presenter the application installs at start.
#include "platform/MessagePresenter.h"

class QtMessagePresenter : public MessagePresenter {
public:
    int present(const MessageBoxRequest& request) override;
    void beep() override;
};
