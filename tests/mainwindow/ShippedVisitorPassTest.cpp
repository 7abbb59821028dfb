// The pass prints what the canvas shows: the shipped Visitor Orange template in visitor mode,
// typed into through the real side panel, its pass printed to PDF and set against the canvas's
// front rendered off-screen and printed the same way (pdftoppm, ImageMagick compare); a pass that
// cannot be whole is refused with its reason and nothing is printed.
#include <QCheckBox>
#include <QFile>
#include <QPrinter>
#include <QTableWidget>

#include "VisitorDeskFixture.h"
#include "mainwindow/VisitorCommands.h"
#include "model/SKTGraphic.h"
#include "output/OutputPictures.h"
#include "output/SideSnapshot.h"
#include "views/visitors/VisitorPassPrinting.h"

namespace {

class ShippedVisitorPass : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(openShippedVisitorOrange());
    }
    // The text element with the identifier (the symbol may carry it too).
    GraphicPtr frontElement(const char* id) const
    {
        for (const GraphicPtr& element : controller.Get_Front_Controls_Array())
            if (element->control_ID == QLatin1String(id) && element->kind() == GraphicKind::Text)
                return element;
        return nullptr;
    }
    GraphicPtr elementShowing(const char* text) const
    {
        for (const GraphicPtr& element : controller.Get_Front_Controls_Array())
            if (element->Text_Value == QLatin1String(text))
                return element;
        return nullptr;
    }
    // The canvas's front rendered off-screen at the pass's resolution, printed as the pass is.
    QString canvasPrintedTo(const QString& pdf)
    {
        OutputPictures pictures;
        const SideSnapshot canvas = snapshotForOutput(controller.Get_Front_Controls_Array(), CardSide::Front, pictures);
        EXPECT_TRUE(canvas.isWhole()) << qPrintable(canvas.failure);
        QPrinter printer(QPrinter::HighResolution);
        setUpVisitorPassPrinter(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        EXPECT_TRUE(Call_Print_Box_1(canvas.image.toImage(kOutputDpi), false, printer));
        return pdf;
    }
    // How many pixels differ between the two PDFs' pages at 200 dpi (ImageMagick's count). Qt
    // draws glyph edges a shade differently (a few per cent) once its caches hold them, so shades
    // that close count as equal; a text more or less differs by far more.
    QString differingPixels(const QString& a, const QString& b)
    {
        const auto compared =
            TestEnvironment::run(QStringLiteral("compare"), {QStringLiteral("-metric"), QStringLiteral("AE"), QStringLiteral("-fuzz"),
                                                             QStringLiteral("10%"), pageOf(a, 200), pageOf(b, 200), QStringLiteral("null:")});
        return QString::fromUtf8(compared.err).trimmed();
    }
    // Prints the pass through the panel's button and the canvas beside it; the differing pixels.
    QString passAgainstCanvas(const QString& name)
    {
        const QString pass = scratch.filePath(name + QStringLiteral("-pass.pdf"));
        printTo(pass);
        click("print_pass_btn");
        EXPECT_TRUE(QFile::exists(pass)) << qPrintable(messages.texts().join(u'|'));
        return differingPixels(pass, canvasPrintedTo(scratch.filePath(name + QStringLiteral("-canvas.pdf"))));
    }
};

}  // namespace

TEST_F(ShippedVisitorPass, WithTheCompanyLeftEmptyThePassKeepsTheOrganisationAndPassNumberTheCanvasShows)
{
    type("Fup_Name", QStringLiteral("Ana Souza"));
    ASSERT_NE(elementShowing("Northwind Systems"), nullptr);
    EXPECT_EQ(frontElement("Fup_UniqueNo")->Text_Value, QStringLiteral("V-000127"));
    EXPECT_EQ(frontElement("Fup_Name")->Text_Value, QStringLiteral("Ana Souza"));
    EXPECT_EQ(passAgainstCanvas(QStringLiteral("empty-company")), QStringLiteral("0"));

    // Typed and emptied again: the canvas and the pass still agree.
    type("Fup_Company", QStringLiteral("Harbour Logistics"));
    type("Fup_Company", QString());
    EXPECT_EQ(passAgainstCanvas(QStringLiteral("emptied-company")), QStringLiteral("0"));
    EXPECT_EQ(messages.texts(), QStringList(2, u'\n' + kPassPrintedMessage));
}

