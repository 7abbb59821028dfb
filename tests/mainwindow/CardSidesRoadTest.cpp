// The card's sides as a person meets them on the real window after a design has been read: the
// Card page's sides choice, the Back tab with View > Back Side, Edit > Copy Design to Other Side,
// the export sheet's side and the Card_Side a Save writes (read back with plistlib); and the
// Preview tab, which leaves nothing of the edited side selected.
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <gtest/gtest.h>

#include "support/CanvasMouse.h"
#include "views/inspector/InspectorView.h"
#include "views/output/ExportSheet.h"
#include "StartRoadFixture.h"

namespace {

class CardSidesRoad : public StartRoadFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartRoadFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(copyClassicBlueTwoSided());
        controller.showWindow();
    }
    void TearDown() override
    {
        CARD_SIDE_STR = QStringLiteral("2");
        StartRoadFixture::TearDown();
    }

    QTabBar& sideTabs() const { return *controller.window()->findChild<QTabBar*>(QStringLiteral("side_tabs")); }

    // The chooser's Design from a template, on the shipped two-sided template.
    void startFromTemplate() { queueTemplateStart(QStringLiteral("Employee"), QStringLiteral("Classic blue (h)")); }

    // A design saved with the front only, holding one text on its front.
    QString oneSidedDesign()
    {
        DesignState design;
        design.startMode = QStringLiteral("L");
        for (Card_Property* side : {&design.front, &design.back}) {
            side->setCard_Side(QStringLiteral("1"));
            side->setCard_Size(QSizeF(243, 154));
        }
        const GraphicPtr name = SKTGraphic::create(GraphicKind::Text);
        name->Set_text_value(QStringLiteral("Front only"));
        name->setBounds(QRectF(20, 20, 120, 22));
        design.frontElements = {name};
        const QString path = scratch.filePath(QStringLiteral("one side.did"));
        EXPECT_TRUE(writeDesignFile(path, design));
        return path;
    }

    // What the window offers of the sides, as "the sides choice | the Back tab and View > Back
    // Side | Copy Design | the export sheet's side as it opens, and whether Both is offered | the
    // side edited | Card_Side of the front and the back in a saved file".
    QString sidesShown()
    {
        const auto onOff = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
        const bool backTab = sideTabs().isTabEnabled(SKTDocument::BackSide);
        EXPECT_EQ(action(QStringLiteral("Back_Side_btn")).isEnabled(), backTab) << "the Back tab and View > Back Side";
        QStringList shown{control<QComboBox>("Sides_ComboBox").currentText(), onOff(backTab),
                          onOff(action(QStringLiteral("Copy_Card_Design_btn")).isEnabled())};
        dialogs.queueHook([&shown, onOff](QDialog& dialog) {
            auto& sheet = static_cast<ExportSheet&>(dialog);
            shown << sheet.export_card_side() + QLatin1Char(' ') + onOff(sheet.side_both->isEnabled());
            sheet.exportCancel();
        });
        action(QStringLiteral("Export_Button")).trigger();
        EXPECT_EQ(sideTabs().currentIndex(), Card_Front_Or_Back);
        shown << QString::number(Card_Front_Or_Back);

        const QString saved = scratch.filePath(QStringLiteral("saved.did"));
        dialogs.queueSaveFile(saved);
        action(QStringLiteral("SaveAs_Btn_Clicked")).trigger();
        const auto read = TestEnvironment::runPython(
            "import plistlib, sys\n"
            "items = plistlib.load(open(sys.argv[1], 'rb'))\n"
            "print(items[15], items[49], end='')\n",
            {saved});
        EXPECT_EQ(read.exitCode, 0) << read.err.constData();
        shown << QString::fromUtf8(read.out);
        return shown.join(QStringLiteral(" | "));
    }
};

}  // namespace

