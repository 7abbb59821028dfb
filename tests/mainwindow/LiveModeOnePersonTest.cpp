// Visitor and group modes keep one person on the real window: the card, the side panel, the
// visitor log's row and the group project's workbook row never drift apart, whatever undo, open,
// a deletion or a missing photo do. Workbooks are written and read back with openpyxl, the log with
// the sqlite3 shell, passes through pdftoppm and exported cards' barcodes through zbarimg.
#include <QAction>
#include <QLabel>
#include <QItemSelectionModel>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "GroupPeopleFixture.h"
#include "VisitorDeskFixture.h"
#include "mainwindow/SnapshotUndo.h"
#include "mainwindow/VisitorCommands.h"
#include "model/SKTImage.h"
#include "visitors/VisitorLog.h"
#include "visitors/VisitorRegistration.h"
#include "views/print/Print_Wnd.h"
#include "views/print/StandInPrinters.h"

// A record whose photo is missing shows the missing picture, never the face before it; an Undo
// brings back neither another record's photo nor the field it took away, and Save Details writes
// the record as it is into the project's workbook, on the user's own sheet.
TEST_F(GroupPeople, UndoAndAMissingPhotoLeaveEachRecordItsOwnPhoto)
{
    clickGroupRow(3);
    EXPECT_EQ(photoOnCard()._file_path, photos[3]);
    clickGroupRow(8);
    EXPECT_EQ(front().photoPath(), photos[8]);
    EXPECT_EQ(photoOnCard()._file_path, photos[8]);
    EXPECT_TRUE(photoOnCard()._contents.isNull());

    chooseColumn("Fup_CompanySlogan", 2);
    ASSERT_NE(frontElement("Fup_CompanySlogan"), nullptr);
    EXPECT_EQ(front().textBox("Fup_CompanySlogan")->text(), "Firm 9");
    undo();
    EXPECT_EQ(frontElement("Fup_CompanySlogan"), nullptr);
    EXPECT_FALSE(front().checkBox("Fup_CompanySlogan")->isChecked());
    EXPECT_EQ(front().chosenColumn("Fup_CompanySlogan"), -1);
    EXPECT_TRUE(front().textBox("Fup_CompanySlogan")->text().isEmpty());
    EXPECT_EQ(front().photoPath(), photos[8]);
    EXPECT_EQ(photoOnCard()._file_path, photos[8]);
    EXPECT_EQ(frontElement("Fup_Name")->Text_Value, "Person 9");
    picture(QStringLiteral("group-missing-photo-after-undo.png"));

    front().findChild<QPushButton*>(QStringLiteral("save_excel_detail_btn"))->click();
    EXPECT_EQ(workbookRow(10), QStringLiteral("Staff Person 9|Firm 9|%1|ID0009").arg(photos[8]));
    EXPECT_EQ(workbookRow(5), QStringLiteral("Staff Person 4|Firm 4|%1|ID0004").arg(photos[3]));

    // Binding a field to another column is an edit: the title is marked at once.
    chooseColumn("Fup_Name", 2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(controller.window()->isWindowModified());
}

// Any change of the chosen row, the arrow keys' too, puts that record on every bound element;
// export gives each row its own values.
TEST_F(GroupPeople, EveryBoundElementShowsTheChosenRowAndExportTakesEachRowsOwn)
{
    addIdElements(document);
    clickGroupRow(0);
    const GraphicPtr idText = document.graphics().at(document.graphics().size() - 2);
    EXPECT_EQ(idText->Text_Value, "ID0001");
    SnapshotUndo& undo = controller.canvasHostOfWindow().snapshotUndo();
    const int undoCount = undo.Get_Undo_Count();
    groupList().setFocus();
    QTest::keyClick(&groupList(), Qt::Key_Down);
    QTest::keyClick(&groupList(), Qt::Key_Down);
    EXPECT_EQ(controller.liveModes().selectedRow(), 2);
    EXPECT_EQ(idText->Text_Value, "ID0003");
    EXPECT_EQ(field("Fup_Name").text(), "Person 3");
    EXPECT_EQ(photoOnCard()._file_path, photos[2]);
    // Choosing a row is no edit to undo.
    EXPECT_EQ(undo.Get_Undo_Count(), undoCount);

    QTemporaryDir out;
    const QDir cards = exportRecords(QStringLiteral("PNG"), 2, 4, out);
    QStringList read;
    const QStringList exported = cards.entryList({QStringLiteral("*_Front.PNG")}, QDir::Files, QDir::Name);
    ASSERT_EQ(exported.size(), 3) << qPrintable(cards.entryList().join(u'|')) << qPrintable(messages.texts().join(u'|'));
    QDir().mkpath(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR));
    QFile::remove(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/group-exported-record-2.png"));
    QFile::copy(cards.filePath(exported.first()), QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/group-exported-record-2.png"));
    for (const QString& card : exported) {
        const auto decoded = TestEnvironment::run(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), cards.filePath(card)});
        read << QString::fromUtf8(decoded.out).trimmed();
    }
    EXPECT_EQ(read, (QStringList{"ID0002", "ID0003", "ID0004"}));
    // The card shows the chosen record again after the run.
    EXPECT_EQ(idText->Text_Value, "ID0003");
}

