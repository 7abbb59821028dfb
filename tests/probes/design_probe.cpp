// design-probe: renders card sides to files and looks into design files, for tests and reviewers.
//   design-probe render --sample OUTDIR   a built-in front and back holding every element kind
//   design-probe render FILE.did OUTDIR   a design file's front and back
//   design-probe dump FILE.did            every item of a design file with its index
//   design-probe roundtrip IN.did OUT.did reads a design file and writes it again
// Each rendered side becomes <side>.pdf and a 600-dpi <side>.png.
#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

#include "barcodes/BarcodeFactory.h"
#include "canvas/model/CardHost.h"
#include "canvas/model/Card_Property.h"
#include "canvas/model/SKTBarcode.h"
#include "canvas/model/SKTImage.h"
#include "canvas/model/SKTLine.h"
#include "canvas/model/SKTSignature.h"
#include "canvas/model/SKTText.h"
#include "canvas/model/Shape_Control.h"
#include "canvas/render/SKTRenderingView.h"
#include "inspector/InspectorGlobals.h"
#include "mainwindow/ImageResolution.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/designfile/DesignFile.h"
#include "mainwindow/designfile/DesignFileController.h"
#include "platform/AppFolders.h"
#include "platform/AtomicFile.h"

namespace {

constexpr double kPngDpi = 600;
constexpr int kUsageError = 64;
constexpr int kNotReadable = 2;
constexpr int kNotWritten = 1;

// The card settings of the sample's two sides and the card's size; nothing else is asked of it.
class SampleHost final : public CardHost {
public:
    SampleHost()
    {
        m_front.setCard_fill_chk(true);
        m_front.setCard_fill_style(QStringLiteral("G"));
        m_front.setCard_fill_Grd_1_clr(QColor(230, 240, 255));
        m_front.setCard_fill_Grd_2_clr(QColor(160, 200, 240));
        m_front.setCard_grad_Stepper(30);
        m_front.setCard_border_chk(true);
        m_front.setCard_border_style(QStringLiteral("DA"));
        m_front.setCard_bor_Stepper(1);
        m_front.setCard_bordr_clr(QColor(20, 20, 90));

        m_back.setCard_Side_Name(QStringLiteral("B"));
        m_back.setCard_fill_chk(true);
        m_back.setCard_fill_style(QStringLiteral("S"));
        m_back.setCard_fill_clr(QColor(255, 236, 200));
        m_back.setCard_border_chk(true);
        m_back.setCard_border_style(QStringLiteral("S"));
        m_back.setCard_bor_Stepper(2);
        m_back.setCard_bordr_clr(QColor(120, 60, 0));
    }

    QRectF frontCanvasBounds() const override { return QRectF(0, 0, 243, 154); }
    void Set_Control_Pos_And_Size(SKTGraphic&) override {}
    QPointF Control_New_Point(const QString&) override { return QPointF(10, 10); }
    QString Generate_Extra_image_control_ID() override { return QStringLiteral("F_Pic1"); }
    CardFont All_Text_font() const override { return CardFont{Text_Ctrl_Font, Text_Ctrl_Font_Size}; }
    QColor All_Text_clr() const override { return Qt::black; }
    const Card_Property& cardProperty(int side) const override { return side == 0 ? m_front : m_back; }

private:
    Card_Property m_front;
    Card_Property m_back;
};

// The card settings and size of a design file's sides.
class DesignHost final : public CardHost {
public:
    QRectF frontCanvasBounds() const override { return QRectF(QPointF(0, 0), front.Card_Size()); }
    void Set_Control_Pos_And_Size(SKTGraphic&) override {}
    QPointF Control_New_Point(const QString&) override { return QPointF(10, 10); }
    QString Generate_Extra_image_control_ID() override { return QStringLiteral("F_Pic1"); }
    CardFont All_Text_font() const override { return CardFont{Text_Ctrl_Font, Text_Ctrl_Font_Size}; }
    QColor All_Text_clr() const override { return Qt::black; }
    const Card_Property& cardProperty(int side) const override { return side == 0 ? front : back; }

