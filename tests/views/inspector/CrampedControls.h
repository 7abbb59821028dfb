#pragma once
// Labels and buttons shown on a page narrower than their text asks for show it cut off.
#include <QAbstractButton>
#include <QLabel>
#include <QStringList>
#include <QWidget>

inline QStringList crampedControls(const QWidget& page)
{
    QStringList cramped;
    for (const QWidget* control : page.findChildren<QWidget*>()) {
        if (!control->isVisible() || !(qobject_cast<const QLabel*>(control) || qobject_cast<const QAbstractButton*>(control)))
            continue;
        if (control->width() < control->minimumSizeHint().width())
            cramped << control->objectName();
    }
    return cramped;
}
