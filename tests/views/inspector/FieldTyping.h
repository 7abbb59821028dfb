#pragma once
// Typing into a number field as a user does, and reading the balloon a refusal shows.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

// Selects the field's text and types over it.
inline void typeInto(QAbstractSpinBox& field, const QString& text)
{
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClicks(&field, text);
}

// The balloon the field shows, if any; dismissed for the next case as a click anywhere does.
inline QString balloon()
{
    QCoreApplication::processEvents();
    const QString shown = QToolTip::isVisible() ? QToolTip::text() : QString();
    QWidget elsewhere;
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(), QPointF(), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&elsewhere, &click);
    return shown;
}
