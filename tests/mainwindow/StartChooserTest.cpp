// The start chooser and the start road: each answer with scripted dialogs.
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QMainWindow>
#include <deque>
#include <functional>
#include <optional>

#include "data/Data_From_Excel.h"
#include "designfile/DesignFile.h"
#include "designfile/DesignFileSamples.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/DesignFileController.h"
#include "mainwindow/FolderLists.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/StartDispatch.h"
#include "mainwindow/StartWindows.h"
#include "model/SKTDocument.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/dialogs/Repeat_Image.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PropertyInspector.h"

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

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

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
    design.front.setCard_Size(QSizeF(252, 144));
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
    // The canvases take the design's card size.
    EXPECT_EQ(controller.graphicView(SKTDocument::BackSide)->size(), QSize(252, 144));
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

// The chooser opens under a strip across its whole top filled with the banner picture repeated
// from the strip's corner; it is pictured in test-artifacts/mainwindow.
TEST_F(StartRoad, TheChooserOpensUnderTheBannerPictureRepeatedAcrossItsTop)
{
    const QImage tile = controller.pictures.banner_image;
    ASSERT_FALSE(tile.isNull());
    controller.showWindow();
    QImage strip;
    script.queueHook([&](QDialog& chooser) {
        chooser.show();
        QCoreApplication::processEvents();
        auto* banner = chooser.findChild<Repeat_Image*>(QStringLiteral("banner_view"));
        ASSERT_NE(banner, nullptr);
        EXPECT_EQ(banner->geometry(), QRect(0, 0, chooser.width(), tile.height()));
        // The choices sit under it.
        EXPECT_GT(chooser.findChild<QPushButton*>(QStringLiteral("Using_Template_btn"))->geometry().top(),
                  banner->geometry().bottom());
        strip = banner->grab().toImage();
        QDir().mkpath(QStringLiteral(ZOVA_MAINWINDOW_ARTIFACT_DIR));
        EXPECT_TRUE(chooser.grab().save(QStringLiteral(ZOVA_MAINWINDOW_ARTIFACT_DIR "/start-chooser-banner.png")));
        chooser.findChild<QPushButton*>(QStringLiteral("Cancel_btn"))->click();
    });
    EXPECT_FALSE(Open_Start_Window(controller));
    ASSERT_GT(strip.width(), 2 * tile.width());
    for (int x = 0; x + tile.width() <= strip.width(); x += tile.width())
        EXPECT_TRUE(strip.copy(x, 0, tile.width(), tile.height()) == tile.convertToFormat(strip.format())) << x;
}

