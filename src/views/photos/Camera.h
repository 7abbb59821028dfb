#pragma once
// The camera window: pick a connected camera, watch it live, take a still, adjust it with the
// picture filters, cut it with a selection, then import it (saved as zova_user_save.png, or a
// numbered follower, in the camera folder) or save it anywhere as a picture file.
#include <QDialog>
#include <QImage>
#include <functional>
#include <memory>

#include "photos/CameraSource.h"
#include "views/photos/CameraWindow.h"

class Capture;
class PictureAdjustmentControls;
class SelectionCanvasWidget;
struct ImageViewLayout;
namespace Ui {
class Camera;
}

inline const QString kNoImageToImportMessage = QStringLiteral("There is no image to Import. Please capture an image.");
inline const QString kStartCameraHint = QStringLiteral("Please start camera to capture.");
inline const QString kConnectCameraHint = QStringLiteral("Please connect your camera.");
inline const QString kCameraPictureName = QStringLiteral("zova_user_save.png");

// What the window takes from the main window: the camera folder and where a new one is kept.
struct CameraLinks {
    std::function<QString()> folder;
    std::function<QString()> defaultFolder;
    // Keeps a folder the user chose for later runs.
    std::function<void(const QString& folder)> storeFolder;
};

class Camera : public QDialog, public CameraWindow {
    Q_OBJECT
public:
    Camera(CameraSource& source, CameraLinks links, QWidget* parent = nullptr);
    ~Camera() override;

    int Open_Wnd() override;
    QString Camera_Capture_Image() const override { return Camera_Capture_Image_; }
    // Clears the views and lists the cameras, as every opening does.
    void prepareToOpen();

    void Get_And_Fill_Camera_List();
    void Get_List_Btn_Clicked();
    void Start_Btn_Clicked();
    void Stop_Btn_Clicked();
    void Capture_Btn_Clicked();
    void Enable_Cropping_Clicked();
    void Crop_Image_Clicked();
    void Image_reset_Button();
    void Reset_Image_Editing_Controls();
    void Update_Image_With_Settings();
    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();
    void Save_Crop_Image_Clicked();
    // The save panel with its format chooser: the chosen path with the chosen format's extension,
    // or "" when cancelled.
    QString Export_image_method_2();
    void Browse_Path_Clicked();
    void Reset_Path_Clicked();

    // The path itself when nothing is there, else the first free zova_user_save_<n> beside it,
    // n counting up from Camera_Capture_Count.
    QString Create_New_Camera_File_Path(const QString& path) const;
    // Shown size over picture size of the edited picture, per axis.
    QSizeF originalImageRatio() const;

    Capture* capture() const { return capture_.get(); }
    SelectionCanvasWidget& canvas() const { return *canvas_; }
    QImage User_Picture;      // the still, or the last crop of it; the adjustments apply to it
    QImage editedPicture() const { return edited_; }
    int Camera_Capture_Count = 1;

protected:
    void reject() override;

private:
    void connectControls();
    void Stop_Camera_Reading();
    void Clear_Camera_Objects();
    void Start_Stop_Btn_State();
    bool reading() const;
    void showNoCamera();
    void cameraLost(const QString& reason);
    void showLiveFrame(const QImage& frame);
    void showEdited(const QImage& picture);
    void useFolder(const QString& folder);
    // Writes the edited picture; the reason it could not, else empty.
    QString writeEdited(const QString& path) const;
    ImageViewLayout editedLayout() const;

    std::unique_ptr<Ui::Camera> ui;
    CameraSource& source_;
    CameraLinks links_;
    std::unique_ptr<Capture> capture_;
    SelectionCanvasWidget* canvas_ = nullptr;
    std::unique_ptr<PictureAdjustmentControls> adjustments_;
    QImage still_;   // the still as taken, for the reset
    QImage edited_;  // the working picture with the adjustments: what is imported or saved
    QString Camera_Capture_Image_;
};
