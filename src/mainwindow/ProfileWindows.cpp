#include "mainwindow/ProfileWindows.h"

#include <QMainWindow>
#include <QScopedValueRollback>

#include "mainwindow/LiveModePanels.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowUtilities.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/ProfileCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "platform/AppContext.h"
#include "platform/StringHelpers.h"
#include "views/profiles/ProfileFormHost.h"
#include "views/profiles/Show_User_Profile.h"
#include "views/profiles/User_profile.h"

namespace {

// The profile windows' way into the main window.
class ControllerProfileHost : public ProfileFormHost {
public:
    explicit ControllerProfileHost(SKTWindowController& controller) : m_controller(controller) {}

    User_Profile_Class& profileRecord(ProfileRecord which) override
    {
        switch (which) {
        case ProfileRecord::Front:
            return m_controller.Front_user_profile;
        case ProfileRecord::Back:
            return m_controller.Back_user_profile;
        case ProfileRecord::Preview:
            break;
        }
        return m_controller.TEMP_user_profile;
    }
    int Card_Front_Or_Back() const override { return ::Card_Front_Or_Back; }
    GraphicList graphicsOfSide(int side) const override
    {
        return m_controller.document().graphicsOfSide(side == 1 ? SKTDocument::BackSide : SKTDocument::FrontSide);
    }
    void Batch_Series_Button() override { ::Batch_Series_Button(m_controller); }
    bool Check_And_Validate_File_Path(const QString& path) override { return ::Check_And_Validate_File_Path(path); }
    void Delete_Excel_File_Temp_Folder() override { ::Delete_Excel_File_Temp_Folder(); }
    QStringList Allowd_Image_fileTypes() const override { return m_controller.Allowd_Image_fileTypes; }
    QImage Show_Profile_Preview(const QString& side) override
    {
        // The dialog shows the preview itself; the main window stays on the side being edited.
        // The next new element of the card goes where it would have gone without the preview.
        const QScopedValueRollback keepX(m_controller.last_ctrl_X);
        const QScopedValueRollback keepY(m_controller.last_ctrl_Y);
        return ProfileCommands(m_controller).Show_Profile_Preview(side);
    }
    // A group card shows the record chosen in the group list, kept in the project's own workbook.
    int recordShown() const override { return m_controller.liveModes().recordOnCard(); }
    QString recordsWorkbook() const override
    {
        return groupMode() ? LiveModePanels::projectWorkbookPath(Project_File_Name) : Excel_Source_Path;
    }

private:
    static bool groupMode() { return Start_Card_Option == QLatin1String("G") && !Project_File_Name.isEmpty(); }

    SKTWindowController& m_controller;
};

}  // namespace

ProfileWindows::ProfileWindows(SKTWindowController& controller)
    : m_controller(controller), m_host(std::make_unique<ControllerProfileHost>(controller))
{
}

ProfileWindows::~ProfileWindows() = default;

User_profile& ProfileWindows::cardProfileWindow()
{
    if (!m_cardWindow)
        m_cardWindow = std::make_unique<User_profile>(*m_host, m_controller.NO_Image_Path, m_controller.window());
    return *m_cardWindow;
}

Show_User_Profile& ProfileWindows::sideProfileWindow()
{
    if (!m_sideWindow)
        m_sideWindow = std::make_unique<Show_User_Profile>(*m_host, m_controller.window());
    return *m_sideWindow;
}

int ProfileWindows::Open_User_Profile_Window(bool reload, const QString& load_side, const QString& total_side)
{
    const QString side = Trim_Str(load_side);
    int result = 0;
    bool sheetLoadedAgain = false;
    if (!side.isEmpty()) {
        Show_User_Profile& window = sideProfileWindow();
        window.load_side = side;
        result = window.Open_Wnd(reload);
        // Only the side's window loads a spreadsheet in place of one in use; the card's window
        // leaves the bindings made since to the user.
        sheetLoadedAgain = Browse_Excel_AGAIN;
    } else {
        User_profile& window = cardProfileWindow();
        window.load_side = total_side == QLatin1String("1") ? QStringLiteral("F") : QString();
        // Cleared until a profile has been confirmed in this design, then as it was left.
        result = window.Open_Wnd(Fill_User_Profile);
    }
    ProfileCommands(m_controller).Profile_Window_Closed(result, sheetLoadedAgain);
    return result;
}

ProfileWindowOpener ProfileWindows::opener()
{
    return [this](bool reload, const QString& load_side, const QString& total_side) {
        return Open_User_Profile_Window(reload, load_side, total_side);
    };
}
