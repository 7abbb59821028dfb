// The picture filter chain with every stage on (sepia, hue, saturation, brightness, contrast,
// sharpening, exposure, blur, a flip and a turn within the box) on a 500 x 500 preview and a
// 12-megapixel photo, against the same pipeline built from OpenCV's functions, in-process and
// interleaved.
//   bench_filter_chain_bench [repetitions]
#include <QGuiApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "filters/FilterStages.h"
#include "filters/ImageProcesser.h"
#include "BenchSupport.h"
#include "OpenCvColour.h"

namespace {

constexpr float kHue = 0.4f, kSat = 1.3f, kBrt = 0.05f, kCon = 1.2f, kSharp = 0.6f, kEv = 0.5f, kBlur = 2;
constexpr int kRotate = 15;
constexpr double kTargetRatio = 3;

QImage ourChain(const QImage& source)
{
    PictureSettings settings;
    settings.Sepia = true;
    settings._isFlippedHorizontally = true;
    settings.hue_val = kHue, settings.sat_val = kSat, settings.brt_val = kBrt, settings.con_val = kCon;
    settings.srp_val = kSharp, settings.ev_val = kEv, settings.blr_val = kBlur;
    settings.rotate_image = kRotate;
    return ImageProcesser::Get_Processed_Image_Full_Combined(source, settings);
}

// The same steps in OpenCV: one colour transform, luminance sharpening through a Laplacian
// kernel, exposure, box blur, flip, and the turn with the canvas squeezed into the box.
cv::Mat openCvChain(const cv::Mat& bgra)
{
    const ColourMatrix colour =
        sepiaMatrix().then(hueMatrix(kHue)).then(colourControlsMatrix(kSat, kBrt, kCon));
    cv::Mat coloured;
    cv::transform(bgra, coloured, openCvColourTransform(colour));

    cv::Mat luma, detail;
    cv::transform(coloured, luma, cv::Matx<float, 1, 4>(kLumaBlue, kLumaGreen, kLumaRed, 0));
    luma.convertTo(luma, CV_32F);
    const cv::Matx33f laplacian(0, -1, 0, -1, 4, -1, 0, -1, 0);
    cv::filter2D(luma, detail, CV_32F, laplacian * kSharp, cv::Point(-1, -1), 0, cv::BORDER_REPLICATE);
    cv::Mat detail4;
    const cv::Mat zero = cv::Mat::zeros(detail.size(), CV_32F);
    cv::merge(std::vector<cv::Mat>{detail, detail, detail, zero}, detail4);
    cv::Mat sharpened;
    cv::add(coloured, detail4, sharpened, cv::noArray(), CV_8UC4);

    cv::Mat exposed, blurred, flipped, turned;
    sharpened.convertTo(exposed, -1, std::exp2(kEv));
    cv::blur(exposed, blurred, cv::Size(2 * int(kBlur) + 1, 2 * int(kBlur) + 1), cv::Point(-1, -1),
             cv::BORDER_REPLICATE);
    cv::flip(blurred, flipped, 1);
    const double w = flipped.cols, h = flipped.rows, a = kRotate * CV_PI / 180;
    const double bw = w * std::abs(std::cos(a)) + h * std::abs(std::sin(a));
    const double bh = w * std::abs(std::sin(a)) + h * std::abs(std::cos(a));
    cv::Mat turn = cv::getRotationMatrix2D(cv::Point2f(float(w / 2), float(h / 2)), -kRotate, 1.0);
    turn.at<double>(0, 2) += bw / 2 - w / 2;
    turn.at<double>(1, 2) += bh / 2 - h / 2;
    turn.row(0) *= w / bw;
    turn.row(1) *= h / bh;
    cv::warpAffine(flipped, turned, turn, flipped.size(), cv::INTER_LINEAR, cv::BORDER_CONSTANT, cv::Scalar());
    return turned;
}

void measure(const char* name, int width, int height, int repetitions, double budgetMs)
{
    QImage source = rampWithFace(width, height);
    const cv::Mat bgra(source.height(), source.width(), CV_8UC4, source.bits(), size_t(source.bytesPerLine()));
    const BenchSide ours{[&] { benchmark::DoNotOptimize(ourChain(source)); }};
    const BenchSide openCv{[&] { benchmark::DoNotOptimize(openCvChain(bgra)); }};
    const PairedTimings timings = runPairedRounds(Rounds{repetitions, 1, 1}, ours, openCv);
    std::printf("%s (%d x %d)\n", name, width, height);
    const QByteArray ratioName = QByteArray("filter_chain_") + name;
    printRatio(ratioName.constData(), timings, "the same steps in OpenCV");
    printBudget(ratioName.constData(), "ours", timings.ours.median() * 1e3, budgetMs, " ms");
    printBudget(ratioName.constData(), "ours/OpenCV", timings.ratio(), kTargetRatio);
}

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    const int repetitions = countArgument(argc, argv, 15);
    measure("preview", 500, 500, repetitions * 4, 30);
    measure("12mp", 4000, 3000, repetitions, 500);
    return 0;
}
