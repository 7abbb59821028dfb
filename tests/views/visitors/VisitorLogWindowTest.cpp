// The visitor log window over a real log: its rows and search, the selected visitor's photo
// with and without stored settings, each visitor's pass printed to PDF at its place with its own
// barcode (poppler, ImageMagick, ZXingReader), a choice a new search or a cleared selection
// forgets, and the export read by openpyxl.
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "model/CardHost.h"
#include "output/OutputTestSupport.h"
#include "photos/ImgFilterSettings.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "views/print/PrintTestSheet.h"
#include "views/print/StandInPrinters.h"
#include "views/visitors/VisitorPassDesign.h"
#include "views/inspector/PrintInfo.h"
#include "views/visitors/VisitorPassPrinting.h"
#include "views/visitors/Visitor_Log_Records.h"
#include "visitors/VisitorPass.h"

namespace {

class VisitorLogWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        visitortest::lightCr80(host);
        setCardHost(&host);
        ASSERT_TRUE(log.open(folder.filePath(QStringLiteral("Visitor.db"))));
        front = visitortest::passFront(QDir(folder.path()));
        const QDir photos(folder.path());
        ASSERT_EQ(log.add(sampleVisitor(QStringLiteral("Ana Souza"),
                                               visitortest::photoFile(photos, "ana.png", QColor(200, 40, 40)),
                                               QStringLiteral("V-0001"))), 1);
        ASSERT_EQ(log.add(sampleVisitor(QStringLiteral("Li Wei"),
                                               visitortest::photoFile(photos, "li.png", QColor(40, 160, 40)),
                                               QStringLiteral("V-0002"))), 2);
        ASSERT_EQ(log.add(sampleVisitor(QStringLiteral("Olivia Martin"),
                                               visitortest::photoFile(photos, "olivia.png", QColor(40, 40, 200)),
                                               QStringLiteral("V-0003"))), 3);
        window.logic.passMaker = [this](const VisitorRecord& visitor, QString* why) {
            return Draw_Visitor_Pass(front, visitor, why);
        };
        window.Refresh_Rows();
        // The log prints on the default printer's paper: US Letter with margins of 36 points on
        // the left, 37 on the right and 18 at the top.
        printers.officeMargins = QMarginsF(36, 18, 37, 18);
    }
    void TearDown() override
    {
        setCardHost(nullptr);
        visitorPassPrintToFile.clear();
    }
    // The next passes print into this PDF.
    static void printTo(const QString& pdf) { visitorPassPrintToFile = pdf; }

    template <typename Widget>
    Widget* child(const char* name) const
    {
        return window.findChild<Widget*>(QLatin1String(name));
    }

    QColor photoCentre() const
    {
        const QImage& photo = window.logic.photo();
        return photo.pixelColor(photo.width() / 2, photo.height() / 2);
    }

    QTemporaryDir folder;
    WindowlessCardHost host;
    VisitorLog log;
    GraphicList front;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messagesInstalled{messages};
    ScriptedDialogPresenter dialogs;
    StandInPrinters printers;
    Visitor_Log_Records window{log};
};

}  // namespace

TEST_F(VisitorLogWindowTest, TheTableListsEveryVisitorAndTheSearchKeepsThoseWhoseNameHoldsIt)
{
    const QTableWidget& table = *child<QTableWidget>("Visitor_Table");
    ASSERT_EQ(table.rowCount(), 3);
    ASSERT_EQ(table.columnCount(), 12);
    EXPECT_EQ(table.horizontalHeaderItem(9)->text(), QStringLiteral("Person to Meet"));
    EXPECT_EQ(table.item(1, 0)->text(), QStringLiteral("2"));
    EXPECT_EQ(table.item(1, 3)->text(), QStringLiteral("Li Wei"));
    EXPECT_EQ(table.item(2, 10)->text(), QStringLiteral("V-0003"));
    EXPECT_EQ(child<QLabel>("Count_Label")->text(), QStringLiteral("3 visitor(s)"));

    QTest::keyClicks(child<QLineEdit>("Search_Field"), QStringLiteral("LI"));
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.item(0, 3)->text(), QStringLiteral("Li Wei"));
    EXPECT_EQ(table.item(1, 3)->text(), QStringLiteral("Olivia Martin"));
    QTest::keyClicks(child<QLineEdit>("Search_Field"), QStringLiteral("x"));
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(child<QLabel>("Count_Label")->text(), QStringLiteral("0 visitor(s)"));
}

