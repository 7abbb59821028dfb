// Every pass made from a shipped visitor template carries its own visitor, on the real window: the
// values of fields added in the panel and the visitor number typed reach the pass, its symbol and
// the log (sqlite3), and a pass printed again from the log is that visitor's pass and no other's
// (ImageMagick compare, ZXingReader). Fields added or typed in land clear of the design, in ink that
// reads against it, and an empty picture field prints nothing. Added fields whose captions repeat
// or name another keep their own values in the log and on each reprint.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>

#include "VisitorDeskFixture.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/VisitorCommands.h"
#include "model/SKTGraphic.h"
#include "model/SKTImage.h"
#include "views/canvas/SKTGraphicView.h"
#include "output/OutputPictures.h"
#include "output/SideSnapshot.h"
#include "visitors/VisitorLog.h"
#include "visitors/VisitorPass.h"

namespace {

class ShippedPassFields : public VisitorDeskFixture, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(openShippedPass(QLatin1String(GetParam())));
    }
    QString name() const { return QString::fromLatin1(GetParam()).remove(QStringLiteral(" (")).remove(u')').replace(u' ', u'-'); }
    void screenshotOfPanel(const QString& file)
    {
        QDir().mkpath(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR));
        QCoreApplication::processEvents();
        front().adjustSize();
        EXPECT_TRUE(front().grab().save(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/") + file));
    }
};

// WCAG's contrast ratio of two colours.
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The mean colour of the front drawn without the element, under the element's box.
QColor groundUnder(const GraphicList& front, const GraphicPtr& element)
{
    GraphicList others = front;
    others.removeAll(element);
    OutputPictures pictures;
    const QImage side = snapshotForOutput(others, CardSide::Front, pictures, 72).image.toImage(72);
    const QRect box = element->bounds().toAlignedRect().intersected(side.rect());
    double r = 0, g = 0, b = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QColor pixel = side.pixelColor(x, y);
            r += pixel.redF(), g += pixel.greenF(), b += pixel.blueF();
        }
    const double n = std::max(1, box.width() * box.height());
    return QColor::fromRgbF(float(r / n), float(g / n), float(b / n));
}

}  // namespace

