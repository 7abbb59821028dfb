// The card-holder profile on the start roads of the real window: a profile confirmed in the
// template window reaches a visitor pass and its side panel, a new design shows no caption the
// design before it was given (its saved file read with plistlib, its export set against a fresh
// start's with ImageMagick), the profile window confirmed unchanged on a visitor pass changes
// nothing, the panel shows a visitor's two-colour photo in its colour, and typing on one pass is
// not asked about on the next.
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ExportScripting.h"
#include "VisitorDeskFixture.h"
#include "mainwindow/DesignSession.h"
#include "model/SKTImage.h"
#include "platform/ResourcePaths.h"
#include "views/wizards/Template_Wizard.h"

namespace {

class ProfileStartRoad : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(copyBuiltResources({"Templates/visitor/visitor orange (h).did",
                                                    "Templates/employee/classic blue (h).did", "photo_placeholder.png",
                                                    "no.png"}));
        controller.window()->resize(1280, 800);
        controller.showWindow();
    }
    void TearDown() override
    {
        Fill_User_Profile = false;
        VisitorDeskFixture::TearDown();
    }
    // The chooser's next run takes this start, on the category's template of that name; a holder's
    // name, when given, typed into the template window's Card-Holder Profile… window and confirmed.
    void queueStart(const char* button, const QString& category, const QString& shown, const QString& name = {})
    {
        press(button);
        dialogs.queueHook([this, category, shown, name](QDialog& dialog) {
            Template_Wizard* window = chooseShownTemplate(dialog, category, shown);
            if (!window)
                return;
            if (!name.isEmpty()) {
                dialogs.queueHook([name](QDialog& profile) {
                    QTest::keyClicks(profile.findChild<QLineEdit*>(QStringLiteral("name_value")), name);
                    profile.findChild<QPushButton*>(QStringLiteral("ok_btn"))->click();
                });
                window->findChild<QPushButton*>(QStringLiteral("User_Profile_btn"))->click();
            }
            window->OK_Click();
        });
    }
    // File -> New, changes not saved, then the start the chooser was given.
    void newDesign()
    {
        if (controller.designSession().hasUnsavedChanges())
            messages.queueAnswers({1});
        action(QStringLiteral("New_Btn_Clicked")).trigger();
    }
    // The visible profile captions of both sides, "identifier=text" sorted.
    QString shownCaptions() const
    {
        QStringList shown;
        for (SKTDocument::Side side : {SKTDocument::FrontSide, SKTDocument::BackSide})
            for (const GraphicPtr& element : document.graphicsOfSide(side))
                if (element->ctrl_is_visible && element->control_ID.startsWith(QLatin1String("Fup_lbl_")))
                    shown << element->control_ID + u'=' + element->Text_Value;
        shown.sort();
        return shown.join(u'|');
    }
    // File -> Export Cards… of the design alone into the file; the front's picture.
    QString exportFront(const QString& name)
    {
        scriptDesignExport(dialogs, scratch.filePath(name + QStringLiteral(".png")));
        action(QStringLiteral("Export_Button")).trigger();
        return scratch.filePath(name + QStringLiteral("_Front.png"));
    }
    // The saved design's text elements with the identifier as plistlib reads them: shown (Y or N)
    // and the text, a line each.
    static QString savedText(const QString& design, const char* id)
    {
        const auto read = TestEnvironment::runPython(
            "import plistlib, sys\n"
            "for e in plistlib.load(open(sys.argv[1], 'rb')):\n"
            "    if isinstance(e, list) and e[:1] == ['T'] and e[18] == sys.argv[2]: print(e[19], e[31])\n",
            {design, QLatin1String(id)});
        EXPECT_EQ(read.exitCode, 0) << read.err.constData();
        return QString::fromUtf8(read.out).trimmed().replace(u'\n', u'|');
    }
};

}  // namespace

