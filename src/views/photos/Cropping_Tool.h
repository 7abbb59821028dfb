#pragma once
// The cropping tool: a modal window of two pages. Page 1 chooses where the pictures come from (one
// file, a folder, the camera, a series), how the crops are named and their format; page 2 shows
// one picture at a time with its adjustments and cuts it by the selection, around the face or to a
// given size. Opened directly from a picture element it skips page 1 and hands its result back.
// The cutting itself is window-free (photos/PictureCrop); this class is the window around it.
#include <QDialog>
#include <QImage>
#include <QMap>
#include <QRectF>
#include <atomic>
#include <functional>
#include <memory>

#include "filters/PictureSettings.h"
#include "views/photos/CroppingTool.h"

class Capture;
class CameraSource;
class FaceDetector;
class QTemporaryDir;
struct CropRequest;
struct CropAllSettings;
struct CropAllOutcome;
class QLineEdit;
class QSlider;
class QLabel;
class SelectionCanvasWidget;
class PictureAdjustmentControls;
struct ImageViewLayout;
namespace Ui {
class Cropping_Tool;
}

inline const QString kSelectPrompt = QStringLiteral("<--Select-->");

// What the tool takes from the main window.
struct CroppingToolLinks {
    // The picture extensions the choosers accept (lower case).
    QStringList imageTypes;
    // Whether a picture is too large to open (it says so itself when asked to show a message).
    std::function<bool(const QString& path, bool showMessage)> imageIsOverSize;
    // The cameras of the camera source; none listed without it.
    CameraSource* cameras = nullptr;
};

class Cropping_Tool : public QDialog, public CroppingTool {
    Q_OBJECT
public:
    explicit Cropping_Tool(CroppingToolLinks links, QWidget* parent = nullptr);
    ~Cropping_Tool() override;

    // Takes over the face search (the tests' scripted one); the cascade one by default.
    void setFaceDetector(std::unique_ptr<FaceDetector> detector);

    // The four ways in; each answers the modal result (1 with a result, else 0).
    int Open_Wnd();
    int Open_Crop_Wnd() override { return Open_Wnd(); }
    void setCtrlDataSourceType(int type) override { ctrl_data_source_type = type; }
    int Open_Wnd_Direct_To_Crop(const QString& path) override;
    QString Crop_Direct_Path() const override { return Crop_Direct_Path_; }
    int Open_Wnd_Direct_Crop_Series(const QString& seriesName) override;
    QString Crop_Direct_Series() const override { return Crop_Direct_Series_; }
    int Open_Wnd_Direct_Excel_Column(const QString& columnTitle, int columnIndex) override;
    int Crop_New_Excel_Col_Index() const override { return Crop_New_Excel_Col_Index_; }
    QString Crop_New_Excel_Col_Name() const { return Crop_New_Excel_Col_Name_; }

    // Page 1.
    void Set_Default_Values();
    void input_option_CellClick(int row);
    void output_option_CellClick(int row);
    void File_Browse_Clicked();
    void Folder_Browse_Clicked();
    void Output_Browse_Clicked();
    void OK_Btn_Clicked();
    void Back_Btn_Clicked();
    void Cancel_Btn_Clicked();
    bool Load_for_Next_Screen();
    void Load_Image_File(const QString& path);
    void Load_file_Func(const QString& seriesName);
    // The full path of the next output; each call advances the custom-name counter.
    QString Cropped_File_Name();

    // The file list.
    void Show_Hide_List_Ctrl(bool hide);
    void Create_List(const QString& path);
    QString Get_Item_Text(int row) const;
    void Mark_List_New_Selection(int row);
    QStringList listedPaths() const;

    // The camera source: the list, the live view on page 2 and its still.
    void Get_And_Fill_Camera_List();
    void Refresh_Camera_Clicked();
    // Starts the chosen camera into the live view; false, having said why, when it cannot.
    bool Start_Btn_Clicked();
    void Stop_Camera_Reading();
    void Clear_Camera_Objects();
    // Capture takes the last frame shown as the picture to crop; Resume goes back to the live view.
    void Capture_Clicked();
    Capture* capture() const { return capture_.get(); }