// Printing rows 2 to 4 puts each row's own name and ID on its cell of the sheet, as export does,
// and the card shows the chosen record again after the job.
TEST_F(GroupPeople, APrintedSheetGivesEachRowItsOwnValues)
{
    addIdElements(document);
    clickGroupRow(5);
    StandInPrinters printers;
    const QString pdf = scratch.filePath(QStringLiteral("rows.pdf"));
    dialogs.queueHook([&pdf](QDialog& dialog) {
        auto& window = static_cast<Print_Wnd&>(dialog);
        window.findChild<QSpinBox*>(QStringLiteral("Row_Text"))->setValue(3);
        window.findChild<QSpinBox*>(QStringLiteral("Col_Text"))->setValue(1);
        window.rangeBlock().Sel_print_rd->click();
        window.rangeBlock().To_Text->setValue(4);
        window.rangeBlock().from_Text->setValue(2);
        window.printToFile = pdf;
        window.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
        window.printToFile.clear();
    });
    Print_Button(controller);

    const QString text = QString::fromUtf8(TestEnvironment::run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out);
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(text.contains(QStringLiteral("Person %1\n").arg(n)), n >= 2 && n <= 4);
    }
    // Two records to a page on this card's sheet.
    const QString pages = scratch.filePath(QStringLiteral("rows"));
    TestEnvironment::run(QStringLiteral("pdftoppm"), {"-r", "300", "-png", pdf, pages});
    const auto decoded = TestEnvironment::run(QStringLiteral("zbarimg"), {"-q", "--raw", pages + "-1.png", pages + "-2.png"});
    QStringList read = QString::fromUtf8(decoded.out).split(u'\n', Qt::SkipEmptyParts);
    read.sort();
    EXPECT_EQ(read, (QStringList{"ID0002", "ID0003", "ID0004"}));
    EXPECT_EQ(frontElement("Fup_Name")->Text_Value, "Person 6");
}

// Copying the front onto the back takes the photo's column along: the back's photo follows the
// chosen row too.
TEST_F(GroupPeople, ACopiedDesignsPhotoFollowsTheChosenRow)
{
    CARD_SIDE_STR = QStringLiteral("2");
    clickGroupRow(5);
    messages.queueAnswers({0});  // "Yes"
    controller.sideCommands().Copy_Card_Design_Clicked();
    EXPECT_EQ(controller.liveModes().excel_cb_value[11], 3);
    EXPECT_EQ(controller.liveModes().panel(1).chosenColumn(kPhotoFieldId), 3);
    EXPECT_EQ(controller.liveModes().selectedRow(), 5);
    clickGroupRow(6);
    EXPECT_EQ(controller.liveModes().panel(1).photoPath(), photos[6]);
    EXPECT_EQ(controller.graphicView(SKTDocument::BackSide)->Selcect_Ctrl_With_ID("Fup_Photo")->_file_path, photos[6]);
}

