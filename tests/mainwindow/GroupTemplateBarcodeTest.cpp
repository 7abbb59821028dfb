// A group project made from the shipped staff template, whose barcode holds a sample ID: bound in
// the barcode window to the workbook's ID column, as the user guide tells, each record's card
// carries its own person's ID in the exported files (zbarimg); set up as the guide's group
// chapter says, every text the card shows is its own person's (pdftotext), and the card holder
// profile's typing over a field of no column is what the panel, the card and every card show.
#include <QDialogButtonBox>
#include <QLineEdit>

#include "LiveModeRoadFixture.h"
#include "support/CanvasMouse.h"

namespace {

const QString kSampleId = QStringLiteral("NW-0421758");

class GroupTemplateBarcode : public LiveModeRoad {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(LiveModeRoad::SetUp());
        ASSERT_TRUE(QFile::remove(QDir(Resource_Path).filePath(QStringLiteral("Templates/employee/badge (h).did"))));
        ASSERT_NO_FATAL_FAILURE(copyBuiltResources({"Templates/employee/classic blue (h).did", "photo_placeholder.png"}));
        const QString workbook =
            openpyxlWorkbook(QStringLiteral("staff.xlsx"),
                             "ws.append(['Name', 'Title', 'StaffID'])\n"
                             "for n in range(1, 21): ws.append(['Person %d' % n, 'Title %d' % n, 'ID%d' % (100000 + n)])\n");
        ASSERT_NO_FATAL_FAILURE(startGroupProject(workbook));
        chooseColumn("Fup_Name", 1);
    }
    GraphicPtr barcode() const
    {
        for (const GraphicPtr& element : controller.graphicView(SKTDocument::FrontSide)->graphics())
            if (element->kind() == GraphicKind::Barcode)
                return element;
        return nullptr;
    }
    // The barcode window opened by a double click, its value taken from the column; what its Value
    // box then shows.
    QString bindToColumn(const QString& column)
    {
        bool opened = false;
        QString shown;
        dialogs.queueHook([&](QDialog& window) {
            opened = true;
            auto* source = window.findChild<QComboBox*>(QStringLiteral("Data_source_type"));
            source->setCurrentText(QStringLiteral("Excel"));
            auto* columns = window.findChild<QComboBox*>(QStringLiteral("Batch_Series"));
            columns->setCurrentIndex(columns->findText(column));
            Q_EMIT columns->activated(columns->currentIndex());
            shown = window.findChild<QLineEdit*>(QStringLiteral("dataText"))->text();
            window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        canvas_mouse::doubleClick(*controller.graphicView(SKTDocument::FrontSide), barcode()->bounds().center());
        EXPECT_TRUE(opened);
        return shown;
    }
    // The texts of an exported PDF card, on one line.
    static QString textOf(const QString& pdf)
    {
        return QString::fromUtf8(TestEnvironment::run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out).simplified();
    }
    // The barcode of an exported PDF card, read by zbarimg from its page at 300 dpi.
    QString barcodeOf(const QString& pdf) const
    {
        const QString page = pdf.chopped(4);
        TestEnvironment::run(QStringLiteral("pdftoppm"), {"-r", "300", "-png", "-singlefile", pdf, page});
        return QString::fromUtf8(
                   TestEnvironment::run(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), page + ".png"}).out)
            .trimmed();
    }
};

}  // namespace

TEST_F(GroupTemplateBarcode, TheSampleIdBoundToTheIdColumnGivesEachCardItsOwnPersonsId)
{
    ASSERT_TRUE(barcode());
    EXPECT_EQ(barcode()->barcode.linear_font_val, kSampleId) << "the template's sample, until it is bound";
    bindToColumn(QStringLiteral("StaffID"));
    clickGroupRow(8);
    EXPECT_EQ(frontElement("Fup_Name")->Text_Value, "Person 9");

    const QTemporaryDir out;
    const QDir cards = exportRecords(QStringLiteral("PNG"), 1, 12, out);
    for (int n : {1, 9, 12}) {
        const QString front = cards.filePath(QStringLiteral("Card_%1_Front.PNG").arg(n));
        const auto read = TestEnvironment::run(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), front});
        EXPECT_EQ(QString::fromUtf8(read.out).trimmed(), QStringLiteral("ID%1").arg(100000 + n)) << qPrintable(front);
    }
}

