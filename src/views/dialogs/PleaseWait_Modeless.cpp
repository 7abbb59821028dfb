#include "views/dialogs/PleaseWait_Modeless.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "views/dialogs/SharedDialogs.h"

PleaseWait_Modeless::PleaseWait_Modeless(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    applySharedDialogBackground(*this);
    message_label = new QLabel(QStringLiteral("It may take a while, Please wait.."), this);
    message_label->setAlignment(Qt::AlignCenter);
    auto* busy = new QProgressBar(this);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(message_label);
    layout->addWidget(busy);
}

PleaseWait_Modeless& PleaseWait_Modeless::defaultInstance()
{
    return sharedDialogInstance<PleaseWait_Modeless>();
}

void PleaseWait_Modeless::showPanel()
{
    if (const QWidget* window = QApplication::activeWindow(); window && window != this) {
        adjustSize();
        move(window->frameGeometry().center() - rect().center());
    }
    show();
    raise();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void PleaseWait_Modeless::hidePanel()
{
    hide();
}

PleaseWaitSheet::PleaseWaitSheet()
{
    if (s_open++ == 0)
        PleaseWait_Modeless::defaultInstance().showPanel();
}

PleaseWaitSheet::~PleaseWaitSheet()
{
    if (--s_open == 0)
        PleaseWait_Modeless::defaultInstance().hidePanel();
}