namespace {

class VisitorOnePerson : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(openDeskPass());
    }
    GraphicPtr onCard(const char* id) const
    {
        return controller.graphicView(SKTDocument::FrontSide)->Selcect_Ctrl_With_ID(QLatin1String(id));
    }
    // Typed as a user types: a read-only field takes nothing.
    void typeKeys(const char* id, const QString& text)
    {
        QLineEdit& box = *front().textBox(QLatin1String(id));
        box.selectAll();
        QTest::keyClick(&box, Qt::Key_Backspace);
        QTest::keyClicks(&box, text);
    }
    void trigger(const char* name) { action(QLatin1String(name)).trigger(); }
    // A visitor design of the name alone, saved in visitor mode.
    QString nameOnlyDesign()
    {
        DesignState design;
        design.startMode = QStringLiteral("V");
        for (Card_Property* side : {&design.front, &design.back})
            side->setCard_Size(QSizeF(243, 154));
        design.frontElements = {visitortest::text(QRectF(80, 12, 155, 22), QStringLiteral("Fup_Name"), 14)};
        const QString path = scratch.filePath(QStringLiteral("name only.did"));
        EXPECT_TRUE(writeDesignFile(path, design));
        return path;
    }
};

}  // namespace

// The name deleted from the card and brought back by Undo can be typed into again, and what is
// registered is what was typed; a deletion leaves no read-only field behind an Open either.
TEST_F(VisitorOnePerson, ANameDeletedAndUndoneTakesTypingAndRegistersIt)
{
    typeKeys("Fup_Name", QStringLiteral("Ana Souza"));
    SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
    canvas.changeSelectionIndexes({int(canvas.graphics().indexOf(onCard("Fup_Name")))});
    trigger("Delete_btn");
    EXPECT_EQ(onCard("Fup_Name"), nullptr);
    EXPECT_TRUE(front().textBox("Fup_Name")->text().isEmpty());
    trigger("Undo_btn");
    ASSERT_NE(onCard("Fup_Name"), nullptr);
    EXPECT_EQ(front().textBox("Fup_Name")->text(), "Ana Souza");
    typeKeys("Fup_Name", QStringLiteral("Li Wei"));
    EXPECT_EQ(onCard("Fup_Name")->Text_Value, "Li Wei");
    click("register_visitor_btn");
    EXPECT_EQ(logged("Name"), "Li Wei");

    canvas.changeSelectionIndexes({int(canvas.graphics().indexOf(onCard("Fup_Name")))});
    trigger("Delete_btn");
    messages.queueAnswers({1});  // "No": the changes are not saved
    dialogs.queueOpenFile(nameOnlyDesign());
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    typeKeys("Fup_Name", QStringLiteral("Omar Farah"));
    EXPECT_EQ(onCard("Fup_Name")->Text_Value, "Omar Farah");
}

// The pass number's text deleted while its symbol stays: the pass still carries the number, so
// the panel keeps it, also once a profile's OK has filled it again, and Register logs it.
TEST_F(VisitorOnePerson, ANumberWhoseTextIsDeletedStaysWhileItsSymbolShowsIt)
{
    typeKeys("Fup_UniqueNo", QStringLiteral("V-000777"));
    SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
    int text = -1;
    int symbols = 0;
    for (int n = 0; n < int(canvas.graphics().size()); ++n) {
        const GraphicPtr& element = canvas.graphics().at(n);
        if (element->control_ID != QLatin1String("Fup_UniqueNo"))
            continue;
        if (element->kind() == GraphicKind::Text)
            text = n;
        symbols += element->kind() == GraphicKind::Barcode ? 1 : 0;
    }
    ASSERT_GE(text, 0);
    ASSERT_GT(symbols, 0);
    canvas.changeSelectionIndexes({text});
    trigger("Delete_btn");
    EXPECT_EQ(front().textBox("Fup_UniqueNo")->text(), "V-000777");
    EXPECT_TRUE(front().checkBox("Fup_UniqueNo")->isChecked());
    // The profile's OK fills the panel from the card again: the number comes from its symbol.
    confirmProfile({{0, QStringLiteral("Ana Souza")}});
    EXPECT_EQ(front().textBox("Fup_UniqueNo")->text(), "V-000777");
    EXPECT_TRUE(front().checkBox("Fup_UniqueNo")->isChecked());
    click("register_visitor_btn");
    EXPECT_EQ(logged("Name, Visitor_No"), "Ana Souza|V-000777");
}

