#pragma once
#include <QString>

// The GUI-thread halves of the message boxes that any thread may ask for. The main window
// controller inherits this class and registers itself.
class MainThreadMessages {
public:
    virtual ~MainThreadMessages() = default;

    // Shows text with an "OK" button. GUI thread only.
    void Main_Thread_Messgae(const QString& text);
    // Asks with "Yes" (default) and "No"; returns 1 for "Yes", 0 otherwise, and leaves the same
    // answer in yes_no_msg_val. GUI thread only.
    int Main_Thread_Messgae_Yes_No(const QString& text);
};

// The registered instance, or a built-in one while none is registered.
MainThreadMessages& mainThreadMessages();
// Registers an instance (not owned); nullptr restores the built-in one.
void setMainThreadMessages(MainThreadMessages* messages);
