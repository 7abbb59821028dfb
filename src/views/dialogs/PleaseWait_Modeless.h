#pragma once
// A small panel shown while a long step (opening a design, for one) runs on the GUI thread.
#include <QDialog>

class QLabel;

class PleaseWait_Modeless : public QDialog {
    Q_OBJECT
public:
    explicit PleaseWait_Modeless(QWidget* parent = nullptr);

    static PleaseWait_Modeless& defaultInstance();

    // Shows the panel and paints it at once: the caller blocks the event loop right after.
    void showPanel();
    void hidePanel();

    QLabel* message_label = nullptr;
};
