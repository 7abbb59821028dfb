// The picture page's sources: the camera, a file, the picture library and the cropping tool; the
// one-picture check they share, and the reset.
#include <QFileInfo>
#include <QPlainTextEdit>
#include <exception>

#include "model/SKTImage.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureReading.h"
#include "platform/StringHelpers.h"
#include "views/inspector/CroppedPictureBinding.h"
#include "views/inspector/ImagePanel.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/InspectorWindow.h"
#include "views/inspector/PictureFileChoice.h"
#include "views/photos/CameraWindow.h"
#include "views/photos/CroppingTool.h"
#include "views/photos/PhotoWindows.h"
#include "views/photos/PictureLibraryWindow.h"
#include "ui_ImagePanel.h"

namespace {

const QString kNoImageMessage = QStringLiteral("The selected control does not contains any image with supported extension.");
const QString kSeriesPlaceholder = QStringLiteral("<--Select-->");

bool fileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

}  // namespace

bool ImagePanel::Check_Multiple_Image_Selection(const QString& action, bool show)
{
    return moreThanOneSelected(GraphicKind::Image,
                               show ? QStringLiteral("Please select only one image control to '%1 Image'.").arg(action) : QString());
}

bool ImagePanel::Set_Image_On_Card_Control(const QString& path)
{
    const GraphicPtr selected = m_context.window.Get_Selected_Graphic();
    if (!selected || selected->kind() != GraphicKind::Image || selected->ctrl_is_locked)
        return false;
    try {
        // A file that gives no picture would leave the element with none: it keeps the one it has.
        if (readPicturePreview(path).isNull()) {
            Show_MessageBox(unreadablePictureMessage(path));
            return false;
        }
        static_cast<SKTImage&>(*selected).setFilePath(path, true);
        setPathField(path);
        Update_Image_Graphics(true);
        return true;
    } catch (const std::exception& error) {
        Show_MessageBox(QString::fromUtf8(error.what()));
        return false;
    }
}

bool ImagePanel::Browse_User_Image_Manually()
{
    Library_Selected_Image =
        chooseReadablePicture(&m_context.view, tr("Choose a Picture"), m_context.window.Allowd_Image_fileTypes());
    if (Library_Selected_Image.isEmpty())
        return false;
    setPathField(Library_Selected_Image);
    return true;
}

void ImagePanel::Open_Camera_Clicked()
{
    if (Check_Multiple_Image_Selection(QStringLiteral("Capture"), true))
        return;
    CameraWindow& camera = cameraWindow();
    if (camera.Open_Wnd() == 1)
        Set_Image_On_Card_Control(camera.Camera_Capture_Image());
}

void ImagePanel::Manual_Image_Browse_Btn()
{
    if (Check_Multiple_Image_Selection(QStringLiteral("Browse"), true))
        return;
    if (Browse_User_Image_Manually())
        Set_Image_On_Card_Control(Library_Selected_Image);
}

void ImagePanel::Manual_Library_Browse_Btn()
{
    if (Check_Multiple_Image_Selection(QStringLiteral("Select"), true))
        return;
    PictureLibraryWindow& library = pictureLibraryWindow();
    if (library.Open_Library_Window(QStringLiteral("C")) != 1)
        return;
    Library_Selected_Image = library.selected_image();
    Set_Image_On_Card_Control(Library_Selected_Image);
}

void ImagePanel::Image_reset_Button()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to reset image settings?")) != 1)
        return;
    Reset_Image_Editing_Controls();
    for (const std::shared_ptr<SKTImage>& image : writablePictures()) {
        const QString path = fileExists(image->Text_Value) ? image->Text_Value : image->_file_path;
        setPathField(path);
        // The settings go back to neutral whatever the files hold; a file that no longer reads
        // leaves the picture the element has.
        if (!readPicturePreview(path).isNull())
            image->setFilePath(path, true);
    }
    updateSidePanel();
    Update_Image_Graphics(true);
}

void ImagePanel::updateSidePanel()
{
    if (!isVisitorOrGroupMode())
        return;
    const GraphicPtr current = m_context.window.Get_Selected_Graphic();
    if (current)
        m_context.window.pictureOfElementChanged(m_context.window.sideInForce(), current->_file_path, current->_contents,
                                                 current->control_ID);
}