TEST_F(VisitorLogWindowTest, TheSelectedVisitorsPhotoShowsThroughItsStoredSettings)
{
    child<QTableWidget>("Visitor_Table")->selectRow(1);
    EXPECT_EQ(window.logic.selectedRow(), 1);
    EXPECT_EQ(photoCentre(), QColor(40, 160, 40));
    EXPECT_FALSE(child<QLabel>("Photo_View")->pixmap().isNull());

    // Grey scale stored behind the marker, with a red border 6 wide: the picture goes through the
    // filter chain, then gets its border.
    const QString li = folder.filePath(QStringLiteral("li.png"));
    ASSERT_TRUE(window.logic.Set_User_Image(li + QStringLiteral("<IMG_FILTER>0_0_1_0_0_0_0_0_1_0_1_0_1_1_6_S_1:0:0:1_")));
    const QColor grey = photoCentre();
    EXPECT_EQ(grey.red(), grey.green());
    EXPECT_EQ(grey.green(), grey.blue());
    EXPECT_NE(grey, QColor(40, 160, 40));
    EXPECT_EQ(window.logic.photo().pixelColor(1, 75), QColor(255, 0, 0));
    EXPECT_TRUE(IMG_gray_Scale);
    Set_IMG_Settings(PictureSettings{});

    // A picture that cannot be read leaves the photo as it was; an empty reference clears it.
    EXPECT_FALSE(window.logic.Set_User_Image(folder.filePath(QStringLiteral("gone.png"))));
    EXPECT_EQ(photoCentre(), grey);
    EXPECT_TRUE(window.logic.Set_User_Image(QString()));
    EXPECT_TRUE(window.logic.photo().isNull());

    // A visitor whose picture is gone is shown without one, not with the last visitor's.
    window.logic.Set_User_Image(li);
    ASSERT_TRUE(QFile::remove(folder.filePath(QStringLiteral("olivia.png"))));
    child<QTableWidget>("Visitor_Table")->selectRow(2);
    EXPECT_TRUE(window.logic.photo().isNull());
    EXPECT_TRUE(child<QLabel>("Photo_View")->pixmap().isNull());
}

TEST_F(VisitorLogWindowTest, EachVisitorsPassPrintsToPdfAtItsPlaceWithItsOwnBarcode)
{
    for (int row = 0; row < 3; ++row) {
        const QString pdf = folder.filePath(QStringLiteral("pass-%1.pdf").arg(row + 1));
        child<QTableWidget>("Visitor_Table")->selectRow(row);
        printTo(pdf);
        child<QPushButton>("Print_Button")->click();
        ASSERT_EQ(PrintTest::pdfPages(pdf), 1) << row;
        // Centred between the side margins, its top at the top margin: x = 36 + (612 - 73 - 243) / 2,
        // so the card spans 184 to 427 across and 18 to 172 down (poppler smooths its edge pixels).
        const QImage page72 = PrintTest::pdfPageImage(pdf, 1, folder.path());
        const QColor ground(235, 242, 250);
        EXPECT_TRUE(PrintTest::near(page72.pixelColor(186, 20), ground)) << row;
        EXPECT_TRUE(PrintTest::near(page72.pixelColor(425, 170), ground)) << row;
        for (const QPoint outside : {QPoint(181, 100), QPoint(430, 100), QPoint(300, 15), QPoint(300, 175)})
            EXPECT_EQ(page72.pixelColor(outside), QColor(Qt::white)) << row << " " << outside.x() << "," << outside.y();
        const QString page300 = folder.filePath(QStringLiteral("pass-%1").arg(row + 1));
        TestEnvironment::run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                                                          QStringLiteral("-singlefile"), pdf, page300});
        EXPECT_EQ(OutputTest::zxingText(page300 + QStringLiteral(".png")), QStringLiteral("V-000%1").arg(row + 1));
        const auto text = TestEnvironment::run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        EXPECT_TRUE(text.out.trimmed().isEmpty()) << "the pass is a picture, drawn at 600 dpi";
        // Its barcode kept sharp: stored losslessly, and opaque with no mask beside it.
        if (OutputTest::missingTool({OutputTest::kPdfImages}).isEmpty()) {
            const QList<OutputTest::PdfPicture> pictures = OutputTest::pdfPictures(pdf);
            ASSERT_EQ(pictures.size(), 1) << row;
            EXPECT_EQ(std::tuple(pictures[0].type, pictures[0].pixels, pictures[0].encoding),
                      std::tuple(QString("image"), QSize(2025, 1284), QString("image")));
        }
        if (row == 0) {
            QDir().mkpath(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR));
            QFile::remove(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/pass-page.png"));
            QFile::copy(page300 + QStringLiteral(".png"), QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/pass-page.png"));
        }
    }
    // The photo on each pass is the visitor's own: Olivia's blue at the photo's centre (10 + 30, 10 + 37).
    const QImage page = PrintTest::pdfPageImage(folder.filePath(QStringLiteral("pass-3.pdf")), 1, folder.path());
    EXPECT_TRUE(PrintTest::near(page.pixelColor(184 + 40, 18 + 47), QColor(40, 40, 200)));
    EXPECT_TRUE(messages.texts().isEmpty()) << qPrintable(messages.texts().join(u'|'));
}

