#include "barcodes/CaptionKerningChoice.h"

#include <QSettings>
#include <atomic>

#include "model/SKTDocument.h"
#include "platform/Log.h"

namespace {

constexpr int kNotRead = -1;
// Read by batch workers while the GUI thread may write it.
std::atomic<int> held{kNotRead};

const QString kKey = QStringLiteral("caption/kerning_value_Checkbox");

QSettings configuration()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, App_Name, QStringLiteral("barcodes"));
}

}  // namespace

bool CaptionKerningChoice::checked()
{
    int choice = held.load();
    if (choice == kNotRead) {
        int expected = kNotRead;
        held.compare_exchange_strong(expected, configuration().value(kKey, false).toBool() ? 1 : 0);
        choice = held.load();
    }
    return choice == 1;
}

void CaptionKerningChoice::setChecked(bool checked)
{
    held.store(checked ? 1 : 0);
    QSettings stored = configuration();
    stored.setValue(kKey, checked);
    stored.sync();
    if (stored.status() != QSettings::NoError)
        Show_NSLog_Message(QStringLiteral("The barcode caption spacing could not be kept in %1.").arg(stored.fileName()));
}

void CaptionKerningChoice::reload()
{
    held.store(kNotRead);
}
