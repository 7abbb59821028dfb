#include "views/inspector/LinePanel.h"

#include <algorithm>

#include "views/inspector/ComboSelection.h"
#include "views/inspector/FieldBounds.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/KeptNumber.h"
#include "views/inspector/PanelValues.h"
#include "views/inspector/PositionFields.h"
#include "views/inspector/ShowQuietly.h"
#include "ui_LinePanel.h"

LinePanel::LinePanel(const PanelContext& context, QObject* parent)
    : ElementPanel(context, parent), ui(std::make_unique<Ui::LinePanel>())
{
    ui->setupUi(m_context.view.page(QStringLiteral("line_tab")));
    setBounds(*ui->Line_Wdt_Stepper, NumberBounds::kStrokeWidth, QStringLiteral("pt"));
    setBounds(*ui->Line_alpha_Stepper, NumberBounds::kOpacityPercent, QStringLiteral("%"));

    const auto write = [this] { Update_Line_Graphics(); };
    connect(ui->Line_clr, &ColorWell::colorChosen, this, write);
    for (QSpinBox* field : {static_cast<QSpinBox*>(ui->Line_Wdt_Stepper), static_cast<QSpinBox*>(ui->Line_alpha_Stepper)})
        connect(field, &QSpinBox::valueChanged, this, write);
    for (QComboBox* list : {ui->Line_border_style, ui->Line_cap_style, ui->Line_ori_style})
        connect(list, &QComboBox::activated, this, write);
}

LinePanel::~LinePanel() = default;

void LinePanel::load(SKTGraphic& line)
{
    m_context.positions.Set_Control_Pos_And_Size(line);
    showStoredNumber(*ui->Line_Wdt_Stepper, line._strokeWidth);
    ui->Line_clr->setColor(line._strokeColor);
    if (const int style = borderStyleIndex(line._stroke_border_type); style >= 0)
        selectComboIndex(*ui->Line_border_style, style);
    selectComboIndex(*ui->Line_ori_style, line._line_ori);
    selectComboIndex(*ui->Line_cap_style, line._line_cap_style);
    showQuietly(*ui->Line_alpha_Stepper, percentShown(line.alpha_val_stroke));
}

void LinePanel::Update_Line_Graphics()
{
    writeSelected(GraphicKind::Line, [this](SKTGraphic& line) { write(line); });
}

void LinePanel::write(SKTGraphic& line) const
{
    line._isDrawingStroke = true;
    line._strokeWidth = numberToWrite(*ui->Line_Wdt_Stepper, line._strokeWidth);
    line._strokeColor = ui->Line_clr->color();
    line.print_object = m_context.positions.printObjectState();
    line._stroke_border_type = Return_Border_Style_Str_On_index(ui->Line_border_style->currentIndex());
    line._line_cap_style = std::max(ui->Line_cap_style->currentIndex(), 0);
    line._line_ori = std::max(ui->Line_ori_style->currentIndex(), 0);
    line.alpha_val_stroke = float(ui->Line_alpha_Stepper->value() / 100.0);
}
