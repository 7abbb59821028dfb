#include "photos/FaceDetector.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

struct CascadeFaceDetector::Classifier {
    cv::CascadeClassifier cascade;
};

namespace {

constexpr double kScaleStep = 1.1;
constexpr int kNeighbours = 5;

cv::Mat greyPixels(const QImage& picture)
{
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    cv::Mat mat(grey.height(), grey.width(), CV_8UC1, const_cast<uchar*>(grey.constBits()), size_t(grey.bytesPerLine()));
    cv::Mat equalised;
    cv::equalizeHist(mat, equalised);  // copies, so the QImage may go
    return equalised;
}

}  // namespace

CascadeFaceDetector::CascadeFaceDetector() : m_classifier(std::make_unique<Classifier>())
{
    const QString file = cascadeFile();
    if (file.isEmpty() || !m_classifier->cascade.load(QFile::encodeName(file).toStdString()))
        m_unavailable = QStringLiteral("The face cascade of opencv-data cannot be read (%1).")
                            .arg(file.isEmpty() ? QStringLiteral("haarcascade_frontalface_default.xml") : file);
}

CascadeFaceDetector::~CascadeFaceDetector() = default;

QString CascadeFaceDetector::cascadeFile()
{
    for (const char* folder : {"/usr/share/opencv4/haarcascades", "/usr/share/opencv/haarcascades"}) {
        const QString file = QString::fromLatin1(folder) + QStringLiteral("/haarcascade_frontalface_default.xml");
        if (QFileInfo(file).isFile())
            return file;
    }
    return {};
}

std::optional<QRectF> CascadeFaceDetector::firstFace(const QImage& picture)
{
    if (!m_unavailable.isEmpty() || picture.isNull())
        return std::nullopt;
    // Every face the cascade's own window can see, however small a share of the picture it is.
    std::vector<cv::Rect> faces;
    m_classifier->cascade.detectMultiScale(greyPixels(picture), faces, kScaleStep, kNeighbours);
    if (faces.empty())
        return std::nullopt;
    const cv::Rect largest = *std::max_element(faces.begin(), faces.end(),
                                               [](const cv::Rect& a, const cv::Rect& b) { return a.area() < b.area(); });
    // Rows from the top become a y-up box.
    return QRectF(largest.x, picture.height() - largest.y - largest.height, largest.width, largest.height);
}