// Another visitor design opened brings panels of its own: nothing of the last visitor is
// registered with the next.
TEST_F(VisitorOnePerson, AnOpenedDesignsPanelsHoldNothingOfTheDesignBefore)
{
    for (const char* id : {"Fup_Company", "Fup_CompanySlogan", "Fup_PhoneNO", "Fup_EmailID"})
        type(id, QStringLiteral("old %1").arg(QLatin1String(id)));
    front().date_manual_chk()->click();
    front().textBox("Fup_Date")->setText(QStringLiteral("01/01/2020"));
    messages.queueAnswers({1});  // "No": the changes are not saved
    dialogs.queueOpenFile(nameOnlyDesign());
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    for (const char* id : {"Fup_Company", "Fup_CompanySlogan", "Fup_PhoneNO", "Fup_EmailID"})
        EXPECT_TRUE(front().textBox(QLatin1String(id))->text().isEmpty()) << id;
    EXPECT_FALSE(front().date_manual_chk()->isChecked());
    EXPECT_EQ(front().textBox("Fup_Date")->text(), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    QDir().mkpath(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR));
    QCoreApplication::processEvents();
    EXPECT_TRUE(controller.window()->grab().save(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/visitor-panels-after-open.png")));
    type("Fup_Name", QStringLiteral("Ana Souza"));
    click("register_visitor_btn");
    EXPECT_EQ(logged("Name, Company_Name, Purpose, Phone, Email"), "Ana Souza||||");
    EXPECT_TRUE(logged("Date_and_Time").startsWith(QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy "))));
}

// A pass printed again from the log for a visitor registered without a photo shows no face, not
// the photo the card shows by then.
TEST_F(VisitorOnePerson, APassReprintedForAVisitorWithoutAPhotoShowsNoFace)
{
    type("Fup_Name", QStringLiteral("No Photo"));
    controller.liveModes().Set_User_Image_Control(0, QString(), QString());
    click("register_visitor_btn");
    const QString red = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("red.png"), Qt::red);
    controller.liveModes().Check_and_create_control_for_group_mode_FRONT("Fup_Photo", red, "P", -1, true);
    type("Fup_Name", QStringLiteral("Next Visitor"));
    dialogs.queueHook([](QDialog& dialog) {
        dialog.findChild<QTableWidget*>(QStringLiteral("Visitor_Table"))->selectRow(0);
        dialog.findChild<QPushButton*>(QStringLiteral("Print_Button"))->click();
    });
    const QString pdf = scratch.filePath(QStringLiteral("reprint.pdf"));
    printTo(pdf);
    click("visitor_log_btn");
    const QImage page(pageOf(pdf, 72));
    ASSERT_FALSE(page.isNull());
    // Nowhere on the page is the red face.
    int redPixels = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            redPixels += page.pixelColor(x, y) == QColor(Qt::red);
    EXPECT_EQ(redPixels, 0);
}

// The log keeps one form of date and time: the moment of registering, which the panel and the
// card then show, or the date and time typed by hand, readable as typed when they are no date.
TEST_F(VisitorOnePerson, TheLogKeepsOneFormOfDateAndTimeAndThePanelShowsTheMomentLogged)
{
    document.addInGraphics(visitortest::text(QRectF(80, 140, 100, 12), QStringLiteral("Fup_Date"), 8));
    front().textBox("Fup_Date")->setText(QStringLiteral("01/01/2020"));
    type("Fup_Name", QStringLiteral("Ana Souza"));
    click("register_visitor_btn");
    const QString today = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    EXPECT_EQ(front().textBox("Fup_Date")->text(), today);
    ASSERT_NE(onCard("Fup_Date"), nullptr);
    EXPECT_EQ(onCard("Fup_Date")->Text_Value, today);

    front().date_manual_chk()->click();
    front().time_manual_chk()->click();
    const struct {
        const char* date;
        const char* time;
        const char* logged;
    } typed[] = {
        {"15/03/2025", "10:15 AM", "15-03-2025 10:15:00 AM"},
        {"15-03-2025", "22:05", "15-03-2025 10:05:00 PM"},
        {"next Tuesday", "noon", "next Tuesday noon"},
    };
    for (const auto& row : typed) {
        typeKeys("Fup_Date", QLatin1String(row.date));
        typeKeys("Fup_Time", QLatin1String(row.time));
        click("register_visitor_btn");
        // The card keeps what was typed by hand, as the log does.
        EXPECT_EQ(onCard("Fup_Date")->Text_Value, QLatin1String(row.date));
    }
    QStringList lines = logged("Date_and_Time").split(u'\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(QDateTime::fromString(lines.takeFirst(), QStringLiteral("dd-MM-yyyy h:mm:ss AP")).isValid());
    EXPECT_EQ(lines, (QStringList{typed[0].logged, typed[1].logged, typed[2].logged}));

    // Print Pass says that the pass went to the printer.
    printTo(scratch.filePath(QStringLiteral("pass.pdf")));
    click("print_pass_btn");
    EXPECT_EQ(messages.texts().last(), u'\n' + kPassPrintedMessage);
}

// An empty live log is no log to write into unasked: the user hears that its visitors are gone,
// and a new log is made in it only when the user says so.
TEST_F(VisitorOnePerson, AnEmptyLogIsSaidAndReplacedOnlyWhenTheUserSaysSo)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(VisitorLog::livePath()).absolutePath()));
    QFile empty(VisitorLog::livePath());
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    type("Fup_Name", QStringLiteral("Ana Souza"));
    messages.queueAnswers({1});  // "No"
    click("register_visitor_btn");
    EXPECT_EQ(messages.texts(), (QStringList{kEmptyLogQuestion.arg(VisitorLog::livePath()),
                                             u'\n' + kEmptyLogLeftMessage.arg(VisitorLog::livePath())}));
    EXPECT_EQ(QFileInfo(VisitorLog::livePath()).size(), 0);
    messages.queueAnswers({0});  // "Yes"
    click("register_visitor_btn");
    EXPECT_EQ(messages.texts().last(), QStringLiteral("\nVisitor registered successfully."));
    EXPECT_EQ(logged("Name"), "Ana Souza");
}

// An opened visitor design: the extra photos' numbering goes on from the number of pictures of
// the side being edited, passing over an identifier the side holds, and a user-added photo whose
// file is gone is offered with no path.
TEST_F(VisitorOnePerson, AnOpenedDesignsPhotosCountOnFromItsPicturesAndAMissingOneHasNoPath)
{
    DesignState design;
    design.startMode = QStringLiteral("V");
    for (Card_Property* side : {&design.front, &design.back})
        side->setCard_Size(QSizeF(243, 154));
    const QString face = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("face.png"), Qt::blue);
    const auto picture = [](const QString& path, const char* id, double x) {
        return visitortest::placed(SKTImage::initWithPath_With_ID(QPointF(x, 10), path, QLatin1String(id)),
                                   QRectF(x, 10, 40, 50), QLatin1String(id));
    };
    design.frontElements = {picture(face, "F_Pic3", 10), picture(scratch.filePath(QStringLiteral("gone.png")), "F_Photo1", 60)};
    design.backElements = {picture(face, "F_Pic7", 10)};
    const QString path = scratch.filePath(QStringLiteral("pictures.did"));
    ASSERT_TRUE(writeDesignFile(path, design));
    dialogs.queueOpenFile(path);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    ASSERT_EQ(Start_Card_Option, "V");
    // Two pictures on the front: F_Pic3 comes next, which the front holds.
    EXPECT_EQ(controller.Generate_Extra_image_control_ID(), "F_Pic4");
    EXPECT_EQ(controller.Generate_Extra_image_control_ID(), "F_Pic5");
    const QList<DynamicControl>& rows = controller.liveModes().dynamic_ctrl_list_front;
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.first().controlId, "F_Photo1");
    EXPECT_TRUE(rows.first().value.isEmpty()) << qPrintable(rows.first().value);
}

