#include "canvas/model/SKTImage.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

// Pictures come from user files; a hostile header must not make the reader allocate without bound.
constexpr int kPictureAllocationLimitMB = 256;

QImage loadPicture(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QImage();
    QImageReader reader(path);
    reader.setAllocationLimit(kPictureAllocationLimitMB);
    reader.setAutoTransform(true);
    return reader.read();
}

}  // namespace

void SKTImage::setFilePath(const QString& path, bool setTextPathAlso)
{
    Set_Control_File_path(path);
    if (setTextPathAlso && !path.isEmpty())
        Set_text_value(path);
    _contents = loadPicture(path);
    // The adjusted picture starts as the loaded one; the image settings replace it when applied.
    _contents_with_settings = _contents;
}

void SKTImage::copyFieldsInto(SKTGraphic& target) const
{
    SKTGraphic::copyFieldsInto(target);
    target._contents = _contents;
    target._contents_with_settings = _contents_with_settings;
}
