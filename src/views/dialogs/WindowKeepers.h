#pragma once
// What every window of the program gets, installed once on the application: a title shown
// whole, and a place on the screen however it grows.
class QCoreApplication;

// Installs the title keeper and the screen keeper on the application; again, it changes nothing.
void installWindowKeepers(QCoreApplication& app);
