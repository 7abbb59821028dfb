#pragma once
// The main window's one-time set-up after it is built, and the window's share of the reset that
// begins every new project.
class SKTWindowController;

inline constexpr auto kCannotAccessDataMessage = "Can not access Data file.";

enum class SetupOutcome {
    Started,          // a design is open and the window is in use
    Cancelled,        // the start chooser was cancelled: the application ends
    FoldersUnusable,  // the user folder cannot be made: the message was shown, the application ends
};

// Checks the folders, sets the paths, sizes the canvases, starts a new project and runs the start
// chooser.
SetupOutcome awakeFromNib(SKTWindowController& controller);

// The window's steps of a new project around the design's own reset: no selection, clipboard,
// undo, zoom, fonts, profiles (with full), the canvas area hidden and the front side current.
void Reset_Window_For_New_Project(SKTWindowController& controller, bool full);
