// clipart-builder RESOURCES: writes LibraryImage/<category>/<picture>.png into the resource folder,
// each picture drawn here with QPainter, at build time. Not shipped.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "ClipArtCategories.h"

namespace {

constexpr int kSide = 256;

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: clipart-builder RESOURCES\n");
        return 64;
    }
    const QDir library(QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("LibraryImage")));
    for (const clipart::Category& category : clipart::categories()) {
        const QString folder = library.filePath(category.folder);
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "cannot make %s\n", qPrintable(folder));
            return 1;
        }
        for (const clipart::Picture& picture : category.pictures) {
            QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            picture.draw(image);
            const QString path = QDir(folder).filePath(picture.name + QStringLiteral(".png"));
            if (!image.save(path, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
