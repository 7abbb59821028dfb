#pragma once
#include <QString>
#include <QStringList>

// "\n" + text with an "OK" button, on the GUI thread; a caller on another thread waits for it.
void Show_MessageBox(const QString& text);
// text above a list the user can scroll, select and copy (the cards a run left out, say), with an
// "OK" button, on the GUI thread; a caller on another thread waits for it. Without lines it is
// Show_MessageBox.
void Show_Report_Box(const QString& text, const QStringList& lines);
// 1 for "Yes" (the default button), 0 for "No", on the GUI thread; other threads wait for it.
int Show_YES_NO_MessageBox(const QString& text);
// 1000 "Yes" (default), 1001 "No", 1002 "Cancel". GUI thread only.
int Show_YES_NO_Cancel_MessageBox(const QString& text);
// "\n" + text with an "OK" button. GUI thread only.
void Show_MessageBox_No_Thread(const QString& text);
// text with an "OK" button; 1 once closed. GUI thread only.
int show_msg(const QString& text);

// What a window that is not built yet says when it is asked for: "The camera" gives "The camera
// is not available yet.", the same words for every such window.
QString notAvailableYetMessage(const QString& window);
// Shows it in a message box.
void Show_Not_Available_Yet(const QString& window);

struct MessageBoxRequest;

// Shows one box on the calling thread through the installed presenter, the first button being
// the default. Returns the index of the button pressed, or -1 (logged) when no box could be shown.
int presentMessageBox(const QString& text, const QStringList& buttons);
// The same for a box with a title or informative text of its own.
int presentMessageBox(const MessageBoxRequest& request);
