// One step of a picture page's slider on a 12-megapixel photo, on the main window itself: from the
// step until the new picture is painted on the canvas (the writer, the filter chain off the GUI
// thread on the element's preview, the canvas repaint), against the same filter applied to the same
// preview by OpenCV alone; then the undo snapshot that follows the paint. Then a drag of quick
// steps: the longest the GUI thread is held by one step, and from the last step until its picture
// is on screen. The target of each is one frame, 16.7 ms.
//   bench_picture_slider_bench [rounds]
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>

#include <opencv2/core.hpp>

#include "filters/FilterStages.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "model/SKTDocument.h"
#include "model/SKTImage.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/FloatSlider.h"
#include "views/inspector/ImagePanel.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PropertyInspector.h"
#include "BenchSupport.h"
#include "OpenCvColour.h"

namespace {

constexpr double kFrameMs = 1000.0 / 60;
constexpr int kDragSteps = 30;

QString writePhoto(const QTemporaryDir& folder)
{
    const QString path = folder.filePath(QStringLiteral("photo.jpg"));
    rampWithFace(4000, 3000).save(path, "JPEG", 90);
    return path;
}

// The hue turn as OpenCV applies it: one colour transform of the preview.
cv::Mat openCvHue(const cv::Mat& bgra, float hue)
{
    cv::Mat turned;
    cv::transform(bgra, turned, openCvColourTransform(hueMatrix(hue)));
    return turned;
}

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", dataHome.path().toUtf8());
    QApplication app(argc, argv);
    const int rounds = countArgument(argc, argv, 15);

    SKTDocument document;
    SKTWindowController controller(document);
    controller.inspector().setUpControls({});
    auto image = SKTImage::initWithPath(QPointF(120, 77), writePhoto(dataHome));
    image->setBounds(QRectF(20, 20, 120, 90));
    image->ctrl_is_visible = true;
    document.insertGraphicsOnSide(SKTDocument::FrontSide, {image}, {0});
    controller.showWindow();
    SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
    canvas.changeSelectionIndexes({0});
    canvas._Selected_Graphic = image;
    controller.inspector().Show_RHS_Properties(image.get());
    ImagePanel& panel = controller.inspector().imagePanel();
    auto* hue = controller.windowLayout().inspectorView().findChild<FloatSlider*>(QStringLiteral("Hue_slidr"));
    if (hue == nullptr || image->_contents.isNull())
        return 1;
    std::printf("12-megapixel photo, element preview %d x %d\n", image->_contents.width(), image->_contents.height());
    QApplication::processEvents();

    // One step, then the event loop until the picture for it is in the element, then the paint.
    int direction = 1;
    const auto step = [&] {
        if (hue->sliderPosition() >= hue->maximum() || hue->sliderPosition() <= hue->minimum())
            direction = -direction;
        hue->triggerAction(direction > 0 ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub);
    };
    const auto onScreen = [&] {
        while (!image->adjustedPictureIsCurrent())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        canvas.repaint();
    };
    const QImage preview = image->_contents.convertToFormat(QImage::Format_ARGB32);
    const cv::Mat bgra(preview.height(), preview.width(), CV_8UC4, const_cast<uchar*>(preview.bits()),
                       size_t(preview.bytesPerLine()));
    // The undo snapshot of the step before is taken untimed: it follows the paint (below).
    const BenchSide ours{[&] {
                             step();
                             onScreen();
                         },
                         [&] { panel.finishRendering(); }};
    const BenchSide peer{[&] { benchmark::DoNotOptimize(openCvHue(bgra, float(hue->sliderPosition()) / 100)); }};
    const PairedTimings timings = runPairedRounds(Rounds{rounds * 4, 2, 1}, ours, peer);
    printRatio("picture_slider_step_12mp", timings, "the same hue turn of the preview by OpenCV");
    printBudget("picture_slider_step_12mp", "step to screen", timings.ours.median() * 1e3, kFrameMs, " ms");

    // The undo snapshot a step takes once its picture is shown (it holds the pictures too).
    std::vector<double> snapshots;
    for (int i = 0; i < rounds * 4; ++i) {
        step();
        onScreen();
        snapshots.push_back(timedMs([&] { panel.finishRendering(); }));
    }
    printBudget("picture_slider_snapshot_12mp", "GUI hold of the undo snapshot (median)", median(snapshots), kFrameMs,
                " ms");

    // A drag: quick steps with the event loop running between them, as a mouse gives them.
    std::vector<double> held, lastToScreen;
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < kDragSteps; ++i) {
            held.push_back(timedMs(step));
            QApplication::processEvents();
        }
        lastToScreen.push_back(timedMs([&] {
            step();
            onScreen();
        }));
        panel.finishRendering();
    }
    const double longestHold = *std::max_element(held.begin(), held.end());
    std::printf("drag of %d steps, %d rounds: GUI held per step median %.3f ms, longest %.3f ms\n", kDragSteps, rounds,
                median(held), longestHold);
    printBudget("picture_slider_drag_12mp", "longest GUI hold of a step", longestHold, kFrameMs, " ms");
    printBudget("picture_slider_drag_12mp", "last step to screen (median)", median(lastToScreen), kFrameMs, " ms");
    return 0;
}
