// The side panels' Browse… and Camera… in visitor and group modes on the real main window: the
// photo they put on the card is selected there, and the inspector shows its picture page.
#include "LiveModeRoadFixture.h"
#include "support/QtPrinting.h"
#include "views/inspector/InspectorView.h"

TEST_F(LiveModeRoad, BrowseAndCameraSelectThePhotoOnTheCardAndShowItsPage)
{
    TakenPicture camera;
    setPhotoWindows(&camera, nullptr, nullptr);
    const QString photo = scratch.filePath(QStringLiteral("photo.png"));
    QImage face(60, 80, QImage::Format_RGB32);
    face.fill(QColor(200, 90, 40));
    ASSERT_TRUE(face.save(photo));
    camera.path = photo;
    SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
    const auto selectedAndShown = [&] {
        const GraphicList selected = canvas.selectedGraphics();
        return QStringList{selected.size() == 1 ? selected[0]->control_ID : QString(),
                           inspector().sett_tab().currentWidget()->objectName(), front().photoPath()};
    };
    const QStringList photoShown{"Fup_Photo", "image_tab", photo};
    for (const char* mode : {"V", "G"}) {
        SCOPED_TRACE(mode);
        mode == QLatin1String("V") ? openVisitorPass() : startGroupProject(fiftyPeople());
        for (const char* button : {"browse_photo_btn", "camera_btn"}) {
            SCOPED_TRACE(button);
            if (button == QLatin1String("browse_photo_btn"))
                dialogs.queueOpenFile(photo);
            else if (Start_Card_Option == QLatin1String("G"))
                messages.queueAnswers({1});  // the record is not saved now
            controller.canvasHostOfWindow().Show_RHS_Properties(nullptr);
            front().findChild<QPushButton*>(QLatin1String(button))->click();
            EXPECT_EQ(selectedAndShown(), photoShown);
        }
        // A picture for an element the card does not have leaves the panel and the selection be.
        front().Set_User_Image_Control(QString(), QImage(), QStringLiteral("F_Photo9"));
        EXPECT_EQ(selectedAndShown(), photoShown);
    }
    setPhotoWindows(nullptr, nullptr, nullptr);
}
