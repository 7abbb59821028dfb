#include "views/inspector/ElementPanel.h"

#include <algorithm>

#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
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

bool ElementPanel::moreThanOneSelected(GraphicKind kind, const QString& refusal) const
{
    const GraphicList selection = m_context.window.selectedGraphics();
    const auto ofKind = [kind](const GraphicPtr& graphic) { return graphic->kind() == kind; };
    if (std::count_if(selection.begin(), selection.end(), ofKind) < 2)
        return false;
    if (!refusal.isEmpty())
        Show_MessageBox(refusal);
    return true;
}
