// canvas-harness: the front, back and preview canvases of one sample document side by side, each
// in its zooming, centring scroll view, until the main window exists. For people and tests:
//   canvas-harness [--zoom PERCENT] [--select N] [--grid] [--screenshot FILE]
// --zoom      shows every canvas at PERCENT (100 when absent)
// --select N  selects the front element N (0 is the topmost)
// --grid      shows the grid
// --screenshot FILE  saves the painted window as a PNG and quits
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

#include "barcodes/BarcodeFactory.h"
#include "canvas/model/SKTDocument.h"
#include "canvas/model/SKTGraphicKinds.h"
#include "canvas/view/SKTGraphicView.h"
#include "canvas/view/SKTGrid.h"
#include "canvas/view/SKTZoomingScrollView.h"
#include "mainwindow/MainWindowGlobals.h"
#include "platform/AppFolders.h"

namespace {

constexpr int kUsageError = 64;
constexpr int kNotWritten = 1;

template <typename Element>
std::shared_ptr<Element> placed(std::shared_ptr<Element> element, const QRectF& box)
{
    element->setBounds(box);
    element->ctrl_is_visible = true;
    return element;
}

GraphicPtr sampleText(const QRectF& box, const QString& text, double size, const QColor& colour)
{
    auto text_element = std::make_shared<SKTText>();
    text_element->text_ctrl_font = CardFont{QStringLiteral("DejaVu Sans"), size};
    text_element->txt_clr = colour;
    text_element->Set_text_value(text);
    return placed(text_element, box);
}

GraphicPtr sampleLine(const QRectF& box, const QColor& colour)
{
    auto line = std::make_shared<SKTLine>();
    line->_pointsRight = true;
    line->_pointsDown = true;
    line->_strokeWidth = 2;
    line->_strokeColor = colour;
    return placed(line, box);
}

GraphicPtr sampleShape(const QString& type, const QRectF& box, const QColor& fill)
{
    auto shape = std::make_shared<Shape_Control>();
    shape->Set_Shape_Type(type);
    shape->setFillColor(fill);
    return placed(shape, box);
}

// A photo stand-in: a ramp with a face-coloured disc.
QImage samplePhoto()
{
    QImage photo(160, 200, QImage::Format_ARGB32);
    QPainter painter(&photo);
    QLinearGradient ramp(0, 0, 160, 200);
    ramp.setColorAt(0, QColor(90, 160, 90));
    ramp.setColorAt(1, QColor(30, 60, 120));
    painter.fillRect(photo.rect(), ramp);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(240, 210, 180));
    painter.drawEllipse(QRectF(40, 30, 80, 100));
    return photo;
}

// Loaded from a file like a user's photo.
GraphicPtr samplePicture(const QDir& scratch, const QString& name, const QRectF& box)
{
    const QString path = scratch.filePath(name);
    samplePhoto().save(path);
    return placed(SKTImage::initWithPath(box.topLeft(), path), box);
}

GraphicPtr sampleBarcode(QPointF at)
{
    auto barcode = std::make_shared<SKTBarcode>();
    BarcodeFactory& factory = barcodeFactory();
    factory.Set_Barcode_Prop_To_Control(*barcode);
    barcode->Set_Barcode_image(factory.Get_Image_From_Val(QStringLiteral("0123"), QString(), QString()));
    barcode->barcode_image_var_assign();
    const QSizeF size = barcode->_barcode_image.isNull() ? QSizeF(60, 30)
                                                         : barcode->_barcode_image.deviceIndependentSize();
    return placed(barcode, QRectF(at, size));
}

// "S" for a signature, "F" for a fingerprint, each with its sample picture.
GraphicPtr sampleSignature(const QString& kind, const QRectF& box)
{
    auto signature = std::make_shared<SKTSignature>();
    signature->Set_Sign_Or_FP(kind);
    signature->setFilePath(QStringLiteral("Default"));
    return placed(signature, box);
}

// Every element kind and every figure, topmost first.
GraphicList sampleFront(const QDir& scratch)
{
    return GraphicList{
        sampleText(QRectF(70, 8, 165, 22), QStringLiteral("ZOVA ID Card"), 16, QColor(10, 30, 110)),
        sampleLine(QRectF(70, 34, 165, 0), QColor(200, 0, 0)),
        samplePicture(scratch, QStringLiteral("front.png"), QRectF(10, 10, 52, 65)),
        sampleBarcode(QPointF(10, 84)),
        sampleSignature(QStringLiteral("S"), QRectF(70, 42, 70, 28)),
        sampleSignature(QStringLiteral("F"), QRectF(150, 42, 24, 30)),
        sampleShape(QStringLiteral("R"), QRectF(184, 42, 22, 22), QColor(250, 200, 200)),
        sampleShape(QStringLiteral("C"), QRectF(212, 42, 22, 22), QColor(200, 250, 200)),
        sampleShape(QStringLiteral("RR"), QRectF(100, 84, 22, 22), QColor(200, 200, 250)),
        sampleShape(QStringLiteral("T"), QRectF(128, 84, 22, 22), QColor(250, 240, 180)),
        sampleShape(QStringLiteral("D"), QRectF(156, 84, 22, 22), QColor(220, 190, 250)),
        sampleShape(QStringLiteral("S"), QRectF(184, 84, 22, 22), QColor(255, 220, 0)),
        sampleShape(QStringLiteral("DS"), QRectF(212, 84, 22, 22), QColor(255, 160, 60)),
        sampleShape(QStringLiteral("P"), QRectF(184, 116, 22, 22), QColor(160, 220, 230)),
    };
}

