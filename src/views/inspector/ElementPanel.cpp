#include "views/inspector/ElementPanel.h"

#include "platform/AppContext.h"
#include "views/inspector/InspectorWindow.h"

ElementPanel::ElementPanel(const PanelContext& context, QObject* parent) : QObject(parent), m_context(context)
{
}

void ElementPanel::writeSelected(GraphicKind kind, const std::function<void(SKTGraphic&)>& write)
{
    if (writeSelectedElements(kind, write))
        m_context.window.Insert_In_Undo_Redo();
}

bool ElementPanel::writeSelectedElements(GraphicKind kind, const std::function<void(SKTGraphic&)>& write)
{
    if (Not_Draw_Only_Prop_Change)
        return false;
    InspectorWindow& window = m_context.window;
    const GraphicList selection = window.selectedGraphics();
    if (selection.isEmpty())
        return false;
    for (const GraphicPtr& graphic : selection) {
        if (graphic->kind() == kind && !graphic->ctrl_is_locked)
            write(*graphic);
    }
    window.Refresh_Canvas();
    return true;
}
