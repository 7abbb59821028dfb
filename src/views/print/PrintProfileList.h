#pragma once
// The print window's profile table and its Add, Edit, Save and Delete buttons, without widgets.
// Choosing a row loads that profile into the window; every rebuild of the list chooses the first.
// Names are shown, not edited: a profile is renamed through the name sheet, which moves its file.
#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "views/print/PrintProfileStore.h"

class PrintWindowLogic;

// The name sheet's answer: the printer and the profile name, cleaned for a file name.
struct ProfileNameAnswer {
    QString custom_profile_Printer;
    QString custom_print_profile_name;
};

// The name as its file is named: reserved characters off both ends, an inner "/" made "_".
QString cleanProfileName(const QString& typedName);
// Why the name sheet refuses what was typed, or nothing when it takes it.
std::optional<QString> profileNameRefusal(const QString& printer, const QString& typedName);

inline const QString kSelectProfileMessage = QStringLiteral("Please select a print profile");
inline const QString kProfileSavedMessage = QStringLiteral("Print Profile has been saved successfully.");
inline const QString kDeleteProfileQuestion = QStringLiteral("Are you sure want to delete selected 'Print Profile'?");

class PrintProfileList {
public:
    PrintProfileList(PrintWindowLogic& logic, PrintProfileStore store);

    // The name sheet run for a name and printer ("" and "" to add one); nothing when cancelled.
    std::function<std::optional<ProfileNameAnswer>(const QString& name, const QString& printer)> nameSheet;
    // Asked to show the list and the selected row again.
    std::function<void()> listChanged;

    const QList<PrintProfileEntry>& ListData_profile() const { return m_entries; }
    int selectedRow() const { return m_selected; }
    bool deleteEnabled() const;

    void Load_Print_Profile();
    // Selects that one row and loads its profile (a row outside the list selects nothing).
    void Make_select_on_index(int row);
    void Read_and_load_profile_info(const PrintProfileEntry& entry);
    bool Save_Print_Profile(const QString& name, const QString& printer);

    void Add_profile_btn_clicked() { Add_Edit_Print_Profile(QLatin1Char('A')); }
    void Edit_profile_btn_clicked() { Add_Edit_Print_Profile(QLatin1Char('E')); }
    void Save_profile_btn_clicked();
    void Delete_profile_btn_clicked();

private:
    void Add_Edit_Print_Profile(QChar mode);
    void notify();

    PrintWindowLogic& m_logic;
    PrintProfileStore m_store;
    QList<PrintProfileEntry> m_entries;
    int m_selected = -1;
};
