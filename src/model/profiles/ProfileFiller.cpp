#include "model/profiles/ProfileFiller.h"

#include <QFileInfo>
#include <QScopedValueRollback>
#include <exception>

#include "model/profiles/ProfileFillScope.h"
#include "model/profiles/ProfilePlacement.h"
#include "platform/AppContext.h"
#include "platform/Log.h"
#include "platform/ResourcePaths.h"

namespace {

bool hasBinding(const SKTGraphic& element)
{
    return element.data_source_type != 0 || element.excel_binding || !element.batch_list_name.isEmpty();
}

// Series first, then spreadsheet column, then none. Set_Data_source_type clears the other
// source's fields, so it goes first. An element bound to nothing keeps its unused positions as
// they are (a design may hold 0 there): rewriting them would count as an edit that changes nothing.
void bindElement(SKTGraphic& element, const User_Profile_Class& profile, const User_Profile_Field& field)
{
    if (profile.*field.ds) {
        element.Set_Data_source_type(1);
        element.Set_Batch_List_Name(profile.*field.ds_name);
        element.Set_Batch_List_Index(profile.*field.ds_indx);
        element.Set_Excel_binding(false);
    } else if (profile.*field.xl) {
        element.Set_Data_source_type(2);
        element.Set_Excel_binding(true);
        element.Set_Excel_binding_Index(profile.*field.xl_col_indx);
    } else if (hasBinding(element)) {
        element.Set_Data_source_type(0);
        element.Set_Excel_binding(false);
        element.Set_Excel_binding_Index(-1);
        element.Set_Batch_List_Index(-1);
        element.Set_Batch_List_Name(QString());
    }
}

const User_Profile_Field& photoField()
{
    return User_Profile_Fields()[User_Profile_Photo_Field];
}

// A profile without a photo of its own gives the program's placeholder; a photo element showing
// one of those already shows that no photo was chosen, and keeps the one its design gave it.
bool keepsItsPlaceholder(const GraphicPtr& photo, const QString& path, bool bound)
{
    return photo && photo->kind() == GraphicKind::Image && !bound && Is_Placeholder_Path(path)
           && Is_Placeholder_Path(photo->_file_path);
}

}  // namespace

ProfileFiller::ProfileFiller(ProfileCanvas& canvas, QSizeF frontCardSize, QString noImagePath)
    : m_canvas(canvas), m_frontCardSize(frontCardSize), m_noImagePath(std::move(noImagePath))
{
}

void ProfileFiller::Fill_Side(const User_Profile_Class& profile, ProfileFillSide side, bool fillUserProfile)
{
    if (side != ProfileFillSide::Preview && !fillUserProfile)
        return;
    const ProfileFillScope filling;
    // A failing step ends the fill; what the steps before it did stays, as after any edit.
    try {
        fillSteps(profile, side);
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromUtf8(error.what()));
        return;
    }
    if (side != ProfileFillSide::Preview)
        m_canvas.Insert_In_Undo_Redo();
}

void ProfileFiller::fillSteps(const User_Profile_Class& profile, ProfileFillSide side)
{
    m_canvas.Hide_all_Text_control_FUP_Control();
    m_canvas.Set_Selected_Control_Tool(kTextTool);
    placeValues(profile);
    placePhoto(profile, side);
    placeCaptions(profile);
}

void ProfileFiller::placeValues(const User_Profile_Class& profile)
{
    const auto& fields = User_Profile_Fields();
    for (int index = 0; index < User_Profile_Photo_Field; ++index) {
        const User_Profile_Field& field = fields[index];
        if ((profile.*field.value).isEmpty())
            continue;
        replace(GraphicKind::Text, profile.*field.id, profile.*field.value);
        bindSelected(profile, field);
    }
}

void ProfileFiller::placePhoto(const User_Profile_Class& profile, ProfileFillSide side)
{
    const User_Profile_Field& field = photoField();
    const QString& photoId = profile.*field.id;
    const QString& path = profile.*field.value;
    const bool bound = profile.*field.ds || profile.*field.xl;
    // Each picture shows its own path, never the one last chosen in the library.
    const QScopedValueRollback keepLibraryChoice(Library_Selected_Image);

    if (side == ProfileFillSide::Preview) {
        const QString shown = path.isEmpty() ? m_noImagePath : path;
        m_canvas.Set_Selected_Control_Tool(kPictureTool);
        Library_Selected_Image = shown;
        replace(GraphicKind::Image, photoId, shown);
        bindSelected(profile, field);
    } else if (profile.image_USE) {
        if (const GraphicPtr photo = m_canvas.Selcect_Ctrl_With_ID(photoId); keepsItsPlaceholder(photo, path, bound)) {
            photo->Set_Ctrl_Is_Visible(true);
        } else if (QFileInfo(path).isFile() || bound) {
            m_canvas.Set_Selected_Control_Tool(kPictureTool);
            Library_Selected_Image = path;
            replace(GraphicKind::Image, photoId, path);
        }
        m_canvas.Set_Selection_Index_According_ID(photoId);
        bindSelected(profile, field);
    } else if (side == ProfileFillSide::Front) {
        // The back leaves a photo element it does not use as it is, picture and visibility.
        if (const GraphicPtr photo = m_canvas.Selcect_Ctrl_With_ID(photoId))
            photo->Set_Ctrl_Is_Visible(false);
    }
    m_canvas.Set_Selected_Control_Tool(kTextTool);
}

void ProfileFiller::placeCaptions(const User_Profile_Class& profile)
{
    const auto& fields = User_Profile_Fields();
    for (int index = 0; index < User_Profile_Photo_Field; ++index) {
        const User_Profile_Field& field = fields[index];
        if (!(profile.*field.label).isEmpty())
            replace(GraphicKind::Text, profile.*field.label_id, profile.*field.label);
    }
}

void ProfileFiller::replace(GraphicKind kind, const QString& ctrlId, const QString& value)
{
    // The canvas makes the element at this place when it has none; an existing one keeps its own.
    m_canvas.ReplaceGraphicText(kind, true, Get_Control_Rect_From_Template(m_frontCardSize, ctrlId), value, ctrlId);
}

void ProfileFiller::bindSelected(const User_Profile_Class& profile, const User_Profile_Field& field)
{
    if (const GraphicPtr selected = m_canvas.selectedGraphic())
        bindElement(*selected, profile, field);
}
