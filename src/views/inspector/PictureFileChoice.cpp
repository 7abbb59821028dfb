#include "views/inspector/PictureFileChoice.h"

#include <QCoreApplication>

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

QString chooseReadablePicture(QWidget* parent, const QString& caption, const QStringList& extensions)
{
    const QString path = choosePictureFile(parent, caption, extensions);
    if (path.isEmpty())
        return {};
    // The element reads the file the same way; a file it cannot show is no picture to take.
    if (readPicturePreview(path).isNull()) {
        Show_MessageBox(unreadablePictureMessage(path));
        return {};
    }
    return path;
}
