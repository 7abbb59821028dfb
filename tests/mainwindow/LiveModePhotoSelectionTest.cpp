// The side panels' Browse… and Camera… in visitor and group modes on the real main window: the
// photo they put on the card is selected there, and the inspector shows its picture page, which
// offers no sources of its own there.
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

// The Picture page of a photo clicked on the card offers Camera…, Browse… and Library… only
// outside visitor and group modes, and again after them.
TEST_F(LiveModeRoad, ThePicturePageOffersItsOwnSourcesOnlyOutsideVisitorAndGroupModes)
{
    const QString photo = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("photo.png"), QColor(200, 90, 40));
    const QString designName = QStringLiteral("Badge (h)");
    for (const char* mode : {"T", "V", "G", "T"}) {
        SCOPED_TRACE(mode);
        const bool live = mode != QLatin1String("T");
        if (mode == QLatin1String("V")) {
            openVisitorPass();
        } else if (mode == QLatin1String("G")) {
            startGroupProject(fiftyPeople());
        } else {
            queueTemplateStart(QStringLiteral("Employee"), designName);
            ASSERT_TRUE(Open_Start_Window(controller));
            dialogs.queueOpenFile(photo);
            action(QStringLiteral("image_tool_btn")).trigger();
        }
        ASSERT_EQ(Start_Card_Option, QLatin1String(mode));
        if (live) {
            dialogs.queueOpenFile(photo);
            front().findChild<QPushButton*>(QStringLiteral("browse_photo_btn"))->click();
        }
        // The live card's photo browsed on its panel, or the design's picture placed with the
        // picture tool.
        const GraphicPtr picture = live ? frontElement("Fup_Photo") : document.graphics().first();
        ASSERT_NE(picture, nullptr);
        ASSERT_EQ(picture->kind(), GraphicKind::Image);
        controller.canvasHostOfWindow().Show_RHS_Properties(nullptr);
        canvas_mouse::drag(*controller.graphicView(SKTDocument::FrontSide), picture->bounds().center(), picture->bounds().center());
        ASSERT_TRUE(inspector().showPage(QStringLiteral("image_tab")));
        for (const char* button : {"Open_Camera_btn", "Manual_Image_Browse_btn", "Manual_Library_Browse_btn"})
            EXPECT_EQ(control<QPushButton>(button).isVisible(), !live) << button;
    }
}
