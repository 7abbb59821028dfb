#pragma once
// Qt sends no change signal when code selects the item already shown, and it does send one for a
// change made by code; the panels want neither surprise. These select an item quietly and run the
// panel's handler exactly once.
#include <QString>
#include <QStringList>
#include <functional>

class QComboBox;

void selectComboIndex(QComboBox& combo, int index, const std::function<void()>& handler = {});
// Selects the item with exactly that text; a text not in the list leaves the selection as it is.
// The handler runs either way.
void selectComboText(QComboBox& combo, const QString& text, const std::function<void()>& handler = {});
// Replaces the entries without a change signal and shows the `selected` one (-1 none).
void fillComboQuietly(QComboBox& combo, const QStringList& entries, int selected = -1);
