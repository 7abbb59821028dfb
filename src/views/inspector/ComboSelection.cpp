#include "views/inspector/ComboSelection.h"

#include <QComboBox>
#include <QSignalBlocker>

void selectComboIndex(QComboBox& combo, int index, const std::function<void()>& handler)
{
    {
        const QSignalBlocker quiet(combo);
        combo.setCurrentIndex(index);
    }
    if (handler)
        handler();
}

void selectComboText(QComboBox& combo, const QString& text, const std::function<void()>& handler)
{
    const int index = combo.findText(text, Qt::MatchExactly);
    selectComboIndex(combo, index >= 0 ? index : combo.currentIndex(), handler);
}

void fillComboQuietly(QComboBox& combo, const QStringList& entries, int selected)
{
    const QSignalBlocker quiet(combo);
    combo.clear();
    combo.addItems(entries);
    combo.setCurrentIndex(selected);
}
