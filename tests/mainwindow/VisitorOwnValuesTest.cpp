// Every pass made from a shipped visitor template carries its own visitor, on the real window: the
// values of fields added in the panel and the visitor number typed reach the pass, its symbol and
// the log (sqlite3), and a pass printed again from the log is that visitor's pass and no other's
// (ImageMagick compare, ZXingReader). Fields added or typed in land clear of the design, in ink that
// reads against it, and an empty picture field prints nothing.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>

#include "VisitorDeskFixture.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/VisitorCommands.h"
#include "model/SKTGraphic.h"
#include "model/SKTImage.h"
#include "views/canvas/SKTGraphicView.h"
#include "output/OutputPictures.h"
#include "output/SideSnapshot.h"
#include "visitors/VisitorLog.h"

namespace {

class ShippedPassFields : public VisitorDeskFixture, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        CARD_SIDE_STR = QStringLiteral("1");
        ASSERT_NO_FATAL_FAILURE(copyBuiltResources({QStringLiteral("Templates/visitor/%1.did").arg(QLatin1String(GetParam())),
                                                    "photo_placeholder.png"}));
        controller.window()->resize(1280, 800);
        controller.showWindow();
        ASSERT_NO_FATAL_FAILURE(openVisitorPass());
        ASSERT_EQ(Start_Card_Option, QStringLiteral("V"));
    }
    QString name() const { return QString::fromLatin1(GetParam()).remove(QStringLiteral(" (")).remove(u')').replace(u' ', u'-'); }
    GraphicPtr onCard(const char* id) const
    {
        return controller.graphicView(SKTDocument::FrontSide)->Selcect_Ctrl_With_ID(QLatin1String(id));
    }
    QString printPass(const QString& file)
    {
        const QString pdf = scratch.filePath(file + QStringLiteral(".pdf"));
        printTo(pdf);
        click("print_pass_btn");
        EXPECT_TRUE(QFile::exists(pdf)) << qPrintable(messages.texts().join(u'|'));
        return pdf;
    }
    // The pass of the log's row printed from the log window.
    QString reprint(int row)
    {
        const QString pdf = scratch.filePath(QStringLiteral("reprint-%1.pdf").arg(row));
        printTo(pdf);
        dialogs.queueHook([row](QDialog& log) {
            log.findChild<QTableWidget*>(QStringLiteral("Visitor_Table"))->selectRow(row);
            log.findChild<QPushButton*>(QStringLiteral("Print_Button"))->click();
        });
        click("visitor_log_btn");
        EXPECT_TRUE(QFile::exists(pdf)) << qPrintable(messages.texts().join(u'|'));
        return pdf;
    }
    // How many pixels differ between the two PDFs' pages at 200 dpi (ImageMagick), shades within
    // a tenth counting as equal.
    static int differingPixels(const QString& a, const QString& b)
    {
        const auto compared = TestEnvironment::run(
            QStringLiteral("compare"), {QStringLiteral("-metric"), QStringLiteral("AE"), QStringLiteral("-fuzz"), QStringLiteral("10%"),
                                        pageOf(a, 200), pageOf(b, 200), QStringLiteral("null:")});
        bool number = false;
        const int count = QString::fromUtf8(compared.err).trimmed().toInt(&number);
        return number ? count : -1;
    }
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
        expectedLog << QStringLiteral("%1|%2|Visitor Type: %3\nLanyard: %4")
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
