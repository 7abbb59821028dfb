#pragma once
#include <QString>

// Writes a non-empty text to the log as one entry; an empty text writes nothing.
void Show_NSLog_Message(const QString& text);
