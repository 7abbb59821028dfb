#pragma once
// Windows kept on their screen. A window placed for its first size may grow later, when another
// page of it is shown or a preview appears in it; the window manager keeps its top-left corner,
// so its buttons could end below or beside the screen. The application installs one on itself.
#include <QObject>

class QWidget;

// Moves the window, frame and all, back onto its screen's free area where it reaches past it:
// up and left as far as needed, never past the area's top-left corner.
void keepOnScreen(QWidget& window);

// Keeps every window on its screen as it is shown and as it grows.
class OnScreenWindows : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
