// Both sides of a card are one person in group and visitor modes, on the real window: every run
// puts the chosen record on the side not shown too (exported, printed and mailed cards read with
// zbarimg), the panel follows every crop, camera picture and deletion of the photo (the workbook
// read with openpyxl), and a design copied onto the other side fills that side's panel as an Open
// does while the visitor's typing stays.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <functional>

#include "GroupPeopleFixture.h"
#include "VisitorDeskFixture.h"
#include "mail/Preferences.h"
#include "mainwindow/MainWindowUtilities.h"
#include "platform/CanvasGlobals.h"
#include "support/CanvasMouse.h"
#include "views/mail/Send_Mail.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/SelectionCanvasWidget.h"
#include "photos/SelectionCanvasModel.h"
#include "views/print/Print_Wnd.h"
#include "views/print/StandInPrinters.h"

namespace {

// What zbarimg reads in the pictures, sorted.
QStringList symbolsIn(const QStringList& pictures)
{
    const auto decoded = TestEnvironment::run(QStringLiteral("zbarimg"), QStringList{QStringLiteral("-q"), QStringLiteral("--raw")} + pictures);
    QStringList read = QString::fromUtf8(decoded.out).split(u'\n', Qt::SkipEmptyParts);
    read.sort();
    return read;
}

QStringList picturesIn(const QDir& folder)
{
    QStringList paths;
    for (const QString& name : folder.entryList({QStringLiteral("*.png"), QStringLiteral("*.PNG")}, QDir::Files, QDir::Name))
        paths << folder.filePath(name);
    return paths;
}

class GroupBothSides : public GroupPeople {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(GroupPeople::SetUp());
        CARD_SIDE_STR = QStringLiteral("2");
        addIdElements(document);
    }
    SKTGraphicView& canvas(int side) const
    {
        return *controller.graphicView(side == 1 ? SKTDocument::BackSide : SKTDocument::FrontSide);
    }
    GraphicPtr onSide(int side, const char* id) const { return canvas(side).Selcect_Ctrl_With_ID(QLatin1String(id)); }
    // The card's ID text of the side (the bound text without an identifier).
    QString idTextOn(int side) const
    {
        for (const GraphicPtr& element : canvas(side).graphics())
            if (element->kind() == GraphicKind::Text && element->control_ID.isEmpty())
                return element->Text_Value;
        return QString();
    }
    void copyDesign()
    {
        messages.queueAnswers({0});  // "Yes"
        controller.sideCommands().Copy_Card_Design_Clicked();
    }
    // The back shows record 6, the front the record (8 unless told), as after choosing 6, copying
    // the design and choosing the record on the front.
    void backKeepsAnEarlierRecord(int front = 8)
    {
        controller.sideCommands().Select_back_side();
        clickGroupRow(5);
        controller.sideCommands().Select_front_side();
        clickGroupRow(front - 1);
        ASSERT_EQ(idTextOn(0), QStringLiteral("ID%1").arg(front, 4, 10, QChar(u'0')));
        ASSERT_EQ(idTextOn(1), "ID0006");
    }
    QStringList exportedCard()
    {
        QTemporaryDir out;
        exportCardWithoutData(out.filePath(QStringLiteral("card.png")));
        return symbolsIn(picturesIn(QDir(out.path())));
    }
    QStringList printedCard()
    {
        StandInPrinters printers;
        const QString pdf = scratch.filePath(QStringLiteral("card.pdf"));
        dialogs.queueHook([&pdf](QDialog& dialog) {
            auto& window = static_cast<Print_Wnd&>(dialog);
            if (window.rangeBlock().Export_with_excel_chk->isChecked())
                window.rangeBlock().Export_with_excel_chk->click();
            window.rangeBlock().Total_Text->setValue(1);
            window.printToFile = pdf;
            window.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
            window.printToFile.clear();
        });
        Print_Button(controller);
        // Both sides lie on one page, where zbarimg reads one symbol once: the sheet's texts.
        const QString text = QString::fromUtf8(TestEnvironment::run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out);
        return text.split(u'\n', Qt::SkipEmptyParts).filter(QRegularExpression(QStringLiteral("^ID\\d+$")));
    }
    QStringList mailedCard()
    {
        QTemporaryDir settings, received;
        Preferences account(settings.filePath(QStringLiteral("com.zovacardmail.plist")));
        EXPECT_TRUE(account.store({QStringLiteral("desk@example.org"), QStringLiteral("secret"), QStringLiteral("127.0.0.1"), 2525,
                                   MailSecurity::None}));
        Send_Mail& mail = Send_Mail::defaultInstance();
        mail.preferences = &account;
        mail.transport = [&received](const MailAccount&, const MailMessage& message) {
            for (const QString& attachment : message.attachments)
                QFile::copy(attachment, QDir(received.path()).filePath(QFileInfo(attachment).fileName()));
            return MailSendResult{true, {}};
        };
        dialogs.queueHook([&mail](QDialog&) {
            if (mail.rangeBlock()->Export_with_excel_chk->isChecked())
                mail.rangeBlock()->Export_with_excel_chk->click();
            mail.findChild<QComboBox*>(QStringLiteral("recipient_column"))->setCurrentIndex(0);
            mail.findChild<QLineEdit*>(QStringLiteral("recipient_address"))->setText(QStringLiteral("person@example.org"));
            mail.findChild<QPushButton*>(QStringLiteral("send_button"))->click();
        });
        Mail_Button(controller);
        mail.preferences = nullptr;
        mail.transport = {};
        return symbolsIn(picturesIn(QDir(received.path())));
    }
};

}  // namespace