TEST_F(VisitorLogWindowTest, ANumberNoBarcodeCanShowRefusesThePassWhileNoNumberLeavesTheBarcodeOut)
{
    const QString photo = folder.filePath(QStringLiteral("ana.png"));
    ASSERT_EQ(log.add(sampleVisitor(QStringLiteral("Ana Souza"), photo, QStringLiteral("V-\u2116 4"))), 4);
    ASSERT_EQ(log.add(sampleVisitor(QStringLiteral("Li Wei"), photo, QString())), 5);
    window.Refresh_Rows();

    child<QTableWidget>("Visitor_Table")->selectRow(3);
    bool panelShown = false;
    dialogs.queueHook([&panelShown](QDialog&) { panelShown = true; });
    child<QPushButton>("Print_Button")->click();
    dialogs.clearHooks();
    EXPECT_FALSE(panelShown);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("\nThe barcode cannot show \"V-\u2116 4\": Code 128 cannot encode this value.")});
    // A barcode left off the card refuses nothing.
    front[3]->ctrl_is_visible = false;
    const QString hidden = folder.filePath(QStringLiteral("hidden-barcode.pdf"));
    printTo(hidden);
    child<QPushButton>("Print_Button")->click();
    EXPECT_EQ(PrintTest::pdfPages(hidden), 1);
    front[3]->ctrl_is_visible = true;

    // Without a number there is nothing to encode: the pass prints, its barcode left out.
    const QString pdf = folder.filePath(QStringLiteral("no-number.pdf"));
    child<QTableWidget>("Visitor_Table")->selectRow(4);
    printTo(pdf);
    child<QPushButton>("Print_Button")->click();
    ASSERT_EQ(PrintTest::pdfPages(pdf), 1);
    const QString page300 = folder.filePath(QStringLiteral("no-number"));
    TestEnvironment::run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                                                      QStringLiteral("-singlefile"), pdf, page300});
    EXPECT_EQ(OutputTest::zxingText(page300 + QStringLiteral(".png")), QString());
    EXPECT_EQ(messages.texts().size(), 1);
}

TEST_F(VisitorLogWindowTest, PreviewShowsTheSelectedVisitorsPassOnOnePage)
{
    child<QTableWidget>("Visitor_Table")->selectRow(0);
    int pages = 0;
    dialogs.queueHook([&pages](QDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        preview->updatePreview();
        pages = preview->pageCount();
    });
    child<QPushButton>("Preview_Button")->click();
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(messages.texts().isEmpty()) << qPrintable(messages.texts().join(u'|'));
}