// Three visitors, each with a lanyard of their own in an added field, two with a pass number typed
// in: each pass, at the desk and printed again from the log, shows its own visitor's values and
// number in text and symbol, and the log keeps them: the number without its caption, the added
// field in "Other".
TEST_P(ShippedPassFields, EachPassAndEachReprintCarriesItsOwnVisitor)
{
    const QString shipped = QString::fromLatin1(GetParam()).startsWith(QLatin1String("guest")) ? QStringLiteral("G-004518")
                                                                                               : QStringLiteral("V-000127");
    EXPECT_EQ(front().textBox("Fup_UniqueNo")->text(), shipped);
    addField(front(), 0, QStringLiteral("Lanyard"));
    const struct {
        const char* name;
        const char* lanyard;
        const char* type;
        const char* number;  // nullptr: the template's own
    } visitors[] = {
        {"Omar Farah", "Green lanyard", "", nullptr},
        {"Ana Souza", "Blue lanyard", "Contractor", "V-000128"},
        {"Li Wei", "Red lanyard", "", "V-000131"},
    };
    QStringList passes, expectedLog;
    for (const auto& visitor : visitors) {
        SCOPED_TRACE(visitor.name);
        type("Fup_Name", QLatin1String(visitor.name));
        type("F_field1", QLatin1String(visitor.lanyard));
        type("Fup_FaxNo", QLatin1String(visitor.type));
        if (visitor.number)
            type("Fup_UniqueNo", QLatin1String(visitor.number));
        dialogs.queueOpenFile(visitortest::photoFile(QDir(scratch.path()), QLatin1String(visitor.name) + QStringLiteral(".png"),
                                                     QColor::fromHsv(passes.size() * 100, 160, 200)));
        click("browse_photo_btn");
        const QString number = visitor.number ? QLatin1String(visitor.number) : shipped;
        passes << printPass(QStringLiteral("desk-%1").arg(passes.size()));
        EXPECT_EQ(barcodeOn(passes.last()), number);
        click("register_visitor_btn");
        expectedLog << QStringLiteral("%1|%2|Visitor Type [Fup_FaxNo]: %3\nLanyard [F_field1]: %4")
                           .arg(QLatin1String(visitor.name), number, QLatin1String(visitor.type), QLatin1String(visitor.lanyard));
    }
    EXPECT_EQ(logged("Name, Visitor_No, Other"), expectedLog.join(u'\n'));

    // What the front shows by now is the last visitor's; each reprint is its own visitor's pass.
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(visitors[row].name);
        const QString again = reprint(row);
        EXPECT_EQ(barcodeOn(again), visitors[row].number ? QLatin1String(visitors[row].number) : shipped);
        for (int other = 0; other < 3; ++other)
            EXPECT_EQ(differingPixels(again, passes[other]) == 0, other == row) << "against the desk's pass " << other;
    }
    QFile::remove(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/reprint-%1.png").arg(name()));
    QFile::copy(pageOf(reprint(1), 150), QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/reprint-%1.png").arg(name()));
}

// Company, purpose and email typed in and a text and a picture field added: each new element lies
// on the card over none of the design's texts, photo or symbol nor another new one, its text in an
// ink that reads against what lies under it; its panel row carries its caption, and the value row
// starts empty. The picture field left empty prints nothing and draws nothing on the canvas, also
// once the design is saved and opened again.
TEST_P(ShippedPassFields, NewFieldsLandClearOfTheDesignAndAnEmptyPictureFieldPrintsNothing)
{
    // What each template has room for besides a text and a picture field: the whole
    // visitor on the roomiest, less on the upright passes, whose designs fill the card.
    const QMap<QString, QStringList> typedFields{
        {"visitor orange (h)", {"Fup_Company", "Fup_CompanySlogan", "Fup_EmailID"}},
        {"guest pass (h)", {"Fup_CompanySlogan"}},
        {"visitor orange (v)", {}},
        {"guest pass (v)", {}},
    };
    const QMap<QString, QString> typedValues{
        {"Fup_Company", "Harbour Logistics"}, {"Fup_CompanySlogan", "Delivery"}, {"Fup_EmailID", "ana@example.org"}};
    const GraphicList design = controller.Get_Front_Controls_Array();
    type("Fup_Name", QStringLiteral("Ana Souza"));
    const QStringList typed = typedFields.value(QLatin1String(GetParam()));
    for (const QString& id : typed)
        type(qPrintable(id), typedValues.value(id));
    addField(front(), 0, QStringLiteral("Lanyard"));
    EXPECT_TRUE(front().textBox("F_field1")->text().isEmpty());
    type("F_field1", QStringLiteral("Blue"));
    const QString withoutPicture = printPass(QStringLiteral("without-picture"));
    addField(front(), 1, QStringLiteral("Badge"));
    const QString withPicture = printPass(QStringLiteral("with-picture"));

    const GraphicList front = controller.Get_Front_Controls_Array();
    const QRectF card(QPointF(0, 0), controller.Front_card_Prop.Card_Size());
    QList<GraphicPtr> placed;
    for (const QString& id : typed + QStringList{"F_label1", "F_field1", "F_Photo2"}) {
        SCOPED_TRACE(id.toStdString());
        const GraphicPtr element = onCard(qPrintable(id));
        ASSERT_NE(element, nullptr);
        EXPECT_FALSE(design.contains(element));
        EXPECT_TRUE(card.contains(element->bounds())) << qPrintable(QStringLiteral("%1,%2 %3x%4").arg(element->bounds().x()).arg(element->bounds().y()).arg(element->bounds().width()).arg(element->bounds().height()));
        for (const GraphicPtr& other : design + placed) {
            if (other->kind() != GraphicKind::Shape && other->ctrl_is_visible)
                EXPECT_FALSE(element->bounds().intersects(other->bounds()))
                    << "covers " << qPrintable(other->control_ID) << " " << qPrintable(other->Text_Value);
        }
        placed << element;
        if (element->kind() == GraphicKind::Text)
            EXPECT_GE(contrast(element->textStyle.txt_clr, groundUnder(front, element)), 4.5);
    }

    // The panel: each added field's value under its caption, the picture field named.
    const auto captionOf = [this](const char* id) {
        const auto* caption = this->front().findChild<QLabel*>(QLatin1String(id) + QStringLiteral("_caption"));
        return caption ? caption->text() : QStringLiteral("(no caption)");
    };
    EXPECT_EQ(captionOf("F_field1"), "Lanyard :");
    EXPECT_EQ(captionOf("F_Photo2"), "Badge");
    EXPECT_EQ(this->front().textBox("F_label1"), nullptr);
    // The row's box shows or hides the caption with its value.
    for (const bool shown : {false, true}) {
        this->front().findChild<QCheckBox*>(QStringLiteral("F_field1_chk"))->click();
        EXPECT_EQ(onCard("F_field1")->ctrl_is_visible, shown);
        EXPECT_EQ(onCard("F_label1")->ctrl_is_visible, shown);
    }
    screenshotOfPanel(QStringLiteral("visitor-added-fields-%1.png").arg(name()));
    QFile::remove(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/pass-with-added-fields-%1.png").arg(name()));
    QFile::copy(pageOf(withPicture, 150), QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/pass-with-added-fields-%1.png").arg(name()));

    // The empty picture field: nothing on the pass, nothing on the canvas, before and after a reopen.
    const auto canvasDraws = [](const GraphicPtr& element) {
        QImage drawn(300, 300, QImage::Format_ARGB32);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        element->drawContentsInView(painter, false);
        painter.end();
        return drawn != [&] { QImage empty(300, 300, QImage::Format_ARGB32); empty.fill(Qt::transparent); return empty; }();
    };
    EXPECT_EQ(differingPixels(withPicture, withoutPicture), 0);
    EXPECT_FALSE(canvasDraws(onCard("F_Photo2")));
    const QString saved = scratch.filePath(QStringLiteral("with fields.did"));
    dialogs.queueSaveFile(saved);
    ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
    dialogs.queueOpenFile(saved);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    ASSERT_NE(onCard("F_Photo2"), nullptr);
    EXPECT_FALSE(canvasDraws(onCard("F_Photo2")));
    EXPECT_EQ(captionOf("F_Photo2"), "Badge");
    EXPECT_EQ(differingPixels(printPass(QStringLiteral("reopened")), withoutPicture), 0);
}

INSTANTIATE_TEST_SUITE_P(ShippedVisitorTemplates, ShippedPassFields,
                         ::testing::Values("visitor orange (h)", "visitor orange (v)", "guest pass (h)", "guest pass (v)"));

namespace {

class VisitorDeskOtherValues : public VisitorDeskFixture {
protected:
    // A pass of the visitor's name and type alone, opened in visitor mode on a shown window.
    void openNotePass()
    {
        CARD_SIDE_STR = QStringLiteral("1");
        using visitortest::text;
        ASSERT_NO_FATAL_FAILURE(writeTemplateFile(QStringLiteral("note pass (h)"), QStringLiteral("visitor"), QStringLiteral("Horizontal"),
                                                  QSizeF(243, 154),
                                                  {text(QRectF(10, 8, 220, 20), QStringLiteral("Fup_Name"), 12),
                                                   text(QRectF(10, 30, 220, 16), QStringLiteral("Fup_FaxNo"), 9)}));
        controller.window()->resize(1280, 800);
        controller.showWindow();
        ASSERT_NO_FATAL_FAILURE(openVisitorPass());
    }
};

}  // namespace

// Added fields whose captions repeat, hold a colon or name the visitor type, a visitor type typed
// as a line of the log, and a picture field: the log keeps each value under its field's identifier
// (sqlite3), and each pass printed again from it is the desk's pass of that visitor, its picture
// field empty whatever picture the card shows by then (ImageMagick compare).
TEST_F(VisitorDeskOtherValues, EachReprintShowsEachFieldsOwnValueAndNoPictureOfToday)
{
    ASSERT_NO_FATAL_FAILURE(openNotePass());
    for (const char* caption : {"Note", "Note", "Note: internal", "Visitor Type"})
        addField(front(), 0, QLatin1String(caption));
    addField(front(), 1, QStringLiteral("Badge"));
    ASSERT_NE(onCard("F_Photo5"), nullptr);
    const struct {
        const char* name;
        const char* type;
        const char* notes[4];  // F_field1 to F_field4
        const char* other;     // what the log keeps, the newest field topmost
    } visitors[] = {
        {"Ana Souza", "Contractor", {"", "second note", "secret", ""},
         "Visitor Type [Fup_FaxNo]: Contractor\nNote: internal [F_field3]: secret\nNote [F_field2]: second note"},
        {"Li Wei", "Visitor Type: Contractor", {"", "", "", ""}, "Visitor Type [Fup_FaxNo]: Visitor Type: Contractor"},
        {"Omar Farah", "", {"", "", "secret", "Escorted"},
         "Visitor Type [Fup_FaxNo]: \nVisitor Type [F_field4]: Escorted\nNote: internal [F_field3]: secret"},
    };
    QStringList passes, kept;
    for (const auto& visitor : visitors) {
        type("Fup_Name", QLatin1String(visitor.name));
        type("Fup_FaxNo", QLatin1String(visitor.type));
        for (int n = 0; n < 4; ++n)
            type(qPrintable(QStringLiteral("F_field%1").arg(n + 1)), QLatin1String(visitor.notes[n]));
        passes << printPass(QStringLiteral("desk-%1").arg(passes.size()));
        click("register_visitor_btn");
        kept << QStringLiteral("%1|%2").arg(QLatin1String(visitor.name), QLatin1String(visitor.other));
    }
    EXPECT_EQ(logged("Name, Other"), kept.join(u'\n'));

    // Today's picture in the picture field, chosen with its row's Browse… in the panel.
    const QString today = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("today.png"), Qt::magenta);
    dialogs.queueOpenFile(today);
    click("F_Photo5_browse");
    ASSERT_EQ(onCard("F_Photo5")->_file_path, today);
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(visitors[row].name);
        const QString again = reprint(row);
        for (int other = 0; other < 3; ++other)
            EXPECT_EQ(differingPixels(again, passes[other]) == 0, other == row) << "against the desk's pass " << other;
        const QString shown = QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/reprint-with-added-fields-%1.png").arg(row);
        QFile::remove(shown);
        QFile::copy(pageOf(again, 150), shown);
    }
}

// A visitor whose added field holds a line break: the log keeps the break (sqlite3) and reads it back, the pass printed again from the log is the
// desk's pass, two lines and all (ImageMagick compare), and the log window and its workbook
// (openpyxl) show each value under its caption as typed, without the log's identifiers.
TEST_F(VisitorDeskOtherValues, TheLogWindowAndItsWorkbookShowOtherAsTypedLineBreaksIncluded)
{
    ASSERT_NO_FATAL_FAILURE(openNotePass());
    addField(front(), 0, QStringLiteral("Lanyard"));
    const QString lanyard = QStringLiteral("Blue\nlanyard");
    type("Fup_Name", QStringLiteral("Ana Souza"));
    type("Fup_FaxNo", QStringLiteral("Contractor"));
    type("F_field1", lanyard);
    const QString desk = printPass(QStringLiteral("desk-line-break"));
    click("register_visitor_btn");
    EXPECT_EQ(logged("Other"), "Visitor Type [Fup_FaxNo]: Contractor\nLanyard [F_field1]: Blue\n lanyard");

    VisitorLog log;
    ASSERT_TRUE(log.open(VisitorLog::livePath()));
    const QList<VisitorRecord> visitors = log.all();
    ASSERT_EQ(visitors.size(), 1);
    const GraphicList front = controller.Get_Front_Controls_Array();
    EXPECT_EQ(visitorValueOf(visitors[0], QStringLiteral("F_field1"), visitorOtherFields(front)), lanyard);
    QString reprintedText = QStringLiteral("(none)");
    for (const GraphicPtr& element : visitorPassElements(front, visitors[0]))
        if (element->control_ID == QLatin1String("F_field1"))
            reprintedText = element->Text_Value;
    EXPECT_EQ(reprintedText, lanyard);

    const QString again = reprint(0);
    EXPECT_EQ(differingPixels(again, desk), 0);
    const QString shownPass = QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/reprint-line-break.png");
    QFile::remove(shownPass);
    QFile::copy(pageOf(again, 150), shownPass);

    const QString shown = QStringLiteral("Visitor Type: Contractor\nLanyard: Blue\nlanyard");
    const QString workbook = scratch.filePath(QStringLiteral("visitors.xlsx"));
    QString cell = QStringLiteral("(not shown)");
    bool threeLinesHigh = false;
    dialogs.queueHook([&](QDialog& window) {
        QTableWidget& table = *window.findChild<QTableWidget*>(QStringLiteral("Visitor_Table"));
        cell = table.item(0, 11)->text();
        threeLinesHigh = table.rowHeight(0) >= 3 * table.fontMetrics().lineSpacing();
        window.show();
        QCoreApplication::processEvents();
        table.horizontalScrollBar()->setValue(table.horizontalScrollBar()->maximum());
        QDir().mkpath(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR));
        window.grab().save(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/log-window-other-as-typed.png"));
        dialogs.queueSaveFile(workbook);
        window.findChild<QPushButton*>(QStringLiteral("Export_Button"))->click();
    });
    click("visitor_log_btn");
    EXPECT_EQ(cell, shown);
    EXPECT_TRUE(threeLinesHigh);
    const auto read = TestEnvironment::runPython(
        "import sys, openpyxl\n"
        "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
        "sys.stdout.write(ws.cell(row=1, column=12).value + '|' + ws.cell(row=2, column=12).value)\n",
        {workbook});
    ASSERT_EQ(read.exitCode, 0) << read.err.constData();
    EXPECT_EQ(QString::fromUtf8(read.out), QStringLiteral("Other|") + shown);
}
