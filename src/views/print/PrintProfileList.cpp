#include "views/print/PrintProfileList.h"

#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"
#include "views/print/PrintWindowLogic.h"

QString cleanProfileName(const QString& typedName)
{
    return Remove_Reserve_Char_In_File_Name(Trim_Str(typedName));
}

std::optional<QString> profileNameRefusal(const QString& printer, const QString& typedName)
{
    if (Trim_Str(printer).isEmpty())
        return QStringLiteral("Please select printer.");
    const QString name = Trim_Str(typedName);
    if (name.isEmpty())
        return QStringLiteral("Please enter profile name.");
    if (name.toLower() == QLatin1String("default"))
        return QStringLiteral("This is a Default profile name.\n\nPlease enter another profile name.");
    // A name of reserved characters alone leaves nothing to name the file with.
    if (cleanProfileName(name).isEmpty())
        return QStringLiteral("Please enter profile name.");
    return std::nullopt;
}

PrintProfileList::PrintProfileList(PrintWindowLogic& logic, PrintProfileStore store)
    : m_logic(logic), m_store(std::move(store))
{
}

bool PrintProfileList::deleteEnabled() const
{
    return m_selected >= 0 && m_entries[m_selected].name != PrintProfileStore::kDefaultName;
}

void PrintProfileList::notify()
{
    if (listChanged)
        listChanged();
}

void PrintProfileList::Load_Print_Profile()
{
    m_entries = m_store.list();
    m_selected = -1;
    notify();
    Make_select_on_index(0);
}

void PrintProfileList::Make_select_on_index(int row)
{
    if (row < 0 || row >= m_entries.size())
        return;
    m_selected = row;
    notify();
    Read_and_load_profile_info(m_entries[row]);
}

void PrintProfileList::Read_and_load_profile_info(const PrintProfileEntry& entry)
{
    QString error;
    const std::optional<QStringList> items = m_store.read(entry, &error);
    if (!items) {
        Show_NSLog_Message(error);
        return;
    }
    m_logic.applyProfileItems(*items);
    notify();
}

bool PrintProfileList::Save_Print_Profile(const QString& name, const QString& printer)
{
    QString error;
    if (!m_store.write(m_store.entryFor(name), m_logic.profileItems(printer), &error)) {
        Show_MessageBox(QStringLiteral("The print profile \"%1\" could not be saved: %2").arg(name, error));
        return false;
    }
    Show_MessageBox(kProfileSavedMessage);
    Load_Print_Profile();
    return true;
}

void PrintProfileList::Add_Edit_Print_Profile(QChar mode)
{
    QString name;
    QString printer;
    int remembered = -1;
    if (mode == QLatin1Char('E')) {
        if (m_selected < 0) {
            Show_MessageBox(kSelectProfileMessage);
            return;
        }
        name = m_entries[m_selected].name;
        printer = m_logic.fields.printer;
        remembered = m_selected;
    }
    if (!nameSheet)
        return;
    const std::optional<ProfileNameAnswer> answer = nameSheet(name, printer);
    if (!answer)
        return;
    m_logic.printerSelected(answer->custom_profile_Printer);
    m_logic.Set_values_From_Printer();
    const PrintProfileEntry previous = m_store.entryFor(name);
    const PrintProfileEntry renamed = m_store.entryFor(answer->custom_print_profile_name);
    if (!Save_Print_Profile(answer->custom_print_profile_name, answer->custom_profile_Printer))
        return;
    // An edit under a new name moves the profile; the old file goes only once the new one is written.
    if (!name.isEmpty() && name != PrintProfileStore::kDefaultName && previous.fileName != renamed.fileName) {
        m_store.remove(previous);
        Load_Print_Profile();
    }
    if (mode == QLatin1Char('E')) {
        int row = remembered;
        for (int i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].fileName == renamed.fileName)
                row = i;
        }
        Make_select_on_index(row);
    }
}

void PrintProfileList::Save_profile_btn_clicked()
{
    if (m_selected < 0) {
        Show_MessageBox(kSelectProfileMessage);
        return;
    }
    const int row = m_selected;
    if (Save_Print_Profile(m_entries[row].name, m_logic.fields.printer))
        Make_select_on_index(row);
}

void PrintProfileList::Delete_profile_btn_clicked()
{
    if (m_selected < 0) {
        Show_MessageBox(kSelectProfileMessage);
        return;
    }
    if (!deleteEnabled())
        return;
    if (Show_YES_NO_MessageBox(kDeleteProfileQuestion) != 1)
        return;
    m_store.remove(m_entries[m_selected]);
    Load_Print_Profile();
}
