#pragma once
// The design-file code bound to the main window: its document, card settings and title.
#include "mainwindow/designfile/DesignFileController.h"

class SKTWindowController;

class WindowDesignFile : public DesignFileController {
public:
    explicit WindowDesignFile(SKTWindowController& controller);
    // The design's reset with the window's steps around it, ending on the front side.
    void New_Project_Setting_Reset(bool full) override;

protected:
    void Set_Log_Name_In_Title() override;
    void Show_Loaded_Design() override;

private:
    SKTWindowController& m_controller;
};

// Asks for a design file and loads it; 1 when loaded. The reader reports a refused file itself.
int Open_Log_File(SKTWindowController& controller);
