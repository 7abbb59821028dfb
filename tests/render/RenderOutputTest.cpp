// Rendered card output, checked with tools nobody here wrote (poppler, qpdf, ImageMagick) and by
// pixel probes: what goes into a side's PDF and picture, in which order, at which size.
#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cmath>
#include <set>
#include <tuple>

#include "designfile/DesignFile.h"
#include "model/CardPictures.h"
#include "model/SKTDocument.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "model/TestCardHost.h"
#include "platform/AppContext.h"
#include "render/DocumentPrintOperation.h"
#include "render/ImageResolution.h"
#include "render/SKTRenderingView.h"
#include "support/InkPixels.h"
#include "support/TestEnvironment.h"

using TestEnvironment::run;

namespace {

const QString kArtifacts = QStringLiteral(ZOVA_RENDER_ARTIFACT_DIR);
const QColor kRed(220, 0, 0), kBlue(0, 0, 220), kGreen(0, 160, 0), kCardFill(250, 240, 120);

// A 100 x 60 point card whose front has a solid fill and a red border, 4 points wide, half of it
// inside the card; both sides show the front's settings.
struct ProbeHost : TestCardHost {
    ProbeHost()
    {
        card = QRectF(0, 0, 100, 60);
        front.setCard_fill_chk(true), front.setCard_fill_clr(kCardFill);
        front.setCard_border_chk(true), front.setCard_bor_Stepper(4), front.setCard_bordr_clr(kRed);
    }
    const Card_Property& cardProperty(int) const override { return front; }
};

GraphicPtr block(const QRectF& box, const QColor& colour)
{
    auto shape = std::make_shared<Shape_Control>();
    shape->setBounds(box), shape->setFillColor(colour);
    shape->_isDrawingStroke = false, shape->ctrl_is_visible = true;
    return shape;
}

#define EXPECT_COLOUR_AT(image, x, y, colour) \
    EXPECT_TRUE(nearColour((image).pixelColor(x, y), colour, 11)) \
        << "at " << (x) << "," << (y) << ": " << qPrintable((image).pixelColor(x, y).name())

class RenderTest : public WithCardHost<ProbeHost> {
protected:
    void SetUp() override { WithCardHost::SetUp(); }

    // Poppler's raster of PDF bytes at 72 dpi.
    QImage popplerRaster(const QByteArray& pdf)
    {
        const QString base = dir.filePath(QStringLiteral("page"));
        QFile file(base + QStringLiteral(".pdf"));
        file.open(QIODevice::WriteOnly), file.write(pdf), file.close();
        run(QStringLiteral("pdftoppm"), {"-r", "72", "-png", "-singlefile", file.fileName(), base});
        return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_ARGB32);
    }

    QTemporaryDir dir;
};

TEST_F(RenderTest, TopmostFirstUnmarkedAndVisibleOnlyInBothPictureAndPdf)
{
    GraphicPtr notPrinted = block(QRectF(10, 40, 15, 10), kGreen);
    notPrinted->print_object = 1;
    GraphicPtr hidden = block(QRectF(70, 40, 15, 10), kBlue);
    hidden->ctrl_is_visible = false;
    const GraphicList list{block(QRectF(10, 10, 40, 20), kRed), block(QRectF(30, 10, 40, 20), kBlue),
                           notPrinted, hidden};

    const QImage png = SKTRenderingView::image_From_Card_Graphics(list, CardSide::Front).toImage(72);
    const QImage pdf = popplerRaster(SKTRenderingView::pdfDataWithGraphics_data(list, CardSide::Front));
    for (const QImage& out : {png, pdf}) {
        ASSERT_EQ(out.size(), QSize(100, 60));
        EXPECT_COLOUR_AT(out, 40, 20, kRed);   // index 0 covers index 1
        EXPECT_COLOUR_AT(out, 60, 20, kBlue);
        EXPECT_COLOUR_AT(out, 17, 45, kCardFill);  // print_object 1
        EXPECT_COLOUR_AT(out, 77, 45, kCardFill);  // hidden
        EXPECT_COLOUR_AT(out, 1, 30, kRed);        // border over the base
    }
}

// Each side draws on its own base: output never reads which side the user is editing.
class SidesTest : public WithCardHost<> {};