// The group chapter's road: each field the template shows bound to its column in the panel (the
// name, the title, the unique number), the company typed once for all, the barcode bound to the ID
// column in its window (whose Value box shows the record the card shows, record 9 here). Each of
// the twenty cards exported shows its own person's name, title and ID beside a barcode of that ID,
// and nothing of the template's sample person.
TEST_F(GroupTemplateBarcode, TheGuidesRoadGivesEveryCardItsOwnPersonsTextsAndBarcode)
{
    chooseColumn("Fup_Title", 2);
    chooseColumn("Fup_UniqueNo", 3);
    type("Fup_Company", QStringLiteral("Globex"));
    clickGroupRow(8);
    EXPECT_EQ(bindToColumn(QStringLiteral("StaffID")), QStringLiteral("ID100009"));
    EXPECT_EQ(barcode()->barcode.linear_font_val, QStringLiteral("ID100009"));

    const QTemporaryDir out;
    const QDir cards = exportRecords(QStringLiteral("PDF"), 1, 20, out);
    ASSERT_EQ(cards.entryList({QStringLiteral("*_Front.PDF")}, QDir::Files).size(), 20) << qPrintable(cards.entryList().join(u'|'));
    for (int n = 1; n <= 20; ++n) {
        const QString card = cards.filePath(QStringLiteral("Card_%1_Front.PDF").arg(n));
        const QString id = QStringLiteral("ID%1").arg(100000 + n);
        const QString text = textOf(card);
        for (const QString& own : {QStringLiteral("Person %1 ").arg(n), QStringLiteral("Title %1 ").arg(n), id, QStringLiteral("Globex")})
            EXPECT_TRUE((text + u' ').contains(own)) << qPrintable(own) << " on card " << n << ": " << qPrintable(text);
        for (const char* sample : {"NW-0421758", "Alex Morgan", "Senior Software Engineer", "Northwind Systems"})
            EXPECT_FALSE(text.contains(QLatin1String(sample))) << sample << " on card " << n;
        EXPECT_EQ(barcodeOf(card), id) << "card " << n;
    }
}

// A group card's symbol carrying the unique number, given a value of its own in the barcode
// window, shows that value on every card; the panel and the text keep the record's number.
TEST_F(GroupTemplateBarcode, AValueGivenToTheSymbolLeavesTheRecordsNumberInThePanelAndText)
{
    chooseColumn("Fup_UniqueNo", 3);
    clickGroupRow(2);
    barcode()->control_ID = QStringLiteral("Fup_UniqueNo");
    giveBarcodeValue(barcode(), QStringLiteral("DESK-1"));
    ASSERT_EQ(barcode()->barcode.linear_font_val, QStringLiteral("DESK-1"));
    EXPECT_EQ(field("Fup_UniqueNo").text(), QStringLiteral("ID100003"));
    EXPECT_EQ(frontElement("Fup_UniqueNo")->Text_Value, QStringLiteral("ID100003"));
}

// File -> Card Holder Profile… types a company that no column holds: the panel shows it as the
// card does, it stays when another record is chosen, and every card exported carries it.
TEST_F(GroupTemplateBarcode, ACompanyTypedInTheProfileIsThePanelsAndEveryCards)
{
    clickGroupRow(4);
    ASSERT_EQ(field("Fup_Company").text(), QStringLiteral("Northwind Systems"));
    confirmProfile({{2, QStringLiteral("Globex")}});
    ASSERT_EQ(frontElement("Fup_Company")->Text_Value, QStringLiteral("Globex"));
    EXPECT_EQ(field("Fup_Company").text(), QStringLiteral("Globex"));
    EXPECT_EQ(frontElement("Fup_Name")->Text_Value, QStringLiteral("Person 5"));
    EXPECT_EQ(field("Fup_Name").text(), QStringLiteral("Person 5"));
    const qsizetype said = messages.texts().size();
    clickGroupRow(6);
    EXPECT_EQ(messages.texts().size(), said) << "no question over typing: the company is no record's";
    EXPECT_EQ(field("Fup_Company").text(), QStringLiteral("Globex"));
    EXPECT_EQ(field("Fup_Name").text(), QStringLiteral("Person 7"));

    const QTemporaryDir out;
    const QDir cards = exportRecords(QStringLiteral("PDF"), 1, 3, out);
    for (int n = 1; n <= 3; ++n) {
        const QString text = textOf(cards.filePath(QStringLiteral("Card_%1_Front.PDF").arg(n)));
        EXPECT_TRUE(text.contains(QStringLiteral("Globex"))) << qPrintable(text);
        EXPECT_FALSE(text.contains(QStringLiteral("Northwind Systems"))) << qPrintable(text);
    }
    // Saved and opened again, the project names the same company on the card and in the panel.
    ASSERT_TRUE(Save_Btn_Clicked(controller));
    dialogs.queueOpenFile(Project_File_Name);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    EXPECT_EQ(frontElement("Fup_Company")->Text_Value, QStringLiteral("Globex"));
    EXPECT_EQ(field("Fup_Company").text(), QStringLiteral("Globex"));
}