    // The crop methods.
    void cropping_option_CellClick(int row);
    void Show_hide_Crop_Selection(bool show);
    void Check_And_Set_Selection(bool refreshPicture);
    void Find_Face_Function_In_Image();
    void Face_Rect_Draw_Function();
    void Set_Default_Cropping_Option();
    void Width_Changed(bool fromStepper);
    void Height_Changed(bool fromStepper);
    void Extend_Face_Size_Changed(bool fromStepper);
    // Keeps a width or height field to a whole number from 1 to 10000 while it is typed.
    void controlTextDidChange(QLineEdit* field);
    void Crop_Single_Image_Clicked();
    void Crop_All_Clicked();
    void Crop_Direct_Image_Clicked();
    // Closes with result 1 and shows Export_File_Message with the pictures a run left out.
    void Close_Box_With_OK(const QStringList& leftOut = {});
    void Close_Box_With_Cancel();
    void Open_Output_Folder_Clicked();
    // The series listed, in the series viewer, or the loaded data table for the column source.
    void View_batch_Series_Button();

    // The adjustments.
    void Reset_Image_Editing_Controls();
    void Image_reset_Button();
    void Update_Image_With_Settings();
    // The adjustments on the controls, as the filter chain takes them.
    PictureSettings adjustments() const;
    // Shown size over picture size, per axis.
    QSizeF originalImageRatio() const;

    // What the window is showing and doing, for its callers and tests.
    int crop_direct = 0;     // 0 standard, 1 direct picture, 2 direct series, 3 direct column
    int input_selection = 0; // 0 file, 1 folder, 2 camera, 3 series, 4 column
    int croping_selection = 0; // 0 selection, 1 face, 2 given size
    int crop_num = 0;
    int ctrl_data_source_type = 0;
    bool Find_Face = false;
    QRectF Find_Face_Rect;  // preview pixels, y up
    QRectF Crop_Rect;       // canvas points, y up
    QString Crop_Input_Path;
    QString Crop_Output_Path;
    QString croped_file;
    int Passed_Excel_Col_Index = 0;
    QString Passed_Excel_Col_Name;
    std::atomic<bool> Crop_All_Thread_Running{false};
    QList<QMap<QString, QString>> ListData;
    QImage User_Picture;          // the adjusted preview on show
    QImage User_Picture_PREVIEW;  // the preview as read
    SelectionCanvasWidget& canvas() const { return *canvas_; }
    const CroppingToolLinks& links() const { return links_; }

private:
    void connectControls();
    void connectAdjustments();
    void enableSourceBoxes();
    void fillSeriesList(const QString& select);
    void showPage(bool second);
    void prepareDirectEntry(int mode, const QString& buttonTitle);
    bool loadListedSource(const QString& caption, const QString& emptyMessage);
    bool loadFolder();
    void showPicture(const QImage& picture);
    ImageViewLayout pictureLayout() const;
    void keepSelectionOnPicture();
    void setMethodControls(bool face, bool size);
    void setFieldAndStepper(QLineEdit* field, class QSpinBox* stepper, bool fromStepper);
    void setSelectionFrame(const QRectF& frame);
    bool selectionToCrop();
    CropRequest cropRequest(const QString& target) const;
    // Whether the crop would hold no pixel (a selection of no size, or off the picture).
    bool cropsNothing() const;
    // Crops the picture on show into the target; the path written, or empty (said) when none.
    QString cropShownPicture(const QString& target);
    void cropListedDirectly();
    // The run over the file list as the controls set it.
    CropAllSettings batchSettings() const;
    CropAllOutcome runBatch();
    QString directTarget() const;
    int runModal();
    bool loadCamera();
    void showLiveView(bool live);
    void cameraLost(const QString& reason);

    std::unique_ptr<Ui::Cropping_Tool> ui;
    CroppingToolLinks links_;
    SelectionCanvasWidget* canvas_ = nullptr;
    std::unique_ptr<PictureAdjustmentControls> adjustments_;
    std::unique_ptr<FaceDetector> faces_;
    std::unique_ptr<Capture> capture_;
    // The camera's stills, written where the crop reads its pictures from.
    std::unique_ptr<QTemporaryDir> stills_;
    int stillNumber_ = 0;
    QString Crop_Direct_Path_;
    QString Crop_Direct_Series_;
    int Crop_New_Excel_Col_Index_ = -1;
    QString Crop_New_Excel_Col_Name_;
    bool loadingList_ = false;
};

// The messages of the tool.
inline const QString kNoImageToCropMessage = QStringLiteral("There is no image to crop.");
inline const QString kSelectAreaMessage = QStringLiteral("Please select area to crop.");
inline const QString kNoFaceMessage = QStringLiteral("No face detected.");
inline const QString kCroppedMessage = QStringLiteral("Image has been cropped successfully.");
inline const QString kOutputNameMessage = QStringLiteral(
    "Please type a file name as the custom name: not \".\", not starting with \"..\", and without \"/\" or \"\\\".");
