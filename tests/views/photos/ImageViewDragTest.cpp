// A drag entering any image view of the photo windows: a file URL offered to be copied or moved is
// answered with a copy and attached to the view; anything else is refused and attaches nothing.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <gtest/gtest.h>

#include "support/FakeCameraSource.h"
#include "views/photos/Camera.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/ImageViewDrag.h"

TEST(ImageViewDrag, AFileOfferedToBeCopiedOrMovedIsTakenAsACopyAndAnythingElseIsRefused)
{
    FakeCameraSource cameras;
    Camera camera(cameras, {});
    Cropping_Tool tool({});
    QList<QLabel*> views;
    for (const char* name : {"capture_image", "capture_saved_image", "Modified_image"})
        views << camera.findChild<QLabel*>(QString::fromLatin1(name));
    for (const char* name : {"Modified_image", "capture_image"})
        views << tool.findChild<QLabel*>(QString::fromLatin1(name));
    const QUrl photo = QUrl::fromLocalFile(QStringLiteral("/home/ann/photo.png"));
    const struct {
        const char* name;
        QList<QUrl> urls;
        Qt::DropActions offered;
        bool accepted;
    } drags[] = {
        {"a file from the file manager", {photo}, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, true},
        {"a file that may be copied or moved", {photo}, Qt::CopyAction | Qt::MoveAction, true},
        {"a file that may only be moved", {photo}, Qt::MoveAction, false},
        {"a file that may only be copied", {photo}, Qt::CopyAction, false},
        {"text", {}, Qt::CopyAction | Qt::MoveAction, false},
    };
    for (QLabel* view : views) {
        ASSERT_NE(view, nullptr);
        for (const auto& drag : drags) {
            SCOPED_TRACE(view->objectName().toStdString() + ": " + drag.name);
            ImageViewDrag::setFileURL(*view, {});
            QMimeData data;
            data.setUrls(drag.urls);
            data.setText(QStringLiteral("Ann"));
            QDragEnterEvent entering(QPoint(5, 5), drag.offered, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(view, &entering);
            EXPECT_EQ(entering.isAccepted(), drag.accepted);
            EXPECT_EQ(ImageViewDrag::fileURL(*view), drag.accepted ? photo : QUrl());
            if (!drag.accepted)
                continue;
            EXPECT_EQ(entering.dropAction(), Qt::CopyAction);
            QDropEvent dropped(QPointF(5, 5), drag.offered, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(view, &dropped);
            EXPECT_EQ(dropped.dropAction(), Qt::CopyAction);
        }
        EXPECT_TRUE(view->acceptDrops());
    }
}
