#include "photos/FaceDetector.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

struct CascadeFaceDetector::Classifier {
    cv::CascadeClassifier finder;   // the frontal-face "alt2" cascade
    cv::CascadeClassifier checker;  // the frontal-face default cascade
};

namespace {

constexpr double kScaleStep = 1.1;
constexpr int kFinderNeighbours = 5;
constexpr int kCheckerNeighbours = 2;
// The smallest face looked for, in the preview's pixels: the default cascade's own window.
constexpr int kSmallestFace = 24;
// A face is checked at this width, in surroundings twice its size.
constexpr double kCheckedFaceWidth = 96;
constexpr double kSameFaceOverlap = 0.4;

cv::Mat greyPixels(const QImage& picture)
{
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    cv::Mat mat(grey.height(), grey.width(), CV_8UC1, const_cast<uchar*>(grey.constBits()), size_t(grey.bytesPerLine()));
    cv::Mat equalised;
    cv::equalizeHist(mat, equalised);  // copies, so the QImage may go
    return equalised;
}

std::vector<cv::Rect> detect(cv::CascadeClassifier& cascade, const cv::Mat& grey, int neighbours)
{
    std::vector<cv::Rect> found;
    cascade.detectMultiScale(grey, found, kScaleStep, neighbours, 0, cv::Size(kSmallestFace, kSmallestFace));
    return found;
}

// Whether the second cascade sees a face where the first found one: each cascade alone takes
// some patterns for faces (the default one a head and shoulders round the face, the other
// bricks), rarely the same ones.
bool confirmedFace(cv::CascadeClassifier& checker, const cv::Mat& grey, const cv::Rect& face)
{
    const cv::Rect around = cv::Rect(face.x - face.width / 2, face.y - face.height / 2, face.width * 2, face.height * 2) &
                            cv::Rect(0, 0, grey.cols, grey.rows);
    const double scale = kCheckedFaceWidth / face.width;
    cv::Mat part;
    cv::resize(grey(around), part, cv::Size(), scale, scale, scale > 1 ? cv::INTER_LINEAR : cv::INTER_AREA);
    const cv::Rect2d expected((face.x - around.x) * scale, (face.y - around.y) * scale, face.width * scale,
                              face.height * scale);
    const std::vector<cv::Rect> seen = detect(checker, part, kCheckerNeighbours);
    return std::any_of(seen.begin(), seen.end(), [&expected](const cv::Rect& other) {
        const cv::Rect2d box(other);
        return (box & expected).area() >= kSameFaceOverlap * (box | expected).area();
    });
}

QString haarCascade(const char* name)
{
    for (const char* folder : {"/usr/share/opencv4/haarcascades", "/usr/share/opencv/haarcascades"}) {
        const QString file = QString::fromLatin1(folder) + u'/' + QLatin1String(name);
        if (QFileInfo(file).isFile())
            return file;
    }
    return {};
}

}  // namespace

CascadeFaceDetector::CascadeFaceDetector() : m_classifier(std::make_unique<Classifier>())
{
    const QString finder = finderCascadeFile(), checker = cascadeFile();
    const bool loaded = !finder.isEmpty() && !checker.isEmpty() &&
                        m_classifier->finder.load(QFile::encodeName(finder).toStdString()) &&
                        m_classifier->checker.load(QFile::encodeName(checker).toStdString());
    if (!loaded)
        m_unavailable = QStringLiteral("The face cascades of opencv-data cannot be read (%1, %2).")
                            .arg(finder.isEmpty() ? QStringLiteral("haarcascade_frontalface_alt2.xml") : finder,
                                 checker.isEmpty() ? QStringLiteral("haarcascade_frontalface_default.xml") : checker);
}

CascadeFaceDetector::~CascadeFaceDetector() = default;

QString CascadeFaceDetector::cascadeFile()
{
    return haarCascade("haarcascade_frontalface_default.xml");
}

QString CascadeFaceDetector::finderCascadeFile()
{
    return haarCascade("haarcascade_frontalface_alt2.xml");
}

std::optional<QRectF> CascadeFaceDetector::firstFace(const QImage& picture)
{
    if (!m_unavailable.isEmpty() || picture.isNull())
        return std::nullopt;
    const cv::Mat grey = greyPixels(picture);
    std::optional<cv::Rect> largest;
    for (const cv::Rect& face : detect(m_classifier->finder, grey, kFinderNeighbours)) {
        if ((!largest || face.area() > largest->area()) && confirmedFace(m_classifier->checker, grey, face))
            largest = face;
    }
    if (!largest)
        return std::nullopt;
    // Rows from the top become a y-up box.
    return QRectF(largest->x, picture.height() - largest->y - largest->height, largest->width, largest->height);
}