TEST_F(SidesTest, EachSideDrawsOnItsOwnBase)
{
    host.card = QRectF(0, 0, 100, 60);
    host.front.setCard_fill_chk(true), host.front.setCard_fill_clr(kCardFill);
    host.back.setCard_fill_chk(true), host.back.setCard_fill_clr(kGreen);
    EXPECT_COLOUR_AT(SKTRenderingView::image_From_Card_Graphics({}, CardSide::Front).toImage(72), 50, 30, kCardFill);
    EXPECT_COLOUR_AT(SKTRenderingView::image_From_Card_Graphics({}, CardSide::Back).toImage(72), 50, 30, kGreen);
}

TEST_F(RenderTest, CardImageIsASnapshotThatIgnoresLaterEdits)
{
    GraphicPtr live = block(QRectF(40, 20, 20, 20), kBlue);
    const CardImage image = SKTRenderingView::image_From_Card_Graphics({live}, CardSide::Front);
    live->setFillColor(kGreen), host.front.setCard_fill_clr(kBlue);
    const QImage later = image.toImage(72);
    EXPECT_COLOUR_AT(later, 50, 30, kBlue);
    EXPECT_COLOUR_AT(later, 20, 30, kCardFill);
}

TEST_F(RenderTest, TiffShowsEveryElementUprightInsideTheUnionAndRefusesAnEmptyArea)
{
    // Far from the origin, one not marked for output, red above blue.
    GraphicPtr lower = block(QRectF(60, 40, 20, 10), kBlue);
    lower->print_object = 1;
    const GraphicList graphics{block(QRectF(60, 20, 20, 10), kRed), lower};
    std::optional<SKTError> error;
    const QImage image = QImage::fromData(SKTRenderingView::tiffDataWithGraphics(graphics, &error), "TIFF");
    ASSERT_FALSE(error.has_value());
    const QRectF area = SKTGraphic::drawingBoundsOfGraphics(graphics);
    ASSERT_EQ(image.size(), QSize(int(std::ceil(area.width())), int(std::ceil(area.height()))));
    const QPointF origin = area.topLeft();
    EXPECT_COLOUR_AT(image, int(70 - origin.x()), int(25 - origin.y()), kRed);
    EXPECT_COLOUR_AT(image, int(70 - origin.x()), int(45 - origin.y()), kBlue);
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "no card base in the clipboard picture";

    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics({}, &error).isEmpty());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(std::tuple(error->code, error->domain), std::tuple(3, SKTErrorDomain));
}

TEST_F(RenderTest, FontSizesAreInPointsAtPrintResolution)
{
    auto text = std::make_shared<SKTText>();
    text->setBounds(QRectF(0, -10, 100, 80)), text->Set_text_value(QStringLiteral("H"));
    text->textStyle.text_ctrl_font = CardFont{QStringLiteral("DejaVu Sans"), 72}, text->textStyle.txt_clr = Qt::black;
    text->ctrl_is_visible = true;
    host.front.setCard_border_chk(false);
    const QRect ink = inkRect(SKTRenderingView::image_From_Card_Graphics({text}, CardSide::Front).toImage(600));
    // A 72-point capital is about an inch tall (DejaVu's capitals are 0.73 em): 600 * 0.73 pixels,
    // where a 96-dpi font size would give a third more.
    EXPECT_NEAR(ink.height(), 600 * 0.729, 20);
}

TEST_F(RenderTest, AStyledFaceDrawsInThatFaceOnPicturesAndInPdfs)
{
    host.front.setCard_border_chk(false);
    const auto word = [](const QString& style) {
        auto text = std::make_shared<SKTText>();
        text->setBounds(QRectF(5, 5, 90, 50)), text->Set_text_value(QStringLiteral("Visitor"));
        text->textStyle.text_ctrl_font = CardFont{QStringLiteral("DejaVu Sans"), 14, style};
        text->textStyle.txt_clr = Qt::black, text->ctrl_is_visible = true;
        return GraphicList{text};
    };
    const QImage regular = SKTRenderingView::image_From_Card_Graphics(word({}), CardSide::Front).toImage(600);
    const QImage bold = SKTRenderingView::image_From_Card_Graphics(word("Bold"), CardSide::Front).toImage(600);
    QDir().mkpath(kArtifacts);
    regular.save(kArtifacts + QStringLiteral("/word-regular-600dpi.png"));
    bold.save(kArtifacts + QStringLiteral("/word-bold-600dpi.png"));
    EXPECT_GT(inkPixels(bold), inkPixels(regular) * 13 / 10);

    for (const auto& [style, embedded] : {std::pair<QString, QString>{"", "DejaVuSans"}, {"Bold", "DejaVuSans-Bold"},
                                          {"Oblique", "DejaVuSans-Oblique"}, {"Bold Oblique", "DejaVuSans-BoldOblique"}}) {
        QFile pdf(dir.filePath(QStringLiteral("word.pdf")));
        pdf.open(QIODevice::WriteOnly), pdf.write(SKTRenderingView::pdfDataWithGraphics_data(word(style), CardSide::Front));
        pdf.close();
        const QString fonts = QString::fromUtf8(run(QStringLiteral("pdffonts"), {pdf.fileName()}).out);
        // One embedded font, named first on its line (a subset's name has a six-letter tag).
        const QRegularExpression line(QStringLiteral(R"(^(?:[A-Z]{6}\+)?%1\s)").arg(embedded),
                                      QRegularExpression::MultilineOption);
        EXPECT_TRUE(fonts.contains(line)) << style.toStdString() << "\n" << fonts.toStdString();
    }
}