void ImagePanel::Cropping_Selected_Image_clicked()
{
    if (Check_Multiple_Image_Selection(QStringLiteral("Crop"), true))
        return;
    const GraphicPtr selected = m_context.window.Get_Selected_Graphic();
    if (!selected) {
        Show_MessageBox(QStringLiteral("Please select control."));
        return;
    }
    if (selected->kind() != GraphicKind::Image || selected->ctrl_is_locked)
        return;
    QString path = selected->_file_path;
    const int source = selected->data_source_type;
    const bool groupMode = Start_Card_Option == QLatin1String("G");
    bool pictureMissing = false;
    if (!fileExists(path)) {
        if (source == 0 || (source == 2 && groupMode)) {
            Show_MessageBox(kNoImageMessage);
            return;
        }
        pictureMissing = true;
    } else if (fileExists(selected->Text_Value)) {
        path = selected->Text_Value;
    }
    croppingTool().setCtrlDataSourceType(source);
    if (source == 0)
        cropManualPicture(*selected, path, false);
    else if (source == 1)
        cropSeriesPicture(*selected, pictureMissing);
    else if (!groupMode)
        cropColumnPicture(*selected, pictureMissing);
    else
        cropManualPicture(*selected, path, true);
    updateSidePanel();
}

void ImagePanel::cropManualPicture(SKTGraphic& graphic, const QString& path, bool keepAsValue)
{
    CroppingTool& tool = croppingTool();
    if (tool.Open_Wnd_Direct_To_Crop(path) != 1)
        return;
    const QString cropped = tool.Crop_Direct_Path();
    if (readPicturePreview(cropped).isNull()) {
        Show_MessageBox(unreadablePictureMessage(cropped));
        return;
    }
    Library_Selected_Image = cropped;
    setPathField(cropped);
    static_cast<SKTImage&>(graphic).setFilePath(cropped, keepAsValue);
    Update_Image_Graphics(false);
    if (keepAsValue) {
        // The group row is saved from its own button, the one of the side panel shown.
        const auto buttons = m_context.view.window()->findChildren<QWidget*>(QStringLiteral("save_excel_detail_btn"));
        for (QWidget* save : buttons) {
            if (save->isVisible())
                save->setFocus();
        }
    }
}

void ImagePanel::cropSeriesPicture(SKTGraphic& graphic, bool pictureMissing)
{
    const QString series = Trim_Str(graphic.batch_list_name);
    if (series.isEmpty() || series == kSeriesPlaceholder) {
        Show_MessageBox(QStringLiteral("Please select the series."));
        return;
    }
    if (pictureMissing) {
        Show_MessageBox(kNoImageMessage);
        return;
    }
    CroppingTool& tool = croppingTool();
    if (tool.Open_Wnd_Direct_Crop_Series(series) != 1 || m_croppedBinding == nullptr)
        return;
    const QString newSeries = tool.Crop_Direct_Series();
    int listed = 0;
    {
        const NotDrawOnlyPropChangeGuard filling;
        listed = m_croppedBinding->showSeriesChoosing(newSeries);
    }
    const QString first = m_croppedBinding->Get_First_Value_Of_Dataset(newSeries);
    Library_Selected_Image = first;
    setPathField(first);
    graphic.Set_Batch_List_Name(newSeries);
    graphic.Set_Batch_List_Index(listed);
    static_cast<SKTImage&>(graphic).setFilePath(first, false);
    Update_Image_Graphics(false);
    const NotDrawOnlyPropChangeGuard filling;
    m_croppedBinding->showSeriesChoosing(newSeries);
}

void ImagePanel::cropColumnPicture(SKTGraphic& graphic, bool pictureMissing)
{
    if (m_croppedBinding)
        m_croppedBinding->Calculate_Excel_table_rows();
    const int column = graphic.excel_col_indx;
    if (column == -1) {
        Show_MessageBox(QStringLiteral("Please select the excel column."));
        return;
    }
    if (pictureMissing) {
        Show_MessageBox(kNoImageMessage);
        return;
    }
    if (m_croppedBinding == nullptr)
        return;
    CroppingTool& tool = croppingTool();
    if (tool.Open_Wnd_Direct_Excel_Column(m_croppedBinding->Get_Excel_Column_Name_Of_Index(column), column) != 1)
        return;
    const int newColumn = tool.Crop_New_Excel_Col_Index();
    {
        const NotDrawOnlyPropChangeGuard filling;
        m_croppedBinding->showColumnsChoosing(newColumn);
    }
    const QString first = m_croppedBinding->Get_First_Value_Of_Excel_Binding(newColumn);
    Library_Selected_Image = first;
    setPathField(first);
    static_cast<SKTImage&>(graphic).setFilePath(first, true);
    graphic.Set_Excel_binding_Index(newColumn);
    Update_Image_Graphics(false);
}