// Record 6 copied onto the back, record 8 (or the last, 10) chosen on the front: the exported,
// printed and mailed card is that record on both sides, whichever run makes it.
TEST_F(GroupBothSides, EveryRunPutsTheChosenRecordOnTheSideNotShownToo)
{
    clickGroupRow(5);
    copyDesign();
    const struct {
        const char* run;
        std::function<QStringList()> card;
        int front;
    } runs[] = {
        {"export", [this] { return exportedCard(); }, 8},
        {"print", [this] { return printedCard(); }, 8},
        {"mail", [this] { return mailedCard(); }, 8},
        {"export of the last record", [this] { return exportedCard(); }, 10},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.run);
        ASSERT_NO_FATAL_FAILURE(backKeepsAnEarlierRecord(run.front));
        const QString id = QStringLiteral("ID%1").arg(run.front, 4, 10, QChar(u'0'));
        EXPECT_EQ(run.card().join(u' '), id + u' ' + id) << qPrintable(messages.texts().join(u'|'));
        EXPECT_EQ(idTextOn(0), id);
        EXPECT_EQ(Card_Front_Or_Back, 0);
    }
}

// The design copied onto the back fills the back's panel with the fields its card holds, ticked
// and with their values, as an Open of the design does.
TEST_F(GroupBothSides, ACopiedDesignsPanelShowsItsCardsFields)
{
    chooseColumn("Fup_Company", 2);
    clickGroupRow(5);
    copyDesign();
    Profile_Side_Panel& back = controller.liveModes().panel(1);
    for (const auto& [id, value] : {std::pair{"Fup_Name", "Person 6"}, std::pair{"Fup_Company", "Firm 6"}}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(back.checkBox(QLatin1String(id))->isChecked());
        EXPECT_EQ(back.textBox(QLatin1String(id))->text(), QLatin1String(value));
        EXPECT_EQ(onSide(1, id)->Text_Value, QLatin1String(value));
    }
    EXPECT_EQ(back.photoPath(), photos[5]);
    ASSERT_TRUE(Save_Btn_Clicked(controller));
    dialogs.queueOpenFile(Project_File_Name);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    EXPECT_TRUE(back.checkBox(QStringLiteral("Fup_Company"))->isChecked());
    EXPECT_EQ(back.textBox(QStringLiteral("Fup_Company"))->text(), "Firm 1");
}

