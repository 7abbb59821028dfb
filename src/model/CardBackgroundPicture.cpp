#include "model/CardBackgroundPicture.h"

#include "filters/ImageProcesser.h"
#include "model/Card_Property.h"
#include "platform/PictureReading.h"

QImage Read_Card_Background_Picture(const QString& path)
{
    // At most this many pixels on the longer side.
    constexpr int kMaxBackgroundPixels = 8192;
    QImage picture = readPictureWithItsSize(path, kMaxBackgroundPixels);
    // Handed over, not shared: setting the resolution of a shared picture would copy its pixels.
    return picture.isNull() ? picture : ImageProcesser::Set_Dimaension(std::move(picture));
}

void Set_Card_Background_Picture(Card_Property& side, const QString& path)
{
    if (!path.isEmpty())
        Set_Card_Background_Picture(side, path, Read_Card_Background_Picture(path));
}

void Set_Card_Background_Picture(Card_Property& side, const QString& path, const QImage& picture)
{
    side.setCard_fill_chk(true);
    side.setCard_fill_style(QStringLiteral("I"));
    side.setCard_BG_Image_Path(path);
    side.setCard_BG_Image(picture);
}
