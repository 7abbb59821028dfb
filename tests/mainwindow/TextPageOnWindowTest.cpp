// The text pages on the main window: a text of an opened design is selected with the mouse and
// changed through the pages' controls only; each Undo takes back one change, a word typed
// included, and a new edit leaves nothing to redo. A face chosen in the font chooser is kept
// through undo, saving and opening. A text pasted past its 250 characters is cut, the balloon at
// the editor says so, and the design saved holds the 250 (plistlib).
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "MainWindowFixture.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/WindowDesignFile.h"
#include "../views/inspector/FieldTyping.h"
#include "support/CanvasMouse.h"
#include "support/FontPrinting.h"
#include "support/TestEnvironment.h"
#include "views/inspector/PropertyInspector.h"

namespace {

// What the pages change of a text.
struct TextLook {
    QString wording;
    CardFont font;
    QColor colour;
    int alignment = 0;
    bool shadow = false;
    bool operator==(const TextLook&) const = default;
};

class TextPageOnWindow : public MainWindowFixture {
protected:
    void SetUp() override
    {
        Start_Card_Option = QStringLiteral("L");
        controller.inspector().setUpControls({});
        ASSERT_NO_FATAL_FAILURE(openSampleDesign());
        controller.showWindow();
        QCoreApplication::processEvents();
    }

