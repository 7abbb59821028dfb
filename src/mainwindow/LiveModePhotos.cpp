#include "mainwindow/LiveModePanels.h"

#include <QCheckBox>
#include <QImage>

#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "model/SKTImage.h"
#include "platform/AppContext.h"
#include "platform/ResourcePaths.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureReading.h"
#include "platform/StringHelpers.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/PictureFileChoice.h"
#include "views/visitors/Profile_Side_Panel.h"

// The side panels' photos as the card's picture elements change under the inspector and the
// canvas, and the pictures chosen in the panels for the card's added picture fields.

void LiveModePanels::showPictureOfElement(int side, const QString& path, const QImage& picture, const QString& ctrlId)
{
    if (!isVisitorOrGroupMode())
        return;
    Profile_Side_Panel& shown = panel(side);
    const QString id = Trim_Str(ctrlId);
    // The panel's photo is what Save Details writes into the record and Register keeps for the
    // visitor: a logo or another picture of the card selected, cropped or deleted never takes its
    // place.
    if (id == kPhotoFieldId) {
        shown.Set_User_Image_Control(path, picture, id);
        return;
    }
    QWidget* row = id.isEmpty() ? nullptr : shown.Get_Dynamic_Photo_Ctrl(id);
    if (!row)
        return;
    const bool none = Trim_Str(path).isEmpty() || Is_No_Image_Path(path);
    Profile_Side_Panel::showPicture(row, none ? m_controller.canvasHostOfWindow().no_image_ctrl_GP()
                                              : picture.isNull() ? readPicturePreview(path) : picture);
}

void LiveModePanels::pictureOfElementChanged(int side, const QString& path, const QImage& picture, const QString& ctrlId)
{
    showPictureOfElement(side, path, picture, ctrlId);
    // A visitor's new photo is the photo of both sides.
    if (Trim_Str(ctrlId) == kPhotoFieldId && !Trim_Str(path).isEmpty())
        photoFollows(side);
}

void LiveModePanels::Photo_File_Dropped(int side, const QString& ctrlId, const QString& path)
{
    if (acceptDroppedPicture(path, m_controller.Allowd_Image_fileTypes))
        photoChosen(side, ctrlId, path);
}

void LiveModePanels::showAddedPicture(int side, const QString& ctrlId, const QString& path)
{
    SKTGraphicView& canvas = view(side);
    const GraphicPtr element = canvas.Selcect_Ctrl_With_ID(ctrlId);
    if (!element || element->kind() != GraphicKind::Image)
        return;
    // The side before and after: whatever came before is a step of its own, and one Undo takes
    // the picture back from the card and the row.
    ControllerCanvasHost& host = m_controller.canvasHostOfWindow();
    host.Insert_In_Undo_Redo();
    static_cast<SKTImage&>(*element).setFilePath(path, false);
    element->Set_Ctrl_Is_Visible(true);
    if (QCheckBox* shown = panel(side).checkBox(ctrlId))
        shown->setChecked(true);
    showPictureOfElement(side, path, element->_contents, ctrlId);
    selectElementWithId(side, ctrlId);
    canvas.update();
    host.Insert_In_Undo_Redo();
}

void LiveModePanels::Show_Message_To_Update_Data()
{
    if (Start_Card_Option != QLatin1String("G"))
        return;
    if (Show_YES_NO_MessageBox(kUpdatePhotoDataQuestion) == 1)
        Save_Details_Clicked();
}
