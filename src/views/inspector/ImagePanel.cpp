#include "views/inspector/ImagePanel.h"

#include "views/inspector/InspectorView.h"
#include "views/inspector/PositionFields.h"
#include "ui_ImagePanel.h"

ImagePanel::ImagePanel(const PanelContext& context, QObject* parent)
    : ElementPanel(context, parent), ui(std::make_unique<Ui::ImagePanel>())
{
    ui->setupUi(m_context.view.page(QStringLiteral("image_tab")));
}

ImagePanel::~ImagePanel() = default;

void ImagePanel::load(SKTGraphic& graphic)
{
    m_context.positions.Set_Control_Pos_And_Size(graphic);
}