// A visitor pass's profile confirmed with its "Pass No." caption ticked, then File -> New and a
// template started with a holder's name from the template window: the new card is the one a
// fresh start makes, its narrow ID caption hidden as the profile left it, on the canvas, in the
// saved design and in the exported picture.
TEST_F(ProfileStartRoad, ANewDesignShowsNoCaptionGivenToTheDesignBeforeIt)
{
    const QString employee = QStringLiteral("Employee"), classicBlue = QStringLiteral("Classic blue (h)");
    queueStart("Using_Template_btn", employee, classicBlue, QStringLiteral("Ana Souza"));
    ASSERT_TRUE(Open_Start_Window(controller));
    const QString fresh = exportFront(QStringLiteral("fresh"));

    queueStart("Using_Visitor_btn", TemplateCatalog::kVisitorCategory, QStringLiteral("Visitor orange (h)"));
    newDesign();
    confirmProfile({});
    EXPECT_EQ(shownCaptions(), "Fup_lbl_UniqueNo=Pass No.");

    queueStart("Using_Template_btn", employee, classicBlue, QStringLiteral("Ana Souza"));
    newDesign();
    EXPECT_EQ(shownCaptions(), "");
    const QString saved = scratch.filePath(QStringLiteral("next.did"));
    dialogs.queueSaveFile(saved);
    action(QStringLiteral("SaveAs_Btn_Clicked")).trigger();
    EXPECT_EQ(savedText(saved, "Fup_lbl_UniqueNo"), "N ID");
    EXPECT_EQ(savedText(saved, "Fup_Name"), "Y Ana Souza|Y Ana Souza");
    // Glyph edges may come up to a seventh apart once Qt's caches hold them; a caption more is ink.
    const auto compared = TestEnvironment::run(
        QStringLiteral("compare"), {QStringLiteral("-metric"), QStringLiteral("AE"), QStringLiteral("-fuzz"), QStringLiteral("20%"),
                                    fresh, exportFront(QStringLiteral("next")), QStringLiteral("null:")});
    EXPECT_EQ(compared.err.trimmed(), "0");
}

// Visitor pass mode, a name confirmed in the template window's Card-Holder Profile… window: the
// pass and the panel show it, and Register Visitor logs it (sqlite3).
TEST_F(ProfileStartRoad, AProfileConfirmedInTheVisitorTemplateWindowIsOnThePassAndThePanel)
{
    queueStart("Using_Visitor_btn", TemplateCatalog::kVisitorCategory, QStringLiteral("Visitor orange (h)"),
               QStringLiteral("Tpl Visitor"));
    ASSERT_TRUE(Open_Start_Window(controller));
    ASSERT_EQ(Start_Card_Option, QStringLiteral("V"));
    EXPECT_EQ(onCard("Fup_Name")->Text_Value, QStringLiteral("Tpl Visitor"));
    EXPECT_TRUE(onCard("Fup_Name")->ctrl_is_visible);
    EXPECT_EQ(front().textBox("Fup_Name")->text(), QStringLiteral("Tpl Visitor"));
    click("register_visitor_btn");
    EXPECT_EQ(logged("Name"), QStringLiteral("Tpl Visitor"));
}

// On a fresh visitor pass the profile confirmed unchanged, or given in the template window
// without a photo, leaves the pass's placeholder photo as it was: the panel's photo box names no
// picture of the program's. The profile confirmed unchanged leaves the design unchanged; the name
// typed in the template window is a change that New asks about.
TEST_F(ProfileStartRoad, AProfileWithoutAPhotoLeavesThePassPlaceholderAndTheDesignAsTheyWere)
{
    const QString placeholder = QDir(Resource_Path).filePath(QStringLiteral("photo_placeholder.png"));
    struct Road {
        const char* name;
        std::function<void()> walk;
        bool changed;
    };
    const Road roads[] = {
        {"profile confirmed unchanged",
         [this] {
             queueStart("Using_Visitor_btn", TemplateCatalog::kVisitorCategory, QStringLiteral("Visitor orange (h)"));
             ASSERT_TRUE(Open_Start_Window(controller));
             confirmProfile({});
         },
         false},
        {"profile of the template window",
         [this] {
             queueStart("Using_Visitor_btn", TemplateCatalog::kVisitorCategory, QStringLiteral("Visitor orange (h)"),
                        QStringLiteral("Tpl Visitor"));
             newDesign();
         },
         true},
    };
    for (const auto& [road, walk, changed] : roads) {
        SCOPED_TRACE(road);
        ASSERT_NO_FATAL_FAILURE(walk());
        EXPECT_EQ(onCard("Fup_Photo")->_file_path, placeholder);
        EXPECT_EQ(front().photoPath(), QString());
        EXPECT_EQ(controller.designSession().hasUnsavedChanges(), changed);
    }
}

