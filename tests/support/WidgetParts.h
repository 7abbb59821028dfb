#pragma once
// A widget of a window found by its object name in the window's layout (a .ui file's names), for
// tests that drive a window as a person would.
#include <QLatin1String>
#include <QObject>
#include <stdexcept>
#include <string>

template <class Widget>
Widget& part(const QObject& window, const char* name)
{
    Widget* found = window.findChild<Widget*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no widget ") + name);
    return *found;
}