// The design copied onto the back brings the visitor's photo into the back's panel.
TEST_F(VisitorOnePerson, ACopiedDesignShowsItsFirstPictureInTheOtherSidesPanel)
{
    CARD_SIDE_STR = QStringLiteral("2");
    const QString face = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("face.png"), Qt::blue);
    controller.liveModes().Check_and_create_control_for_group_mode_FRONT("Fup_Photo", face, "P", -1, true);
    messages.queueAnswers({0});  // "Yes"
    controller.sideCommands().Copy_Card_Design_Clicked();
    EXPECT_EQ(controller.liveModes().panel(1).photoPath(), face);
    EXPECT_EQ(controller.liveModes().panel(1).shownPhoto().pixelColor(2, 2), QColor(Qt::blue));
}

// A photo browsed for a design without one is one edit: Undo takes its element away whole rather
// than leaving an empty picture on the card, and Redo brings the photo back.
TEST_F(VisitorOnePerson, APhotoBrowsedOntoADesignWithoutOneIsUndoneWhole)
{
    messages.queueAnswers({1});  // "No": the changes are not saved
    dialogs.queueOpenFile(nameOnlyDesign());
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    const QString face = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("face.png"), Qt::blue);
    dialogs.queueOpenFile(face);
    click("browse_photo_btn");
    ASSERT_NE(onCard("Fup_Photo"), nullptr);
    trigger("Undo_btn");
    EXPECT_EQ(onCard("Fup_Photo"), nullptr);
    EXPECT_EQ(front().photoPath(), QString());
    trigger("Redo_btn");
    ASSERT_NE(onCard("Fup_Photo"), nullptr);
    EXPECT_EQ(onCard("Fup_Photo")->_file_path, face);
    EXPECT_EQ(front().photoPath(), face);
}

