#pragma once
// The View menu's entries for the inspector's unit dialog and the grid window.
class SKTWindowController;

// "Units…" (doPreferences), "Grid…" (toggleGridShowing) and "Snap to Grid While Moving"
// (toggleGridConstraining), added to the end of the View menu.
void Connect_Inspector_Commands(SKTWindowController& controller);
