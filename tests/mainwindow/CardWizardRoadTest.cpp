// The card wizard's start road on the real main window: the chooser, the wizard worked page by
// page, and the card the start builds from its choices. On an X server, pictures of every page and
// of the design it made.
#include <QDir>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "designfile/DesignFileSamples.h"
#include "mainwindow/CardWizardStart.h"
#include "mainwindow/FolderLists.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/StartDispatch.h"
#include "mainwindow/StartWindows.h"
#include "model/SKTDocument.h"
#include "views/inspector/PropertyInspector.h"
#include "support/CardWizardScript.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/WindowFrame.h"
#include "views/inspector/CrampedControls.h"

namespace {

// The start windows with the real card wizard; the other starts are cancelled.
class CardWizardStartWindows : public StartWindows {
public:
    explicit CardWizardStartWindows(SKTWindowController& controller) : m_controller(controller) { setStartWindows(this); }
    ~CardWizardStartWindows() override { setStartWindows(nullptr); }

    int Open_Template_Window(QWidget*, Template_Wizard_Fields&) override { return 0; }
    int Card_Wizard_Open_Wnd(SKTWindowController& controller, Card_Wizard_Fields& fields) override
    {
        EXPECT_EQ(&controller, &m_controller);
        return Run_Card_Wizard(controller, controller.window(), fields);
    }
    int Group_Mode_Wizard_Open_Wnd(SKTWindowController&) override { return 0; }

private:
    SKTWindowController& m_controller;
};

constexpr double kPointsPerMillimetre = 72.0 / 25.4;

class CardWizardRoad : public ::testing::Test {
protected:
    // The pattern lists of the inspector and of the wizard, as the window's set-up fills them.
    void SetUp() override { controller.inspector().setUpControls(Get_Hatch_Style_Names()); }
    void TearDown() override
    {
        Start_Card_Option = QStringLiteral("T"), CARD_SIDE_STR = QStringLiteral("2");
        Selected_Template_Path.clear();
    }
    // The chooser's wizard button, then the wizard answered; `onPage` sees each page filled.
    bool startWithWizard(const CardWizardAnswers& answers, const std::function<void(QWizard&)>& onPage = {})
    {
        dialogs.queueHook([](QDialog& chooser) { chooser.findChild<QPushButton*>(QStringLiteral("Using_Wizard_btn"))->click(); });
        dialogs.queueHook([this, answers, onPage](QDialog& wizard) {
            answerCardWizard(static_cast<QWizard&>(wizard), dialogs, answers, onPage);
        });
        return Open_Start_Window(controller);
    }
    void expectCardSize(QSizeF points)
    {
        for (const Card_Property* side : {&controller.Front_card_Prop, &controller.Back_card_Prop}) {
            EXPECT_NEAR(side->Card_Size().width(), points.width(), 0.01);
            EXPECT_NEAR(side->Card_Size().height(), points.height(), 0.01);
        }
        EXPECT_NEAR(controller.frontCanvasBounds().width(), points.width(), 0.01);
        EXPECT_NEAR(controller.frontCanvasBounds().height(), points.height(), 0.01);
    }

    QTemporaryDir scratch;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    ScriptedDialogPresenter dialogs;
    SKTDocument document;
    SKTWindowController controller{document};
    CardWizardStartWindows windows{controller};
};

}  // namespace

TEST_F(CardWizardRoad, APresetSizeWithBorderPatternAndOpacityOnTheFrontOnly)
{
    CardWizardAnswers answers;
    answers.sides = 1, answers.name = QStringLiteral("Visitor badge");
    // Paper badge "Durable 1455" (3.54 x 2.13 in), turned upright, to a hundredth of a millimetre
    // as the size fields show it.
    answers.orientation = 1, answers.category = 1, answers.sizeRow = 4;
    answers.border = true, answers.borderColour = QColor(200, 0, 0), answers.borderWidth = 4, answers.borderStyle = 1;
    answers.fillRadio = "Card_Style_fill_rd", answers.hatch = 2, answers.hatchBackground = QColor(255, 240, 200);
    answers.opacityPercent = 40;
    ASSERT_TRUE(startWithWizard(answers));

    EXPECT_EQ(Start_Card_Option, "W");
    EXPECT_TRUE(messages.texts().isEmpty());
    expectCardSize(QSizeF(54.10 * kPointsPerMillimetre, 89.92 * kPointsPerMillimetre));
    EXPECT_EQ(CARD_SIDE_STR, "1");
    for (const Card_Property* side : {&controller.Front_card_Prop, &controller.Back_card_Prop}) {
        EXPECT_EQ(side->Card_Name(), "Visitor badge");
        EXPECT_EQ(side->Card_Side(), "1");
        EXPECT_EQ(side->Card_Preset(), "Vertical");
        EXPECT_EQ(side->Card_Category(), "Paper Card");
        EXPECT_EQ(side->Card_Cat_index(), 4);
        EXPECT_TRUE(side->Card_border_chk());
        EXPECT_EQ(side->Card_bordr_clr().rgb(), QColor(200, 0, 0).rgb());
        EXPECT_EQ(side->Card_bor_Stepper(), 4);
        EXPECT_EQ(side->Card_border_style(), "DA");
        EXPECT_EQ(side->Card_fill_style(), "H");
        EXPECT_EQ(side->Card_hatch_style(), "Diagonal_Backward");  // the third pattern picture by name
        EXPECT_EQ(side->Card_hatch_bk_clr().rgb(), QColor(255, 240, 200).rgb());
        EXPECT_FLOAT_EQ(side->Card_alpha_Stepper(), 0.4f);
    }
}