namespace {

// The picture page's Crop with the real cropping tool on the front's photo, bound to the photo
// column of the group project.
class GroupPhotoCrop : public GroupPeople {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(GroupPeople::SetUp());
        savedCropFolder = Cropped_Img_Path;
        Cropped_Img_Path = scratch.filePath(QStringLiteral("Cropped_Images"));
        setPhotoWindows(&camera, nullptr, &tool);
    }
    void TearDown() override
    {
        setPhotoWindows(nullptr, nullptr, nullptr);
        Cropped_Img_Path = savedCropFolder;
        GroupPeople::TearDown();
    }
    void selectPhoto()
    {
        SKTGraphicView& view = *controller.graphicView(SKTDocument::FrontSide);
        const QPointF middle = photoOnCard().bounds().center();
        canvas_mouse::drag(view, middle, middle);
        ASSERT_EQ(view.selectedGraphics(), GraphicList({frontElement("Fup_Photo")}));
    }
    void crop()
    {
        ASSERT_TRUE(inspector().showPage(QStringLiteral("image_tab")));
        dialogs.queueHook([this](QDialog&) {
            tool.canvas().model().addSelectorWithFrame(QRectF(10, 10, 20, 20));
            tool.findChild<QPushButton*>(QStringLiteral("Crop_direct_Btn"))->click();
        });
        control<QPushButton>("Cropping_Selected_Image_btn").click();
    }
    QPushButton& saveDetails() const { return *front().findChild<QPushButton*>(QStringLiteral("save_excel_detail_btn")); }

    QString savedCropFolder;
    TakenPicture camera;
    Cropping_Tool tool{{QStringList{QStringLiteral("png")}, &Image_Is_Over_Size, nullptr}};
};

}  // namespace

// A crop puts the cropped picture into the panel, Save Details (which has the focus) writes its
// path into the record; deleting the photo empties the panel and leaves the record's cell.
TEST_F(GroupPhotoCrop, ThePanelShowsTheCroppedPhotoAndSaveDetailsWritesIt)
{
    clickGroupRow(2);
    ASSERT_NO_FATAL_FAILURE(selectPhoto());
    crop();
    const QString cropped = photoOnCard()._file_path;
    ASSERT_NE(cropped, photos[2]);
    EXPECT_EQ(messages.texts().last(), "\nImage has been cropped successfully.\n\nPlease click on 'Save Details' button to "
                                       "update your changes in your project data.");
    EXPECT_EQ(saveDetails().text(), "Save Details");
    EXPECT_EQ(controller.window()->focusWidget(), &saveDetails());
    EXPECT_EQ(front().photoPath(), cropped);
    EXPECT_EQ(front().shownPhoto().size(), photoOnCard()._contents.size());
    QCoreApplication::processEvents();
    picture(QStringLiteral("group-panel-after-crop.png"));
    saveDetails().click();
    EXPECT_EQ(photoOnCard()._file_path, cropped);
    EXPECT_EQ(workbookRow(4), QStringLiteral("Staff Person 3|Firm 3|%1|ID0003").arg(cropped));

    action(QStringLiteral("Delete_btn")).trigger();
    EXPECT_EQ(frontElement("Fup_Photo"), nullptr);
    EXPECT_TRUE(front().photoPath().isEmpty());
    EXPECT_TRUE(front().shownPhoto().isNull());
    saveDetails().click();
    EXPECT_EQ(workbookRow(4), QStringLiteral("Staff Person 3|Firm 3|%1|ID0003").arg(cropped));
}

// A picture the panel's camera takes is asked about: Yes saves it into the record at once, No
// leaves the record as it was until Save Details.
TEST_F(GroupPhotoCrop, TheCameraAsksToSaveTheNewPhotoInTheRecord)
{
    clickGroupRow(1);
    camera.path = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("taken.png"), Qt::darkGreen);
    for (const int answer : {1, 0}) {  // "No", then "Yes"
        SCOPED_TRACE(answer);
        messages.queueAnswers({answer});
        front().findChild<QPushButton*>(QStringLiteral("camera_btn"))->click();
        EXPECT_EQ(messages.texts().value(messages.texts().size() - (answer == 0 ? 2 : 1)), kUpdatePhotoDataQuestion);
        EXPECT_EQ(front().photoPath(), camera.path);
        EXPECT_EQ(workbookRow(3), QStringLiteral("Staff Person 2|Firm 2|%1|ID0002").arg(answer == 0 ? camera.path : photos[1]));
    }
}

