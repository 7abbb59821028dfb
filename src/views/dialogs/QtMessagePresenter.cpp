#include "views/dialogs/QtMessagePresenter.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "platform/GuiThread.h"
#include "views/dialogs/ReportBox.h"
#include "views/dialogs/WholeTitles.h"

namespace {

// Roles let Qt place the buttons as the desktop expects and find the Escape button.
QMessageBox::ButtonRole roleForTitle(const QString& title)
{
    if (title == QLatin1String("OK") || title == QLatin1String("Yes"))
        return QMessageBox::AcceptRole;
    if (title == QLatin1String("No"))
        return QMessageBox::NoRole;
    if (title == QLatin1String("Cancel"))
        return QMessageBox::RejectRole;
    return QMessageBox::ActionRole;
}

// QMessageBox fixes its width from its layout in its own show event, when the window already
// exists: a row as wide as the title bar needs gives the window that width from its first map.
void makeRoomForTitle(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(widthForTitle(box), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

bool widgetsUsableHere()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr && GuiThread::isCurrent();
}

}  // namespace

int QtMessagePresenter::present(const MessageBoxRequest& request)
{
    if (!widgetsUsableHere() || request.buttons.isEmpty())
        return -1;
    if (!request.details.isEmpty()) {
        ReportBox box;
        box.setReport(request.text, request.details);
        keepTitleWhole(box);
        box.exec();
        return 0;
    }

    QMessageBox box;
    // Window managers and task bars show the box by its title.
    box.setWindowTitle(request.title.isEmpty() ? QGuiApplication::applicationDisplayName() : request.title);
    box.setText(request.text);
    box.setInformativeText(request.informativeText);
    std::vector<QPushButton*> buttons;
    for (const QString& title : request.buttons)
        buttons.push_back(box.addButton(title, roleForTitle(title)));
    if (request.defaultButton >= 0 && request.defaultButton < int(buttons.size()))
        box.setDefaultButton(buttons[size_t(request.defaultButton)]);
    makeRoomForTitle(box);
    box.exec();

    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i] == box.clickedButton())
            return int(i);
    }
    return -1;
}

void QtMessagePresenter::beep()
{
    if (widgetsUsableHere())
        QApplication::beep();
}