// Print goes straight to the log's printer, with no print panel; without a printer it says so
// and sends nothing, while Preview still shows the pass.
TEST_F(VisitorLogWindowTest, PrintOpensNoPanelAndWithoutAPrinterSaysNoPrinterFound)
{
    child<QTableWidget>("Visitor_Table")->selectRow(1);
    const QString pdf = folder.filePath(QStringLiteral("straight.pdf"));
    printTo(pdf);
    int windowsOpened = 0;
    dialogs.queueHook([&windowsOpened](QDialog&) { ++windowsOpened; });
    setPrintInfo(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    child<QPushButton>("Print_Button")->click();
    EXPECT_EQ(windowsOpened, 0);
    EXPECT_EQ(PrintTest::pdfPages(pdf), 1);
    // The pass hands its print settings to the designer: the log's printer's Letter paper.
    EXPECT_EQ(printInfo().pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(printInfo().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(printInfo().margins(QPageLayout::Point), printers.officeMargins);
    EXPECT_EQ(window.logic.Execute_Printing(false), true);

    printers.names.clear();
    ASSERT_TRUE(QFile::remove(pdf));
    child<QPushButton>("Print_Button")->click();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("\nNo printer found.")});
    child<QPushButton>("Preview_Button")->click();
    EXPECT_EQ(windowsOpened, 1);
    EXPECT_EQ(messages.texts().size(), 1);
}

TEST_F(VisitorLogWindowTest, PrintWithoutASelectedVisitorSaysSoAndAskForNoPrinter)
{
    child<QPushButton>("Print_Button")->click();
    child<QPushButton>("Preview_Button")->click();
    EXPECT_EQ(messages.texts(), QStringList(2, QStringLiteral("\nPlease select visitor record.")));
}

// A new search, or a selection cleared, leaves nobody chosen: no row marked, no photo, and Print
// asks for a visitor instead of printing whoever stands at the old row now.
TEST_F(VisitorLogWindowTest, ASearchOrAClearedSelectionLeavesNoVisitorChosenToPrint)
{
    QTableWidget& table = *child<QTableWidget>("Visitor_Table");
    const std::function<void()> forgetters[] = {
        [&] { QTest::keyClicks(child<QLineEdit>("Search_Field"), QStringLiteral("i")); },
        [&] { table.clearSelection(); },
    };
    for (const auto& forget : forgetters) {
        child<QLineEdit>("Search_Field")->clear();
        window.Refresh_Rows();
        table.selectRow(1);
        ASSERT_EQ(window.logic.selectedRow(), 1);
        ASSERT_EQ(photoCentre(), QColor(40, 160, 40));
        forget();
        EXPECT_EQ(table.rowCount(), window.logic.rows().size());
        EXPECT_EQ(window.logic.selectedRow(), -1);
        EXPECT_TRUE(table.selectedRanges().isEmpty());
        EXPECT_TRUE(window.logic.photo().isNull());
        EXPECT_TRUE(child<QLabel>("Photo_View")->pixmap().isNull());
        const QString pdf = folder.filePath(QStringLiteral("nobody.pdf"));
        printTo(pdf);
        child<QPushButton>("Print_Button")->click();
        EXPECT_FALSE(QFile::exists(pdf));
        EXPECT_EQ(messages.texts().last(), QStringLiteral("\nPlease select visitor record."));
    }
    EXPECT_EQ(messages.texts().size(), 2);
}

TEST_F(VisitorLogWindowTest, ExportWritesTheListedVisitorsUnderTheTwelveTitles)
{
    QTest::keyClicks(child<QLineEdit>("Search_Field"), QStringLiteral("wei"));
    const QString target = folder.filePath(QStringLiteral("visitors"));
    dialogs.queueSaveFile(target);
    child<QPushButton>("Export_Button")->click();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("\nVisitor records exported successfully.")});
    const auto read = TestEnvironment::runPython(
        "import sys, openpyxl\n"
        "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
        "for row in ws.iter_rows(values_only=True):\n"
        "    print('|'.join('' if v is None else str(v) for v in row))\n",
        {target + QStringLiteral(".xlsx")});
    ASSERT_EQ(read.exitCode, 0) << read.err.constData();
    EXPECT_EQ(QString::fromUtf8(read.out).trimmed().split(u'\n'),
              (QStringList{QStringLiteral("S.No.|Date and Time|Photo Path|Name|Company Name|Address|Phone|Email|Purpose|"
                                          "Person to Meet|Visitor No.|Other"),
                           QStringLiteral("2|07-12-2026 9:30:00 AM|%1|Li Wei|Harbour Logistics|12 Quay Street|+44 20 7946 0000|"
                                          "guest@example.org|Interview|Ms Kaur|V-0002|Badge returned")
                               .arg(folder.filePath(QStringLiteral("li.png")))}));

    // A search that lists nobody has nothing to export and asks for no file.
    QTest::keyClicks(child<QLineEdit>("Search_Field"), QStringLiteral("zzz"));
    child<QPushButton>("Export_Button")->click();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("\nThere is no visitor record to export."));
}

