// canvas-harness: the front, back and preview canvases of the sample document side by side, each
// in its zooming, centring scroll view, until the main window exists. For people and tests:
//   canvas-harness [--zoom PERCENT] [--select N] [--grid] [--screenshot FILE]
// --zoom      shows every canvas at PERCENT (100 when absent)
// --select N  selects the front element N (0 is the topmost)
// --grid      shows the grid
// --screenshot FILE  saves the painted window as a PNG and quits
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include "ProbeSupport.h"
#include "SampleCard.h"
#include "mainwindow/MainWindowGlobals.h"
#include "model/SKTDocument.h"
#include "platform/AppFolders.h"
#include "platform/DisplayFallback.h"
#include "render/ImageResolution.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTGrid.h"
#include "views/canvas/SKTZoomingScrollView.h"

namespace {

constexpr int kUsageError = 64;
constexpr int kNotWritten = 1;

void fillDocument(SKTDocument& document, const QDir& scratch)
{
    sample::putOnSide(document, SKTDocument::FrontSide, sample::front(scratch));
    sample::putOnSide(document, SKTDocument::BackSide, sample::back());
    sample::putOnSide(document, SKTDocument::PreviewSide,
         {sample::text(QRectF(12, 12, 220, 22), QStringLiteral("Preview"), 14, QColor(0, 90, 0)),
          sample::picture(scratch, QStringLiteral("preview.png"), QRectF(12, 44, 72, 90))});
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
    scroll->setDocumentView(canvas);
    scroll->setFactor(factor);
    layout->addWidget(scroll);
    row.addWidget(column);
    return canvas;
}

} // namespace

int main(int argc, char** argv)
{
    Fall_Back_To_Offscreen_Without_Display();
    QApplication app(argc, argv);
    const auto args = parseProbeArguments(app.arguments(), {QStringLiteral("--grid")},
                                          {QStringLiteral("--zoom"), QStringLiteral("--select"), QStringLiteral("--screenshot")});
    const std::optional<double> percent = args ? args->number("--zoom", 100.0) : std::nullopt;
    const std::optional<int> select = args ? args->number("--select", -1) : std::nullopt;
    if (!percent || !select || !args->positional.isEmpty() || !(*percent > 0) || *percent > 10000 ||
        (args->has(QStringLiteral("--select")) && *select < 0))
        return complain(kUsageError, QStringLiteral("usage: canvas-harness [--zoom PERCENT] [--select N] [--grid] [--screenshot FILE]"));

    Resource_Path = AppFolders::resourceFolder();
    const QTemporaryDir scratch;
    SKTDocument document;
    fillDocument(document, QDir(scratch.path()));
    SKTGrid grid;
    grid.setAlwaysShown(args->has(QStringLiteral("--grid")));

    QWidget window;
    window.setWindowTitle(QStringLiteral("ZOVA ID Card - canvas harness"));
    auto* row = new QHBoxLayout(&window);
    const double factor = *percent / 100.0;
    SKTGraphicView* front = addCanvasColumn(*row, QStringLiteral("Front"), document, SKTDocument::FrontSide, grid, factor);
    addCanvasColumn(*row, QStringLiteral("Back"), document, SKTDocument::BackSide, grid, factor);
    addCanvasColumn(*row, QStringLiteral("Preview"), document, SKTDocument::PreviewSide, grid, factor);
    if (*select >= front->graphics().size())
        return complain(kUsageError, QStringLiteral("The front has %1 elements.").arg(front->graphics().size()));
    if (*select >= 0)
        front->changeSelectionIndexes({*select});
    window.show();

    const QString screenshot = args->options.value(QStringLiteral("--screenshot"));
    if (screenshot.isEmpty())
        return app.exec();
    int result = 0;
    // Once the window is laid out and has had its first paint.
    QTimer::singleShot(0, &window, [&] {
        result = Save_gen_image(window.grab().toImage(), screenshot) ? 0 : kNotWritten;
        app.quit();
    });
    app.exec();
    return result;
}
