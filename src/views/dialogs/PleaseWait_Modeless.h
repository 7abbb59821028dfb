#pragma once
// A small panel shown while a long step (opening a design, for one) runs on the GUI thread.
#include <QDialog>

class QLabel;

class PleaseWait_Modeless : public QDialog {
    Q_OBJECT
public:
    explicit PleaseWait_Modeless(QWidget* parent = nullptr);

    static PleaseWait_Modeless& defaultInstance();

    // Shows the panel over the active window and paints it at once: the caller blocks the event
    // loop right after.
    void showPanel();
    void hidePanel();

    QLabel* message_label = nullptr;
};

// The please-wait panel shown for as long as this lives and hidden however the work ends, a
// failure included. Sheets inside one another show the one panel until the outermost ends.
class PleaseWaitSheet {
public:
    PleaseWaitSheet();
    ~PleaseWaitSheet();
    PleaseWaitSheet(const PleaseWaitSheet&) = delete;
    PleaseWaitSheet& operator=(const PleaseWaitSheet&) = delete;

    // The work's result, the sheet shown while it runs.
    template <class Work>
    static auto around(Work&& work)
    {
        const PleaseWaitSheet waiting;
        return work();
    }

private:
    static inline int s_open = 0;  // GUI thread only
};