TEST_F(StartRoad, ACorruptDesignIsReportedOnceAndTheChooserComesBackOnce)
{
    ASSERT_TRUE(writeBytes(path("bad.did"), "<plist><array><string>not a design"));
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

namespace {

// The template window and the wizards, answering as a test sets them up.
class ScriptedStartWindows : public StartWindows {
public:
    ScriptedStartWindows() { setStartWindows(this); }
    ~ScriptedStartWindows() override { setStartWindows(nullptr); }

    std::deque<QString> templatePaths;  // one answer per template window; an empty one cancels it
    std::optional<Card_Wizard_Fields> cardWizard;  // none cancels the wizard
    std::function<int(SKTWindowController&)> groupWizard = [](SKTWindowController&) { return 0; };
    int templateRuns = 0;

    int Open_Template_Window(QWidget*, Template_Wizard_Fields&) override
    {
        ++templateRuns;
        Selected_Template_Path.clear();
        if (!templatePaths.empty()) {
            Selected_Template_Path = templatePaths.front();
            templatePaths.pop_front();
        }
        return Selected_Template_Path.isEmpty() ? 0 : 1;
    }
    int Card_Wizard_Open_Wnd(SKTWindowController&, Card_Wizard_Fields& fields) override
    {
        if (!cardWizard)
            return 0;
        fields = *cardWizard;
        return 1;
    }
    int Group_Mode_Wizard_Open_Wnd(SKTWindowController& controller) override { return groupWizard(controller); }
};

// A start road whose windows answer from the script; the canvas area starts hidden and a drawing
// tool chosen, so that a successful start visibly brings back both.
class ScriptedStart : public StartRoad {
protected:
    void SetUp() override
    {
        StartRoad::SetUp();
        hideCanvasAndPickATool();
    }
    void hideCanvasAndPickATool()
    {
        controller.Show_Hide_Main_Window(false);
        controller.canvasHostOfWindow().Set_Selected_Control_Tool(10);
    }
    void TearDown() override
    {
        StartRoad::TearDown();
        Resource_Path = savedResourcePath;
        Selected_Template_Path.clear(), Project_File_Name.clear(), Excel_Source_Path.clear();
        Excel_Binding_Use = false;
        (Data_From_Excel_Window ? Data_From_Excel_Window : Data_From_Excel::defaultInstance())->ListData.clear();
    }

    QString writeTemplate(const char* name, const QString& mode)
    {
        DesignState design;
        design.startMode = mode;
        design.front.setCard_Name(QStringLiteral("Visitor"));
        design.back.setCard_Side_Name(QStringLiteral("B"));
        for (Card_Property* side : {&design.front, &design.back})
            side->setCard_Size(QSizeF(243, 153));
        design.frontElements = {shape(10), shape(60)};
        design.backElements = {shape(30)};
        EXPECT_TRUE(writeDesignFile(path(name), design));
        return path(name);
    }
    bool canvasAreaShown() const
    {
        return !controller.window()->findChild<QWidget*>(QStringLiteral("myTargetView"))->isHidden();
    }
    void expectStartedDesign(int frontElements)
    {
        EXPECT_EQ(document.graphics().size(), frontElements);
        EXPECT_TRUE(canvasAreaShown());
        EXPECT_EQ(controller.canvasHostOfWindow().Selected_Control_Tool(), 0);
    }

    ScriptedStartWindows windows;
    QString savedResourcePath = Resource_Path;
};

}  // namespace

TEST_F(ScriptedStart, TemplateAndVisitorStartsLoadTheChosenTemplateAndKeepTheirMode)
{
    windows.templatePaths = {writeTemplate("plain.did", QStringLiteral("T"))};
    script.press("Using_Template_btn");
    ASSERT_TRUE(Open_Start_Window(controller));
    EXPECT_EQ(Start_Card_Option, "T");
    expectStartedDesign(2);
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(document.graphics_back().size(), 1);
    EXPECT_TRUE(Project_File_Name.isEmpty());
    EXPECT_EQ(Ucontrol.size(), 1);  // the loaded template is the undo history's first snapshot
    EXPECT_TRUE(controller.window()->windowTitle().contains(QLatin1String("Visitor")));

    // A visitor run stays a visitor run, whatever mode letter the template was saved with.
    hideCanvasAndPickATool();
    windows.templatePaths = {writeTemplate("saved.did", QStringLiteral("L"))};
    script.press("Using_Visitor_btn");
    ASSERT_TRUE(Open_Start_Window(controller));
    EXPECT_EQ(Start_Card_Option, "V");
    // The template's two shapes and the photo every visitor pass gets.
    expectStartedDesign(3);
    EXPECT_EQ(script.chooserRuns, 2);
    EXPECT_TRUE(messages.texts().isEmpty());
}

// A start records the design as it stands, which is no edit: an untouched template still turns to
// its other orientation on the size page, and one edited since its start is rescaled instead.
TEST_F(ScriptedStart, AnUntouchedTemplateTurnsToItsOtherOrientationOnTheSizePage)
{
    const QString horizontal = writeTemplate("badge (h).did", QStringLiteral("T"));
    DesignState portrait;
    portrait.startMode = QStringLiteral("T");
    portrait.front.setCard_Size(QSizeF(153, 243));
    portrait.back.setCard_Size(QSizeF(153, 243));
    portrait.frontElements = {shape(10), shape(40), shape(70)};
    ASSERT_TRUE(writeDesignFile(path("Badge (V).did"), portrait));
    auto* orientation = controller.windowLayout().inspectorView().findChild<QComboBox*>(QStringLiteral("Preset_ComboBox"));
    ASSERT_NE(orientation, nullptr);

    for (const bool edited : {false, true}) {
        windows.templatePaths = {horizontal};
        script.press("Using_Template_btn");
        ASSERT_TRUE(Open_Start_Window(controller));
        ASSERT_EQ(document.graphics().size(), 2);
        ASSERT_EQ(orientation->currentText(), "Horizontal");
        if (edited) {
            SKTGraphicView& front = *controller.graphicView(SKTDocument::FrontSide);
            front.changeSelectionIndexes({0});
            QTest::keyClick(&front, Qt::Key_Right);
        }
        orientation->setCurrentIndex(1);
        Q_EMIT orientation->activated(1);
        EXPECT_EQ(document.graphics().size(), edited ? 2 : 3) << (edited ? "edited" : "untouched");
    }
    EXPECT_TRUE(messages.texts().isEmpty());
}

// The shipped templates on the road a user takes: each landscape one, started untouched, turns into
// its portrait twin when the size page goes to "Vertical", at the twin's size and with its photo.
TEST_F(ScriptedStart, EachShippedLandscapeTemplateTurnsIntoItsPortraitTwin)
{
    Resource_Path = TestEnvironment::resourceDir();
    auto* orientation =
        controller.windowLayout().inspectorView().findChild<QComboBox*>(QStringLiteral("Preset_ComboBox"));
    ASSERT_NE(orientation, nullptr);
    QDirIterator landscapes(Resource_Path + QStringLiteral("/Templates"), {QStringLiteral("* (h).did")}, QDir::Files,
                            QDirIterator::Subdirectories);
    int turned = 0;
    while (landscapes.hasNext()) {
        const QString landscape = landscapes.next();
        SCOPED_TRACE(landscape.toStdString());
        DesignFileError error;
        const std::optional<DesignState> twin =
            readDesignFile(QString(landscape).replace(QStringLiteral(" (h)."), QStringLiteral(" (v).")), &error);
        ASSERT_TRUE(twin.has_value());
        windows.templatePaths = {landscape};
        script.press("Using_Template_btn");
        ASSERT_TRUE(Open_Start_Window(controller));
        ASSERT_EQ(orientation->currentText(), "Horizontal");

        orientation->setCurrentIndex(1);
        Q_EMIT orientation->activated(1);
        EXPECT_EQ(document.graphics().size(), twin->frontElements.size());
        EXPECT_EQ(document.graphics_back().size(), twin->backElements.size());
        const QSizeF card = controller.frontCanvasBounds().size();
        EXPECT_NEAR(card.width(), twin->front.Card_Size().width(), 0.1);
        EXPECT_NEAR(card.height(), twin->front.Card_Size().height(), 0.1);
        const auto photo =
            std::find_if(document.graphics().cbegin(), document.graphics().cend(),
                         [](const GraphicPtr& g) { return g->control_ID == QLatin1String("Fup_Photo"); });
        ASSERT_NE(photo, document.graphics().cend());
        EXPECT_FALSE((*photo)->_contents.isNull()) << (*photo)->_file_path.toStdString();
        ++turned;
    }
    EXPECT_GE(turned, 12);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(ScriptedStart, ACancelledOrRefusedTemplateBringsTheChooserBackInTemplateMode)
{
    const QString bad = path("bad.did");
    ASSERT_TRUE(writeBytes(bad, "not a design"));
    // The first window is cancelled, the second picks a broken file.
    windows.templatePaths = {QString(), bad};
    QString modeAtSecondChooser;
    script.press("Using_Template_btn");
    script.queueHook([&](QDialog& chooser) {
        modeAtSecondChooser = Start_Card_Option;
        chooser.findChild<QPushButton*>(QStringLiteral("Using_Template_btn"))->click();
    });
    script.press("Cancel_btn");

    EXPECT_FALSE(Open_Start_Window(controller));
    EXPECT_EQ(modeAtSecondChooser, "T");
    EXPECT_EQ(windows.templateRuns, 2);
    EXPECT_EQ(script.chooserRuns, 3);
    // Only the broken file is reported; a cancelled window leaves no path to call corrupt.
    EXPECT_EQ(messages.texts(), QStringList{kCorrupt});
    EXPECT_FALSE(canvasAreaShown());
}

TEST_F(ScriptedStart, TheCardWizardsChoicesGoToBothSides)
{
    // The hatch list names the pattern pictures in name order: index 1 is "waves".
    Resource_Path = dir.path();
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Fill_Style_Image")));
    for (const char* name : {"waves", "dots"}) {
        QImage pattern(4, 4, QImage::Format_RGB32);
        pattern.fill(Qt::gray);
        ASSERT_TRUE(pattern.save(path("Fill_Style_Image/") + QLatin1String(name) + QStringLiteral(".png")));
    }
    // The window's set-up lists the pattern pictures of the resource folder.
    controller.inspector().setUpControls(Get_Files_Array_At_Path(path("Fill_Style_Image"), true));
    Card_Wizard_Fields wizard;
    wizard.Sides_ComboBox = 1;
    wizard.width_Stepper = 85.6, wizard.height_Stepper = 54.0;
    wizard.card_name = QStringLiteral("  Staff pass ");
    wizard.Card_border_chk = true, wizard.Card_bordr_clr = Qt::red, wizard.Card_bor_Stepper = 3;
    wizard.Card_border_style = 2;
    wizard.Card_fill_clr = QColor(0, 128, 255);
    wizard.Card_Style_fill_rd = true, wizard.Card_Image_fill_rd = true;  // hatch goes before picture
    wizard.Card_hatch_style = 1;
    wizard.Card_alpha_Stepper = 0.5;
    wizard.Card_Image_path = DesignSamples::samplePicture(dir.path());
    windows.cardWizard = wizard;
    script.press("Using_Wizard_btn");

    ASSERT_TRUE(Open_Start_Window(controller));
    EXPECT_EQ(Start_Card_Option, "W");
    expectStartedDesign(0);
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(Ucontrol.size(), 1);  // like every start, the wizard card is its first snapshot
    EXPECT_EQ(CARD_SIDE_STR, "1");
    const QSizeF size(85.6 * 72 / 25.4, 54.0 * 72 / 25.4);
    for (const Card_Property* side : {&controller.Front_card_Prop, &controller.Back_card_Prop}) {
        EXPECT_NEAR(side->Card_Size().width(), size.width(), 0.01);
        EXPECT_EQ(side->Card_Name(), "Staff pass");
        EXPECT_EQ(side->Card_Side(), "1");
        EXPECT_TRUE(side->Card_border_chk());
        EXPECT_EQ(side->Card_bordr_clr(), QColor(Qt::red));
        EXPECT_EQ(side->Card_bor_Stepper(), 3);
        EXPECT_EQ(side->Card_border_style(), "DO");
        EXPECT_EQ(side->Card_fill_style(), "H");
        EXPECT_EQ(side->Card_hatch_style(), "waves");
        EXPECT_FLOAT_EQ(side->Card_alpha_Stepper(), 0.5f);
        EXPECT_NEAR(side->Card_fill_clr().alphaF(), 0.5, 0.01);
        EXPECT_EQ(side->Card_BG_Image_Path(), wizard.Card_Image_path);
    }
    EXPECT_EQ(controller.Front_card_Prop.Card_Side_Name(), "F");
    EXPECT_EQ(controller.Back_card_Prop.Card_Side_Name(), "B");

    // Gradient goes before hatch and picture; full opacity stays full whether given as 1.0 or 100.
    struct Case {
        bool gradient, hatch, picture;
        double opacity;
        const char* kind;
        float alpha;
    };
    for (const Case& c : {Case{true, true, true, 1.0, "G", 1.0f}, Case{false, false, true, 100, "I", 1.0f},
                          Case{false, false, false, 0.29, "S", 0.29f}}) {
        wizard.Card_gradient_fill_rd = c.gradient, wizard.Card_Style_fill_rd = c.hatch;
        wizard.Card_Image_fill_rd = c.picture, wizard.Card_alpha_Stepper = c.opacity;
        windows.cardWizard = wizard;
        script.press("Using_Wizard_btn");
        ASSERT_TRUE(Open_Start_Window(controller)) << c.kind;
        for (const Card_Property* side : {&controller.Front_card_Prop, &controller.Back_card_Prop}) {
            EXPECT_EQ(side->Card_fill_style(), c.kind);
            EXPECT_FLOAT_EQ(side->Card_alpha_Stepper(), c.alpha) << c.kind;
            EXPECT_EQ(side->Card_BG_Image().isNull(), c.kind != QLatin1String("I")) << c.kind;
        }
    }
    EXPECT_EQ(Card_Wizard_Opacity_Percent(0.5), 50);
    EXPECT_EQ(Card_Wizard_Opacity_Percent(0.29), 29);  // no per cent lost to rounding
}

TEST_F(ScriptedStart, TheGroupWizardsProjectOpensInGroupMode)
{
    DesignState sample = DesignSamples::fullDesign(DesignSamples::samplePicture(dir.path()));
    sample.startMode = QStringLiteral("T");
    ASSERT_TRUE(writeDesignFile(path("group template.did"), sample));
    // The first project cannot be written; the second can.
    QStringList projects{path("missing/project.did"), path("project.did")};
    windows.groupWizard = [&](SKTWindowController& window) {
        return Create_Group_Mode_Project(window, path("group template.did"), projects.takeFirst());
    };
    script.press("Using_Group_Batch_btn");
    script.press("Using_Group_Batch_btn");

    ASSERT_TRUE(Open_Start_Window(controller));
    EXPECT_EQ(script.chooserRuns, 2);
    EXPECT_EQ(messages.texts(), QStringList{QLatin1Char('\n') + kDesignNotSavedMessage});
    EXPECT_EQ(Start_Card_Option, "G");
    expectStartedDesign(int(sample.frontElements.size()));
    EXPECT_EQ(Project_File_Name, path("project.did"));
    EXPECT_EQ(Excel_Source_Path, sample.excelSourcePath);
    EXPECT_EQ(Ucontrol.size(), 1);
    DesignFileError error;
    const std::optional<DesignState> saved = readDesignFile(path("project.did"), &error);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->startMode, "G");
}
