#pragma once
// Reaching the controls of the series windows by their object names, as laid out in the .ui files.
#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

template <class Widget>
Widget& named(QWidget& window, const char* name)
{
    Widget* found = window.findChild<Widget*>(QLatin1String(name));
    if (!found)
        ADD_FAILURE() << "no control " << name;
    return *found;
}
