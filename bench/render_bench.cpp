// Batch side render: one CR80 side of 10 elements rendered, raised to 600 dpi and written as PNG,
// against poppler rasterising the same side's PDF to a 600-dpi PNG (pdftoppm -r 600 -png). Both
// run as whole processes, started cold alike and interleaved. Prints the ratio, then our run
// split into drawing alone and PNG encoding alone, and the encoding's share of the two.
//   bench_render_bench [repetitions]
//   bench_render_bench --render-once PHOTO OUT.png   one side written; prints "drawing_ms encoding_ms"
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "barcodes/BarcodeFactory.h"
#include "mainwindow/MainWindowGlobals.h"
#include "model/CardHost.h"
#include "model/Card_Property.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "platform/AppFolders.h"
#include "platform/AtomicFile.h"
#include "render/ImageResolution.h"
#include "render/SKTRenderingView.h"

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kDpi = 600;
constexpr double kTargetRatio = 1.5;

class Cr80Host final : public CardHost {
public:
    Cr80Host()
    {
        m_side.setCard_fill_chk(true);
        m_side.setCard_fill_style(QStringLiteral("G"));
        m_side.setCard_fill_Grd_1_clr(QColor(235, 245, 255));
        m_side.setCard_fill_Grd_2_clr(QColor(150, 190, 235));
        m_side.setCard_border_chk(true);
    }
    QRectF frontCanvasBounds() const override { return QRectF(0, 0, 85.6 * kPointsPerMm, 54 * kPointsPerMm); }
    void Refresh_Canvas() override {}
    void Set_Control_Pos_And_Size(SKTGraphic&) override {}
    QImage Get_Image_With_Update_Settings(SKTImage& image) override { return imageWithSettingsApplied(image); }
    QPointF Control_New_Point(const QString&) override { return QPointF(10, 10); }
    QString Generate_Extra_image_control_ID() override { return QStringLiteral("F_Pic1"); }
    CardFont All_Text_font() const override { return CardFont{QStringLiteral("DejaVu Sans"), 9}; }
    QColor All_Text_clr() const override { return Qt::black; }
    const Card_Property& cardProperty(int) const override { return m_side; }
    int cardOutline() const override { return 0; }

private:
    Card_Property m_side;
};

GraphicList cr80Side(const QString& photoPath)
{
    GraphicList side;
    const QStringList lines{QStringLiteral("ZOVA Staff"), QStringLiteral("Name: Mary Ann Example"),
                            QStringLiteral("ID: 0012345"), QStringLiteral("Department: Research"),
                            QStringLiteral("Valid until 2030-12-31"), QStringLiteral("Blood group: 0+"),
                            QStringLiteral("If found, please return.")};
    for (int i = 0; i < lines.size(); ++i) {
        auto text = std::make_shared<SKTText>();
        text->setBounds(QRectF(80, 8 + i * 18, 155, 16));
        text->textStyle.text_ctrl_font = CardFont{QStringLiteral("DejaVu Sans"), i == 0 ? 12.0 : 8.0};
        text->textStyle.txt_clr = QColor(10, 20, 60);
        text->Set_text_value(lines[i]);
        text->ctrl_is_visible = true;
        side.append(text);
    }
    auto photo = SKTImage::initWithPath(QPointF(), photoPath);
    photo->setBounds(QRectF(8, 10, 66, 82));
    photo->ctrl_is_visible = true;
    side.append(photo);

    auto star = std::make_shared<Shape_Control>();
    star->setBounds(QRectF(200, 110, 36, 36));
    star->Set_Shape_Type(QStringLiteral("S"));
    star->_fill_type = QStringLiteral("G");
    star->_fill_Grad_clr1 = QColor(255, 215, 0);
    star->_fill_Grad_clr2 = QColor(210, 60, 0);
    star->ctrl_is_visible = true;
    side.append(star);

    auto barcode = std::make_shared<SKTBarcode>();
    barcodeFactory().Set_Barcode_Prop_To_Control(*barcode);
    barcode->Set_Barcode_image(barcodeFactory().Get_Image_From_Val(QStringLiteral("0012345"), {}, {}));
    barcode->barcode_image_var_assign();
    barcode->setBounds(QRectF(QPointF(8, 100), barcode->_barcode_image.size()));
    barcode->ctrl_is_visible = true;
    side.append(barcode);
    return side;
}