// Whatever the window showed before, a design read brings its own sides: a one-sided design
// opened while the back of a two-sided one was edited, and a two-sided template started after
// the user chose the front only. The sides chosen on the Card page after a read are offered and
// saved as well, either way.
TEST_F(CardSidesRoad, TheSidesOfADesignReadAreTheOnesTheWindowOffersAndSaves)
{
    struct Road {
        const char* name;
        std::function<void()> walk;
        QString expected;
    };
    const QList<Road> roads{
        {"one-sided design opened on the back",
         [this] {
             action(QStringLiteral("Back_Side_btn")).trigger();
             ASSERT_EQ(Card_Front_Or_Back, 1);
             dialogs.queueOpenFile(oneSidedDesign());
             action(QStringLiteral("Open_Btn_Clicked")).trigger();
             ASSERT_EQ(document.graphics().size(), 1);
         },
         "Front only | off | off | F off | 0 | 1 1"},
        {"front only chosen on the template's back",
         [this] {
             action(QStringLiteral("Back_Side_btn")).trigger();
             choose("Sides_ComboBox", 1);
         },
         "Front only | off | off | F off | 0 | 1 1"},
        {"front and back chosen on a one-sided design",
         [this] {
             dialogs.queueOpenFile(oneSidedDesign());
             action(QStringLiteral("Open_Btn_Clicked")).trigger();
             choose("Sides_ComboBox", 0);
         },
         "Front and back | on | on | BOTH on | 0 | 2 2"},
        {"front only chosen, then a two-sided template",
         [this] {
             choose("Sides_ComboBox", 1);
             ASSERT_FALSE(sideTabs().isTabEnabled(SKTDocument::BackSide));
             messages.queueAnswers({1});  // No: the changed design is not saved
             startFromTemplate();
             action(QStringLiteral("New_Btn_Clicked")).trigger();
             ASSERT_FALSE(document.graphics_back().isEmpty());
         },
         "Front and back | on | on | BOTH on | 0 | 2 2"},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        startFromTemplate();
        ASSERT_TRUE(Open_Start_Window(controller));
        ASSERT_NO_FATAL_FAILURE(road.walk());
        EXPECT_EQ(sidesShown(), road.expected);
    }
    // The template's back, read last, is there to edit.
    action(QStringLiteral("Back_Side_btn")).trigger();
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_FALSE(controller.editedGraphicView()->graphics().isEmpty());
}

// The Preview tab shows the card's pages: the element selected on the front is selected no longer
// and the commands for a selection are off.
TEST_F(CardSidesRoad, ThePreviewLeavesNoElementSelectedAndShowsTheCardsPages)
{
    startFromTemplate();
    ASSERT_TRUE(Open_Start_Window(controller));
    GraphicPtr barcode;
    for (const GraphicPtr& element : document.graphics())
        if (element->kind() == GraphicKind::Barcode)
            barcode = element;
    ASSERT_NE(barcode, nullptr);
    canvas_mouse::drag(*controller.editedGraphicView(), barcode->bounds().center(), barcode->bounds().center());
    const QStringList selectionCommands{"Cut_btn", "Copy_btn", "Delete_btn", "Begin_Front_btn", "Send_Back_btn", "Lock_btn"};
    ASSERT_EQ(inspector().properties_title().text(), "Barcode Properties");
    ASSERT_TRUE(action(QStringLiteral("Cut_btn")).isEnabled());

    sideTabs().setCurrentIndex(SKTDocument::PreviewSide);
    EXPECT_EQ(inspector().properties_title().text(), "Card Properties");
    QStringList enabled;
    for (const QString& name : selectionCommands)
        if (action(name).isEnabled())
            enabled << name;
    EXPECT_EQ(enabled.join(u' '), QString());
    EXPECT_TRUE(controller.graphicView(SKTDocument::FrontSide)->selectedGraphics().isEmpty());
    EXPECT_EQ(Card_Front_Or_Back, 0);
    EXPECT_EQ(document.graphics_temp(), document.graphics());
}
