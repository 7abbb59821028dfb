// The front desk's road on the real window and its side panels: a visitor run on a visitor
// template whose barcode shows the visitor number; three visitors typed in, each registered
// (read back with the sqlite3 shell) and given a pass printed to PDF (its barcode read by
// ZXingReader); the log window lists all three and prints the pass of the one chosen there. The
// photo chosen on the side panel reaches the card, the log and the pass.
#include <QCheckBox>
#include <QTableWidget>

#include "VisitorDeskFixture.h"
#include "mainwindow/SideCommands.h"
#include "mainwindow/VisitorCommands.h"
#include "views/inspector/InspectorView.h"
#include "views/visitors/VisitorPassDesign.h"
#include "visitors/VisitorLog.h"

namespace {

class VisitorPassRoad : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(openDeskPass());
        ASSERT_EQ(Start_Card_Option, QStringLiteral("V"));
    }
};

}  // namespace

TEST_F(VisitorPassRoad, ThreeVisitorsAreRegisteredGivenTheirPassesAndListedInTheLog)
{
    const char* names[] = {"Ana Souza", "Li Wei", "O'Brien'); DROP TABLE Visitor_Records;--"};
    for (int n = 0; n < 3; ++n) {
        type("Fup_Name", QString::fromUtf8(names[n]));
        type("Fup_Company", QStringLiteral("Harbour Logistics"));
        type("Fup_CompanySlogan", QStringLiteral("Delivery"));
        type("Fup_UniqueNo", QStringLiteral("V-10%1").arg(n));
        const QString photo = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("v%1.png").arg(n), QColor(90, 140, 200));
        controller.liveModes().Set_User_Image_Control(0, photo, "Fup_Photo");
        click("register_visitor_btn");
        const QString pdf = scratch.filePath(QStringLiteral("pass%1.pdf").arg(n));
        printTo(pdf);
        click("print_pass_btn");
        EXPECT_EQ(barcodeOn(pdf), QStringLiteral("V-10%1").arg(n));
    }
    QStringList said;
    for (int n = 0; n < 3; ++n)
        said << QStringLiteral("\nVisitor registered successfully.") << u'\n' + kPassPrintedMessage;
    EXPECT_EQ(messages.texts(), said);

    const auto rows = TestEnvironment::run(QStringLiteral("sqlite3"),
                                           {VisitorLog::livePath(), QStringLiteral("SELECT Name, Purpose, Visitor_No, Photo_Path FROM Visitor_Records")});
    EXPECT_EQ(QString::fromUtf8(rows.out), QStringLiteral("Ana Souza|Delivery|V-100|%1\nLi Wei|Delivery|V-101|%2\n"
                                                          "O'Brien'); DROP TABLE Visitor_Records;--|Delivery|V-102|%3\n")
                                               .arg(scratch.filePath("v0.png"), scratch.filePath("v1.png"), scratch.filePath("v2.png")));

    // The log window lists all three and prints the pass of the one chosen there.
    QStringList listed;
    dialogs.queueHook([&](QDialog& dialog) {
        QTableWidget& table = *dialog.findChild<QTableWidget*>(QStringLiteral("Visitor_Table"));
        for (int row = 0; row < table.rowCount(); ++row)
            listed << table.item(row, 3)->text();
        table.selectRow(1);
        dialog.findChild<QPushButton*>(QStringLiteral("Print_Button"))->click();
    });
    const QString fromLog = scratch.filePath(QStringLiteral("from-log.pdf"));
    printTo(fromLog);
    click("visitor_log_btn");
    EXPECT_EQ(listed, (QStringList{names[0], names[1], names[2]}));
    EXPECT_EQ(barcodeOn(fromLog), QStringLiteral("V-101"));
}