TEST_F(ShippedVisitorPass, AVisitorsCompanyLeavesTheHostsBannerAndThePassPrintsAsTheCanvasShows)
{
    type("Fup_Name", QStringLiteral("Ana Souza"));
    type("Fup_Company", QStringLiteral("Harbour Logistics"));
    type("Fup_CompanySlogan", QStringLiteral("Delivery"));
    // The banner names the host; the line under the name, the person visited.
    const GraphicPtr banner = elementShowing("Northwind Systems");
    ASSERT_NE(banner, nullptr);
    EXPECT_TRUE(banner->control_ID.isEmpty());
    EXPECT_EQ(elementShowing("Harbour Logistics") == banner, false);
    EXPECT_EQ(frontElement("Fup_Website")->Text_Value, QStringLiteral("Host: Reception"));
    EXPECT_EQ(frontElement("Fup_UniqueNo")->Text_Value, QStringLiteral("V-000127"));
    EXPECT_EQ(passAgainstCanvas(QStringLiteral("typed-company")), QStringLiteral("0"));
    EXPECT_EQ(messages.texts(), QStringList{u'\n' + kPassPrintedMessage});
}

TEST_F(ShippedVisitorPass, ANumberNoBarcodeCanShowOrAPhotoThatCannotBeReadRefusesThePass)
{
    type("Fup_Name", QStringLiteral("Ana Souza"));
    type("Fup_UniqueNo", QStringLiteral("V-\u2116 7"));
    const QString refused = scratch.filePath(QStringLiteral("refused.pdf"));
    printTo(refused);
    EXPECT_TRUE(opensNoWindow("print_pass_btn"));
    EXPECT_TRUE(opensNoWindow("preview_pass_btn"));
    EXPECT_FALSE(QFile::exists(refused));
    EXPECT_EQ(messages.texts(),
              QStringList(2, QStringLiteral("\nThe barcode cannot show \"V-\u2116 7\": Code 128 cannot encode this value.")));

    // A number the barcode can show goes onto the canvas and the pass alike.
    type("Fup_UniqueNo", QStringLiteral("V-207"));
    const QString printed = scratch.filePath(QStringLiteral("printed.pdf"));
    printTo(printed);
    click("print_pass_btn");
    EXPECT_EQ(barcodeOn(printed), QStringLiteral("V-207"));
    EXPECT_EQ(differingPixels(printed, canvasPrintedTo(scratch.filePath(QStringLiteral("numbered-canvas.pdf")))),
              QStringLiteral("0"));

    // A photo that could be read when it was chosen but cannot be now: refused at the desk and
    // from the log.
    const QString photo = scratch.filePath(QStringLiteral("ana.png"));
    QImage face(120, 150, QImage::Format_RGB32);
    face.fill(QColor(90, 140, 200));
    ASSERT_TRUE(face.save(photo));
    dialogs.queueOpenFile(photo);
    front().findChild<QPushButton*>(QStringLiteral("browse_photo_btn"))->click();
    ASSERT_EQ(front().photoPath(), photo);
    click("register_visitor_btn");
    QFile broken(photo);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("not a picture");
    broken.close();
    printTo(refused);
    EXPECT_TRUE(opensNoWindow("print_pass_btn"));
    bool printedFromLog = false;
    dialogs.queueHook([](QDialog& log) {
        log.findChild<QTableWidget*>(QStringLiteral("Visitor_Table"))->selectRow(0);
        log.findChild<QPushButton*>(QStringLiteral("Print_Button"))->click();
    });
    dialogs.queueHook([&printedFromLog](QDialog&) { printedFromLog = true; });
    click("visitor_log_btn");
    dialogs.clearHooks();
    EXPECT_FALSE(printedFromLog);
    EXPECT_FALSE(QFile::exists(refused));
    const QString photoRefusal = QStringLiteral("\nThe picture \"ana.png\" could not be read.");
    EXPECT_EQ(messages.texts().mid(2),
              (QStringList{u'\n' + kPassPrintedMessage, QStringLiteral("\nVisitor registered successfully."), photoRefusal,
                           photoRefusal}));
}

