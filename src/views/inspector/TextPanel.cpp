#include "views/inspector/TextPanel.h"

#include "views/inspector/InspectorView.h"
#include "views/inspector/PositionFields.h"
#include "ui_TextEditingPage.h"
#include "ui_TextStylePage.h"

TextPanel::TextPanel(const PanelContext& context, QObject* parent)
    : ElementPanel(context, parent),
      editing(std::make_unique<Ui::TextEditingPage>()),
      style(std::make_unique<Ui::TextStylePage>())
{
    editing->setupUi(m_context.view.page(QStringLiteral("text_edtng_tab")));
    style->setupUi(m_context.view.page(QStringLiteral("text_prop_tab")));
}

TextPanel::~TextPanel() = default;

void TextPanel::load(SKTGraphic& graphic)
{
    m_context.positions.Set_Control_Pos_And_Size(graphic);
}
