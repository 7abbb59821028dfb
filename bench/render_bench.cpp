// Batch side render: one CR80 side of 10 elements rendered, raised to 600 dpi and written as PNG,
// against poppler rasterising the same side's PDF to a 600-dpi PNG (pdftoppm -r 600 -png).
// Prints both medians, the ratio, and our time split into drawing and encoding.
//   bench_render_bench [repetitions]
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "barcodes/BarcodeFactory.h"
#include "canvas/model/CardHost.h"
#include "canvas/model/Card_Property.h"
#include "canvas/model/SKTBarcode.h"
#include "canvas/model/SKTImage.h"
#include "canvas/model/SKTText.h"
#include "canvas/model/Shape_Control.h"
#include "canvas/render/SKTRenderingView.h"
#include "mainwindow/ImageResolution.h"
#include "mainwindow/MainWindowGlobals.h"
#include "platform/AppFolders.h"
#include "platform/AtomicFile.h"
#include "BenchSupport.h"

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kDpi = 600;

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
    void Set_Control_Pos_And_Size(SKTGraphic&) override {}
    QPointF Control_New_Point(const QString&) override { return QPointF(10, 10); }
    QString Generate_Extra_image_control_ID() override { return QStringLiteral("F_Pic1"); }
    CardFont All_Text_font() const override { return CardFont{QStringLiteral("DejaVu Sans"), 9}; }
    QColor All_Text_clr() const override { return Qt::black; }
    const Card_Property& cardProperty(int) const override { return m_side; }

private:
    Card_Property m_side;
};

QImage photo1000()
{
    QImage photo(1000, 1000, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient ramp(0, 0, 1000, 1000);
    ramp.setColorAt(0, QColor(200, 170, 140));
    ramp.setColorAt(1, QColor(40, 60, 90));
    painter.fillRect(photo.rect(), ramp);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(240, 205, 175));
    painter.drawEllipse(QRectF(300, 200, 400, 520));
    return photo;
}

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
        text->text_ctrl_font = CardFont{QStringLiteral("DejaVu Sans"), i == 0 ? 12.0 : 8.0};
        text->txt_clr = QColor(10, 20, 60);
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
    barcode->setBounds(QRectF(QPointF(8, 100), barcode->_barcode_image.deviceIndependentSize()));
    barcode->ctrl_is_visible = true;
    side.append(barcode);
    return side;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    Resource_Path = AppFolders::resourceFolder();
    Cr80Host host;
    setCardHost(&host);

    QTemporaryDir work;
    const QDir dir(work.path());
    photo1000().save(dir.filePath(QStringLiteral("photo.png")));
    const GraphicList side = cr80Side(dir.filePath(QStringLiteral("photo.png")));
    const QString pdfPath = dir.filePath(QStringLiteral("side.pdf"));
    const QString pngPath = dir.filePath(QStringLiteral("side.png"));
    if (!writeFileAtomically(pdfPath, SKTRenderingView::pdfDataWithGraphics_data(side))) {
        std::fprintf(stderr, "cannot write the side's PDF\n");
        return 1;
    }

    std::vector<double> ours, drawing, encoding, poppler;
    for (int i = 0; i < repetitions; ++i) {
        QImage raised;
        const double draw = timedMs([&] {
            raised = Increase_DPI(SKTRenderingView::image_From_Card_Graphics(side), kDpi);
        });
        const double encode = timedMs([&] { Save_gen_image(raised, pngPath); });
        drawing.push_back(draw);
        encoding.push_back(encode);
        ours.push_back(draw + encode);
        poppler.push_back(timedMs([&] {
            QProcess::execute(QStringLiteral("pdftoppm"),
                              {QStringLiteral("-r"), QStringLiteral("600"), QStringLiteral("-png"),
                               pdfPath, dir.filePath(QStringLiteral("poppler"))});
        }));
    }
    setCardHost(nullptr);

    const double oursMs = median(ours), popplerMs = median(poppler);
    std::printf("CR80 side, 10 elements, 600 dpi PNG, median of %d\n", repetitions);
    std::printf("  ours (render + PNG write):   %8.1f ms  (drawing %.1f ms, PNG encode+write %.1f ms)\n",
                oursMs, median(drawing), median(encoding));
    std::printf("  pdftoppm -r 600 -png:        %8.1f ms\n", popplerMs);
    std::printf("  ratio ours / pdftoppm:       %8.2f  (target <= 1.5)\n", oursMs / popplerMs);
    return 0;
}
