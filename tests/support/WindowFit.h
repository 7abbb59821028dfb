#pragma once
// Whether a window as shown fits: not narrower than its layout needs, no laid-out widget drawn
// over another, and its frame on its screen. For the window-fit tests, run on X servers of a
// small and a large screen.
#include <QLayout>
#include <QScreen>
#include <QStringList>
#include <QWidget>

inline bool laidOutBy(const QLayout& layout, QWidget* widget)
{
    for (int i = 0; i < layout.count(); ++i) {
        QLayoutItem* item = layout.itemAt(i);
        if (item->widget() == widget || (item->layout() && laidOutBy(*item->layout(), widget)))
            return true;
    }
    return false;
}

// What is wrong with the window as shown: narrower than its layout, laid-out siblings drawn over
// each other, or off the screen.
inline QStringList windowFaults(QWidget& window)
{
    QStringList found;
    if (window.layout() && window.width() < window.layout()->totalMinimumSize().width())
        found << QStringLiteral("%1 px wide, its layout needs %2").arg(window.width()).arg(window.layout()->totalMinimumSize().width());
    QList<QWidget*> parents = window.findChildren<QWidget*>();
    parents.prepend(&window);
    for (QWidget* parent : parents) {
        if (!parent->layout() || !parent->isVisible())
            continue;
        QList<QWidget*> laid;
        for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible() && !child->isWindow() && laidOutBy(*parent->layout(), child))
                laid << child;
        }
        for (int i = 0; i < laid.size(); ++i)
            for (int j = i + 1; j < laid.size(); ++j)
                if (laid[i]->geometry().intersects(laid[j]->geometry()))
                    found << laid[i]->objectName() + QStringLiteral(" over ") + laid[j]->objectName();
    }
    const QRect screen = window.screen()->availableGeometry();
    if (!screen.contains(window.frameGeometry())) {
        const QRect frame = window.frameGeometry();
        found << QStringLiteral("%1 x %2 at (%3, %4), off the %5 x %6 screen")
                     .arg(frame.width())
                     .arg(frame.height())
                     .arg(frame.x())
                     .arg(frame.y())
                     .arg(screen.width())
                     .arg(screen.height());
    }
    return found;
}
