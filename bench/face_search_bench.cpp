// Face search on a 500-pixel preview of a photograph (python3-skimage's astronaut): our detector,
// which converts the preview, equalises it, finds faces with one cascade, checks each with a second
// and keeps the largest, against OpenCV's default cascade run alone on the grey pixels with its
// default settings.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <opencv2/objdetect.hpp>

#include "photos/FaceDetector.h"
#include "BenchSupport.h"

namespace {

// One search with the "alt2" cascade and a check of each face found: a little more than one search.
constexpr double kTargetMs = 40.0;

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    const QImage photo(QStringLiteral("/usr/lib/python3/dist-packages/skimage/data/astronaut.png"));
    if (photo.isNull()) {
        std::fprintf(stderr, "python3-skimage's astronaut.png is missing\n");
        return 1;
    }
    const QImage preview = photo.scaled(500, 500, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    CascadeFaceDetector detector;
    if (!detector.firstFace(preview)) {
        std::fprintf(stderr, "no face found\n");
        return 1;
    }
    cv::CascadeClassifier peer(CascadeFaceDetector::cascadeFile().toStdString());
    const QImage grey = preview.convertToFormat(QImage::Format_Grayscale8);
    const cv::Mat pixels(grey.height(), grey.width(), CV_8UC1, const_cast<uchar*>(grey.constBits()),
                         size_t(grey.bytesPerLine()));
    Rounds rounds;
    rounds.count = countArgument(argc, argv, 21);
    const PairedTimings timings = runPairedRounds(rounds, {[&] { detector.firstFace(preview); }}, {[&] {
        std::vector<cv::Rect> faces;
        peer.detectMultiScale(pixels, faces);
    }});
    printRatio("face_search_500px", timings, "OpenCV detectMultiScale with its defaults on the grey preview");
    printBudget("face_search_500px", "median ms", timings.ours.median() * 1000.0, kTargetMs, " ms");
    return 0;
}
