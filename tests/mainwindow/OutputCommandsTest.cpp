// Output commands and the card commands of the canvas menu, with scripted windows.
#include <gtest/gtest.h>

#include <QImage>
#include <QComboBox>
#include <QDialog>
#include <QTabWidget>
#include <QTemporaryDir>

#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/ToolCommands.h"
#include "model/SKTDocument.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/ScriptedPhotoWindows.h"
#include "views/canvas/CanvasHost.h"
#include "views/print/StandInPrinters.h"

namespace {

class OutputCommandsTest : public ::testing::Test {
protected:
    void TearDown() override { Card_Front_Or_Back = 0; }

    QTemporaryDir folder;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    SKTDocument document;
    SKTWindowController controller{document};
};

TEST_F(OutputCommandsTest, LibraryBackgroundGoesToTheSideInForceOnlyWhenAPictureWasChosen)
{
    const QString picture = folder.filePath(QStringLiteral("wall.png"));
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(picture));
    ScriptedPhotoWindows library;
    library.libraryFile = picture;
    Card_Front_Or_Back = 1;
    canvasHost().Card_Bckgrnd_Clicked();  // cancelled
    EXPECT_EQ(library.calls, QStringList{QStringLiteral("library B")});
    EXPECT_FALSE(controller.Back_card_Prop.Card_fill_chk());

    library.libraryAnswer = 1;
    canvasHost().Card_Bckgrnd_Clicked();
    EXPECT_EQ(controller.Back_card_Prop.Card_fill_style(), QStringLiteral("I"));
    EXPECT_EQ(controller.Back_card_Prop.Card_BG_Image().size(), QSize(30, 20));
    EXPECT_TRUE(controller.Front_card_Prop.Card_BG_Image_Path().isEmpty());
    EXPECT_EQ(controller.windowLayout().settingsTabs()->currentWidget()->objectName(), QStringLiteral("card_bkgd_tab"));
}

TEST_F(OutputCommandsTest, CropAPhotoOpensTheCroppingToolAtItsFirstPage)
{
    Cropping_Tool_Clicked(controller);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("\nThe cropping tool is not available yet.")});
    ScriptedPhotoWindows tool;
    Cropping_Tool_Clicked(controller);
    EXPECT_EQ(tool.calls, QStringList{QStringLiteral("crop tool")});
}

TEST_F(OutputCommandsTest, PrintingLeavesTheDesignAndSideAsTheyWere)
{
    const GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
    document.insertGraphicsOnSide(SKTDocument::BackSide, {shape}, {0});
    Card_Front_Or_Back = 1;
    Card_Value_In_Process = true;
    StandInPrinters printers;
    printers.names.clear();
    canvasHost().Print_Button();
    EXPECT_EQ(messages.texts(), QStringList{"\n" + kNoPrinterMessage});

    printers.names = QStringList{QStringLiteral("Office Laser")};
    ScriptedDialogPresenter dialogs;
    QStringList opened;
    dialogs.queueHook([&opened](QDialog& window) {
        opened.append(window.objectName());
        opened.append(window.findChild<QComboBox*>(QStringLiteral("Printer_ComboBox"))->currentText());
    });
    canvasHost().Print_Button();
    EXPECT_EQ(opened, QStringList({"Print_Wnd", "Office Laser"}));
    EXPECT_FALSE(Card_Value_In_Process);
    ASSERT_EQ(document.graphics_back().size(), 1);
    EXPECT_EQ(document.graphics_back().first()->kind(), GraphicKind::Shape);
    EXPECT_EQ(Card_Front_Or_Back, 1);
    Card_Value_In_Process = false;
}

}  // namespace
