// The side panels' Browse… and Camera… in visitor and group modes on the real main window: the
// photo they put on the card is selected there, and the inspector shows its picture page.
#include "LiveModeRoadFixture.h"
#include "support/QtPrinting.h"
#include "views/inspector/InspectorView.h"

namespace {

class LiveModePhotoSelection : public LiveModeRoad {
protected:
    // Presses the front panel's button with nothing selected and the card's pages in the inspector,
    // and says what is selected and shown afterwards.
    void pressPanelButton(const char* button, const QString& picture)
    {
        if (QLatin1String(button) == QLatin1String("browse_photo_btn"))
            dialogs.queueOpenFile(picture);
        camera.path = picture;
        controller.canvasHostOfWindow().Show_RHS_Properties(nullptr);
        ASSERT_TRUE(canvas().selectedGraphics().isEmpty());
        front().findChild<QPushButton*>(QLatin1String(button))->click();
    }
    SKTGraphicView& canvas() const { return *controller.graphicView(SKTDocument::FrontSide); }
    QString pageShown() const { return inspector().sett_tab().currentWidget()->objectName(); }
    // A photo file of its own colour for each press.
    QString photo(const char* name, const QColor& colour)
    {
        const QString path = scratch.filePath(QLatin1String(name));
        QImage face(60, 80, QImage::Format_RGB32);
        face.fill(colour);
        EXPECT_TRUE(face.save(path));
        return path;
    }
    void expectPhotoSelectedAndShown(const QString& picture)
    {
        SCOPED_TRACE(picture.toStdString());
        const GraphicPtr photoElement = frontElement("Fup_Photo");
        ASSERT_NE(photoElement, nullptr);
        EXPECT_EQ(photoElement->_file_path, picture);
        const GraphicList selected = canvas().selectedGraphics();
        EXPECT_EQ(selected.size(), 1);
        EXPECT_EQ(selected.value(0).get(), photoElement.get());
        EXPECT_EQ(pageShown(), "image_tab");
        EXPECT_EQ(inspector().properties_title().text(), "Image Properties");
        EXPECT_EQ(front().photoPath(), picture);
    }

    TakenPicture camera;
};

TEST_F(LiveModePhotoSelection, BrowseAndCameraSelectTheVisitorsAndTheGroupRecordsPhoto)
{
    const struct {
        const char* mode;
        std::function<void()> start;
    } modes[] = {
        {"V", [this] { openVisitorPass(); }},
        {"G", [this] { startGroupProject(fiftyPeople()); }},
    };
    setPhotoWindows(&camera, nullptr, nullptr);
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.mode);
        mode.start();
        ASSERT_EQ(Start_Card_Option, QLatin1String(mode.mode));
        const QString browsed = photo("browsed.png", QColor(200, 90, 40));
        pressPanelButton("browse_photo_btn", browsed);
        expectPhotoSelectedAndShown(browsed);

        // The group's record is not saved here: the question after the camera is answered No.
        if (Start_Card_Option == QLatin1String("G"))
            messages.queueAnswers({1});
        const QString taken = photo("taken.png", QColor(40, 90, 200));
        pressPanelButton("camera_btn", taken);
        expectPhotoSelectedAndShown(taken);

        // A picture for an element the card does not have leaves the panel and the selection be.
        front().Set_User_Image_Control(browsed, QImage(), QStringLiteral("F_Photo9"));
        expectPhotoSelectedAndShown(taken);
    }
    setPhotoWindows(nullptr, nullptr, nullptr);
}

}  // namespace
