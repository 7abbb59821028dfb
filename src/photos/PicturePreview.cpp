#include "photos/PicturePreview.h"

#include <QAbstractFileIconProvider>
#include <QGuiApplication>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QThread>
#include <atomic>

#include "model/PictureFile.h"
#include "platform/Log.h"

namespace {

std::atomic<const QAbstractFileIconProvider*> installedIcons{nullptr};

const QAbstractFileIconProvider& iconProvider()
{
    static const QAbstractFileIconProvider themeIcons;
    const QAbstractFileIconProvider* installed = installedIcons.load();
    return installed != nullptr ? *installed : themeIcons;
}

// Icons are pixmaps underneath, which exist only on the GUI thread of a GUI application.
bool iconsAvailableHere()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
        && QThread::currentThread() == QCoreApplication::instance()->thread();
}

QImage fileIcon(const QFileInfo& file, const QSize& size)
{
    if (!iconsAvailableHere() || size.isEmpty())
        return {};
    const QIcon icon = iconProvider().icon(file);
    if (icon.isNull())
        return {};
    QImage image = icon.pixmap(size).toImage();
    if (image.isNull())
        return image;
    // An icon may come smaller than asked; the preview is the requested size all the same.
    image.setDevicePixelRatio(1.0);
    if (image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

}  // namespace

QImage Thimbnail_Using_CG_Image(const QString& path, const QSizeF& size)
{
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile()) {
        Show_NSLog_Message(QStringLiteral("No preview of \"%1\": not a regular file").arg(path));
        return {};
    }
    const QImage picture = readPicturePreview(path, int(size.width()));
    if (!picture.isNull())
        return picture;
    return fileIcon(file, size.toSize());
}

void setPreviewIconProvider(const QAbstractFileIconProvider* provider)
{
    installedIcons.store(provider);
}

QImage imageWithPreviewOfFileAtPath(const QString& path, const QSizeF& size, bool asIcon)
{
    return Thimbnail_Using_CG_Image(path, size);
}
