#include "views/dialogs/OnScreenWindows.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>

void keepOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // With the frame the window manager put round it.
    const QRect frame = window.frameGeometry();
    int dx = std::min(0, area.right() - frame.right());
    int dy = std::min(0, area.bottom() - frame.bottom());
    dx = std::max(dx, area.left() - frame.left());
    dy = std::max(dy, area.top() - frame.top());
    if (dx != 0 || dy != 0)
        window.move(window.pos() + QPoint(dx, dy));
}

namespace {

constexpr int kSecondLookMs = 250;

}  // namespace

bool OnScreenWindows::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
        auto* window = qobject_cast<QWidget*>(watched);
        // A hidden window is placed when it is shown; a menu or tooltip places itself.
        if (window && window->isWindow() && window->isVisible()
            && !(window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip)) {
            keepOnScreen(*window);
            // Once more when the window manager has answered: its answer to the resize may put
            // the window back where it stood before the move.
            QTimer::singleShot(kSecondLookMs, window, [window] { keepOnScreen(*window); });
        }
    }
    return QObject::eventFilter(watched, event);
}
