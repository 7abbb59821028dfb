#include "platform/MessagePresenter.h"

#include <atomic>

namespace {

// Where no window system is in use (probes, tools, the model's own tests) a box has nowhere to go.
class UnshownMessages : public MessagePresenter {
public:
    int present(const MessageBoxRequest&) override { return -1; }
    void beep() override {}
};

std::atomic<MessagePresenter*> installedPresenter{nullptr};

}  // namespace

MessagePresenter& messagePresenter()
{
    static UnshownMessages unshown;
    MessagePresenter* presenter = installedPresenter.load();
    return presenter != nullptr ? *presenter : unshown;
}

void setMessagePresenter(MessagePresenter* presenter)
{
    installedPresenter.store(presenter);
}
