// The window's file commands with scripted questions and file panels.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>
#include <deque>

#include "model/SKTDocument.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/DesignSession.h"
#include "mainwindow/SideCommands.h"
#include "designfile/DesignFile.h"
#include "designfile/DesignFileSamples.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/DesignFileController.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"

namespace {

constexpr int kYes = 0, kNo = 1, kCancel = 2;  // button indexes of the save question

// Answers file panels from queues (cancelled once empty); the start chooser is cancelled.
class FilePanels : public ScriptedDialogPresenter {
public:
    std::deque<QString> saveAnswers, openAnswers;
    int modalRuns = 0;
    QString saveFile(const FilePanelRequest&) override { return next(saveAnswers); }
    QString openFile(const FilePanelRequest&) override { return next(openAnswers); }
    int runModal(QDialog& dialog) override
    {
        ++modalRuns;
        return ScriptedDialogPresenter::runModal(dialog);
    }

private:
    static QString next(std::deque<QString>& answers)
    {
        if (answers.empty())
            return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Project_File_Name.clear();
        Start_Card_Option = QStringLiteral("L");
        controller.Front_card_Prop.setCard_Name(QStringLiteral("Staff"));
        controller.Back_card_Prop.setCard_Size(QSizeF(144, 252));
        document.insertGraphicsOnSide(SKTDocument::FrontSide, {SKTGraphic::create(GraphicKind::Shape)}, {0});
        document.insertGraphicsOnSide(SKTDocument::BackSide, {SKTGraphic::create(GraphicKind::Shape)}, {0});
    }
    void TearDown() override { Project_File_Name.clear(), Card_Front_Or_Back = 0; }