TEST(VisitorPassDateTest, APassPrintedAgainShowsTheVisitsDateAndTime)
{
    EXPECT_EQ(visitDateAndTime("06-12-2026 5:45:00 PM").date, QStringLiteral("06-12-2026"));
    EXPECT_EQ(visitDateAndTime("06-12-2026 5:45:00 PM").time, QStringLiteral("5:45:00 PM"));
    EXPECT_EQ(visitDateAndTime(" 7 Dec 2026 17:45 ").date, QStringLiteral("7 Dec 2026"));
    EXPECT_EQ(visitDateAndTime(" 7 Dec 2026 17:45 ").time, QStringLiteral("17:45"));
    EXPECT_EQ(visitDateAndTime("Monday morning").date, QStringLiteral("Monday morning"));
    EXPECT_EQ(visitDateAndTime("Monday morning").time, QString());

    using visitortest::text;
    const GraphicList front{text(QRectF(10, 10, 80, 14), QStringLiteral("Fup_Date"), 8),
                            text(QRectF(10, 30, 80, 14), QStringLiteral(" Fup_Time"), 8)};
    VisitorRecord visitor;
    visitor.dateAndTime = QStringLiteral("06-12-2026 5:45:00 PM");
    const GraphicList pass = visitorPassElements(front, visitor);
    EXPECT_EQ(pass[0]->Text_Value, QStringLiteral("06-12-2026"));
    EXPECT_EQ(pass[1]->Text_Value, QStringLiteral("5:45:00 PM"));
    // The live design keeps its own.
    EXPECT_EQ(front[0]->Text_Value, QStringLiteral("Visitor"));
}

// A visitor registered without a date and time leaves the front's own texts on the pass.
TEST(VisitorPassDateTest, AVisitorWithoutADateOrTimeKeepsTheFrontsTexts)
{
    using visitortest::text;
    GraphicList front{text(QRectF(10, 10, 80, 14), QStringLiteral("Fup_Date"), 8),
                      text(QRectF(10, 30, 80, 14), QStringLiteral("Fup_Time"), 8)};
    front[0]->Set_text_value(QStringLiteral("01/02/2026"));
    front[1]->Set_text_value(QStringLiteral("09:30 AM"));
    VisitorRecord visitor;
    for (const QString& blank : {QString(), QStringLiteral("  ")}) {
        visitor.dateAndTime = blank;
        const GraphicList pass = visitorPassElements(front, visitor);
        EXPECT_EQ(pass[0]->Text_Value, QStringLiteral("01/02/2026"));
        EXPECT_EQ(pass[1]->Text_Value, QStringLiteral("09:30 AM"));
    }
}

// The settings stored behind a photo reference belong to the log's own photo: the pass's photo
// element takes the picture file alone, printed again from the log or at the desk.
TEST_F(VisitorLogWindowTest, APassTakesThePictureFileOfAPhotoReferenceWithItsSettings)
{
    ASSERT_EQ(front[2]->control_ID, QStringLiteral("Fup_Photo"));
    const QString placeholder = front[2]->_file_path;
    VisitorRecord visitor = sampleVisitor(QStringLiteral("Ann"), QString(), QString());
    visitor.photoPath = QStringLiteral("/x/ann.png<IMG_FILTER>0_0_1_0_0_0_0_0_1_0_1_0_1_1_6_S_1:0:0:1_");
    for (PassValues values : {PassValues::Logged, PassValues::Shown})
        EXPECT_EQ(visitorPassElements(front, visitor, nullptr, values)[2]->_file_path, QStringLiteral("/x/ann.png"));
    EXPECT_EQ(front[2]->_file_path, placeholder);
    // Without a photo, the desk's pass keeps the front's; one printed again from the log shows
    // none, never the face the card shows by then.
    visitor.photoPath.clear();
    EXPECT_EQ(visitorPassElements(front, visitor, nullptr, PassValues::Shown)[2]->_file_path, placeholder);
    EXPECT_TRUE(visitorPassElements(front, visitor)[2]->_file_path.isEmpty());
}
