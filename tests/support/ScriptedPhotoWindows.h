#pragma once
// The camera, the picture library and the cropping tool for tests, installed for their lifetime:
// each answers as scripted and records how it was called.
#include <QStringList>

#include "views/photos/CameraWindow.h"
#include "views/photos/CroppingTool.h"
#include "views/photos/PhotoWindows.h"
#include "views/photos/PictureLibraryWindow.h"

class ScriptedPhotoWindows : public CameraWindow, public PictureLibraryWindow, public CroppingTool {
public:
    ScriptedPhotoWindows() { setPhotoWindows(this, this, this); }
    ~ScriptedPhotoWindows() override { setPhotoWindows(nullptr, nullptr, nullptr); }

    int Open_Wnd() override { return record(QStringLiteral("camera"), cameraAnswer); }
    QString Camera_Capture_Image() const override { return cameraFile; }
    int Open_Library_Window(const QString& purpose) override { return record(QStringLiteral("library ") + purpose, libraryAnswer); }
    QString selected_image() const override { return libraryFile; }
    int Open_Crop_Wnd() override { return record(QStringLiteral("crop tool"), 0); }
    void setCtrlDataSourceType(int type) override { sourceType = type; }
    int Open_Wnd_Direct_To_Crop(const QString& path) override { return record(QStringLiteral("crop ") + path, cropAnswer); }
    QString Crop_Direct_Path() const override { return croppedFile; }
    int Open_Wnd_Direct_Crop_Series(const QString& name) override { return record(QStringLiteral("crop series ") + name, cropAnswer); }
    QString Crop_Direct_Series() const override { return croppedSeries; }
    int Open_Wnd_Direct_Excel_Column(const QString& title, int index) override
    {
        return record(QStringLiteral("crop column %1 %2").arg(title).arg(index), cropAnswer);
    }
    int Crop_New_Excel_Col_Index() const override { return croppedColumn; }

    int cameraAnswer = 0, libraryAnswer = 0, cropAnswer = 0;
    QString cameraFile, libraryFile, croppedFile, croppedSeries;
    int croppedColumn = -1;
    int sourceType = -1;
    QStringList calls;

private:
    int record(const QString& call, int answer)
    {
        calls << call;
        return answer;
    }
};