    QString path(const QString& name) const { return folder.filePath(name); }
    QByteArray bytesOf(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QAction* action(const char* name) const { return controller.window()->findChild<QAction*>(QLatin1String(name)); }
    // An edit as the canvas makes it: the change, then the snapshot after it.
    void moveFrontElement()
    {
        const GraphicPtr element = document.graphics().first();
        element->setBounds(element->bounds().translated(5, 0));
        controller.canvasHostOfWindow().Insert_In_Undo_Redo();
    }
    // The title's mark follows once the event loop has run.
    bool titleMarked() const
    {
        QCoreApplication::processEvents();
        return controller.window()->isWindowModified();
    }
    bool designKept() const
    {
        return document.graphics().size() == 1 && document.graphics_back().size() == 1
            && controller.Front_card_Prop.Card_Name() == QLatin1String("Staff");
    }
    // Showing the card's pages stores the canvas's place and size in the shown side's record.
    static bool defaultSettings(Card_Property side)
    {
        side.setCard_Location(QPointF()), side.setCard_Size(QSizeF(0, 0));
        return side == Card_Property();
    }
    bool designEmptied() const
    {
        return document.graphics().isEmpty() && document.graphics_back().isEmpty()
            && defaultSettings(controller.Front_card_Prop) && defaultSettings(controller.Back_card_Prop);
    }

    QTemporaryDir folder;
    SKTDocument document;
    SKTWindowController controller{document};
    FilePanels panels;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
};

TEST_F(FileCommandsTest, NewSavesOnYesEmptiesOnNoAndKeepsTheDesignOnCancel)
{
    messages.queueAnswers({kCancel});
    New_Btn_Clicked(controller);
    EXPECT_TRUE(designKept());

    // Yes without a current file asks for a location; cancelling that panel keeps the design too.
    messages.queueAnswers({kYes});
    New_Btn_Clicked(controller);
    EXPECT_TRUE(designKept());

    panels.saveAnswers = {path("kept")};
    messages.queueAnswers({kYes});
    New_Btn_Clicked(controller);
    EXPECT_TRUE(QFile::exists(path("kept.did")));
    EXPECT_TRUE(messages.texts().contains(QLatin1String("\n") + kDesignSavedMessage));
    EXPECT_TRUE(designEmptied());
    EXPECT_EQ(Project_File_Name, "");
}

TEST_F(FileCommandsTest, NewOnNoEmptiesWithoutSaving)
{
    messages.queueAnswers({kNo});
    New_Btn_Clicked(controller);
    EXPECT_TRUE(designEmptied());
    EXPECT_EQ(messages.records().size(), 1);
}

TEST_F(FileCommandsTest, SaveAsThenOpenRoundTripsAndTheTitleFollowsTheFile)
{
    panels.saveAnswers = {path("badge.did")};
    ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
    EXPECT_EQ(Project_File_Name, path("badge.did"));
    EXPECT_TRUE(controller.window()->windowTitle().contains(QLatin1String("badge.did")));

    // Save writes to the current file without a panel.
    controller.Front_card_Prop.setCard_Name(QStringLiteral("Visitor"));
    ASSERT_TRUE(Save_Btn_Clicked(controller));

    panels.openAnswers = {path("badge.did")};
    messages.queueAnswers({kNo});
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    EXPECT_EQ(controller.Front_card_Prop.Card_Name(), "Visitor");
    EXPECT_EQ(controller.Back_card_Prop.Card_Size(), QSizeF(144, 252));
    EXPECT_EQ(document.graphics().size(), 1);
    EXPECT_EQ(document.graphics_back().size(), 1);
    EXPECT_EQ(Project_File_Name, path("badge.did"));
    EXPECT_TRUE(controller.window()->windowTitle().contains(QLatin1String("badge.did")));
}

TEST_F(FileCommandsTest, AFailedSaveReportsAndLeavesTheOldFileWhole)
{
    panels.saveAnswers = {path("old.did")};
    ASSERT_TRUE(Save_Btn_Clicked(controller));
    const QByteArray before = bytesOf("old.did");
    ASSERT_FALSE(before.isEmpty());

    // A location below a plain file cannot be written, whoever runs the test.
    panels.saveAnswers = {path("old.did/new.did")};
    controller.Front_card_Prop.setCard_Name(QStringLiteral("Changed"));
    EXPECT_FALSE(SaveAs_Btn_Clicked(controller));
    EXPECT_EQ(messages.texts().last(), QLatin1String("\n") + kDesignNotSavedMessage);
    EXPECT_EQ(bytesOf("old.did"), before);
}

TEST_F(FileCommandsTest, ExitNeedsBothQuestionsAnsweredAndTheFileMenuIsLive)
{
    messages.queueAnswers({kNo, 1});  // then No to "really exit"
    EXPECT_FALSE(Exit_App(controller));
    messages.queueAnswers({kNo, 0});
    EXPECT_TRUE(Exit_App(controller));

    // Closing the window asks the same questions: No to "really exit" keeps it open.
    controller.showWindow();
    messages.queueAnswers({kNo, 1});
    EXPECT_FALSE(controller.window()->close());
    EXPECT_TRUE(controller.window()->isVisible());
    messages.queueAnswers({kNo, 0});
    EXPECT_TRUE(controller.window()->close());

    for (const char* title : {"New", "Open…", "Close", "Save", "Save As…"}) {
        const QList<QAction*> actions = controller.window()->findChildren<QAction*>();
        const auto found = std::find_if(actions.begin(), actions.end(),
                                        [&](QAction* a) { return a->text() == QString::fromUtf8(title); });
        ASSERT_NE(found, actions.end()) << title;
        EXPECT_TRUE((*found)->isEnabled()) << title;
    }
}

TEST_F(FileCommandsTest, OpenKeepsTheDesignUntilAnotherHasBeenChosenAndRead)
{
    messages.queueAnswers({kNo});
    EXPECT_FALSE(Open_Btn_Clicked(controller));  // the file panel is cancelled
    EXPECT_TRUE(designKept());

    QFile broken(path("broken.did"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a design");
    broken.close();
    panels.openAnswers = {path("broken.did")};
    messages.queueAnswers({kNo});
    EXPECT_FALSE(Open_Btn_Clicked(controller));
    EXPECT_TRUE(designKept());
    EXPECT_EQ(messages.texts().last(), QLatin1String("\n") + kCorruptDesignFileMessage);
    EXPECT_EQ(panels.modalRuns, 0) << "the start chooser must not replace the open design";

    // A design file that ends after its mode letter is no corrupt file: the message names where
    // and why, and the open design stays.
    QFile cut(path("cut.did"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><array>"
              "<string>ZOVAMACIDCARD</string><string>L</string></array></plist>\n");
    cut.close();
    panels.openAnswers = {path("cut.did")};
    messages.queueAnswers({kNo});
    EXPECT_FALSE(Open_Btn_Clicked(controller));
    EXPECT_TRUE(designKept());
    EXPECT_EQ(messages.texts().last(), QStringLiteral("\n2 - \nThe file ends where a text item was expected."));
    EXPECT_TRUE(action("Save_Btn_Clicked")->isEnabled());
}

// Other tools write designs in a single-byte encoding they declare: such a design opens with its
// characters. A control between a design's elements is refused as corrupt, as plistlib refuses it.
TEST_F(FileCommandsTest, OpenReadsADeclaredSingleByteEncodingAndRefusesAControlOutsideTexts)
{
    panels.saveAnswers = {path("card.did")};
    ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
    const QByteArray utf8 = bytesOf("card.did");
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(path(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    write("1252.did", QByteArray(utf8).replace("encoding=\"UTF-8\"", "encoding=\"windows-1252\"")
                          .replace("<string>Staff</string>", "<string>Staff \x80\xe9</string>"));
    write("control.did", QByteArray(utf8).replace("<array>", "<array>\x01"));

    panels.openAnswers = {path("1252.did")};
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    EXPECT_EQ(controller.Front_card_Prop.Card_Name(), QStringLiteral("Staff \u20ac\u00e9"));
    panels.openAnswers = {path("control.did")};
    EXPECT_FALSE(Open_Btn_Clicked(controller));
    EXPECT_EQ(messages.texts().last(), QLatin1String("\n") + kCorruptDesignFileMessage);
    EXPECT_EQ(controller.Front_card_Prop.Card_Name(), QStringLiteral("Staff \u20ac\u00e9"));
}

// A design is made from its file while the file's markup is still checked: one the check refuses
// (an "&" alone) stays refused, the shown design kept; one naming an entity that no DTD here
// declares is read again without it, and its picture shows its photo.
TEST_F(FileCommandsTest, OpenTakesADesignOnlyAsItsMarkupCheckPassesIt)
{
    QImage red(40, 30, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(path("photo.png")));
    const GraphicPtr photo = SKTGraphic::create(GraphicKind::Image);
    photo->_file_path = path("photo.png");
    photo->setBounds(QRectF(10, 10, 40, 30));
    document.insertGraphicsOnSide(SKTDocument::FrontSide, {photo}, {1});
    panels.saveAnswers = {path("card.did")};
    ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
    const QByteArray saved = bytesOf("card.did");
    for (const auto& [name, name_text] : {std::pair("ampersand.did", "Staff & Co"), std::pair("entity.did", "Sta&ent;ff Room")}) {
        QFile file(path(QLatin1String(name)));
        const QByteArray bytes = QByteArray(saved).replace("<string>Staff</string>", "<string>" + QByteArray(name_text) + "</string>");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    panels.openAnswers = {path("ampersand.did")};
    EXPECT_FALSE(Open_Btn_Clicked(controller));
    EXPECT_EQ(messages.texts().last(), QLatin1String("\n") + kCorruptDesignFileMessage);
    EXPECT_EQ(controller.Front_card_Prop.Card_Name(), QStringLiteral("Staff"));
    panels.openAnswers = {path("entity.did")};
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    EXPECT_EQ(controller.Front_card_Prop.Card_Name(), QStringLiteral("Staff Room"));
    const auto shown = std::find_if(document.graphics().cbegin(), document.graphics().cend(),
                                    [](const GraphicPtr& g) { return g->kind() == GraphicKind::Image; });
    ASSERT_NE(shown, document.graphics().cend());
    ASSERT_FALSE((*shown)->_contents.isNull());
    EXPECT_EQ((*shown)->_contents.pixel(20, 15), qRgb(255, 0, 0));
}

TEST_F(FileCommandsTest, TheSaveQuestionComesOnlyForChangesSinceTheDesignWasOpenedOrSaved)
{
    EXPECT_TRUE(titleMarked()) << "the fixture's design was never saved";
    panels.saveAnswers = {path("card.did")};
    ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
    EXPECT_FALSE(titleMarked());
    const qsizetype shown = messages.records().size();
    Close_Document_Clicked(controller);  // right after saving: no question
    EXPECT_EQ(messages.records().size(), shown);

    panels.openAnswers = {path("card.did")};
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    EXPECT_FALSE(titleMarked());
    EXPECT_FALSE(action("Undo_btn")->isEnabled());
    moveFrontElement();
    EXPECT_TRUE(titleMarked());
    EXPECT_TRUE(controller.window()->windowTitle().endsWith(QLatin1String("card.did )[*]")));

    // Undone, the design is the file again: quitting asks only whether to quit.
    action("Undo_btn")->trigger();
    EXPECT_FALSE(titleMarked());
    messages.queueAnswers({1});
    EXPECT_FALSE(Exit_App(controller));
    EXPECT_EQ(messages.texts().last(), QStringLiteral("\nDo you really want to exit?"));

    moveFrontElement();
    messages.queueAnswers({kCancel});
    EXPECT_FALSE(Exit_App(controller));
    EXPECT_EQ(messages.texts().last(), QStringLiteral("Do you want to save changes before closing?"));
}

// The back side counts as much as the front; closing without saving leaves no mark behind.
TEST_F(FileCommandsTest, AnEditOfTheBackMarksTheTitleAndCloseAnsweredNoClearsTheMark)
{
    controller.sideCommands().Select_back_side();
    panels.saveAnswers = {path("card.did")};
    ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
    ASSERT_FALSE(titleMarked());
    const GraphicPtr element = document.graphics_back().first();
    element->setBounds(element->bounds().translated(5, 0));
    controller.canvasHostOfWindow().Insert_In_Undo_Redo();
    EXPECT_TRUE(titleMarked());

    const qsizetype shown = messages.records().size();
    messages.queueAnswers({kCancel});
    Close_Document_Clicked(controller);
    ASSERT_EQ(messages.records().size(), shown + 1) << "Close asks";
    EXPECT_EQ(messages.texts().last(), QStringLiteral("Do you want to save changes?"));
    EXPECT_TRUE(designKept());
    EXPECT_TRUE(titleMarked());

    messages.queueAnswers({kNo});
    Close_Document_Clicked(controller);
    EXPECT_FALSE(controller.designSession().isOpen());
    EXPECT_FALSE(titleMarked());
}

TEST_F(FileCommandsTest, AfterCloseAndACancelledChooserNothingActsOnADesignAndNothingIsAsked)
{
    messages.queueAnswers({kNo});
    Close_Document_Clicked(controller);
    ASSERT_FALSE(controller.designSession().isOpen());
    const qsizetype shown = messages.records().size();

    for (const char* name : {"rect_tool_btn", "text_tool_btn", "Paste_btn", "Cut_btn", "Delete_btn", "Lock_btn",
                             "align_left_btn", "fit_to_label_btn", "Undo_btn", "Save_Btn_Clicked",
                             "Close_Document_Clicked", "Select_All_menu"})
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    EXPECT_TRUE(action("Open_Btn_Clicked")->isEnabled());
    controller.canvasHostOfWindow().Set_Paste_Button_Status();
    EXPECT_FALSE(action("Paste_btn")->isEnabled());
    EXPECT_FALSE(Save_Btn_Clicked(controller));
    EXPECT_FALSE(QFile::exists(path("kept.did")));

    controller.showWindow();
    EXPECT_TRUE(controller.window()->close()) << "closing without a design asks nothing";
    EXPECT_EQ(messages.records().size(), shown);
}

// Drawing stores a few values back into the elements (colours take their opacity, a text the words
// it shows): showing an opened design is no change, and the first edit is what one Undo takes back.
TEST_F(FileCommandsTest, AnOpenedDesignStaysUnchangedWhileItIsShown)
{
    const QString file = path("full.did");
    ASSERT_TRUE(writeDesignFile(file, DesignSamples::fullDesign(DesignSamples::samplePicture(folder.path()))));
    panels.openAnswers = {file};
    messages.queueAnswers({kNo});
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    controller.showWindow();
    controller.sideCommands().Select_back_side();
    QTest::qWait(100);
    controller.sideCommands().Select_front_side();
    QTest::qWait(100);
    EXPECT_FALSE(controller.designSession().hasUnsavedChanges());
    EXPECT_FALSE(titleMarked());
    EXPECT_FALSE(action("Undo_btn")->isEnabled());

    const QRectF before = document.graphics().first()->bounds();
    moveFrontElement();
    QTest::qWait(50);
    action("Undo_btn")->trigger();
    EXPECT_EQ(document.graphics().first()->bounds(), before);
    EXPECT_FALSE(action("Undo_btn")->isEnabled());
}

}  // namespace
