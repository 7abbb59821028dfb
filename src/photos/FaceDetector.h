#pragma once
// Finding a face on a picture, behind an interface so that the cropping tool's tests can answer
// for it. A search runs on a preview (at most a few hundred pixels), never on a full photo.
#include <QImage>
#include <QRectF>
#include <QString>
#include <memory>
#include <optional>

class FaceDetector {
public:
    virtual ~FaceDetector() = default;
    // The box of the face found first, in the picture's pixels with the origin at its lower-left
    // corner; none when the picture shows no face.
    virtual std::optional<QRectF> firstFace(const QImage& picture) = 0;
};

// OpenCV's cascade classifiers with two frontal-face cascades of Debian's opencv-data: a face the
// "alt2" cascade finds counts when the default cascade sees it too. The largest such face is the
// face a card photo is taken of.
class CascadeFaceDetector : public FaceDetector {
public:
    CascadeFaceDetector();
    ~CascadeFaceDetector() override;

    // Why no face can be searched for (the cascade file is missing or unreadable); empty when one can.
    const QString& unavailableReason() const { return m_unavailable; }
    std::optional<QRectF> firstFace(const QImage& picture) override;

    // Where Debian installs the default cascade, and the "alt2" one.
    static QString cascadeFile();
    static QString finderCascadeFile();

private:
    struct Classifier;
    std::unique_ptr<Classifier> m_classifier;
    QString m_unavailable;
};
