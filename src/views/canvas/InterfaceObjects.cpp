#include "views/canvas/InterfaceObjects.h"
#include <QApplication>
#include <QPalette>
#include <QWidget>

void SetObjEnabled(QObject* object, bool flag)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr)
        return;
    widget->setEnabled(flag);

    // Exact class names: subclasses only get enabled or disabled.
    const QLatin1String className(object->metaObject()->className());
    if (className == QLatin1String("QLabel") || className == QLatin1String("QLineEdit")) {
        const QPalette::ColorGroup group = flag ? QPalette::Active : QPalette::Disabled;
        const QPalette standard = QApplication::palette(widget);
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Text, standard.color(group, QPalette::Text));
        palette.setColor(QPalette::WindowText, standard.color(group, QPalette::WindowText));
        widget->setPalette(palette);
    } else if (className == QLatin1String("QGroupBox")) {
        for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            SetObjEnabled(child, flag);
    }
}