// Print Pass sends the pass at once, with no print panel; with no printer at all it says so and
// sends nothing.
TEST_F(ShippedVisitorPass, PrintPassOpensNoPanelAndWithoutAPrinterSaysNoPrinterFound)
{
    type("Fup_Name", QStringLiteral("Ana Souza"));
    const QString pdf = scratch.filePath(QStringLiteral("straight.pdf"));
    printTo(pdf);
    EXPECT_TRUE(opensNoWindow("print_pass_btn"));
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(messages.texts(), QStringList{u'\n' + kPassPrintedMessage});

    printers.names.clear();
    ASSERT_TRUE(QFile::remove(pdf));
    EXPECT_TRUE(opensNoWindow("print_pass_btn"));
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(messages.texts(), (QStringList{u'\n' + kPassPrintedMessage, QStringLiteral("\nNo printer found.")}));
}

// File -> Card Holder Profile… names the visitor and the pass number on the card: the panel then
// shows them, Register Visitor logs them (sqlite3), the pass at the desk carries that number in
// its symbol (ZXingReader), and the pass printed again from the log is the desk's pass to the
// pixel: one person on the card, the panel, the log and both passes.
TEST_F(ShippedVisitorPass, AVisitorNamedInTheProfileWindowIsTheOneLoggedAndPrinted)
{
    ASSERT_EQ(front().textBox("Fup_Name")->text(), QStringLiteral("Visitor Name"));
    confirmProfile({{0, QStringLiteral("Zed Visitor")}, {9, QStringLiteral("V-000200")}});
    ASSERT_EQ(frontElement("Fup_Name")->Text_Value, QStringLiteral("Zed Visitor"));
    EXPECT_EQ(front().textBox("Fup_Name")->text(), QStringLiteral("Zed Visitor"));
    EXPECT_EQ(front().textBox("Fup_UniqueNo")->text(), QStringLiteral("V-000200"));

    click("register_visitor_btn");
    EXPECT_EQ(messages.texts().last(), QStringLiteral("\nVisitor registered successfully."));
    EXPECT_EQ(logged("Name, Visitor_No"), QStringLiteral("Zed Visitor|V-000200"));
    const QString desk = printPass(QStringLiteral("profile-desk"));
    EXPECT_EQ(barcodeOn(desk), QStringLiteral("V-000200"));
    EXPECT_EQ(differingPixels(reprint(0), desk), QStringLiteral("0"));
}

// The pass number given to the symbol in the barcode window is the visitor's: the panel and the
// card's text show it, Register Visitor logs it and the pass carries it; one Undo takes back
// symbol, text and panel together.
TEST_F(ShippedVisitorPass, APassNumberGivenInTheBarcodeWindowIsTheOneShownLoggedAndPrinted)
{
    GraphicPtr symbol;
    for (const GraphicPtr& element : controller.Get_Front_Controls_Array())
        if (element->kind() == GraphicKind::Barcode)
            symbol = element;
    ASSERT_EQ(symbol->control_ID, QStringLiteral("Fup_UniqueNo"));
    giveBarcodeValue(symbol, QStringLiteral("V-000321"));
    EXPECT_EQ(frontElement("Fup_UniqueNo")->Text_Value, QStringLiteral("V-000321"));
    EXPECT_EQ(front().textBox("Fup_UniqueNo")->text(), QStringLiteral("V-000321"));

    click("register_visitor_btn");
    EXPECT_EQ(logged("Visitor_No"), QStringLiteral("V-000321"));
    EXPECT_EQ(barcodeOn(printPass(QStringLiteral("barcode-window"))), QStringLiteral("V-000321"));

    action(QStringLiteral("Undo_btn")).trigger();
    EXPECT_EQ(frontElement("Fup_UniqueNo")->Text_Value, QStringLiteral("V-000127"));
    EXPECT_EQ(front().textBox("Fup_UniqueNo")->text(), QStringLiteral("V-000127"));
}