TEST_F(VisitorPassRoad, AFailedRegistrationSaysWhyAndThePanelKeepsWhatWasTyped)
{
    // The log's folder is taken by a file, so the log cannot be made.
    QDir(Created_Resource_Path).mkpath(QStringLiteral("."));
    QFile blocker(QDir(Created_Resource_Path).filePath(QStringLiteral("Visitor_Log")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    type("Fup_Name", QStringLiteral("Ana Souza"));
    type("Fup_Company", QStringLiteral("Harbour Logistics"));
    click("register_visitor_btn");
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts().first().startsWith(QStringLiteral("\nThe folder of the visitor log "))) << qPrintable(messages.texts().first());
    EXPECT_EQ(front().textBox(QStringLiteral("Fup_Name"))->text(), QStringLiteral("Ana Souza"));
    EXPECT_EQ(front().textBox(QStringLiteral("Fup_Company"))->text(), QStringLiteral("Harbour Logistics"));
}

TEST_F(VisitorPassRoad, AVisitorIsLoggedAtTheMomentOfRegisteringUnlessTheDateIsTypedByHand)
{
    // The panels show the time visitor mode started; the log takes the moment of registering.
    front().textBox(QStringLiteral("Fup_Date"))->setText(QStringLiteral("01-01-2020"));
    front().textBox(QStringLiteral("Fup_Time"))->setText(QStringLiteral("6:00:00 AM"));
    type("Fup_Name", QStringLiteral("Ana Souza"));
    // Registered while the back is shown: the visitor is the front's, the side of the pass.
    controller.sideCommands().Select_back_side();
    controller.liveModes().panel(1).textBox(QStringLiteral("Fup_Name"))->setText(QStringLiteral("Back side"));
    click("register_visitor_btn");
    controller.sideCommands().Select_front_side();
    front().date_manual_chk()->click();
    front().textBox(QStringLiteral("Fup_Date"))->setText(QStringLiteral("24-12-2026"));
    type("Fup_Name", QStringLiteral("Li Wei"));
    click("register_visitor_btn");

    const auto rows = TestEnvironment::run(QStringLiteral("sqlite3"),
                                           {VisitorLog::livePath(), QStringLiteral("SELECT Name, Date_and_Time FROM Visitor_Records")});
    const QStringList lines = QString::fromUtf8(rows.out).trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), 2) << rows.err.toStdString();
    const QString today = QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy"));
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Ana Souza|") + today + u' ')) << lines[0].toStdString();
    EXPECT_FALSE(lines[0].endsWith(QStringLiteral("6:00:00 AM")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Li Wei|24-12-2026 "))) << lines[1].toStdString();
}

// The desk chooses the visitor's photo on the side panel: the card's photo selected, its Picture
// page offers no Camera…, Browse… or Library… of its own, and the red photo browsed on the panel
// is the card's, the log's (sqlite3) and the printed pass's (pdftoppm).
TEST_F(VisitorPassRoad, ThePhotoIsChosenOnTheSidePanelAndReachesTheCardTheLogAndThePass)
{
    const QPointF photoCentre = onCard("Fup_Photo")->bounds().center();
    canvas_mouse::drag(*controller.editedGraphicView(), photoCentre, photoCentre);
    ASSERT_EQ(inspector().sett_tab().currentWidget()->objectName(), QStringLiteral("image_tab"));
    EXPECT_FALSE(inspector().findChild<QWidget*>(QStringLiteral("manual_brws_box"))->isVisible());

    const QString red = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("red.png"), Qt::red);
    dialogs.queueOpenFile(red);
    click("browse_photo_btn");
    type("Fup_Name", QStringLiteral("Ana Souza"));
    click("register_visitor_btn");
    EXPECT_EQ(onCard("Fup_Photo")->_file_path, red);
    EXPECT_EQ(front().photoPath(), red);
    EXPECT_EQ(logged("Name, Photo_Path"), QStringLiteral("Ana Souza|") + red);

    // The 60 x 75 point photo covers some 4500 pixels of the page at 72 dpi.
    const QImage page(pageOf(printPass(QStringLiteral("red pass")), 72));
    ASSERT_FALSE(page.isNull());
    int redPixels = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor colour = page.pixelColor(x, y);
            redPixels += colour.red() > 200 && colour.green() < 60 && colour.blue() < 60;
        }
    EXPECT_GT(redPixels, 3000);
}