    Card_Property front;
    Card_Property back;
};

GraphicPtr sampleText(const QRectF& box, const QString& text, double size, const QColor& colour)
{
    auto element = std::make_shared<SKTText>();
    element->setBounds(box);
    element->text_ctrl_font = CardFont{QStringLiteral("DejaVu Sans"), size};
    element->txt_clr = colour;
    element->Set_text_value(text);
    element->ctrl_is_visible = true;
    return element;
}

GraphicPtr sampleStar()
{
    auto star = std::make_shared<Shape_Control>();
    star->setBounds(QRectF(160, 58, 72, 72));
    star->Set_Shape_Type(QStringLiteral("S"));
    star->_fill_type = QStringLiteral("G");
    star->_fill_Grad_clr1 = QColor(255, 220, 0);
    star->_fill_Grad_clr2 = QColor(220, 40, 0);
    star->_fill_grad_angle = 45;
    star->_strokeWidth = 2;
    star->_stroke_border_type = QStringLiteral("DO");
    star->ctrl_is_visible = true;
    return star;
}

GraphicPtr sampleLine()
{
    auto line = std::make_shared<SKTLine>();
    line->setBounds(QRectF(12, 46, 219, 0));
    line->_pointsRight = true;
    line->_pointsDown = true;
    line->_strokeWidth = 3;
    line->_strokeColor = QColor(200, 0, 0);
    line->_line_cap_style = 1;
    line->ctrl_is_visible = true;
    return line;
}

// A photo stand-in: a smooth two-colour ramp with a dark disc, 200 x 250 pixels.
QImage samplePhoto()
{
    QImage photo(200, 250, QImage::Format_ARGB32);
    QPainter painter(&photo);
    QLinearGradient ramp(0, 0, 200, 250);
    ramp.setColorAt(0, QColor(90, 160, 90));
    ramp.setColorAt(1, QColor(30, 60, 120));
    painter.fillRect(photo.rect(), ramp);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(240, 210, 180));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(50, 40, 100, 120));
    return photo;
}

// Loaded from a file like a user's photo.
GraphicPtr samplePicture(const QDir& scratch)
{
    const QString path = scratch.filePath(QStringLiteral("photo.png"));
    samplePhoto().save(path);
    auto picture = SKTImage::initWithPath(QPointF(), path);
    picture->setBounds(QRectF(12, 56, 60, 75));
    picture->ctrl_is_visible = true;
    return picture;
}

GraphicPtr sampleBarcode()
{
    auto barcode = std::make_shared<SKTBarcode>();
    BarcodeFactory& factory = barcodeFactory();
    factory.Set_Barcode_Prop_To_Control(*barcode);
    barcode->Set_Barcode_image(factory.Get_Image_From_Val(QStringLiteral("0123"), QString(), QString()));
    barcode->barcode_image_var_assign();
    const QSizeF size = barcode->_barcode_image.isNull() ? QSizeF(60, 30)
                                                         : barcode->_barcode_image.deviceIndependentSize();
    barcode->setBounds(QRectF(QPointF(82, 98), size));
    barcode->ctrl_is_visible = true;
    return barcode;
}

GraphicPtr sampleSignature()
{
    auto signature = std::make_shared<SKTSignature>();
    signature->Set_Sign_Or_FP(QStringLiteral("S"));
    signature->setFilePath(QStringLiteral("Default"));
    signature->setBounds(QRectF(82, 56, 70, 35));
    signature->ctrl_is_visible = true;
    return signature;
}

GraphicList sampleFront(const QDir& scratch)
{
    return GraphicList{sampleText(QRectF(12, 10, 220, 30), QStringLiteral("ZOVA ID Card"), 20,
                                  QColor(10, 30, 110)),
                       sampleLine(), sampleStar(), samplePicture(scratch), sampleBarcode(), sampleSignature()};
}

GraphicList sampleBack()
{
    return GraphicList{sampleText(QRectF(12, 60, 220, 40), QStringLiteral("If found, please return."),
                                  14, QColor(60, 30, 0))};
}