TEST_F(CardWizardRoad, ACustomSizeWithAPictureOnBothSides)
{
    CardWizardAnswers answers;
    answers.orientation = 2, answers.customMillimetres = QSizeF(100, 62.5);
    answers.fillRadio = "Card_Image_fill_rd";
    answers.pictureFile = DesignSamples::samplePicture(scratch.path());
    ASSERT_TRUE(startWithWizard(answers));

    EXPECT_TRUE(messages.texts().isEmpty());
    expectCardSize(QSizeF(100 * kPointsPerMillimetre, 62.5 * kPointsPerMillimetre));
    EXPECT_EQ(CARD_SIDE_STR, "2");
    for (const Card_Property* side : {&controller.Front_card_Prop, &controller.Back_card_Prop}) {
        EXPECT_EQ(side->Card_Preset(), "Custom");
        EXPECT_EQ(side->Card_Name(), "Untitled");
        EXPECT_FALSE(side->Card_border_chk());
        EXPECT_EQ(side->Card_fill_style(), "I");
        EXPECT_EQ(side->Card_BG_Image_Path(), answers.pictureFile);
        EXPECT_FALSE(side->Card_BG_Image().isNull());
        EXPECT_FLOAT_EQ(side->Card_alpha_Stepper(), 1.0f);
    }
}

// As a person sees it, on an X server under a window manager.
TEST_F(CardWizardRoad, ScreenshotsOfEveryPageAndOfTheDesign)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server and a window manager: ctest runs this under with-display.sh --wm";
    const QDir artifacts(QStringLiteral(ZOVA_WIZARDS_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    controller.window()->setGeometry(0, 0, 1280, 800);
    controller.showWindow();

    CardWizardAnswers answers;
    answers.name = QStringLiteral("Staff pass");
    answers.border = true, answers.borderColour = QColor(20, 50, 110), answers.borderWidth = 3;
    answers.fillRadio = "Card_gradient_fill_rd", answers.gradientFrom = Qt::white;
    answers.gradientTo = QColor(150, 190, 235), answers.gradientAngle = 90;
    int page = 0;
    const auto shoot = [&](QWizard& wizard) {
        const QMargins frame = showFramed(wizard);
        EXPECT_EQ(crampedControls(*wizard.currentPage()), QStringList()) << wizard.currentPage()->objectName().toStdString();
        const QString file = QStringLiteral("card-wizard-%1-%2.png").arg(++page).arg(wizard.currentPage()->objectName());
        EXPECT_TRUE(grabFramed(wizard, frame).save(artifacts.filePath(file)));
    };
    ASSERT_TRUE(startWithWizard(answers, shoot));
    EXPECT_EQ(page, 4);
    QTest::qWait(500);
    EXPECT_TRUE(controller.window()->screen()->grabWindow(0).save(artifacts.filePath(QStringLiteral("card-wizard-design.png"))));
    EXPECT_TRUE(messages.texts().isEmpty());
}

// The profile confirmed from the wizard's first page is on the card the wizard made: front and
// back for a card with a back.
TEST_F(CardWizardRoad, TheProfileEnteredInTheWizardIsOnBothSidesOfTheNewCard)
{
    QStringList sidesShown;
    CardWizardAnswers answers;
    const auto onPage = [&](QWizard& wizard) {
        if (wizard.currentPage()->objectName() != QLatin1String("sides_page"))
            return;
        dialogs.queueHook([&](QDialog& window) {
            auto& sides = *window.findChild<QComboBox*>(QStringLiteral("name_side_combo"));
            sidesShown << QString::number(sides.isVisibleTo(&window));
            window.findChild<QLineEdit*>(QStringLiteral("name_value"))->setText(QStringLiteral("Ada Lovelace"));
            window.findChild<QPushButton*>(QStringLiteral("ok_btn"))->click();
        });
        wizard.findChild<QPushButton*>(QStringLiteral("User_Profile_btn"))->click();
    };
    ASSERT_TRUE(startWithWizard(answers, onPage));
    Fill_User_Profile = false;
    EXPECT_EQ(sidesShown, QStringList{"1"});
    EXPECT_TRUE(messages.texts().isEmpty()) << qPrintable(messages.texts().join(u'|'));
    for (SKTDocument::Side side : {SKTDocument::FrontSide, SKTDocument::BackSide}) {
        QStringList shown;
        for (const GraphicPtr& graphic : document.graphicsOfSide(side))
            if (graphic->ctrl_is_visible)
                shown << graphic->control_ID + '=' + graphic->Text_Value;
        shown.sort();
        // The photo of a cleared form is the no-image picture.
        EXPECT_EQ(shown.join(u'|'), "Fup_Name=Ada Lovelace|Fup_Photo=" + controller.NO_Image_Path) << side;
    }
}
