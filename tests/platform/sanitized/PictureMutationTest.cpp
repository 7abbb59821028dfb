// Pictures come from users: thumbnails, previews and whole pictures of mutated PNG (true colour
// and palette) and JPEG files are read or refused within the readers' bounds, never crash.
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

#include "platform/PictureReading.h"
#include "support/sanitized/ReaderBounds.h"

namespace {

std::mt19937 rng(20250219);
int below(int n) { return std::uniform_int_distribution<int>(0, std::max(0, n - 1))(rng); }

QByteArray encoded(const QImage& picture, const char* format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format, quality);
    return bytes;
}

QImage sample(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x + y) % 256));
    }
    return picture;
}

// Mostly the header and the first chunks, where sizes, colour types and palettes stand.
QByteArray mutate(QByteArray bytes)
{
    for (int i = 1 + below(3); i > 0 && !bytes.isEmpty(); --i) {
        const int at = below(2) == 0 ? below(std::min(int(bytes.size()), 64)) : below(int(bytes.size()));
        switch (below(4)) {
        case 0: bytes[at] = char(below(256)); break;
        case 1: bytes[at] = char(bytes[at] ^ (1 << below(8))); break;
        case 2: bytes.insert(at, char(below(256))); break;
        default: bytes.truncate(at); break;
        }
    }
    return bytes;
}

}  // namespace

TEST(PictureMutationTest, MutatedPicturesGiveThumbnailsWithinBounds)
{
    QTemporaryDir folder;
    const QImage picture = sample(48, 32);
    // A palette picture of 8000 x 8000 pixels packs into some kilobytes: its thumbnail must not
    // cost the whole picture.
    QImage hugePalette(8000, 8000, QImage::Format_Indexed8);
    hugePalette.setColorTable({qRgb(0, 0, 0), qRgb(200, 30, 30)});
    hugePalette.fill(1);
    const QList<QByteArray> seeds = {encoded(picture, "PNG"), encoded(picture.convertToFormat(QImage::Format_Indexed8), "PNG"),
                                     encoded(picture, "JPEG", 80), encoded(picture.convertToFormat(QImage::Format_ARGB32), "PNG"),
                                     encoded(hugePalette, "PNG")};
    ASSERT_LT(seeds.last().size(), 1 << 20);
    const QString path = folder.filePath(QStringLiteral("picture"));

    int pictures = 0;
    for (int round = 0; round < 700; ++round) {
        const bool plain = round < int(seeds.size());
        const QByteArray bytes = plain ? seeds[round] : mutate(seeds[below(int(seeds.size()) - 1)]);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        readWithinBounds(QStringLiteral("picture %1").arg(round), [&] {
            pictures += !readPictureFitted(path, QSize(120, 76)).isNull();
            pictures += !readPicturePreview(path).isNull();
            picturePreviewSize(path);
            pictureFileSize(path);
            if (round % 4 == 0)
                pictures += !readPictureData(bytes).isNull();
        });
    }
    // The huge palette picture's thumbnail, too, within its bounds.
    readWithinBounds(QStringLiteral("an 8000 x 8000 palette picture"), [&] {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(seeds.last()) == seeds.last().size());
        file.close();
        readPictureFitted(path, QSize(120, 76));
    });
    EXPECT_GT(pictures, 100);
}
