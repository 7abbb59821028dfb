#pragma once
// The main window's visitor commands: registering the visitor filled into the side panels in the
// visitor log, printing the visitor's pass, and opening the log window.

#include <QString>

class SKTWindowController;

inline const QString kPassPrintedMessage = QStringLiteral("The visitor pass has been sent to the printer.");

// Reads the visitor's values from the panels' fields and stores them as one log record.
// Returns 1 when the record is stored, 0 otherwise (the user is told why and the panels keep what
// was typed).
int Register_Visitor(SKTWindowController& controller);
// The pass of the visitor in the panels through the printing view: preview shows it on screen,
// otherwise it goes to the visitor log's printer with no print panel, as the log's passes do.
void Print_Visitor_Pass(SKTWindowController& controller, bool preview);
// The visitor log window over the application's live log.
void Open_Visitor_Log(SKTWindowController& controller);
