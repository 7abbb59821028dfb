// The start chooser and the start road: each answer with scripted dialogs.
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "canvas/model/SKTDocument.h"
#include "canvas/view/SKTGraphicView.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/StartDispatch.h"
#include "mainwindow/designfile/DesignFile.h"
#include "mainwindow/designfile/DesignFileController.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"

namespace {

// Answers the open panel with a fixed path and counts the chooser's appearances.
class StartScript : public ScriptedDialogPresenter {
public:
    QString designPath;
    int chooserRuns = 0;

    QString openFile(const FilePanelRequest&) override { return designPath; }
    int runModal(QDialog& dialog) override
    {
        ++chooserRuns;
        return ScriptedDialogPresenter::runModal(dialog);
    }
    void press(const char* button)
    {
        queueHook([button](QDialog& chooser) {
            auto* control = chooser.findChild<QPushButton*>(QLatin1String(button));
            ASSERT_NE(control, nullptr) << button;
            control->click();
        });
    }
};

const QString kCorrupt = QStringLiteral("\nFile is corrupt and cannot be opened.");
const QString kNotAvailable = QStringLiteral("\nThis way of starting is not available yet.");

class StartRoad : public ::testing::Test {
protected:
    void SetUp() override { CARD_SIDE_STR = QStringLiteral("2"); }
    void TearDown() override { Start_Card_Option.clear(); }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    StartScript script;
    SKTDocument document;
    SKTWindowController controller{document};
};

GraphicPtr shape(double x)
{
    GraphicPtr element = SKTGraphic::create(GraphicKind::Shape);
    element->_bounds = QRectF(x, 20, 40, 30);
    return element;
}

}  // namespace

TEST_F(StartRoad, OpeningASavedDesignShowsItsElementsOnBothSides)
{
    DesignState design;
    design.startMode = QStringLiteral("L");
    design.back.setCard_Side_Name(QStringLiteral("B"));
    design.frontElements = {shape(10), shape(60)};
    design.backElements = {shape(30)};
    ASSERT_TRUE(writeDesignFile(path("card.did"), design));
    script.designPath = path("card.did");
    script.press("Open_Log_btn");

    EXPECT_TRUE(Open_Start_Window(controller));
    EXPECT_EQ(script.chooserRuns, 1);
    EXPECT_EQ(Start_Card_Option, "L");
    EXPECT_EQ(document.graphics().size(), 2);
    EXPECT_EQ(document.graphics_back().size(), 1);
    EXPECT_EQ(controller.graphicView(SKTDocument::FrontSide)->graphics().size(), 2);
    EXPECT_EQ(controller.graphicView(SKTDocument::BackSide)->graphics().size(), 1);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(StartRoad, CancelEmptiesTheModeAndAsksTheCallerToQuit)
{
    Start_Card_Option = QStringLiteral("T");
    script.press("Cancel_btn");
    EXPECT_FALSE(Open_Start_Window(controller));
    EXPECT_EQ(script.chooserRuns, 1);
    EXPECT_TRUE(Start_Card_Option.isEmpty());
}

TEST_F(StartRoad, ACorruptDesignIsReportedOnceAndTheChooserComesBackOnce)
{
    QFile corrupt(path("bad.did"));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write("<plist><array><string>not a design");
    corrupt.close();
    script.designPath = path("bad.did");
    script.press("Open_Log_btn");
    script.press("Cancel_btn");

    EXPECT_FALSE(Open_Start_Window(controller));
    EXPECT_EQ(script.chooserRuns, 2);
    EXPECT_EQ(messages.texts(), QStringList{kCorrupt});
    EXPECT_TRUE(document.graphics().isEmpty());
}

TEST_F(StartRoad, StartsNotBuiltYetSaySoAndShowTheChooserAgain)
{
    for (const char* button : {"Using_Template_btn", "Using_Wizard_btn", "Using_Visitor_btn", "Using_Group_Batch_btn"})
        script.press(button);
    script.press("Cancel_btn");

    EXPECT_FALSE(Open_Start_Window(controller));
    EXPECT_EQ(script.chooserRuns, 5);
    EXPECT_EQ(messages.texts(), QStringList(4, kNotAvailable));
}

TEST_F(StartRoad, ACancelledOpenPanelShowsTheChooserAgainWithoutAMessage)
{
    script.press("Open_Log_btn");  // no design path: the panel answers cancelled
    script.press("Cancel_btn");
    EXPECT_FALSE(Open_Start_Window(controller));
    EXPECT_EQ(script.chooserRuns, 2);
    EXPECT_TRUE(messages.texts().isEmpty());
}
