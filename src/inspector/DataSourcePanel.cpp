#include "inspector/DataSourcePanel.h"

#include "inspector/InspectorView.h"
#include "inspector/InspectorWindow.h"

DataSourcePanel::DataSourcePanel(InspectorView& view, InspectorWindow& window, QObject* parent)
    : QObject(parent), m_view(view), m_window(window)
{
}

void DataSourcePanel::loadDataSourceBlock(SKTGraphic&)
{
}
