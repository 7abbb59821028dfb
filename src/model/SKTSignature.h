#pragma once
#include <memory>

#include "model/SKTGraphic.h"

// A signature ("S") or fingerprint ("F") picture stretched over its box.
class SKTSignature final : public SKTGraphic {
public:
    SKTSignature() { applyConstructionDefaults(); }
    GraphicKind kind() const override { return GraphicKind::Signature; }

    // The picture shown and the path it came from; never archived (drawing reloads it from
    // _file_path).
    QImage _contents_img;
    QString file_path;

    // The sample picture of a kind in the resource folder: sign_sample.png for "S",
    // fingerprints.png for any other kind.
    static QString samplePicturePath(const QString& sign_or_FP);
    // The path a design keeps for an element of the kind: "Default" for its kind's sample, in
    // our resource folder or another installation's, and for no path at all; any other path as
    // Stored_Picture_Path keeps it. A design holds no path of an installation.
    static QString storedPath(const QString& sign_or_FP, const QString& path);
    // The path a design's stored one stands for: our sample of the kind for "Default" and for
    // that sample in any installation's resources (as older designs kept it); any other as
    // Stored_Picture_Path keeps it.
    static QString pathFromStored(const QString& sign_or_FP, const QString& stored);

    // The element the signature and fingerprint tools make: the given picture at its size
    // centred on the point, the path the caller gives (the tools give Library_Selected_Image),
    // remembered as loaded from the kind's sample.
    static std::shared_ptr<SKTSignature> initWithPosition(QPointF centre, const QImage& contents,
                                                          const QString& sign_or_FP, const QString& filePath);
    // The same element from a picture file.
    static std::shared_ptr<SKTSignature> initWithPath(QPointF centre, const QString& path,
                                                      const QString& sign_or_FP);

    // Loads the picture of the path ("Default" is the sample of the element's kind) and makes
    // the path the element's; a path that gives no picture leaves the element without one.
    void setFilePath(const QString& path);

    bool isDrawingFill() const override { return false; }
    // Unless locked: the picture's size, origin kept.
    void makeNaturalSize() override;
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;

private:
    friend class SKTGraphic;
    explicit SKTSignature(ZeroFields) {}
};
