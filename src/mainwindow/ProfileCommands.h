#pragma once
// The main window's card-holder profile commands: writing the front, back and preview profile
// records onto their canvases, and the invitation layout on the front.
#include <QImage>
#include <QRectF>
#include <QString>

class SKTWindowController;

class ProfileCommands {
public:
    explicit ProfileCommands(SKTWindowController& controller);

    // The front, then the back.
    void Fill_User_profile_Details();
    void Fill_User_profile_info_front_side();
    void Fill_User_profile_info_back_side();
    // The preview canvas from the preview record; the side it stands for changes nothing.
    void Fill_User_profile_info_TEMP_side(const QString& side);
    // What follows a profile window: the preview canvas shows the edited side again, not the
    // window's preview; a confirmed one (result 1) lets the fills run from now on;
    // the data-source combo follows the spreadsheet; after the window loaded a spreadsheet again,
    // column bindings made for the old sheet are dropped on the side in force (its profile
    // elements excepted, the fill rebinds them) and on the other side of a two-sided card.
    void Profile_Window_Closed(int result, bool sheetLoadedAgain);
    // The preview canvas shows copies of the side in force with the preview record written onto
    // them; the side itself stays exactly as it was, so a cancelled profile window leaves no trace.
    // Answers a picture of the previewed side, which the profile window shows over the canvas.
    QImage Show_Profile_Preview(const QString& side);
    // The invitation wizard's details on the front canvas.
    void Fill_Party_Invidation_Details();
    // Where a new profile element with this identifier goes.
    QRectF Get_Control_Rect_From_Template(const QString& ctrlId) const;

private:
    // The data-source combo offers "Excel" exactly while the design uses the spreadsheet.
    void syncSpreadsheetSource();

    SKTWindowController& m_controller;
};