TEST_F(RenderTest, RaisedResolutionPicturesKeepThePointSizeAndAreEncodedByExtension)
{
    struct Case { QSizeF points; double dpi; QSize pixels; QString name; QByteArray magic; };
    for (const Case& c : {Case{{252, 144}, 600, {2100, 1200}, "a.png", "\x89PNG"},
                          Case{{100, 60}, 300, {417, 250}, "b.JPG", "\xFF\xD8\xFF"},
                          Case{{242.65, 153.07}, 600, {2023, 1276}, "c.bmp", "BM"},
                          Case{{100, 60}, 144, {200, 120}, "d.tif", "II*"},
                          Case{{100, 60}, 144, {200, 120}, "e.PDF", "%PDF"},
                          Case{{100, 60}, 144, {200, 120}, "f.card", "\x89PNG"}}) {
        host.card = QRectF(QPointF(), c.points);
        const QImage raised = Increase_DPI(SKTRenderingView::image_From_Card_Graphics({}, CardSide::Front), c.dpi);
        EXPECT_EQ(raised.size(), c.pixels);
        EXPECT_NEAR(raised.dotsPerMeterX() * 0.0254, c.dpi, 0.05);
        ASSERT_TRUE(Save_gen_image(raised, dir.filePath(c.name))) << qPrintable(c.name);
        QFile file(dir.filePath(c.name));
        file.open(QIODevice::ReadOnly);
        EXPECT_TRUE(file.read(8).startsWith(c.magic)) << qPrintable(c.name);
    }
    const auto pdfInfo = run(QStringLiteral("pdfinfo"), {dir.filePath(QStringLiteral("e.PDF"))});
    EXPECT_TRUE(pdfInfo.out.contains("100 x 60 pts")) << pdfInfo.out.constData();
    const QImage picture = Increase_DPI(SKTRenderingView::image_From_Card_Graphics({}, CardSide::Front), 144);
    EXPECT_FALSE(Save_gen_image(picture, dir.filePath(QStringLiteral("missing/h.png"))));
    EXPECT_FALSE(Save_gen_image(QImage(), dir.filePath(QStringLiteral("i.png"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("i.png"))));
    EXPECT_TRUE(Increase_DPI(CardImage(), 600).isNull());
    host.card = QRectF();
    EXPECT_TRUE(Increase_DPI(SKTRenderingView::image_From_Card_Graphics({}, CardSide::Front), 600).isNull());
    EXPECT_TRUE(SKTRenderingView::pdfDataWithGraphics_data({}, CardSide::Front).isEmpty());
}

// design-probe's sample, checked with poppler, qpdf and ImageMagick.

class SampleOutput : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Only the sample's own files go: the folder also keeps other tests' pictures.
        QDir folder(kArtifacts);
        for (const QString& stale : folder.entryList({QStringLiteral("front*"), QStringLiteral("back*")}, QDir::Files))
            folder.remove(stale);
        // As on a machine without a display and with no platform chosen: the probe draws off screen.
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM"), display = qgetenv("DISPLAY");
        qunsetenv("QT_QPA_PLATFORM"), qunsetenv("DISPLAY");
        probe = run(QStringLiteral(ZOVA_DESIGN_PROBE), {"render", "--sample", kArtifacts});
        qputenv("QT_QPA_PLATFORM", platform);
        if (!display.isEmpty())
            qputenv("DISPLAY", display);
    }
    static QString artifact(const QString& name) { return QDir(kArtifacts).filePath(name); }
    // The page's content streams, uncompressed.
    static QString contentStreams(const QString& pdf)
    {
        const QString qdf = artifact(QFileInfo(pdf).completeBaseName() + QStringLiteral("-qdf.pdf"));
        run(QStringLiteral("qpdf"), {"--qdf", "--object-streams=disable", pdf, qdf});
        QFile file(qdf);
        file.open(QIODevice::ReadOnly);
        return QString::fromLatin1(file.readAll());
    }
    static inline TestEnvironment::ProcessResult probe;
};