    QAction& undo() const { return action(QStringLiteral("Undo_btn")); }
    QAction& redo() const { return action(QStringLiteral("Redo_btn")); }
    // The sample card's title: the front's topmost element, rebuilt by every Undo.
    TextLook title() const
    {
        const GraphicPtr text = document.graphics().first();
        return {text->Text_contents(), text->textStyle.text_ctrl_font, text->textStyle.txt_clr,
                text->textStyle.text_alignmnet, text->textStyle.Drawing_Shadow};
    }
};

TEST_F(TextPageOnWindow, ATextChangedThroughThePagesComesBackOneUndoAtATime)
{
    canvas_mouse::drag(*controller.graphicView(SKTDocument::FrontSide), QPointF(150, 19), QPointF(150, 19));
    InspectorView& view = controller.windowLayout().inspectorView();
    ASSERT_EQ(view.sett_tab().currentWidget(), view.page(QStringLiteral("text_edtng_tab")));
    const TextLook opened = title();
    ASSERT_EQ(opened.wording, "ZOVA ID Card");
    ASSERT_FALSE(opened.shadow);

    QPlainTextEdit& editor = control<QPlainTextEdit>("Text_value_Edit");
    editor.setFocus();
    QTest::keyClicks(&editor, QStringLiteral("x"));
    QTest::keyClick(&editor, Qt::Key_Backspace);
    EXPECT_FALSE(undo().isEnabled()) << "typed and taken back: nothing to undo";
    editor.selectAll();
    QTest::keyClicks(&editor, QStringLiteral("Visitor Pass"));
    EXPECT_EQ(title().wording, "Visitor Pass");
    EXPECT_TRUE(undo().isEnabled()) << "the word typed is one undo step";

    QList<TextLook> states{opened, title()};
    dialogs.queueHook([](QDialog& dialog) {
        static_cast<QFontDialog&>(dialog).setCurrentFont(QFontDatabase::font(QStringLiteral("DejaVu Serif"), QStringLiteral("Book"), 18));
        dialog.accept();
    });
    control<QPushButton>("text_font_btn").click();
    states.append(title());
    pickColour("Text_clr", QColor(200, 20, 20));
    states.append(title());
    choose("Text_align_combo", 0);
    states.append(title());
    ASSERT_TRUE(view.showPage(QStringLiteral("text_prop_tab")));
    control<QCheckBox>("draw_shadow_chkbox").click();
    states.append(title());
    EXPECT_EQ(states.last(), (TextLook{"Visitor Pass", CardFont{"DejaVu Serif", 18}, QColor(200, 20, 20), 0, true}));

    for (qsizetype i = states.size() - 2; i >= 0; --i) {
        ASSERT_TRUE(undo().isEnabled()) << i;
        undo().trigger();
        EXPECT_EQ(title(), states.at(i)) << "after undoing down to state " << i;
    }
    EXPECT_EQ(title(), opened);
    EXPECT_FALSE(undo().isEnabled());
}

TEST_F(TextPageOnWindow, ABoldFaceChosenForATextIsKeptThroughUndoSavingAndOpening)
{
    canvas_mouse::drag(*controller.graphicView(SKTDocument::FrontSide), QPointF(150, 19), QPointF(150, 19));
    dialogs.queueHook([](QDialog& dialog) {
        static_cast<QFontDialog&>(dialog).setCurrentFont(QFont(QStringLiteral("DejaVu Sans"), 14, QFont::Bold));
        dialog.accept();
    });
    control<QPushButton>("text_font_btn").click();
    const CardFont bold{QStringLiteral("DejaVu Sans"), 14, QStringLiteral("Bold")};
    ASSERT_EQ(title().font, bold);
    EXPECT_EQ(control<QLabel>("Text_font_value").text(), "DejaVu Sans Bold ( 14.00 )");

    undo().trigger();
    EXPECT_EQ(title().font.style, "") << "the sample's title is in the regular face";
    controller.window()->findChild<QAction*>(QStringLiteral("Redo_btn"))->trigger();
    EXPECT_EQ(title().font, bold) << "restored from the snapshot's archive";

    const QString saved = scratch.filePath(QStringLiteral("bold.did"));
    ASSERT_TRUE(WindowDesignFile(controller).file().Save_project_file(saved, false, QStringLiteral("L")));
    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/design-probe");
    EXPECT_TRUE(TestEnvironment::run(probe, {QStringLiteral("dump"), saved}).out.contains("DejaVu Sans Bold::::14.00"));
    ASSERT_EQ(WindowDesignFile(controller).file().Read_and_load_design_Log_NEW_METHOD(scratch.filePath(QStringLiteral("sample.did")), QStringLiteral("L"), true), 1);
    ASSERT_NE(title().font, bold);
    ASSERT_EQ(WindowDesignFile(controller).file().Read_and_load_design_Log_NEW_METHOD(saved, QStringLiteral("L"), true), 1);
    EXPECT_EQ(title().font, bold);
}

TEST_F(TextPageOnWindow, APasteCutAtTheTextsLimitIsToldAndTheCutTextIsSaved)
{
    canvas_mouse::drag(*controller.graphicView(SKTDocument::FrontSide), QPointF(150, 19), QPointF(150, 19));
    auto& editor = control<QPlainTextEdit>("Text_value_Edit");
    editor.setFocus();
    const QString face = QStringLiteral("\U0001F600");
    const QString cut = QStringLiteral("A text holds at most 250 characters; the rest was left out.");
    const struct {
        QString pasted;
        QString kept;
        QString told;
    } cases[] = {
        {QString(250, u'a'), QString(250, u'a'), QString()},
        {QString(248, u'b') + face, QString(248, u'b') + face, QString()},
        {QString(249, u'c') + face, QString(249, u'c'), cut},
        {QString(10000, u'd'), QString(250, u'd'), cut},
    };
    for (const auto& c : cases) {
        editor.selectAll();
        QGuiApplication::clipboard()->setText(c.pasted);
        QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(balloon(), c.told) << c.pasted.size();
        EXPECT_EQ(editor.toPlainText(), c.kept) << c.pasted.size();
        EXPECT_EQ(title().wording, c.kept) << c.pasted.size();
    }

    const QString saved = scratch.filePath(QStringLiteral("pasted.did"));
    ASSERT_TRUE(WindowDesignFile(controller).file().Save_project_file(saved, false, QStringLiteral("L")));
    const auto read = TestEnvironment::runPython(
        "import plistlib, sys\nitems = plistlib.load(open(sys.argv[1], 'rb'))\n"
        "print([len(s) for e in items if isinstance(e, list) and e[:1] == ['T'] for s in e if isinstance(s, str) and set(s) == {'d'}])\n",
        {saved});
    EXPECT_EQ(QString::fromUtf8(read.out).trimmed(), QStringLiteral("[250]")) << read.err.constData();
}

// After an Undo leaves something to redo, each road edits the title once through the inspector:
// one undo step of its own, and nothing left to redo.
TEST_F(TextPageOnWindow, EachInspectorEditIsOneUndoStepAndLeavesNothingToRedo)
{
    InspectorView& view = controller.windowLayout().inspectorView();
    struct Road {
        const char* name;
        std::function<void()> edit;
        std::function<QString()> shown;  // what the edit changes of the title
        QString after;
    };
    const QList<Road> roads{
        {"typing a word", [&] {
             auto& editor = control<QPlainTextEdit>("Text_value_Edit");
             editor.selectAll();
             QTest::keyClicks(&editor, QStringLiteral("Guest"));
             QTest::keyClicks(&editor, QStringLiteral(" Pass"));
         }, [this] { return title().wording; }, "Guest Pass"},
        {"the left edge on the arrange page", [&] {
             ASSERT_TRUE(view.showPage(QStringLiteral("aligmnt_tab")));
             typeAndEnter(control<QDoubleSpinBox>("frame_main_pic_X_pos"), QStringLiteral("40"));
         }, [this] { return QString::number(document.graphics().first()->xPosition()); }, "40"},
        {"the colour of all texts on the card page", [&] {
             controller.canvasHostOfWindow().Show_RHS_Properties(nullptr);
             pickColour("All_Text_clr", QColor(20, 120, 40));
         }, [this] { return title().colour.name(); }, "#147828"},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        canvas_mouse::drag(*controller.graphicView(SKTDocument::FrontSide), QPointF(150, 19), QPointF(150, 19));
        ASSERT_TRUE(view.showPage(QStringLiteral("text_prop_tab")));
        control<QCheckBox>("draw_shadow_chkbox").click();
        undo().trigger();
        canvas_mouse::drag(*controller.graphicView(SKTDocument::FrontSide), QPointF(150, 19), QPointF(150, 19));
        const QString before = road.shown();
        road.edit();
        EXPECT_EQ(road.shown(), road.after);
        EXPECT_FALSE(redo().isEnabled()) << "the shadow taken back is not offered again";
        redo().trigger();
        EXPECT_FALSE(title().shadow);
        undo().trigger();
        EXPECT_EQ(road.shown(), before) << "one Undo takes back the whole edit";
        EXPECT_TRUE(redo().isEnabled());
    }
}

}  // namespace
