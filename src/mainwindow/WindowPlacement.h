#pragma once
// The main window's size and place between runs, kept with QSettings in the user's configuration
// folder ("ZOVA ID Card/window.ini").
class QMainWindow;

// Shows the window where it was last closed; the first time, maximised through the window manager.
void Show_Window_Where_Remembered(QMainWindow& window);
// Called when the window closes for good.
void Remember_Window_Placement(const QMainWindow& window);
