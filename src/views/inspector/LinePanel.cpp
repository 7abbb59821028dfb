#include "views/inspector/LinePanel.h"

#include "views/inspector/InspectorView.h"
#include "views/inspector/PositionFields.h"
#include "ui_LinePanel.h"

LinePanel::LinePanel(const PanelContext& context, QObject* parent)
    : ElementPanel(context, parent), ui(std::make_unique<Ui::LinePanel>())
{
    ui->setupUi(m_context.view.page(QStringLiteral("line_tab")));
}

LinePanel::~LinePanel() = default;

void LinePanel::load(SKTGraphic& graphic)
{
    m_context.positions.Set_Control_Pos_And_Size(graphic);
}
