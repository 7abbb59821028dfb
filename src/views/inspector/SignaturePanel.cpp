#include "views/inspector/SignaturePanel.h"

#include "views/inspector/InspectorView.h"
#include "views/inspector/PositionFields.h"
#include "ui_SignaturePanel.h"

SignaturePanel::SignaturePanel(const PanelContext& context, QObject* parent)
    : ElementPanel(context, parent), ui(std::make_unique<Ui::SignaturePanel>())
{
    ui->setupUi(m_context.view.page(QStringLiteral("sign_tab")));
}

SignaturePanel::~SignaturePanel() = default;

void SignaturePanel::load(SKTGraphic& graphic)
{
    m_context.positions.Set_Control_Pos_And_Size(graphic);
}
