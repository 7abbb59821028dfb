#pragma once
// The balloon an inspector field shows under itself to say what it refused or left out; a click
// anywhere or a change of focus hides it.
#include <QPoint>
#include <QString>
#include <QToolTip>
#include <QWidget>

inline void showFieldBalloon(QWidget& field, const QString& message)
{
    QToolTip::showText(field.mapToGlobal(QPoint(0, field.height())), message, &field);
}
