// The new-card wizard over a fake main window: what a finished run leaves for its caller.
#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "model/NumberBounds.h"
#include "platform/Units.h"
#include "support/CardWizardScript.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/inspector/FakeInspectorWindow.h"
#include "views/wizards/Card_Wizard.h"

namespace {

// The fake window, telling which purpose the picture library was asked for.
class LibraryWindow : public FakeInspectorWindow {
public:
    QStringList libraryPurposes;
    int Open_Image_Library_Window(const QString& purpose) override
    {
        libraryPurposes << purpose;
        return FakeInspectorWindow::Open_Image_Library_Window(purpose);
    }
};

class CardWizardTest : public ::testing::Test {
protected:
    QString picture(const char* name)
    {
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = folder.filePath(QLatin1String(name));
        EXPECT_TRUE(image.save(path));
        return path;
    }
    // Runs the wizard with the answers; its answer.
    int run(const CardWizardAnswers& answers)
    {
        dialogs.queueHook([&](QDialog&) { answerCardWizard(wizard, dialogs, answers); });
        return wizard.Open_Wnd(fields);
    }

    QTemporaryDir folder;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    ScriptedDialogPresenter dialogs;
    LibraryWindow window;
    Card_Wizard wizard{window, window, {QStringLiteral("Diagonal_Backward"), QStringLiteral("waves")}};
    Card_Wizard_Fields fields;
};

}  // namespace

TEST_F(CardWizardTest, FinishingLeavesEveryChoice)
{
    CardWizardAnswers answers;
    answers.sides = 1, answers.name = QStringLiteral("Staff pass");
    answers.orientation = 1, answers.category = 1, answers.sizeRow = 0;
    answers.border = true, answers.borderColour = Qt::red, answers.borderWidth = 5, answers.borderStyle = 3;
    answers.fillRadio = "Card_Style_fill_rd", answers.hatch = 1, answers.hatchBackground = Qt::yellow;
    answers.opacityPercent = 1;
    ASSERT_EQ(run(answers), 1);

    EXPECT_EQ(fields.Sides_ComboBox, 1);
    EXPECT_EQ(fields.card_name, "Staff pass");
    EXPECT_EQ(fields.Preset_ComboBox, 1);
    EXPECT_EQ(fields.Category_ComboBox, 1);
    EXPECT_EQ(fields.ColList, 0);
    // "Vertical" gives the preset's portrait size.
    EXPECT_DOUBLE_EQ(fields.width_Stepper, 54.0);
    EXPECT_DOUBLE_EQ(fields.height_Stepper, 85.6);
    EXPECT_TRUE(fields.Card_border_chk);
    EXPECT_EQ(fields.Card_bordr_clr, QColor(Qt::red));
    EXPECT_EQ(fields.Card_bor_Stepper, 5);
    EXPECT_EQ(fields.Card_border_style, 3);
    EXPECT_EQ(Card_Fill_Kind(fields), "H");
    EXPECT_EQ(fields.Card_hatch_style, 1);
    EXPECT_EQ(fields.Card_hatch_bk_clr, QColor(Qt::yellow));
    // One per cent stays one per cent, not a fraction of 1 read as opaque.
    EXPECT_EQ(Card_Wizard_Opacity_Percent(fields.Card_alpha_Stepper), 1);
    EXPECT_TRUE(messages.texts().isEmpty());

    // The pattern list shows the names in words and keeps the names themselves.
    auto& hatch = wizardControl<QComboBox>(wizard, "Card_hatch_style");
    EXPECT_EQ(hatch.itemText(0), "Diagonal backward");
    EXPECT_EQ(hatch.itemData(0).toString(), "Diagonal_Backward");
}

