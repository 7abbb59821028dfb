#include "views/inspector/ShapePanel.h"

#include "views/inspector/InspectorView.h"
#include "views/inspector/PositionFields.h"
#include "ui_ShapePanel.h"

ShapePanel::ShapePanel(const PanelContext& context, QObject* parent)
    : ElementPanel(context, parent), ui(std::make_unique<Ui::ShapePanel>())
{
    ui->setupUi(m_context.view.page(QStringLiteral("shape_tab")));
}

ShapePanel::~ShapePanel() = default;

void ShapePanel::load(SKTGraphic& graphic)
{
    m_context.positions.Set_Control_Pos_And_Size(graphic);
}
