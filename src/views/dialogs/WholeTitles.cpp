#include "views/dialogs/WholeTitles.h"

#include <QDialog>
#include <QEvent>
#include <QLayout>
#include <QMessageBox>
#include <QStyle>
#include <algorithm>

int widthForTitle(const QWidget& window)
{
    QFont titleFont = window.font();
    titleFont.setBold(true);
    // The icon, the three buttons and the bar's padding each take about a title bar's height.
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return QFontMetrics(titleFont).horizontalAdvance(window.windowTitle()) + 5 * titleBar;
}

void keepTitleWhole(QWidget& window)
{
    const int needed = widthForTitle(window);
    if (window.minimumWidth() == window.maximumWidth() && window.minimumWidth() > 0) {
        if (window.maximumWidth() < needed)
            window.setFixedWidth(needed);
        return;
    }
    // A minimum width set here takes the place of the layout's own, which must stay in force or
    // the widgets would be squeezed over each other: the larger of the two.
    const int laidOut = window.layout() ? window.layout()->totalMinimumSize().width() : 0;
    const int least = std::max(needed, laidOut);
    if (window.minimumWidth() < least)
        window.setMinimumWidth(least);
}

bool WholeTitles::eventFilter(QObject* watched, QEvent* event)
{
    // A message box sizes itself after this, in its own show event: the presenter makes it room.
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() && !qobject_cast<QMessageBox*>(dialog))
            keepTitleWhole(*dialog);
    }
    return QObject::eventFilter(watched, event);
}
