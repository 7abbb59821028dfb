// On the real window: every image view a user meets takes a file dragged onto it from the desktop
// as a copy and keeps its URL, and refuses a drag that may only be moved: the visitor panels'
// photo views (the fixed one and a picture field the user added), the print window's sheet
// picture and the profile window's photo.
#include <QComboBox>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>

#include "LiveModeRoadFixture.h"
#include "MainWindowFixture.h"
#include "mainwindow/OutputCommands.h"
#include "views/photos/ImageViewDrag.h"
#include "views/print/StandInPrinters.h"

namespace {

// What the view answers to a file offered as the file manager offers it (copy or move), and to
// one that may only be moved; empty when the view took the first as a copy and refused the other.
QString dragAnswers(QWidget* view)
{
    if (!view)
        return QStringLiteral("no such view");
    const QUrl photo = QUrl::fromLocalFile(QStringLiteral("/home/ann/photo.png"));
    QString wrong;
    for (const Qt::DropActions offered : {Qt::DropActions(Qt::MoveAction), Qt::CopyAction | Qt::MoveAction}) {
        ImageViewDrag::setFileURL(*view, {});
        QMimeData data;
        data.setUrls({photo});
        QDragEnterEvent entering(QPoint(3, 3), offered, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &entering);
        const bool copy = offered.testFlag(Qt::CopyAction);
        if (entering.isAccepted() != copy || ImageViewDrag::fileURL(*view) != (copy ? photo : QUrl()) ||
            (copy && entering.dropAction() != Qt::CopyAction))
            wrong += QStringLiteral("%1: answered %2 ").arg(copy ? "copy or move" : "move only").arg(entering.isAccepted());
    }
    return wrong;
}

using ImageViewDragRoad = LiveModeRoad;

TEST_F(ImageViewDragRoad, TheVisitorPanelsPhotoViewsTakeAFileAsACopy)
{
    openVisitorPass();
    EXPECT_EQ(dragAnswers(front().findChild<QLabel*>(QStringLiteral("photo_view"))), QString());
    // A picture field the user adds gets its own photo view.
    front().findChild<QComboBox*>(QStringLiteral("new_ctrl_type"))->setCurrentIndex(1);
    front().findChild<QLineEdit*>(QStringLiteral("new_ctrl_name"))->setText(QStringLiteral("Badge"));
    front().findChild<QPushButton*>(QStringLiteral("add_field_btn"))->click();
    QList<QLabel*> added;
    for (QLabel* label : front().findChildren<QLabel*>()) {
        if (label->objectName().contains(QLatin1String("_Photo")) && front().Get_Dynamic_Photo_Ctrl(label->objectName()) == label)
            added << label;
    }
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(dragAnswers(added.first()), QString());
}

class ImageViewDragWindows : public MainWindowFixture {
protected:
    void SetUp() override
    {
        controller.inspector().setUpControls({});
        controller.showWindow();
        ASSERT_NO_FATAL_FAILURE(openSampleDesign());
    }
};

TEST_F(ImageViewDragWindows, ThePrintWindowsAndTheProfileWindowsPicturesTakeAFileAsACopy)
{
    StandInPrinters printers;
    QString answers = QStringLiteral("not opened");
    dialogs.queueHook([&](QDialog& window) { answers = dragAnswers(window.findChild<QLabel*>(QStringLiteral("test_image_view"))); });
    Print_Button(controller);
    EXPECT_EQ(answers, QString()) << "print window";

    answers = QStringLiteral("not opened");
    dialogs.queueHook([&](QDialog& window) { answers = dragAnswers(window.findChild<QLabel*>(QStringLiteral("user_picture"))); });
    action(QStringLiteral("User_Profile_Button_Clicked")).trigger();
    EXPECT_EQ(answers, QString()) << "profile window";
}

}  // namespace
