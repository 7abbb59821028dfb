#pragma once
// Answers for the camera, the picture library and the cropping tool while they do not exist: each
// says so and nothing is taken, chosen or cropped.
#include "platform/MessageBoxes.h"
#include "views/photos/CameraWindow.h"
#include "views/photos/CroppingTool.h"
#include "views/photos/PictureLibraryWindow.h"

inline const QString kCameraNotAvailableMessage = notAvailableYetMessage(QStringLiteral("The camera"));
inline const QString kLibraryNotAvailableMessage = notAvailableYetMessage(QStringLiteral("The picture library"));
inline const QString kCroppingNotAvailableMessage = notAvailableYetMessage(QStringLiteral("The cropping tool"));

class PhotoWindowsStandIn final : public CameraWindow, public PictureLibraryWindow, public CroppingTool {
public:
    int Open_Wnd() override;
    QString Camera_Capture_Image() const override { return {}; }

    int Open_Library_Window(const QString& control_or_BG) override;
    QString selected_image() const override { return {}; }

    int Open_Crop_Wnd() override;
    void setCtrlDataSourceType(int) override {}
    int Open_Wnd_Direct_To_Crop(const QString& path) override;
    QString Crop_Direct_Path() const override { return {}; }
    int Open_Wnd_Direct_Crop_Series(const QString& seriesName) override;
    QString Crop_Direct_Series() const override { return {}; }
    int Open_Wnd_Direct_Excel_Column(const QString& columnTitle, int columnIndex) override;
    int Crop_New_Excel_Col_Index() const override { return -1; }
};
