#pragma once
// The start road of a new project: the start chooser, then the window that does the chosen work.
class SKTWindowController;

// Runs the chooser until a start succeeds; an answer whose work is cancelled or fails brings the
// chooser back once. False when the user cancelled the chooser: the caller then quits the
// application (a quit requested before the event loop runs would be lost).
bool Open_Start_Window(SKTWindowController& controller);

// The group-mode reload after a group project was loaded; does nothing outside mode "G".
void Load_Group_Mode_After_log_reading(SKTWindowController& controller);
