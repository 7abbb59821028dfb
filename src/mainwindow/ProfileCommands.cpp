#include "mainwindow/ProfileCommands.h"

#include "data/Data_From_Excel.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/SideCommands.h"
#include "model/profiles/PartyInvitationLayout.h"
#include "model/profiles/ProfileFiller.h"
#include "model/profiles/ProfilePlacement.h"
#include "model/profiles/StaleSheetBindings.h"
#include "output/RunSources.h"
#include "platform/AppContext.h"
#include "render/SKTRenderingView.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/DataSourcePanel.h"
#include "views/inspector/PropertyInspector.h"

namespace {

// A side's canvas as the fills see it; the tool and the snapshots belong to the window.
class CanvasProfileTarget : public ProfileCanvas {
public:
    CanvasProfileTarget(SKTGraphicView& view, ControllerCanvasHost& host) : m_view(view), m_host(host) {}

    GraphicPtr Selcect_Ctrl_With_ID(const QString& ctrlId) const override { return m_view.Selcect_Ctrl_With_ID(ctrlId); }
    void ReplaceGraphicText(GraphicKind kind, bool use_rect, const QRectF& bound_rect, const QString& ctrl_value,
                            const QString& ctrl_ID) override
    {
        m_view.ReplaceGraphicText(kind, std::nullopt, use_rect, bound_rect, kFrontSide, ctrl_value, ctrl_ID);
    }
    void createGraphicOfClass(GraphicKind kind, const QRectF& bound_rect, const QString& ctrl_value,
                              const QString& ctrl_ID) override
    {
        m_view.createGraphicOfClass(kind, std::nullopt, true, bound_rect, kFrontSide, ctrl_value, ctrl_ID);
    }
    void Set_Selection_Index_According_ID(const QString& ctrlId) override { m_view.Set_Selection_Index_According_ID(ctrlId); }
    GraphicPtr selectedGraphic() const override { return m_view._Selected_Graphic; }
    void Hide_all_Text_control_FUP_Control() override { m_view.Hide_all_Text_control_FUP_Control(); }
    void Set_Selected_Control_Tool(int tool) override { m_host.Set_Selected_Control_Tool(tool); }
    void Insert_In_Undo_Redo() override { m_host.Insert_In_Undo_Redo(); }

private:
    // The fills always place with a rect and an identifier, so the side letter changes nothing.
    inline static const QString kFrontSide = QStringLiteral("F");
    SKTGraphicView& m_view;
    ControllerCanvasHost& m_host;
};

}  // namespace

ProfileCommands::ProfileCommands(SKTWindowController& controller) : m_controller(controller) {}

void ProfileCommands::Fill_User_profile_Details()
{
    Fill_User_profile_info_front_side();
    Fill_User_profile_info_back_side();
}

void ProfileCommands::Fill_User_profile_info_front_side()
{
    syncSpreadsheetSource();
    CanvasProfileTarget front(*m_controller.graphicView(SKTDocument::FrontSide), m_controller.canvasHostOfWindow());
    ProfileFiller(front, m_controller.Front_card_Prop.Card_Size(), m_controller.NO_Image_Path)
        .Fill_Side(m_controller.Front_user_profile, ProfileFillSide::Front, Fill_User_Profile);
}

void ProfileCommands::Fill_User_profile_info_back_side()
{
    syncSpreadsheetSource();
    CanvasProfileTarget back(*m_controller.graphicView(SKTDocument::BackSide), m_controller.canvasHostOfWindow());
    ProfileFiller(back, m_controller.Front_card_Prop.Card_Size(), m_controller.NO_Image_Path)
        .Fill_Side(m_controller.Back_user_profile, ProfileFillSide::Back, Fill_User_Profile);
}

void ProfileCommands::Fill_User_profile_info_TEMP_side(const QString& side)
{
    Q_UNUSED(side);
    CanvasProfileTarget preview(*m_controller.graphicView(SKTDocument::PreviewSide), m_controller.canvasHostOfWindow());
    ProfileFiller(preview, m_controller.Front_card_Prop.Card_Size(), m_controller.NO_Image_Path)
        .Fill_Side(m_controller.TEMP_user_profile, ProfileFillSide::Preview, Fill_User_Profile);
}

void ProfileCommands::Profile_Window_Closed(int result, bool sheetLoadedAgain)
{
    // The window's Preview filled copies no one confirmed: the Preview tab shows the edited side
    // again, as it stands.
    m_controller.sideCommands().Temp_Design_Control_Assign();
    if (result == 1)
        Fill_User_Profile = true;
    syncSpreadsheetSource();
    if (!sheetLoadedAgain || Loaded_Data_Table().ListData.isEmpty())
        return;
    // The inspector shows the selected element's column again, now from the new sheet.
    m_controller.inspector().dataSourcePanel().Refresh_Column_Source();
    SKTDocument& document = m_controller.document();
    const bool backInForce = Card_Front_Or_Back == 1;
    Unbind_Stale_Sheet_Columns_Of_Filled_Side(
        document.graphicsOfSide(backInForce ? SKTDocument::BackSide : SKTDocument::FrontSide));
    if (!backInForce && CARD_SIDE_STR != QLatin1String("2"))
        return;
    const GraphicList& other = document.graphicsOfSide(backInForce ? SKTDocument::FrontSide : SKTDocument::BackSide);
    if (RunSources::sideUsesColumn(other))
        Unbind_Stale_Sheet_Columns_Of_Other_Side(other);
}

QImage ProfileCommands::Show_Profile_Preview(const QString& side)
{
    SKTDocument& document = m_controller.document();
    m_controller.sideCommands().Set_Temp_Design(document.graphicsOfSide(SKTDocument::Side(Card_Front_Or_Back.load())));
    Fill_User_profile_info_TEMP_side(side);
    m_controller.graphicView(SKTDocument::PreviewSide)->update();
    // On the side's own card, at twice the canvas's size so that it stays sharp when fitted.
    constexpr double kPreviewDpi = 144.0;
    return SKTRenderingView::image_From_Card_Graphics(document.graphicsOfSide(SKTDocument::PreviewSide),
                                                      Card_Front_Or_Back == 1 ? CardSide::Back : CardSide::Front)
        .toImage(kPreviewDpi);
}

void ProfileCommands::Fill_Party_Invidation_Details()
{
    CanvasProfileTarget front(*m_controller.graphicView(SKTDocument::FrontSide), m_controller.canvasHostOfWindow());
    const Card_Property& card = m_controller.Front_card_Prop;
    ::Fill_Party_Invidation_Details(front, Party_Invitation_From_Wizard(), QRectF(card.Card_Location(), card.Card_Size()));
}

QRectF ProfileCommands::Get_Control_Rect_From_Template(const QString& ctrlId) const
{
    return ::Get_Control_Rect_From_Template(m_controller.Front_card_Prop.Card_Size(), ctrlId);
}

void ProfileCommands::syncSpreadsheetSource()
{
    m_controller.inspector().dataSourcePanel().Sync_Excel_Item();
}
