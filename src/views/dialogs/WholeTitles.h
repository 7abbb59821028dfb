#pragma once
// Window titles the window manager can show whole. Openbox and most others draw a dialog's title
// in bold beside the window's icon and three buttons, and cut it to "ZO…rd" when the dialog is
// narrower; Qt's message box leaves only 50 pixels beside the title's text for all of that.
#include <QObject>

class QWidget;

// The width a window needs for its title bar to show the title whole.
int widthForTitle(const QWidget& window);
// Widens the window (a fixed-width one too) to that width when it is narrower, never below what
// its layout needs.
void keepTitleWhole(QWidget& window);

// Widens every dialog to its title as it is shown; the application installs one on itself.
class WholeTitles : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
