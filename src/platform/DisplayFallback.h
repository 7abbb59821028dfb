#pragma once
// Command-line tools (the test-support programs, build tools) draw off screen when no display can
// be reached, instead of aborting: with no platform chosen, Qt tries the desktop's and then
// "offscreen". Call before the application object is made.
#include <QtGlobal>

inline void Fall_Back_To_Offscreen_Without_Display()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland;offscreen");
}
