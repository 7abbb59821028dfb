#pragma once
// The main window's two card-holder profile windows, made once and kept for the run: the card's
// (every field for the front, the back or both) and the side's (the side being edited). The
// opener runs one of them and brings the design in line with what it did.
#include <QString>
#include <memory>

#include "views/profiles/ProfileWindowOpener.h"

class ProfileFormHost;
class SKTWindowController;
class Show_User_Profile;
class User_profile;

class ProfileWindows {
public:
    explicit ProfileWindows(SKTWindowController& controller);
    ~ProfileWindows();

    // A side ("F" or "B", spaces trimmed) runs the side's window with reload; no side runs the
    // card's window, for the front only when total_side is "1", which reopens as it was left once
    // a profile has been confirmed in this design. Then Profile_Window_Closed. Answers 1 after OK.
    int Open_User_Profile_Window(bool reload, const QString& load_side, const QString& total_side);
    // The opener as the wizards' profile buttons take it.
    ProfileWindowOpener opener();

    User_profile& cardProfileWindow();
    Show_User_Profile& sideProfileWindow();

private:
    SKTWindowController& m_controller;
    std::unique_ptr<ProfileFormHost> m_host;
    std::unique_ptr<User_profile> m_cardWindow;
    std::unique_ptr<Show_User_Profile> m_sideWindow;
};
