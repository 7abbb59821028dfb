#include "model/SKTImage.h"
#include "model/PropertyValues.h"

#include <QCoreApplication>

#include "model/CardHost.h"
#include "model/PictureFile.h"
#include "platform/EncodedImageCache.h"
#include "platform/GuiThread.h"
#include "platform/ResourcePaths.h"

std::shared_ptr<SKTImage> SKTImage::initWithPath_With_ID(QPointF position, const QString& path,
                                                         const QString& ctrl_id)
{
    auto image = std::make_shared<SKTImage>();
    image->control_ID = ctrl_id;
    image->setFilePath(path, true);
    image->setBounds(pictureBoxCentredOn(position, image->_contents));
    resetPicturePageForNewPicture();
    return image;
}

std::shared_ptr<SKTImage> SKTImage::initWithPath(QPointF position, const QString& path)
{
    return initWithPath_With_ID(position, path, QString());
}

std::shared_ptr<SKTImage> SKTImage::initWithPosition(QPointF position, const QImage& contents,
                                                     const QString& filePath)
{
    auto image = std::make_shared<SKTImage>();
    image->_contents = contents;
    image->_file_path = filePath;
    image->setBounds(pictureBoxCentredOn(position, contents));
    resetPicturePageForNewPicture();
    return image;
}

std::shared_ptr<SKTImage> SKTImage::initWithProperties(const QVariantMap& properties)
{
    auto image = std::static_pointer_cast<SKTImage>(
        SKTGraphic::initWithProperties(GraphicKind::Image, properties));
    const QVariant contents = properties.value(SKTImageContentsKey);
    if (contents.typeId() == QMetaType::QByteArray) {
        const QImage picture = readPictureData(contents.toByteArray());
        if (!picture.isNull())
            image->_contents = picture;
    }
    const QVariant horizontal = properties.value(SKTImageIsFlippedHorizontallyKey);
    if (isPropertyNumber(horizontal))
        image->picture._isFlippedHorizontally = horizontal.toBool();
    const QVariant vertical = properties.value(SKTImageIsFlippedVerticallyKey);
    if (isPropertyNumber(vertical))
        image->picture._isFlippedVertically = vertical.toBool();
    return image;
}

void SKTImage::setFilePath(const QString& path, bool set_txt_path_also)
{
    const QString resolved = Check_Path_For_App_Resources(path);
    Set_Control_File_path(resolved);
    if (set_txt_path_also && !resolved.isEmpty())
        Set_text_value(resolved);
    setFileNSImage(resolved);
}

void SKTImage::setFilePathUnread(const QString& path)
{
    Set_Control_File_path(Check_Path_For_App_Resources(path));
    _contents = QImage();
    setAdjustedPicture(QImage(), 0, picture);
}

void SKTImage::setFileNSImage(const QString& path)
{
    showPreview(readPicturePreview(path));
}

void SKTImage::showPreview(const QImage& preview)
{
    _contents = preview;
    _contents_with_settings = _contents;
    refreshAdjustedPicture();
}

void SKTImage::refreshAdjustedPicture()
{
    if (GuiThread::isCurrent())
        setFileNSImage_Variable(cardHost().Get_Image_With_Update_Settings(*this));
    else
        setFileNSImage_Variable(QImage());
}

void SKTImage::ensureAdjustedPicture()
{
    if (_contents_with_settings.isNull() && !_contents.isNull() && GuiThread::isCurrent())
        refreshAdjustedPicture();
}

void SKTImage::ensureCurrentAdjustedPicture()
{
    if (!_contents.isNull() && !adjustedPictureIsCurrent() && GuiThread::isCurrent())
        refreshAdjustedPicture();
}

void SKTImage::setFileNSImage_Variable(const QImage& adjusted)
{
    setAdjustedPicture(adjusted, _contents.cacheKey(), picture);
}

void SKTImage::setAdjustedPicture(const QImage& adjusted, qint64 sourceKey, const PictureSettings& settings)
{
    _contents_with_settings = adjusted;
    m_adjustedSourceKey = adjusted.isNull() ? 0 : sourceKey;
    m_adjustedSettings = settings;
}

bool SKTImage::adjustedPictureIsCurrent() const
{
    return !_contents_with_settings.isNull() && m_adjustedSourceKey == _contents.cacheKey() &&
           m_adjustedSettings == picture;
}

void SKTImage::flipHorizontally()
{
    setFlippedHorizontally(!picture._isFlippedHorizontally);
    refreshAdjustedPicture();
}

void SKTImage::flipVertically()
{
    setFlippedVertically(!picture._isFlippedVertically);
    refreshAdjustedPicture();
}

void SKTImage::makeNaturalSize()
{
    // Without a picture the box would shrink to nothing and could no longer be picked.
    if (ctrl_is_locked || _contents.isNull())
        return;
    setBounds(QRectF(_bounds.topLeft(), _contents.deviceIndependentSize()));
    setFlippedHorizontally(false);
    setFlippedVertically(false);
    refreshAdjustedPicture();
}

QVariantMap SKTImage::properties() const
{
    QVariantMap result = SKTGraphic::properties();
    result.insert(SKTImageContentsKey, encodedPng(_contents));
    result.insert(SKTImageIsFlippedHorizontallyKey, picture._isFlippedHorizontally);
    result.insert(SKTImageIsFlippedVerticallyKey, picture._isFlippedVertically);
    return result;
}

QSet<QString> SKTImage::keysForValuesToObserveForUndo() const
{
    static const QSet<QString> keys = SKTGraphic::keysForValuesToObserveForUndo().unite(
        {SKTImageContentsKey, SKTImageIsFlippedHorizontallyKey, SKTImageIsFlippedVerticallyKey});
    return keys;
}

QString SKTImage::presentablePropertyNameForKey(const QString& key)
{
    if (key == SKTImageIsFlippedHorizontallyKey)
        return QCoreApplication::translate("UndoStrings", "Horizontal Flipping");
    if (key == SKTImageIsFlippedVerticallyKey)
        return QCoreApplication::translate("UndoStrings", "Vertical Flipping");
    return SKTGraphic::presentablePropertyNameForKey(key);
}

void SKTImage::copyFieldsInto(SKTGraphic& target) const
{
    SKTGraphic::copyFieldsInto(target);
    target._contents = _contents;
    target._contents_with_settings = _contents_with_settings;
    if (target.kind() == GraphicKind::Image) {
        auto& image = static_cast<SKTImage&>(target);
        image.m_adjustedSourceKey = m_adjustedSourceKey;
        image.m_adjustedSettings = m_adjustedSettings;
    }
}
