#pragma once
// Command-line tools (the test-support programs, build tools) draw off screen when no display can
// be reached, instead of aborting: with no platform chosen, no display named means "offscreen",
// and a named one that cannot be reached makes Qt go on from the desktop's platforms to
// "offscreen". Call before the application object is made.
#include <QtGlobal>

inline void Fall_Back_To_Offscreen_Without_Display()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    const bool displayNamed = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    qputenv("QT_QPA_PLATFORM", displayNamed ? "xcb;wayland;offscreen" : "offscreen");
}
