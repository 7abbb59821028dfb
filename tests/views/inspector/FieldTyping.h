#pragma once
// Typing into a number field as a user does, and reading the balloon a refusal shows.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

#include "views/inspector/InspectorView.h"

// Selects the field's text and types over it.
inline void typeInto(QAbstractSpinBox& field, const QString& text)
{
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClicks(&field, text);
}

// Types over the field and presses Enter, which commits it.
inline void typeAndEnter(QAbstractSpinBox& field, const QString& text)
{
    typeInto(field, text);
    QTest::keyClick(&field, Qt::Key_Return);
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

// Brings the inspector's page holding the field to the front, gives the field the focus, types
// over it and presses Enter; the balloon shown.
inline QString enterOnPage(InspectorView& view, QAbstractSpinBox& field, const QString& text)
{
    for (QWidget* page = &field; page != nullptr; page = page->parentWidget()) {
        if (view.showPage(page->objectName()))
            break;
    }
    field.setFocus();
    typeAndEnter(field, text);
    return balloon();
}
