#pragma once
// The zoom, side switching and design copy commands of the main window. Zoom and sides act on
// the window's layout; the copy goes through a design file so each side owns its elements.
#include <QString>

#include "mainwindow/DesignFileController.h"
#include "model/Card_Property.h"
#include "model/SKTDocument.h"

class SKTWindowController;

inline const QString kCopyDesignQuestion = QStringLiteral(
    "This action will copy the current design to other side of your card and will replace any "
    "existing design on that side.\n\nAre you sure you want to copy current design to other side "
    "of your Card?");
inline const QString kCopyDesignFailedMessage =
    QStringLiteral("The design could not be copied to the other side.");

class SideCommands {
public:
    explicit SideCommands(SKTWindowController& controller);
    ~SideCommands();
    SideCommands(const SideCommands&) = delete;
    SideCommands& operator=(const SideCommands&) = delete;

    // One step along the zoom pop-up, held at 25 % and 1000 %.
    void Zoom_In_Toolbar_btn();
    void Zoom_Out_Toolbar_btn();

    // Every side's zoom at 100 %.
    void Actual_Size_Toolbar_btn();
    // The factor of a zoom pop-up index; 0 for an index the pop-up does not have.
    static double Get_Factor_According_Index(int index);

    // Shows or hides the rulers of the three canvases; the ruler check box follows.
    void Show_Hide_Ruler_ChkBox();

    void Select_front_side();
    void Select_back_side();
    // Shows the preview canvas with the live elements of the side in force.
    void Temp_Card_Btn_Clicked();
    // The preview canvas takes the side in force's elements themselves, not copies. While the
    // preview is shown it keeps showing that side's elements, whatever replaces them (an undo, a
    // redo, a run's restore), so it always shows the side as it stands.
    void Temp_Design_Control_Assign();
    // The preview canvas shows copies of the elements in place of its own, so that nothing done
    // there reaches the side they came from.
    void Set_Temp_Design(const GraphicList& elements);

    // After a Yes: the side in force replaces the other side's design and settings; the other
    // side gets its own element objects. Ends on the back side with the side panels (in the live
    // modes) and the design area shown.
    void Copy_Card_Design_Clicked();

private:
    // The View menu's zoom and side items and the Edit menu's design copy.
    void connectMenus();
    // The View menu's Front Side and Back Side: the side's tab, as if clicked.
    void chooseFrontSide();
    void chooseBackSide();
    // Shows the side's tab for the program, nothing asked; the side shown (sideShown) follows.
    void selectSide(SKTDocument::Side side);
    // A tab shown by the user (asked about unsaved group typing first), by the program, or put
    // back after the user chose to stay.
    void tabShown(SKTDocument::Side side);
    // What follows a side shown by a tab or a command: the preview takes the edited side's
    // elements; a card side is the one in force, with its panel and the chosen group record.
    void sideShown(SKTDocument::Side side);
    // What follows any change of the edited side, however it was chosen.
    void sideChanged();
    // Saves the design to a private temporary file and reads it back; false when either failed.
    bool reloadThroughTemporaryFile();
    Card_Property& cardProperty(SKTDocument::Side side);

    // The side whose elements were replaced: the preview shown of it takes the new ones.
    void sideElementsReplaced(int side);

    SKTWindowController& m_controller;
    SKTDocument::Side m_sideShown = SKTDocument::FrontSide;
    SKTDocument::Side m_previewOf = SKTDocument::FrontSide;  // the side the preview shows
    bool m_programShowsSide = false;  // selectSide is showing a tab
    bool m_keepingSide = false;       // the tab shown before is put back
    // The copy runs without the window's steps: nothing is shown until the copy is done.
    WindowlessDesignFile m_windowless;
    DesignFileController m_designFile;
};