// On a design without a photo, a picture field added in the panel and then the visitor's photo:
// Undo brings back the visitor's photo into the panel, not the field's empty picture, so the
// panel's photo is the one the card shows and the one registered.
TEST_F(VisitorOnePerson, UndoLeavesTheVisitorsPhotoInThePanelBesideAnAddedPictureField)
{
    messages.queueAnswers({1});  // "No": the changes are not saved
    dialogs.queueOpenFile(nameOnlyDesign());
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    addField(front(), 1, QStringLiteral("Badge"));
    const QString face = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("face.png"), Qt::blue);
    dialogs.queueOpenFile(face);
    click("browse_photo_btn");
    addField(front(), 0, QStringLiteral("Extra"));
    trigger("Undo_btn");
    ASSERT_EQ(onCard("F_label2"), nullptr);
    EXPECT_EQ(onCard("Fup_Photo")->_file_path, face);
    EXPECT_EQ(front().photoPath(), face);
    type("Fup_Name", QStringLiteral("Ana Souza"));
    click("register_visitor_btn");
    EXPECT_EQ(logged("Name, Photo_Path"), QStringLiteral("Ana Souza|") + face);
}

// Random roads (seeded, so a failure repeats) of choosing rows by mouse and keys, typing, binding,
// undoing, saving records and opening the project again: after every step the card, the panel,
// the loaded table and, once saved, the project's workbook name the same person with the same
// photo.
TEST_F(GroupPeople, RandomRoadsKeepCardPanelTableAndWorkbookOnOnePerson)
{
    // Opened again, the project's undo history starts with its fields bound.
    ASSERT_TRUE(Save_Btn_Clicked(controller));
    const QString project = Project_File_Name;
    dialogs.queueOpenFile(project);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    QStringList names;
    for (int n = 1; n <= 10; ++n)
        names << QStringLiteral("Person %1").arg(n);
    QString pending;  // typed into the panel, not yet saved
    QRandomGenerator random(20261208);
    const auto workbookNames = [this] {
        const auto read = TestEnvironment::runPython("import sys, warnings, openpyxl\nwarnings.simplefilter('ignore')\n"
                                                     "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                                     "print('|'.join(r[0] for r in list(ws.values)[1:]))\n",
                                                     {LiveModePanels::projectWorkbookPath(Project_File_Name)});
        return QString::fromUtf8(read.out).trimmed().split(u'|');
    };
    for (int step = 0; step < 30; ++step) {
        const int row = controller.liveModes().selectedRow();
        QString done;
        // Another record chosen, or Undo, over typing asks first: saved or dropped, as the road
        // goes.
        const auto answerTheQuestion = [&](bool asked) {
            if (pending.isEmpty() || !asked)
                return;
            const bool save = random.bounded(2);
            messages.queueAnswers({save ? 0 : 1});  // "Yes" or "No"
            if (save)
                names[row] = pending;
            pending.clear();
        };
        switch (random.bounded(7)) {
        case 0: {
            const int target = random.bounded(10);
            answerTheQuestion(target != row);
            clickGroupRow(target);
            done = QStringLiteral("click");
            break;
        }
        case 1: {
            const bool down = random.bounded(2);
            answerTheQuestion((down ? std::min(row + 1, 9) : std::max(row - 1, 0)) != row);
            groupList().setFocus();
            QTest::keyClick(&groupList(), down ? Qt::Key_Down : Qt::Key_Up);
            done = QStringLiteral("key");
            break;
        }
        case 2:
            pending = QStringLiteral("Typed %1").arg(step);
            type("Fup_Name", pending);
            done = QStringLiteral("type");
            break;
        case 3:
            chooseColumn("Fup_CompanySlogan", random.bounded(3));
            done = QStringLiteral("bind");
            break;
        case 4:
            answerTheQuestion(action(QStringLiteral("Undo_btn")).isEnabled());
            undo();
            done = QStringLiteral("undo");
            break;
        case 5:
            front().findChild<QPushButton*>(QStringLiteral("save_excel_detail_btn"))->click();
            if (!pending.isEmpty())
                names[row] = pending, pending.clear();
            EXPECT_EQ(workbookNames(), names) << step;
            done = QStringLiteral("save");
            break;
        default:
            if (controller.designSession().hasUnsavedChanges())
                messages.queueAnswers({0});  // "Yes": saved first
            if (!pending.isEmpty())
                names[row] = pending, pending.clear();
            dialogs.queueOpenFile(project);
            ASSERT_TRUE(Open_Btn_Clicked(controller));
            EXPECT_EQ(workbookNames(), names) << step;
            done = QStringLiteral("open");
        }
        const int shown = controller.liveModes().selectedRow();
        const QString on = QStringLiteral("step %1 (%2), record %3").arg(step).arg(done).arg(shown + 1);
        ASSERT_NE(frontElement("Fup_Name"), nullptr) << qPrintable(on);
        EXPECT_EQ(frontElement("Fup_Name")->Text_Value, field("Fup_Name").text()) << qPrintable(on);
        EXPECT_EQ(field("Fup_Name").text(), pending.isEmpty() ? names[shown] : pending) << qPrintable(on);
        EXPECT_EQ(front().photoPath(), photos[shown]) << qPrintable(on);
        EXPECT_EQ(photoOnCard()._file_path, photos[shown]) << qPrintable(on);
        for (int n = 0; n < 10; ++n)
            ASSERT_EQ(Loaded_Data_Table().objectValue(QStringLiteral("Column1"), n), names[n]) << qPrintable(on);
    }
}