struct RenderSplit {
    double drawingMs = 0;
    double encodingMs = 0;
};

RenderSplit renderOnce(const GraphicList& side, const QString& pngPath)
{
    RenderSplit split;
    QImage raised;
    split.drawingMs = timedMs([&] { raised = Increase_DPI(SKTRenderingView::image_From_Card_Graphics(side, CardSide::Front), kDpi); });
    split.encodingMs = timedMs([&] { Save_gen_image(raised, pngPath); });
    return split;
}

int renderChild(const QString& photoPath, const QString& pngPath)
{
    const RenderSplit split = renderOnce(cr80Side(photoPath), pngPath);
    std::printf("%.3f %.3f\n", split.drawingMs, split.encodingMs);
    return 0;
}

// Runs the child and keeps its own split of the work.
bool runRenderChild(const QString& photoPath, const QString& pngPath, std::vector<RenderSplit>* splits)
{
    QByteArray output;
    if (!runProcess(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--render-once"), photoPath, pngPath}, &output))
        return false;
    const QList<QByteArray> fields = output.trimmed().split(' ');
    splits->push_back(RenderSplit{fields.value(0).toDouble(), fields.value(1).toDouble()});
    return true;
}

void printSplit(const std::vector<RenderSplit>& splits, const PairedTimings& timings)
{
    std::vector<double> drawing, encoding, share;
    for (const RenderSplit& split : splits) {
        drawing.push_back(split.drawingMs);
        encoding.push_back(split.encodingMs);
        share.push_back(100 * split.encodingMs / (split.drawingMs + split.encodingMs));
    }
    const double drawingMs = median(drawing), encodingMs = median(encoding);
    std::printf("  ours, within each cold process (median of %d):\n", int(splits.size()));
    std::printf("    drawing alone (render + raise to 600 dpi): %8.1f ms\n", drawingMs);
    std::printf("    PNG encoding alone (encode + write):       %8.1f ms\n", encodingMs);
    std::printf("    encoding share of the two:                 %8.0f %%\n", median(share));
    std::printf("    process start and set-up, the rest:        %8.1f ms\n",
                timings.ours.median() * 1e3 - drawingMs - encodingMs);
}

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    Resource_Path = AppFolders::resourceFolder();
    Cr80Host host;
    setCardHost(&host);
    if (argc == 4 && QByteArray(argv[1]) == "--render-once")
        return renderChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    const int repetitions = countArgument(argc, argv, 15);

    QTemporaryDir work;
    const QDir dir(work.path());
    const QString photoPath = dir.filePath(QStringLiteral("photo.png"));
    rampWithFace(1000, 1000).save(photoPath);
    const QString pdfPath = dir.filePath(QStringLiteral("side.pdf"));
    if (!writeFileAtomically(pdfPath, SKTRenderingView::pdfDataWithGraphics_data(cr80Side(photoPath), CardSide::Front))) {
        std::fprintf(stderr, "cannot write the side's PDF\n");
        return 1;
    }

    std::vector<RenderSplit> splits;
    const BenchSide ours{[&] { runRenderChild(photoPath, dir.filePath(QStringLiteral("side.png")), &splits); }};
    const BenchSide pdftoppm{[&] {
        runProcess(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("600"), QStringLiteral("-png"),
                                                pdfPath, dir.filePath(QStringLiteral("poppler"))});
    }};
    const Rounds rounds{repetitions, 1, 1};
    const PairedTimings timings = runPairedRounds(rounds, ours, pdftoppm);
    splits.erase(splits.begin(), splits.end() - std::min<ptrdiff_t>(splits.size(), repetitions));  // warm-up runs
    setCardHost(nullptr);

    std::printf("CR80 side, 10 elements, 600 dpi PNG, whole processes\n");
    printRatio("render_cr80_600dpi", timings, "pdftoppm -r 600 -png on the side's PDF");
    printSplit(splits, timings);
    printBudget("render_cr80_600dpi", "ours/pdftoppm", timings.ratio(), kTargetRatio);
    return 0;
}