namespace {

class VisitorCopy : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(openDeskPass());
        CARD_SIDE_STR = QStringLiteral("2");
    }
};

}  // namespace

// Copying the pass onto the back keeps what the visitor's panel holds, the date typed by hand
// included, and the back's panel shows the back's fields ticked with the visitor's values.
TEST_F(VisitorCopy, TheTypingStaysAndTheOtherSidesPanelShowsTheCopiedFields)
{
    type("Fup_Name", QStringLiteral("Ana Souza"));
    type("Fup_Company", QStringLiteral("Harbour Logistics"));
    type("Fup_UniqueNo", QStringLiteral("V-000128"));
    front().date_manual_chk()->click();
    type("Fup_Date", QStringLiteral("15/03/2025"));
    messages.queueAnswers({0});  // "Yes"
    controller.sideCommands().Copy_Card_Design_Clicked();

    EXPECT_TRUE(front().date_manual_chk()->isChecked());
    EXPECT_EQ(front().textBox("Fup_Date")->text(), "15/03/2025");
    Profile_Side_Panel& back = controller.liveModes().panel(1);
    for (const auto& [id, value] : {std::pair{"Fup_Name", "Ana Souza"}, std::pair{"Fup_Company", "Harbour Logistics"},
                                    std::pair{"Fup_UniqueNo", "V-000128"}}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(front().textBox(QLatin1String(id))->text(), QLatin1String(value));
        EXPECT_TRUE(front().checkBox(QLatin1String(id))->isChecked());
        EXPECT_EQ(back.textBox(QLatin1String(id))->text(), QLatin1String(value));
        EXPECT_TRUE(back.checkBox(QLatin1String(id))->isChecked());
    }
    QDir().mkpath(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR));
    QCoreApplication::processEvents();
    EXPECT_TRUE(controller.window()->grab().save(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/visitor-panels-after-copy.png")));
}

namespace {

class VisitorPhotoCrop : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(openShippedPass());
        savedCropFolder = Cropped_Img_Path;
        Cropped_Img_Path = scratch.filePath(QStringLiteral("Cropped_Images"));
        QDir().mkpath(Cropped_Img_Path);
        setPhotoWindows(&camera, nullptr, &tool);
    }
    void TearDown() override
    {
        setPhotoWindows(nullptr, nullptr, nullptr);
        Cropped_Img_Path = savedCropFolder;
        VisitorDeskFixture::TearDown();
    }
    SKTImage& photoOnCard() const
    {
        return static_cast<SKTImage&>(*controller.graphicView(SKTDocument::FrontSide)->Selcect_Ctrl_With_ID(QStringLiteral("Fup_Photo")));
    }
    void cropThePhoto()
    {
        const QPointF middle = photoOnCard().bounds().center();
        canvas_mouse::drag(*controller.graphicView(SKTDocument::FrontSide), middle, middle);
        ASSERT_TRUE(inspector().showPage(QStringLiteral("image_tab")));
        dialogs.queueHook([this](QDialog&) {
            tool.canvas().model().addSelectorWithFrame(QRectF(10, 10, 20, 20));
            tool.findChild<QPushButton*>(QStringLiteral("Crop_direct_Btn"))->click();
        });
        control<QPushButton>("Cropping_Selected_Image_btn").click();
    }

    QString savedCropFolder;
    TakenPicture camera;
    Cropping_Tool tool{{QStringList{QStringLiteral("png")}, &Image_Is_Over_Size, nullptr}};
};

}  // namespace