// The same in visitor mode: typing as a user types, deleting the name from the card, undoing,
// opening another visitor design and registering: the card and the panel show one name, and each
// visitor registered is the one they show.
TEST_F(VisitorOnePerson, RandomRoadsKeepCardPanelAndLogOnOnePerson)
{
    const QString desk = scratch.filePath(QStringLiteral("desk.did"));
    dialogs.queueSaveFile(desk);
    ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
    const QStringList designs{desk, nameOnlyDesign()};
    QStringList registered;
    QRandomGenerator random(20261208);
    SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
    for (int step = 0; step < 40; ++step) {
        QString done;
        switch (random.bounded(5)) {
        case 0:
            typeKeys("Fup_Name", QStringLiteral("Visitor %1").arg(step));
            done = QStringLiteral("type");
            break;
        case 1:
            if (onCard("Fup_Name")) {
                canvas.changeSelectionIndexes({int(canvas.graphics().indexOf(onCard("Fup_Name")))});
                trigger("Delete_btn");
            }
            done = QStringLiteral("delete");
            break;
        case 2:
            trigger("Undo_btn");
            done = QStringLiteral("undo");
            break;
        case 3:
            if (controller.designSession().hasUnsavedChanges())
                messages.queueAnswers({1});  // "No": not saved
            dialogs.queueOpenFile(designs.at(random.bounded(2)));
            ASSERT_TRUE(Open_Btn_Clicked(controller));
            done = QStringLiteral("open");
            break;
        default:
            click("register_visitor_btn");
            if (!front().textBox("Fup_Name")->text().isEmpty())
                registered << front().textBox("Fup_Name")->text();
            done = QStringLiteral("register");
        }
        const QString on = QStringLiteral("step %1 (%2)").arg(step).arg(done);
        const GraphicPtr name = onCard("Fup_Name");
        EXPECT_EQ(name ? name->Text_Value : QString(), front().textBox("Fup_Name")->text()) << qPrintable(on);
        if (name && done == QLatin1String("type"))
            EXPECT_EQ(name->Text_Value, QStringLiteral("Visitor %1").arg(step)) << qPrintable(on);
        EXPECT_EQ(logged("Name").split(u'\n', Qt::SkipEmptyParts), registered) << qPrintable(on);
    }
    EXPECT_GE(registered.size(), 3);
}

