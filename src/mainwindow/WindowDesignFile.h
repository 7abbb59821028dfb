#pragma once
// The design-file code bound to the main window: its document, card settings and title.
#include "mainwindow/DesignFileController.h"

class SKTWindowController;

class WindowDesignFile final : public DesignFileWindow {
public:
    // The group bindings and panel rows a save writes come from the window's panels; a load or a
    // reset hands them back there.
    explicit WindowDesignFile(SKTWindowController& controller);
    // Saving and loading with this window's steps.
    DesignFileController& file() { return m_file; }

    // The card page's sides choice sets CARD_SIDE_STR whenever the user changes it, as a load
    // does, so the global answers for the choice.
    int Sides_ComboBox_Index() const override { return Sides_Index_Of_Card_Side_Str(); }
    void Save_Group_Mode_List_Details_In_XL_Data_List() override;
    void Group_Project_Saved() override;
    void Set_Log_Name_In_Title() override;
    // The design's reset with the window's steps around it, ending on the front side.
    void New_Project_Setting_Reset(bool full, const std::function<void()>& resetDesign) override;
    // The card page's sides choice, as if chosen there.
    void Set_Card_Sides(int index) override;
    void Show_Loaded_Design() override;

private:
    void keepPanelLists();

    SKTWindowController& m_controller;
    DesignFileController m_file;
};

// Asks for a design file and loads it; 1 when loaded. The reader reports a refused file itself.
int Open_Log_File(SKTWindowController& controller);