TEST_F(SampleOutput, PdfPagesAreTheCardInPointsAndPngsAre600DpiOfIt)
{
    ASSERT_EQ(probe.exitCode, 0) << probe.err.constData();
    // The sample card is 243 x 154 points.
    const QSize pixels(int(std::ceil(600 * 243 / 72.0)), int(std::ceil(600 * 154 / 72.0)));
    for (const QString side : {"front", "back"}) {
        const auto info = run(QStringLiteral("pdfinfo"), {artifact(side + ".pdf")});
        EXPECT_TRUE(info.out.contains("Page size:       243 x 154 pts")) << info.out.constData();
        const auto identify = run(QStringLiteral("identify"),
                                  {"-units", "PixelsPerInch", "-format", "%w %h %x", artifact(side + ".png")});
        const QStringList fields = QString::fromLatin1(identify.out).split(' ');
        ASSERT_EQ(fields.size(), 3) << identify.out.constData();
        EXPECT_EQ(QSize(fields[0].toInt(), fields[1].toInt()), pixels);
        EXPECT_NEAR(fields[2].toDouble(), 600, 0.1);
    }
}

TEST_F(SampleOutput, OurRasterAgreesWithPopplersRasterOfOurPdf)
{
    ASSERT_EQ(probe.exitCode, 0);
    for (const QString side : {"front", "back"}) {
        const QString poppler = artifact(side + "-poppler");
        run(QStringLiteral("pdftoppm"), {"-r", "600", "-png", "-singlefile", artifact(side + ".pdf"), poppler});
        // Compared at a quarter of the resolution, so that edges antialiased a pixel apart (glyph
        // hinting, picture sampling) do not count: a missing or misplaced element still does.
        const QString ours = artifact(side + "-ours-150dpi.png"), theirs = artifact(side + "-poppler-150dpi.png");
        run(QStringLiteral("convert"), {artifact(side + ".png"), "-background", "white", "-alpha", "remove",
                                        "-resize", "25%", ours});
        run(QStringLiteral("convert"), {poppler + ".png", "-alpha", "off", "-resize", "25%", theirs});
        const auto compare = run(QStringLiteral("compare"), {"-metric", "RMSE", ours, theirs, "null:"});
        const QRegularExpressionMatch m = QRegularExpression(R"(\(([\d.e-]+)\))").match(QString::fromLatin1(compare.err));
        ASSERT_TRUE(m.hasMatch()) << compare.err.constData();
        EXPECT_LT(m.captured(1).toDouble(), 0.04) << qPrintable(side);
    }
}

TEST_F(SampleOutput, ContentStreamsCarryDashesWidthsCapsJoinsAndNonZeroFills)
{
    ASSERT_EQ(probe.exitCode, 0);
    // Pen set-ups as Qt writes them: "<width> w <cap> J <limit> M <join> j [<dashes>] 0 d".
    const QRegularExpression pen(R"(([\d.]+) w (\d) J ([\d.]+) M (\d) j \[([\d. ]*)\]\s*0\s+d)");
    using Pen = std::tuple<QString, QString, QString, QString, QString>;
    auto pensOf = [&](const QString& side) {
        std::set<Pen> pens;
        for (auto it = pen.globalMatch(contentStreams(artifact(side + ".pdf"))); it.hasNext();) {
            const auto m = it.next();
            pens.insert({m.captured(1), m.captured(2), m.captured(3), m.captured(4), m.captured(5).simplified()});
        }
        return pens;
    };
    const std::set<Pen> front = pensOf("front");
    EXPECT_TRUE(front.count({"1", "0", "10", "0", "8 2"})) << "card border DA at width 1, flat caps, mitred";
    EXPECT_TRUE(front.count({"2", "0", "10", "0", "4 6"})) << "star outline DO at width 2";
    EXPECT_TRUE(front.count({"3", "1", "10", "0", ""})) << "solid line with round caps";
    EXPECT_TRUE(pensOf("back").count({"2", "0", "10", "0", ""})) << "solid card border at width 2";

    const QString streams = contentStreams(artifact("front.pdf"));
    EXPECT_TRUE(streams.contains(QRegularExpression(R"(\n\s*f\s*\n)"))) << "fills present";
    EXPECT_FALSE(streams.contains(QRegularExpression(R"(\bf\*)"))) << "no even-odd fill: the star's centre is inside";
}