// A crop taken back by Undo and brought back by Redo: the panel names the file the card shows, so
// Register logs the cropped photo (sqlite3), never the picture it was cut from.
TEST_F(VisitorPhotoCrop, RedoOfACropLeavesThePanelOnThePhotoTheCardShows)
{
    const QString face = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("face.png"), Qt::blue);
    dialogs.queueOpenFile(face);
    click("browse_photo_btn");
    type("Fup_Name", QStringLiteral("Ana Souza"));
    ASSERT_NO_FATAL_FAILURE(cropThePhoto());
    const QString cropped = photoOnCard()._file_path;
    ASSERT_NE(cropped, face);
    ASSERT_EQ(front().photoPath(), cropped);
    action(QStringLiteral("Undo_btn")).trigger();
    action(QStringLiteral("Redo_btn")).trigger();
    EXPECT_EQ(photoOnCard()._file_path, cropped);
    EXPECT_EQ(front().photoPath(), cropped);
    click("register_visitor_btn");
    EXPECT_EQ(logged("Name, Photo_Path"), QStringLiteral("Ana Souza|%1").arg(cropped));
}

// A number given in the barcode window on the back is the visitor's: both panels, both cards'
// symbols and the log take it.
TEST_F(VisitorCopy, ANumberGivenOnTheBacksSymbolIsTheVisitorsOnBothSides)
{
    messages.queueAnswers({0});  // "Yes"
    controller.sideCommands().Copy_Card_Design_Clicked();
    controller.sideCommands().Select_back_side();
    SKTGraphicView& back = *controller.graphicView(SKTDocument::BackSide);
    GraphicPtr symbol;
    for (const GraphicPtr& element : back.graphics())
        if (element->kind() == GraphicKind::Barcode && element->control_ID == QLatin1String("Fup_UniqueNo"))
            symbol = element;
    ASSERT_NE(symbol, nullptr);
    dialogs.queueHook([](QDialog& window) {
        auto* box = window.findChild<QLineEdit*>(QStringLiteral("dataText"));
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("V-100059"));
        window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    canvas_mouse::doubleClick(back, symbol->bounds().center());
    EXPECT_EQ(controller.liveModes().panel(1).textBox("Fup_UniqueNo")->text(), "V-100059");
    EXPECT_EQ(front().textBox("Fup_UniqueNo")->text(), "V-100059");
}

namespace {

class VisitorLogoCopy : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(openShippedPass());
        CARD_SIDE_STR = QStringLiteral("2");
    }
};

}  // namespace

// Visitor orange (h) copied onto its back; there the photo is deleted and a logo placed with the
// Picture tool; the back copied onto the front: the logo is no one's photo, so the front's panel
// shows none and Register logs none (sqlite3).
TEST_F(VisitorLogoCopy, ALogoCopiedOntoThePassIsNotTheVisitorsPhoto)
{
    messages.queueAnswers({0});  // "Yes"
    controller.sideCommands().Copy_Card_Design_Clicked();
    controller.sideCommands().Select_back_side();
    SKTGraphicView& back = *controller.graphicView(SKTDocument::BackSide);
    const GraphicPtr photo = back.Selcect_Ctrl_With_ID(QStringLiteral("Fup_Photo"));
    ASSERT_NE(photo, nullptr);
    canvas_mouse::drag(back, photo->bounds().center(), photo->bounds().center());
    action(QStringLiteral("Delete_btn")).trigger();
    ASSERT_EQ(back.Selcect_Ctrl_With_ID(QStringLiteral("Fup_Photo")), nullptr);
    const QString logo = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("logo.png"), Qt::darkGreen);
    dialogs.queueOpenFile(logo);
    action(QStringLiteral("image_tool_btn")).trigger();
    ASSERT_TRUE(std::any_of(back.graphics().begin(), back.graphics().end(),
                            [&logo](const GraphicPtr& element) { return element->FilePath() == logo; }));

    messages.queueAnswers({0});  // "Yes"
    controller.sideCommands().Copy_Card_Design_Clicked();
    controller.sideCommands().Select_front_side();
    EXPECT_EQ(front().photoPath(), QString());
    type("Fup_Name", QStringLiteral("Ana Souza"));
    click("register_visitor_btn");
    EXPECT_EQ(logged("Name, Photo_Path"), QStringLiteral("Ana Souza|"));
}
