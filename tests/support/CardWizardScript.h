#pragma once
// Working the new-card wizard's pages as a user does, from a set of answers, and finishing it.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QWizard>
#include <functional>
#include <optional>
#include <gtest/gtest.h>

#include "support/ScriptedDialogPresenter.h"
#include "views/inspector/ColorWell.h"

struct CardWizardAnswers {
    int sides = 0;  // 0 front and back, 1 front only
    QString name;
    int orientation = 0;  // 0 "Horizontal", 1 "Vertical", 2 "Custom"
    int category = 0;
    int sizeRow = 0;
    QSizeF customMillimetres;  // typed when the orientation is "Custom"
    bool border = false;
    QColor borderColour = Qt::black;
    int borderWidth = 3;
    int borderStyle = 0;
    const char* fillRadio = "Card_solid_fill_rd";
    QColor fillColour = Qt::white;
    QColor gradientFrom = Qt::white;
    QColor gradientTo = Qt::white;
    int gradientAngle = 0;
    int hatch = 0;
    QColor hatchBackground = Qt::white;
    QString pictureFile;  // chosen with Browse
    int opacityPercent = 100;
};

template <typename Control>
Control& wizardControl(const QWizard& wizard, const char* name)
{
    auto* found = wizard.findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

// Each page as a user fills it; onPage sees it filled, before Next or Finish.
inline void answerCardWizard(QWizard& wizard, ScriptedDialogPresenter& dialogs, const CardWizardAnswers& answers,
                             const std::function<void(QWizard&)>& onPage = {})
{
    const auto choose = [&](const char* combo, int index) {
        auto& list = wizardControl<QComboBox>(wizard, combo);
        list.setCurrentIndex(index);
        Q_EMIT list.activated(index);
    };
    const auto pick = [&](const char* well, const QColor& colour) {
        dialogs.queueHook([colour](QDialog& dialog) {
            static_cast<QColorDialog&>(dialog).setCurrentColor(colour);
            dialog.setResult(QDialog::Accepted);
        });
        wizardControl<ColorWell>(wizard, well).click();
    };
    const auto leavePage = [&] {
        if (onPage)
            onPage(wizard);
        if (wizard.currentId() != wizard.pageIds().last())
            wizard.next();
    };

    choose("Sides_ComboBox", answers.sides);
    wizardControl<QLineEdit>(wizard, "card_name").setText(answers.name);
    leavePage();

    choose("Preset_ComboBox", answers.orientation);
    if (answers.orientation == 2) {
        wizardControl<QDoubleSpinBox>(wizard, "width_Stepper").setValue(answers.customMillimetres.width());
        wizardControl<QDoubleSpinBox>(wizard, "height_Stepper").setValue(answers.customMillimetres.height());
    } else {
        choose("Category_ComboBox", answers.category);
        auto& sizes = wizardControl<QAbstractItemView>(wizard, "ColList");
        sizes.selectionModel()->select(sizes.model()->index(answers.sizeRow, 0),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    leavePage();

    // The border's settings are off until the box is ticked.
    if (answers.border) {
        wizardControl<QCheckBox>(wizard, "Card_border_chk").click();
        pick("Card_bordr_clr", answers.borderColour);
        wizardControl<QSpinBox>(wizard, "Card_bor_Stepper").setValue(answers.borderWidth);
        choose("Card_border_style", answers.borderStyle);
    }
    leavePage();

    wizardControl<QRadioButton>(wizard, answers.fillRadio).click();
    const QString radio = QString::fromLatin1(answers.fillRadio);
    if (radio == QLatin1String("Card_solid_fill_rd"))
        pick("Card_fill_clr", answers.fillColour);
    if (radio == QLatin1String("Card_gradient_fill_rd")) {
        pick("Card_fill_Grd_1_clr", answers.gradientFrom);
        pick("Card_fill_Grd_2_clr", answers.gradientTo);
        wizardControl<QSpinBox>(wizard, "Card_grad_Stepper").setValue(answers.gradientAngle);
    }
    if (radio == QLatin1String("Card_Style_fill_rd")) {
        choose("Card_hatch_style", answers.hatch);
        pick("Card_hatch_bk_clr", answers.hatchBackground);
    }
    if (!answers.pictureFile.isEmpty()) {
        dialogs.queueOpenFile(answers.pictureFile);
        wizardControl<QPushButton>(wizard, "Card_Image_Browse_Btn").click();
    }
    wizardControl<QSpinBox>(wizard, "Card_alpha_Stepper").setValue(answers.opacityPercent);
    leavePage();
    wizard.button(QWizard::FinishButton)->click();
}