GraphicList sampleBack()
{
    return GraphicList{
        sampleText(QRectF(12, 20, 220, 24), QStringLiteral("If found, please return."), 14, QColor(60, 30, 0)),
        sampleShape(QStringLiteral("RR"), QRectF(12, 60, 219, 60), QColor(255, 236, 200)),
    };
}

GraphicList samplePreview(const QDir& scratch)
{
    return GraphicList{
        sampleText(QRectF(12, 12, 220, 22), QStringLiteral("Preview"), 14, QColor(0, 90, 0)),
        samplePicture(scratch, QStringLiteral("preview.png"), QRectF(12, 44, 72, 90)),
    };
}

void fillDocument(SKTDocument& document, const QDir& scratch)
{
    const auto fill = [&document](SKTDocument::Side side, const GraphicList& graphics) {
        QList<int> indexes;
        for (int i = 0; i < graphics.size(); ++i)
            indexes << i;
        document.insertGraphicsOnSide(side, graphics, indexes);
    };
    fill(SKTDocument::FrontSide, sampleFront(scratch));
    fill(SKTDocument::BackSide, sampleBack());
    fill(SKTDocument::PreviewSide, samplePreview(scratch));
}

struct Options {
    double factor = 1.0;
    int select = -1;
    bool grid = false;
    QString screenshot;
};

std::optional<Options> parseOptions(const QApplication& app)
{
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption zoom(QStringLiteral("zoom"), QStringLiteral("Zoom in per cent."),
                                  QStringLiteral("PERCENT"));
    const QCommandLineOption select(QStringLiteral("select"),
                                    QStringLiteral("Select the front element N."), QStringLiteral("N"));
    const QCommandLineOption grid(QStringLiteral("grid"), QStringLiteral("Show the grid."));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the window as a PNG and quit."),
                                        QStringLiteral("FILE"));
    parser.addOptions({zoom, select, grid, screenshot});
    parser.process(app);

    Options options;
    bool ok = true;
    if (parser.isSet(zoom)) {
        const double percent = parser.value(zoom).toDouble(&ok);
        if (!ok || !(percent > 0) || percent > 10000)
            return std::nullopt;
        options.factor = percent / 100.0;
    }
    if (parser.isSet(select)) {
        options.select = parser.value(select).toInt(&ok);
        if (!ok || options.select < 0)
            return std::nullopt;
    }
    options.grid = parser.isSet(grid);
    options.screenshot = parser.value(screenshot);
    return options;
}

bool saveScreenshot(QWidget& window, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !window.grab().toImage().save(&file, "PNG") || !file.commit()) {
        std::fprintf(stderr, "Cannot write \"%s\".\n", qPrintable(path));
        return false;
    }
    return true;
}

// Adds a titled column holding a canvas of the side.
SKTGraphicView* addCanvasColumn(QHBoxLayout& row, const QString& title, SKTDocument& document,
                                SKTDocument::Side side, SKTGrid& grid, double factor)
{
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->addWidget(new QLabel(title));
    auto* scroll = new SKTZoomingScrollView;
    scroll->setMinimumSize(540, 360);
    auto* canvas = new SKTGraphicView;
    canvas->setList(&document, side);
    canvas->setGrid(&grid);
    scroll->setWidget(canvas);
    scroll->setFactor(factor);
    layout->addWidget(scroll);
    row.addWidget(column);
    return canvas;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::optional<Options> options = parseOptions(app);
    if (!options) {
        std::fprintf(stderr, "usage: canvas-harness [--zoom PERCENT] [--select N] [--grid] [--screenshot FILE]\n");
        return kUsageError;
    }

    Resource_Path = AppFolders::resourceFolder();
    const QTemporaryDir scratch;
    SKTDocument document;
    fillDocument(document, QDir(scratch.path()));
    SKTGrid grid;
    grid.setAlwaysShown(options->grid);

    QWidget window;
    window.setWindowTitle(QStringLiteral("ZOVA ID Card - canvas harness"));
    auto* row = new QHBoxLayout(&window);
    SKTGraphicView* front = addCanvasColumn(*row, QStringLiteral("Front"), document,
                                            SKTDocument::FrontSide, grid, options->factor);
    addCanvasColumn(*row, QStringLiteral("Back"), document, SKTDocument::BackSide, grid, options->factor);
    addCanvasColumn(*row, QStringLiteral("Preview"), document, SKTDocument::PreviewSide, grid,
                    options->factor);
    if (options->select >= 0) {
        if (options->select >= front->graphics().size()) {
            std::fprintf(stderr, "The front has %d elements.\n", int(front->graphics().size()));
            return kUsageError;
        }
        front->changeSelectionIndexes({options->select});
    }
    window.show();

    if (options->screenshot.isEmpty())
        return app.exec();
    int result = 0;
    // Once the window is laid out and has had its first paint.
    QTimer::singleShot(0, &window, [&] {
        result = saveScreenshot(window, options->screenshot) ? 0 : kNotWritten;
        app.quit();
    });
    app.exec();
    return result;
}