// A text and a picture field added in the visitor panel go onto the card under their identifiers
// and come back with the design; a field needs a name.
TEST_F(VisitorOnePerson, FieldsAddedInThePanelGoOnTheCardAndComeBackWithTheDesign)
{
    addField(front(), 0, QStringLiteral("Blood Group"));
    ASSERT_NE(onCard("F_label1"), nullptr);
    EXPECT_EQ(onCard("F_label1")->Text_Value, "Blood Group :");
    ASSERT_NE(onCard("F_field1"), nullptr);
    EXPECT_EQ(front().textBox(QStringLiteral("F_field1"))->text(), onCard("F_field1")->Text_Value);
    typeKeys("F_field1", QStringLiteral("O+"));
    EXPECT_EQ(onCard("F_field1")->Text_Value, "O+");
    addField(front(), 1, QStringLiteral("Badge"));
    ASSERT_NE(onCard("F_Photo2"), nullptr);
    EXPECT_EQ(onCard("F_Photo2")->kind(), GraphicKind::Image);
    EXPECT_NE(front().Get_Dynamic_Photo_Ctrl(QStringLiteral("F_Photo2")), nullptr);
    EXPECT_EQ(front().textBox(QStringLiteral("F_field1"))->text(), "O+");
    // Undo and Redo take the field's row away and back with its element.
    trigger("Undo_btn");
    EXPECT_EQ(onCard("F_Photo2"), nullptr);
    EXPECT_EQ(front().Get_Dynamic_Photo_Ctrl(QStringLiteral("F_Photo2")), nullptr);
    EXPECT_EQ(front().textBox(QStringLiteral("F_field1"))->text(), "O+");
    trigger("Redo_btn");
    ASSERT_NE(onCard("F_Photo2"), nullptr);
    EXPECT_NE(front().Get_Dynamic_Photo_Ctrl(QStringLiteral("F_Photo2")), nullptr);
    EXPECT_EQ(front().newFieldKind(), "T");
    addField(front(), 0, QStringLiteral("  "));
    EXPECT_EQ(messages.texts().last(), u'\n' + kFieldNameNeededMessage);
    QDir().mkpath(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR));
    front().findChild<QLineEdit*>(QStringLiteral("new_ctrl_name"))->setText(QStringLiteral("Licence plate"));
    QCoreApplication::processEvents();
    front().adjustSize();
    EXPECT_TRUE(front().grab().save(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/visitor-added-fields.png")));

    const QString saved = scratch.filePath(QStringLiteral("with fields.did"));
    dialogs.queueSaveFile(saved);
    ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
    dialogs.queueOpenFile(nameOnlyDesign());
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    EXPECT_EQ(front().textBox(QStringLiteral("F_field1")), nullptr);
    dialogs.queueOpenFile(saved);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    ASSERT_NE(front().textBox(QStringLiteral("F_field1")), nullptr);
    EXPECT_EQ(front().textBox(QStringLiteral("F_field1"))->text(), "O+");
    EXPECT_EQ(front().findChild<QLabel*>(QStringLiteral("F_field1_caption"))->text(), "Blood Group :");
    EXPECT_NE(front().Get_Dynamic_Photo_Ctrl(QStringLiteral("F_Photo2")), nullptr);
}

// The same in a group project, saved and opened again.
TEST_F(GroupPeople, AFieldAddedInTheGroupPanelComesBackWithTheProject)
{
    addField(front(), 0, QStringLiteral("Team"));
    type("F_field1", QStringLiteral("Blue"));
    EXPECT_EQ(frontElement("F_field1")->Text_Value, "Blue");
    addField(front(), 0, QStringLiteral("Shift"));
    EXPECT_EQ(front().textBox(QStringLiteral("F_field1"))->text(), "Blue");
    ASSERT_NE(frontElement("F_field2"), nullptr);
    EXPECT_EQ(front().textBox(QStringLiteral("F_field2"))->text(), frontElement("F_field2")->Text_Value);
    undo();
    EXPECT_EQ(frontElement("F_field2"), nullptr);
    EXPECT_EQ(front().textBox(QStringLiteral("F_field2")), nullptr);
    ASSERT_TRUE(Save_Btn_Clicked(controller));
    dialogs.queueOpenFile(Project_File_Name);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    ASSERT_NE(front().textBox(QStringLiteral("F_field1")), nullptr);
    EXPECT_EQ(front().textBox(QStringLiteral("F_field1"))->text(), "Blue");
    EXPECT_EQ(frontElement("F_label1")->Text_Value, "Team :");
}