TEST(DesignFileRender, TheProbeRendersADesignFileAtItsCardSizeAndRefusesABadOne)
{
    QTemporaryDir dir;
    DesignState design;
    design.front.setCard_Size(QSizeF(200, 120));
    design.back.setCard_Size(QSizeF(200, 120));
    GraphicPtr block = SKTGraphic::create(GraphicKind::Shape);
    block->_bounds = QRectF(50, 30, 100, 60), block->_fillColor = kBlue, block->_isDrawingStroke = false;
    design.frontElements = {block};
    const QString file = dir.filePath(QStringLiteral("card.did"));
    ASSERT_TRUE(writeDesignFile(file, design));

    const auto rendered = run(QStringLiteral(ZOVA_DESIGN_PROBE), {"render", file, dir.path()});
    ASSERT_EQ(rendered.exitCode, 0) << rendered.err.constData();
    const auto info = run(QStringLiteral("pdfinfo"), {dir.filePath(QStringLiteral("back.pdf"))});
    EXPECT_TRUE(info.out.contains("Page size:       200 x 120 pts")) << info.out.constData();
    const QImage front(dir.filePath(QStringLiteral("front.png")));
    ASSERT_EQ(front.size(), QSize(1667, 1000));
    EXPECT_COLOUR_AT(front, 833, 500, kBlue);
    EXPECT_COLOUR_AT(front, 100, 100, QColor(Qt::white));

    QFile bad(dir.filePath(QStringLiteral("bad.did")));
    bad.open(QIODevice::WriteOnly), bad.write("not a design"), bad.close();
    EXPECT_EQ(run(QStringLiteral(ZOVA_DESIGN_PROBE), {"render", bad.fileName(), dir.path()}).exitCode, 2);
}

}  // namespace

TEST_F(RenderTest, TheDocumentPrintsItsFrontCardCentredOnThePaperUnderItsFileName)
{
    SKTDocument document;
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, {block(QRectF(20, 20, 60, 30), kBlue)});
    document.replaceGraphicsOnSide(SKTDocument::BackSide, {block(QRectF(20, 20, 60, 30), kGreen)});
    const QPageLayout a6(QPageSize(QPageSize::A6), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Point);
    const DocumentPrintOperation operation =
        printOperationWithSettings(document, QStringLiteral("/cards/Staff badge.v2.zic"), a6, {{"copies", 2}});
    EXPECT_EQ(operation.jobTitle(), "Staff badge.v2");
    EXPECT_EQ(operation.view().frame(), QRectF(0, 0, 243, 154));
    EXPECT_EQ(operation.printSettings().value("copies").toInt(), 2);
    EXPECT_TRUE(operation.canSpawnSeparateThread());
    EXPECT_EQ(printOperationWithSettings(document, QString(), a6, {}).jobTitle(), "ZOVA ID Card (  )");

    const QString pdf = dir.filePath(QStringLiteral("print.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setResolution(72);
        ASSERT_TRUE(operation.runOperation(writer));
    }
    const auto info = run(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(QString::fromUtf8(info.out).contains(QRegularExpression("Pages:\\s+1\\n"))) << info.out.constData();
    run(QStringLiteral("pdftoppm"), {"-r", "72", "-png", "-singlefile", pdf, dir.filePath("print")});
    const QImage page = QImage(dir.filePath("print.png")).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(page.size(), QSize(297, 420));  // A6 in points
    // The 243 x 154 card centred on the 277.6 x 399.5 printable area: its corner at (27.3, 132.8).
    const QPoint card(27, 133);
    EXPECT_COLOUR_AT(page, card.x() + 50, card.y() + 35, kBlue);   // the front's block, not the back's
    EXPECT_COLOUR_AT(page, card.x() + 5, card.y() + 5, kCardFill);
    EXPECT_COLOUR_AT(page, card.x() + 121, card.y() - 8, QColor(Qt::white));
    EXPECT_COLOUR_AT(page, card.x() + 121, card.y() + 162, QColor(Qt::white));
}
