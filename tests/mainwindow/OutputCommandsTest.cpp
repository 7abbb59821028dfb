// Output commands and the card commands of the canvas menu, with scripted windows.
#include <gtest/gtest.h>

#include <QImage>
#include <QComboBox>
#include <QDialog>
#include <QTabWidget>
#include <QTemporaryDir>

#include "data/Data_From_Excel.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/ToolCommands.h"
#include "model/SKTDocument.h"
#include "output/OutputTestSupport.h"
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

// Record 0 goes onto both sides of the design, on fresh elements, so that the canvas shows the
// first values; typed elements keep theirs and the side in force stays in force. A first record
// that cannot be shown whole leaves the design as it was and says why.
TEST_F(OutputCommandsTest, TheFirstRowGoesOntoBothSidesOfTheDesignWholeOrNotAtAll)
{
    Data_From_Excel& table = Loaded_Data_Table();
    OutputTest::fillTable(table, {{QStringLiteral("Ada Lovelace"), QStringLiteral("Analyst")},
                                  {QStringLiteral("Grace Hopper"), QStringLiteral("Admiral")}});
    const GraphicPtr name = OutputTest::columnBound(GraphicKind::Text, 1);
    name->Set_text_value(QStringLiteral("Designed"));
    const GraphicPtr typed = SKTGraphic::create(GraphicKind::Text);
    typed->Set_text_value(QStringLiteral("Staff"));
    const GraphicPtr role = OutputTest::columnBound(GraphicKind::Text, 2);
    const GraphicPtr row = OutputTest::columnBound(GraphicKind::Text, 0);
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, {name, typed});
    document.replaceGraphicsOnSide(SKTDocument::BackSide, {role, row});
    CARD_SIDE_STR = QStringLiteral("2");
    Card_Front_Or_Back = 1;
    Card_Value_In_Process = true;
    auto texts = [](const GraphicList& side) {
        QStringList values;
        for (const GraphicPtr& element : side)
            values.append(element->Text_Value);
        return values;
    };

    Select_first_row_value_for_design(controller);
    EXPECT_EQ(texts(document.graphics()), (QStringList{"Ada Lovelace", "Staff"}));
    EXPECT_EQ(texts(document.graphics_back()), (QStringList{"Analyst", "1"}));
    EXPECT_EQ(name->Text_Value, QStringLiteral("Designed"));  // the run's copies, not the elements it began from
    EXPECT_EQ(document.graphics()[0]->excel_col_indx, 1);
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_FALSE(Card_Value_In_Process);
    EXPECT_TRUE(messages.texts().isEmpty());

    // A photo of the first record that cannot be read: nothing changes, and the box says why.
    const GraphicPtr photo = OutputTest::columnBound(GraphicKind::Image, 2);
    photo->setBounds(QRectF(0, 0, 40, 40));
    const GraphicList before = document.graphics();
    document.replaceGraphicsOnSide(SKTDocument::BackSide, {photo});
    Select_first_row_value_for_design(controller);
    CARD_SIDE_STR = QStringLiteral("1");
    table.ListData.clear();
    EXPECT_EQ(document.graphics(), before);
    EXPECT_EQ(document.graphics_back(), GraphicList{photo});
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts()[0].startsWith("\nThe first record cannot be shown on the card.\n\n"))
        << qPrintable(messages.texts()[0]);
    EXPECT_TRUE(messages.texts()[0].contains("Analyst")) << qPrintable(messages.texts()[0]);
}