bool writeSide(const GraphicList& graphics, int side, const QDir& outDir, const QString& name)
{
    Card_Front_Or_Back = side;
    const CardImage image = SKTRenderingView::image_From_Card_Graphics(graphics, false);
    Card_Front_Or_Back = 0;
    QString error;
    if (!writeFileAtomically(outDir.filePath(name + QStringLiteral(".pdf")), image.toPdf(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    return Save_gen_image(Increase_DPI(image, kPngDpi), outDir.filePath(name + QStringLiteral(".png")));
}

bool makeFolder(const QString& path)
{
    if (QDir().mkpath(path))
        return true;
    std::fprintf(stderr, "Cannot make the folder \"%s\".\n", qPrintable(path));
    return false;
}

int renderSample(const QString& outPath)
{
    if (!makeFolder(outPath))
        return kNotWritten;
    SampleHost host;
    setCardHost(&host);
    Card_Shape = 0;
    const QDir outDir(outPath);
    const QTemporaryDir scratch;
    const bool written = writeSide(sampleFront(QDir(scratch.path())), 0, outDir, QStringLiteral("front")) &&
                         writeSide(sampleBack(), 1, outDir, QStringLiteral("back"));
    setCardHost(nullptr);
    return written ? 0 : 1;
}

int cardShapeOf(const QString& shape)
{
    if (shape == QLatin1String("RR"))
        return 1;
    return shape == QLatin1String("E") ? 2 : 0;
}

int renderFile(const QString& path, const QString& outPath)
{
    DesignFileError error;
    std::optional<DesignState> state = readDesignFile(path, &error);
    if (!state) {
        std::fprintf(stderr, "%d - %s\n", error.itemIndex, qPrintable(error.reason));
        return kNotReadable;
    }
    if (!makeFolder(outPath))
        return kNotWritten;
    DesignHost host;
    setCardHost(&host);
    SKTDocument document;
    DesignFileController loader(document, host.front, host.back);
    loader.Load_Design_State(std::move(*state), path, QStringLiteral("L"), true);
    Card_Shape = cardShapeOf(host.front.Card_Shape());
    const QDir outDir(outPath);
    const bool written = writeSide(document.graphics(), 0, outDir, QStringLiteral("front")) &&
                         writeSide(document.graphics_back(), 1, outDir, QStringLiteral("back"));
    setCardHost(nullptr);
    return written ? 0 : kNotWritten;
}

// One line per item, nested arrays and dictionaries indexed below their parent ("86.3").
QString itemText(const QVariant& item)
{
    switch (item.typeId()) {
    case QMetaType::QString: {
        QString text = item.toString();
        text.replace(u'\\', QLatin1String("\\\\")).replace(u'"', QLatin1String("\\\""));
        text.replace(u'\n', QLatin1String("\\n")).replace(u'\r', QLatin1String("\\r")).replace(u'\t', QLatin1String("\\t"));
        return u'"' + text + u'"';
    }
    case QMetaType::QByteArray: return QStringLiteral("<data %1 bytes>").arg(item.toByteArray().size());
    case QMetaType::QVariantList: return QStringLiteral("<array %1 items>").arg(item.toList().size());
    case QMetaType::QVariantMap: return QStringLiteral("<dict %1 keys>").arg(item.toMap().size());
    default: return QStringLiteral("<%1> %2").arg(QLatin1String(item.typeName()), item.toString());
    }
}

void dumpItem(const QString& index, const QVariant& item)
{
    std::printf("%s: %s\n", qPrintable(index), qPrintable(itemText(item)));
    if (item.typeId() == QMetaType::QVariantList) {
        const QVariantList list = item.toList();
        for (qsizetype i = 0; i < list.size(); ++i)
            dumpItem(index + u'.' + QString::number(i), list.at(i));
    } else if (item.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = item.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            dumpItem(index + u'.' + it.key(), it.value());
    }
}

int dumpFile(const QString& path)
{
    DesignFileError error;
    const std::optional<QVariantList> items = readDesignItems(path, &error);
    if (!items) {
        std::fprintf(stderr, "%s\n", qPrintable(error.reason));
        return kNotReadable;
    }
    for (qsizetype i = 0; i < items->size(); ++i)
        dumpItem(QString::number(i), items->at(i));
    return 0;
}

int roundtripFile(const QString& inPath, const QString& outPath)
{
    DesignFileError error;
    const std::optional<DesignState> state = readDesignFile(inPath, &error);
    if (!state) {
        std::fprintf(stderr, "%d - %s\n", error.itemIndex, qPrintable(error.reason));
        return kNotReadable;
    }
    QString reason;
    if (!writeDesignFile(outPath, *state, &reason)) {
        std::fprintf(stderr, "%s\n", qPrintable(reason));
        return kNotWritten;
    }
    return 0;
}

int usage()
{
    std::fprintf(stderr, "usage: design-probe render --sample OUTDIR\n"
                         "       design-probe render FILE.did OUTDIR\n"
                         "       design-probe dump FILE.did\n"
                         "       design-probe roundtrip IN.did OUT.did\n");
    return kUsageError;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    Resource_Path = AppFolders::resourceFolder();
    Data_Folder_Path = AppFolders::applicationSupportFolder() + QStringLiteral("/DataSet");
    const QString command = args.value(0);
    if (command == QLatin1String("dump") && args.size() == 2)
        return dumpFile(args[1]);
    if (command == QLatin1String("roundtrip") && args.size() == 3)
        return roundtripFile(args[1], args[2]);
    if (command != QLatin1String("render") || args.size() != 3)
        return usage();
    if (args[1] == QLatin1String("--sample"))
        return renderSample(args[2]);
    return renderFile(args[1], args[2]);
}
