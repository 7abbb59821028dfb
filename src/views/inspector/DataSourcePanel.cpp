#include "views/inspector/DataSourcePanel.h"

#include "views/inspector/InspectorView.h"
#include "views/inspector/InspectorWindow.h"

DataSourcePanel::DataSourcePanel(InspectorView& view, InspectorWindow& window, QObject* parent)
    : QObject(parent), m_view(view), m_window(window)
{
}

void DataSourcePanel::loadDataSourceBlock(SKTGraphic&)
{
}
