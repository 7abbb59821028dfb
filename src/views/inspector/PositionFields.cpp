#include "views/inspector/PositionFields.h"

#include "views/inspector/InspectorView.h"
#include "views/inspector/InspectorWindow.h"

PositionFields::PositionFields(InspectorView& view, InspectorWindow& window, QObject* parent)
    : QObject(parent), m_view(view), m_window(window)
{
}

void PositionFields::Set_Control_Pos_And_Size(SKTGraphic&)
{
}
