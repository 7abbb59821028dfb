#include "views/inspector/PictureFileChoice.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureReading.h"

QString pictureFileFilter(const QStringList& extensions)
{
    QStringList patterns;
    for (const QString& extension : extensions)
        patterns << QStringLiteral("*.") + extension << QStringLiteral("*.") + extension.toUpper();
    return QCoreApplication::translate("PictureFileChoice", "Pictures (%1)").arg(patterns.join(QLatin1Char(' ')));
}

QString choosePictureFile(QWidget* parent, const QString& caption, const QStringList& extensions)
{
    FilePanelRequest request;
    request.parent = parent;
    request.caption = caption;
    request.filter = pictureFileFilter(extensions);
    return dialogPresenter().openFile(request);
}

namespace {

// The element reads the file the same way; a file it cannot show is no picture to take.
bool refuseUnreadable(const QString& path)
{
    if (!readPicturePreview(path).isNull())
        return false;
    Show_MessageBox(unreadablePictureMessage(path));
    return true;
}

}  // namespace

QString chooseReadablePicture(QWidget* parent, const QString& caption, const QStringList& extensions)
{
    const QString path = choosePictureFile(parent, caption, extensions);
    if (path.isEmpty() || refuseUnreadable(path))
        return {};
    return path;
}

bool acceptDroppedPicture(const QString& path, const QStringList& extensions)
{
    // What the file panel's filter lets through, and no more.
    const QString suffix = QFileInfo(path).suffix();
    const bool listed = std::any_of(extensions.cbegin(), extensions.cend(), [&suffix](const QString& extension) {
        return suffix.compare(extension, Qt::CaseInsensitive) == 0;
    });
    if (!listed) {
        Show_MessageBox(QCoreApplication::translate("PictureFileChoice", "The file \"%1\" is not a picture of the kinds taken here: %2.")
                            .arg(QFileInfo(path).fileName(), extensions.join(QStringLiteral(", "))));
        return false;
    }
    return !refuseUnreadable(path);
}