// Start -> Design from a template -> Classic blue (h) with a holder's name given in the template
// window's profile: the new design is marked changed, and File -> New asks to save it.
TEST_F(ProfileStartRoad, AProfileGivenInTheTemplateWindowIsAChangeNewAsksAbout)
{
    queueStart("Using_Template_btn", QStringLiteral("Employee"), QStringLiteral("Classic blue (h)"),
               QStringLiteral("Kofi Mensah"));
    ASSERT_TRUE(Open_Start_Window(controller));
    ASSERT_EQ(onCard("Fup_Name")->Text_Value, "Kofi Mensah");
    QCoreApplication::processEvents();
    EXPECT_TRUE(controller.window()->isWindowModified());
    const qsizetype said = messages.texts().size();
    messages.queueAnswers({2});  // Cancel
    action(QStringLiteral("New_Btn_Clicked")).trigger();
    EXPECT_EQ(messages.texts().mid(said), QStringList{"Do you want to save changes before opening new document?"});
    EXPECT_EQ(onCard("Fup_Name")->Text_Value, "Kofi Mensah");
}

// A two-colour picture (a 1-bit palette PNG from ImageMagick) browsed for the visitor shows in its
// colour in the panel's preview, as on the pass.
TEST_F(ProfileStartRoad, ATwoColourPhotoShowsInItsColourInThePanel)
{
    queueStart("Using_Visitor_btn", TemplateCatalog::kVisitorCategory, QStringLiteral("Visitor orange (h)"));
    ASSERT_TRUE(Open_Start_Window(controller));
    const QString red = scratch.filePath(QStringLiteral("red.png"));
    ASSERT_EQ(TestEnvironment::run(QStringLiteral("convert"), {QStringLiteral("-size"), QStringLiteral("300x400"),
                                                               QStringLiteral("xc:red"), red})
                  .exitCode,
              0);
    dialogs.queueOpenFile(red);
    click("browse_photo_btn");
    const QImage preview = front().findChild<QLabel*>(QStringLiteral("photo_view"))->pixmap().toImage();
    ASSERT_FALSE(preview.isNull());
    EXPECT_EQ(preview.pixelColor(preview.width() / 2, preview.height() / 2), QColor(Qt::red));
    const QImage& onPass = static_cast<SKTImage&>(*onCard("Fup_Photo"))._contents;
    EXPECT_EQ(onPass.pixelColor(onPass.width() / 2, onPass.height() / 2), QColor(Qt::red));
}

// A name typed on one visitor pass is not typing on the next: the same name given to the new pass
// through File -> Card Holder Profile… is one edit, which Undo takes back without a question.
TEST_F(ProfileStartRoad, TypingOnTheDesignBeforeIsNotAskedAboutOnTheNext)
{
    const QString orange = QStringLiteral("Visitor orange (h)");
    queueStart("Using_Visitor_btn", TemplateCatalog::kVisitorCategory, orange);
    ASSERT_TRUE(Open_Start_Window(controller));
    const QString placeholder = front().textBox("Fup_Name")->text();
    type("Fup_Name", QStringLiteral("Ana Souza"));
    queueStart("Using_Visitor_btn", TemplateCatalog::kVisitorCategory, orange);
    newDesign();
    ASSERT_EQ(front().textBox("Fup_Name")->text(), placeholder);
    confirmProfile({{0, QStringLiteral("Ana Souza")}});
    ASSERT_EQ(onCard("Fup_Name")->Text_Value, QStringLiteral("Ana Souza"));
    const qsizetype said = messages.texts().size();
    action(QStringLiteral("Undo_btn")).trigger();
    EXPECT_EQ(messages.texts().mid(said), QStringList());
    EXPECT_EQ(onCard("Fup_Name")->Text_Value, placeholder);
    EXPECT_EQ(front().textBox("Fup_Name")->text(), placeholder);
}

// File -> Card Holder Profile… on a fresh Classic blue (h): the photo row names no picture of the
// program's, and OK with it unchanged gives the profile no photo and leaves the card's placeholder.
TEST_F(ProfileStartRoad, TheProfileWindowShowsNoPlaceholderAsThePhoto)
{
    queueStart("Using_Template_btn", QStringLiteral("Employee"), QStringLiteral("Classic blue (h)"));
    ASSERT_TRUE(Open_Start_Window(controller));
    const QString placeholder = onCard("Fup_Photo")->_file_path;
    ASSERT_TRUE(Is_Placeholder_Path(placeholder)) << qPrintable(placeholder);
    QString shownPath = QStringLiteral("(not opened)");
    dialogs.queueHook([&shownPath](QDialog& window) {
        shownPath = window.findChild<QLineEdit*>(QStringLiteral("image_path_val"))->text();
        window.findChild<QPushButton*>(QStringLiteral("ok_btn"))->click();
    });
    action(QStringLiteral("User_Profile_Button_Clicked")).trigger();
    EXPECT_EQ(shownPath, QString());
    EXPECT_EQ(controller.Front_user_profile.image, QString());
    EXPECT_EQ(onCard("Fup_Photo")->_file_path, placeholder);
}
