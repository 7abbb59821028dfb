#pragma once
#include <memory>

#include "model/SKTGraphic.h"

inline const QString SKTImageContentsKey = QStringLiteral("contents");
inline const QString SKTImageIsFlippedHorizontallyKey = QStringLiteral("flippedHorizontally");
inline const QString SKTImageIsFlippedVerticallyKey = QStringLiteral("flippedVertically");

// A photo or picture: _contents as loaded, _contents_with_settings adjusted by the picture
// settings through the card host, stretched over the box when drawn.
class SKTImage final : public SKTGraphic {
public:
    SKTImage() { applyConstructionDefaults(); }
    GraphicKind kind() const override { return GraphicKind::Image; }

    // An element showing the picture file, its box the picture's size centred on the position.
    static std::shared_ptr<SKTImage> initWithPath_With_ID(QPointF position, const QString& path,
                                                          const QString& ctrl_id);
    static std::shared_ptr<SKTImage> initWithPath(QPointF position, const QString& path);
    // An element holding the picture itself, with the path the caller gives (the tools give
    // Library_Selected_Image); its adjusted picture is made when first drawn.
    static std::shared_ptr<SKTImage> initWithPosition(QPointF position, const QImage& contents,
                                                      const QString& filePath);
    // A new element from a properties dictionary: the base entries, then the picture and the flip
    // flags when they are of the right kind.
    static std::shared_ptr<SKTImage> initWithProperties(const QVariantMap& properties);

    bool isDrawingFill() const override { return false; }
    bool canSetDrawingFill() const override { return false; }
    bool canSetDrawingStroke() const override { return false; }

    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    // The border around the rectangle when the element draws its stroke.
    void Draw_the_image_border(QPainter& painter, const QRectF& rect);

    // Stores the path, a path into another installation's resources re-pointed into ours (with
    // the flag and a non-empty path, also as the value text), and loads its picture with
    // setFileNSImage.
    void setFilePath(const QString& path, bool set_txt_path_also);
    // Loads the file's preview into _contents (null when the path gives no picture) and makes
    // the adjusted picture from it.
    void setFileNSImage(const QString& path);
    // Stores the path, re-pointed as above, and drops the picture held, reading nothing: for a copy that output gives
    // its picture at the output size, which must never show the picture of another file.
    void setFilePathUnread(const QString& path);
    // The same with a preview already read from the file (readPicturePreview).
    void showPreview(const QImage& preview);
    // The adjusted picture as the host made it from the loaded picture and the settings in force.
    void setFileNSImage_Variable(const QImage& picture);
    // An adjusted picture made elsewhere (off the GUI thread, or from a smaller copy of the loaded
    // picture while a slider moves): the cacheKey of the picture it was made from and the
    // settings it was made with.
    void setAdjustedPicture(const QImage& picture, qint64 sourceKey, const PictureSettings& settings);
    // Whether the adjusted picture was made from the loaded picture itself with the settings as
    // they stand now.
    bool adjustedPictureIsCurrent() const;

    // Turning the flag alone would leave the shown picture unturned until the picture settings
    // are applied again, so the adjusted picture follows at once.
    void flipHorizontally() override;
    void flipVertically() override;
    // Unless locked: the loaded picture's size (origin kept), both flips cleared.
    void makeNaturalSize() override;

    QVariantMap properties() const override;
    QSet<QString> keysForValuesToObserveForUndo() const override;
    static QString presentablePropertyNameForKey(const QString& key);

    // Makes the adjusted picture when only the loaded one exists (a decoded archive, a picture
    // given directly) and this runs on the GUI thread.
    void ensureAdjustedPicture();
    // The same, and also when the adjusted picture is out of date or was made from a smaller copy:
    // output draws from the loaded picture's own pixels with the settings in force.
    void ensureCurrentAdjustedPicture();

protected:
    void copyFieldsInto(SKTGraphic& target) const override;

private:
    friend class SKTGraphic;
    explicit SKTImage(ZeroFields) {}
    // Asks the host for the adjusted picture on the GUI thread; elsewhere clears it, so that the
    // next drawing on the GUI thread makes it.
    void refreshAdjustedPicture();

    qint64 m_adjustedSourceKey = 0;
    PictureSettings m_adjustedSettings = PictureSettings::zero();
};