TEST_F(CardWizardTest, ACustomSizeIsTypedInMillimetresWithinTheCardsBounds)
{
    CardWizardAnswers answers;
    answers.orientation = 2, answers.customMillimetres = QSizeF(100.25, 70.5);
    answers.fillRadio = "Card_gradient_fill_rd", answers.gradientFrom = Qt::blue, answers.gradientTo = Qt::cyan;
    answers.gradientAngle = 45;
    ASSERT_EQ(run(answers), 1);
    EXPECT_EQ(fields.Preset_ComboBox, 2);
    EXPECT_EQ(fields.ColList, -1);
    EXPECT_DOUBLE_EQ(fields.width_Stepper, 100.25);
    EXPECT_DOUBLE_EQ(fields.height_Stepper, 70.5);
    EXPECT_EQ(Card_Fill_Kind(fields), "G");
    EXPECT_EQ(fields.Card_fill_Grd_1_clr, QColor(Qt::blue));
    EXPECT_EQ(fields.Card_fill_Grd_2_clr, QColor(Qt::cyan));
    EXPECT_DOUBLE_EQ(fields.Card_grad_Stepper, 45);

    auto& width = wizardControl<QDoubleSpinBox>(wizard, "width_Stepper");
    const NumberBounds::Range side = NumberBounds::cardSideInUnit(kUnitMillimetre, 2);
    EXPECT_DOUBLE_EQ(width.minimum(), side.low);
    EXPECT_DOUBLE_EQ(width.maximum(), side.high);
    EXPECT_TRUE(width.isEnabled()) << "a custom size is typed";
    // The preset sizes are shown, not typed.
    wizardControl<QComboBox>(wizard, "Preset_ComboBox").setCurrentIndex(0);
    Q_EMIT wizardControl<QComboBox>(wizard, "Preset_ComboBox").activated(0);
    EXPECT_FALSE(width.isEnabled());
}

TEST_F(CardWizardTest, CancelAnswersZeroAndLeavesTheFields)
{
    fields.card_name = QStringLiteral("kept");
    dialogs.queueHook([](QDialog& dialog) { static_cast<QWizard&>(dialog).reject(); });
    EXPECT_EQ(wizard.Open_Wnd(fields), 0);
    EXPECT_EQ(fields.card_name, "kept");
}

// A picture fill takes its picture from the library ("B") or a file; it cannot finish without one,
// and a file that is no picture is refused.
TEST_F(CardWizardTest, APictureFillNeedsAReadablePicture)
{
    CardWizardAnswers answers;
    answers.fillRadio = "Card_Image_fill_rd";
    dialogs.queueHook([&](QDialog&) {
        answerCardWizard(wizard, dialogs, answers);  // no picture: Finish is refused
        EXPECT_EQ(wizard.currentPage()->objectName(), "fill_page");
        EXPECT_NE(wizard.result(), QDialog::Accepted);
        window.libraryAnswer = 1, window.libraryFile = folder.filePath(QStringLiteral("not a picture.png"));
        wizardControl<QPushButton>(wizard, "Card_Image_Library_Btn").click();
        EXPECT_TRUE(wizardControl<QLineEdit>(wizard, "Card_Image_path").text().isEmpty());
        window.libraryFile = picture("library.png");
        wizardControl<QPushButton>(wizard, "Card_Image_Library_Btn").click();
        wizard.button(QWizard::FinishButton)->click();
    });
    ASSERT_EQ(wizard.Open_Wnd(fields), 1);
    EXPECT_EQ(window.libraryPurposes, QStringList(2, QStringLiteral("B")));
    EXPECT_EQ(Card_Fill_Kind(fields), "I");
    EXPECT_EQ(fields.Card_Image_path, folder.filePath(QStringLiteral("library.png")));
    ASSERT_EQ(messages.texts().size(), 2);
    EXPECT_EQ(messages.texts()[0], QLatin1Char('\n') + kChooseBackgroundPictureMessage);
    EXPECT_TRUE(messages.texts()[1].contains(QLatin1String("not a picture.png")));

    // A picture file chosen with Browse, on a wizard run again from its first page.
    answers.pictureFile = picture("file.png");
    ASSERT_EQ(run(answers), 1);
    EXPECT_EQ(fields.Card_Image_path, answers.pictureFile);
}

// The profile button opens the card's profile window for both sides with the first sides item
// (front and back), for the front alone with the other.
TEST_F(CardWizardTest, TheProfileButtonTellsTheProfileWindowHowManySides)
{
    QStringList asked;
    wizard.openProfileWindow = [&](bool reload, const QString& side, const QString& sides) {
        asked << QStringLiteral("%1 '%2' %3").arg(reload).arg(side, sides);
        return 1;
    };
    auto& sidesCombo = *wizard.findChild<QComboBox*>(QStringLiteral("Sides_ComboBox"));
    auto& profileButton = *wizard.findChild<QPushButton*>(QStringLiteral("User_Profile_btn"));
    profileButton.click();
    sidesCombo.setCurrentIndex(1);
    profileButton.click();
    EXPECT_EQ(asked, (QStringList{"0 '' 2", "0 '' 1"}));
}
