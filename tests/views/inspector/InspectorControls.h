#pragma once
// Working the inspector's controls as a user does, for the fixtures over a fake window and over
// the real main window alike.
#include <QColorDialog>
#include <QComboBox>
#include <gtest/gtest.h>

#include "support/ScriptedDialogPresenter.h"
#include "views/inspector/ColorWell.h"
#include "views/inspector/InspectorView.h"

// The control of that name on the inspector's pages; a missing one fails the test with its name.
template <typename Control>
Control& inspectorControl(const InspectorView& view, const char* name)
{
    auto* found = view.findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

// The list shows the item and tells its handler, as a pick with the mouse does.
inline void chooseItem(QComboBox& combo, int index)
{
    combo.setCurrentIndex(index);
    Q_EMIT combo.activated(index);
}

// The well's colour dialog, answered with the colour.
inline void pickColour(ScriptedDialogPresenter& dialogs, ColorWell& well, const QColor& colour)
{
    dialogs.queueHook([colour](QDialog& dialog) {
        static_cast<QColorDialog&>(dialog).setCurrentColor(colour);
        dialog.setResult(QDialog::Accepted);
    });
    well.click();
}
