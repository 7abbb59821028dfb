#include "views/inspector/ShapePanel.h"

#include <QSignalBlocker>

#include "model/NumberBounds.h"
#include "platform/AppContext.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/BorderFields.h"
#include "views/inspector/ComboSelection.h"
#include "views/inspector/FieldBounds.h"
#include "views/inspector/FillKindRadios.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/InspectorWindow.h"
#include "views/inspector/KeptNumber.h"
#include "views/inspector/PanelValues.h"
#include "views/inspector/PositionFields.h"
#include "views/inspector/ShowQuietly.h"
#include "ui_ShapePanel.h"

ShapePanel::ShapePanel(const PanelContext& context, QObject* parent)
    : ElementPanel(context, parent), ui(std::make_unique<Ui::ShapePanel>())
{
    ui->setupUi(m_context.view.page(QStringLiteral("shape_tab")));
    // The opacity row comes and goes with the fill kind; the rows around it stay where they are.
    for (QWidget* opacityRow : {static_cast<QWidget*>(ui->shape_alpha_lbl), static_cast<QWidget*>(ui->shape_alpha_Stepper)}) {
        QSizePolicy policy = opacityRow->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        opacityRow->setSizePolicy(policy);
    }
    boundNumberFields();
    connectControls();
}

ShapePanel::~ShapePanel() = default;

void ShapePanel::boundNumberFields()
{
    setBounds(*ui->Shape_Rotate_Stepper, NumberBounds::kAngle, QStringLiteral("degrees"));
    ui->shape_rotation_slidr->setRange(int(NumberBounds::kAngle.low), int(NumberBounds::kAngle.high));
    setBounds(*ui->shape_cor_radius_Stepper, NumberBounds::kCornerRadius, QStringLiteral("pt"));
    setBounds(*ui->double_star_Stepper, NumberBounds::kShapeVariant, QString());
    setBounds(*ui->polygon_Stepper, NumberBounds::kShapeVariant, QString());
    border().setUp();
    setBounds(*ui->shape_grad_Stepper, NumberBounds::kAngle, QStringLiteral("degrees"));
    setBounds(*ui->shape_alpha_Stepper, NumberBounds::kOpacityPercent, QStringLiteral("%"));
}

void ShapePanel::connectControls()
{
    const auto write = [this] { Update_Shape_Graphics(); };
    connect(ui->Shape_border_chk, &QCheckBox::clicked, this, &ShapePanel::Shape_Border_ChkBox);
    connect(ui->shape_bor_Stepper, &QSpinBox::valueChanged, this, write);
    connect(ui->shape_bordr_clr, &ColorWell::colorChosen, this, write);
    connect(ui->shape_border_style, &QComboBox::activated, this, write);

    connect(ui->Shape_fill_chk, &QCheckBox::clicked, this, &ShapePanel::Shape_Fill_Chk_Box);
    connect(ui->Shape_solid_fill_rd, &QRadioButton::clicked, this, &ShapePanel::Shape_Solid_RD_Sel);
    connect(ui->Shape_gradient_fill_rd, &QRadioButton::clicked, this, &ShapePanel::Shape_Gradient_RD_Sel);
    connect(ui->Shape_Style_fill_rd, &QRadioButton::clicked, this, &ShapePanel::Shape_Hatch_RD_Sel);
    for (ColorWell* well : {ui->shape_fill_clr, ui->shape_fill_Grd_1_clr, ui->shape_fill_Grd_2_clr, ui->shape_hatch_bk_clr})
        connect(well, &ColorWell::colorChosen, this, write);
    connect(ui->shape_grad_Stepper, &QDoubleSpinBox::valueChanged, this, write);
    connect(ui->shape_hatch_style, &QComboBox::activated, this, write);
    connect(ui->shape_alpha_Stepper, &QSpinBox::valueChanged, this, &ShapePanel::Shape_Alpha_Changed);

    connect(ui->shape_cor_radius_Stepper, &QDoubleSpinBox::valueChanged, this, write);
    connect(ui->double_star_Stepper, &QSpinBox::valueChanged, this, write);
    connect(ui->polygon_Stepper, &QSpinBox::valueChanged, this, write);
    connect(ui->shape_rotation_slidr, &QSlider::valueChanged, this, &ShapePanel::Shape_Rotate_Slider_Changed);
    connect(ui->Shape_Rotate_Stepper, &QSpinBox::valueChanged, this, &ShapePanel::Shape_Rotate_Stepper_Changed);
}

void ShapePanel::setUpControls(const QStringList& hatchNames)
{
    const NotDrawOnlyPropChangeGuard filling;
    selectComboIndex(*ui->shape_border_style, 0);
    QComboBox& hatch = *ui->shape_hatch_style;
    {
        const QSignalBlocker quiet(hatch);
        hatch.clear();
        for (const QString& name : hatchNames)
            hatch.addItem(patternCaption(name), name);
    }
    if (!hatchNames.isEmpty())
        selectComboIndex(hatch, 0);
}

// ---- Loading ------------------------------------------------------------------------------------

void ShapePanel::load(SKTGraphic& shape)
{
    showFigureControls(shape.Get_shape_type(), shape.ctrl_is_locked);
    m_context.positions.Set_Control_Pos_And_Size(shape);

    showQuietly(*ui->shape_rotation_slidr, shape.text_rotation);
    showQuietly(*ui->Shape_Rotate_Stepper, shape.text_rotation);
    border().load(shape);
    ui->Shape_fill_chk->setChecked(shape._isDrawingFill);
    ui->shape_fill_clr->setColor(shape._fillColor);
    ui->shape_fill_Grd_1_clr->setColor(shape._fill_Grad_clr1);
    ui->shape_fill_Grd_2_clr->setColor(shape._fill_Grad_clr2);
    ui->shape_hatch_bk_clr->setColor(shape._fill_htch_clr);
    // A pattern this machine lacks shows no selection; the shape keeps its name.
    selectComboIndex(*ui->shape_hatch_style,
                     shape._fill_hatch_type.isEmpty() ? -1 : ui->shape_hatch_style->findData(shape._fill_hatch_type));
    showStoredNumber(*ui->shape_grad_Stepper, shape._fill_grad_angle);
    showQuietly(*ui->shape_alpha_Stepper, percentShown(shape.alpha_val));
    showStoredNumber(*ui->shape_cor_radius_Stepper, shape.cor_rad_val);
    showStoredNumber(*ui->double_star_Stepper, shape.double_star_type);
    showStoredNumber(*ui->polygon_Stepper, shape.polygon_type);

    ui->Shape_Fill_Box->setEnabled(ui->Shape_fill_chk->isChecked());
    showFillKind(shape._fill_type);
}

void ShapePanel::showFigureControls(const QString& shapeCode, bool locked)
{
    const bool rounded = !locked && shapeCode == QLatin1String("RR");
    const bool doubleStar = !locked && shapeCode == QLatin1String("DS");
    const bool polygon = !locked && shapeCode == QLatin1String("P");
    for (QWidget* control : {static_cast<QWidget*>(ui->shape_cor_radius_Label), static_cast<QWidget*>(ui->shape_cor_radius_Stepper)})
        control->setVisible(rounded);
    for (QWidget* control : {static_cast<QWidget*>(ui->double_star_Label), static_cast<QWidget*>(ui->double_star_Stepper)})
        control->setVisible(doubleStar);
    for (QWidget* control : {static_cast<QWidget*>(ui->polygon_Label), static_cast<QWidget*>(ui->polygon_Stepper)})
        control->setVisible(polygon);
}

void ShapePanel::showFillKind(const QString& fillType)
{
    fillRadios().show(fillType);
    Show_Hide_Shape_Transp_Ctrl(fillType == QLatin1String("G"));
    enableFillControls(fillType);
}

void ShapePanel::enableFillControls(const QString& fillType)
{
    const bool gradient = fillType == QLatin1String("G");
    const bool hatch = fillType == QLatin1String("H");
    ui->shape_fill_clr->setEnabled(!gradient && !hatch);
    for (QWidget* control : {static_cast<QWidget*>(ui->shape_fill_Grd_1_clr), static_cast<QWidget*>(ui->shape_fill_Grd_2_clr),
                             static_cast<QWidget*>(ui->shape_grad_Stepper)})
        control->setEnabled(gradient);
    ui->shape_hatch_style->setEnabled(hatch);
    ui->shape_hatch_bk_clr->setEnabled(hatch);
}

void ShapePanel::Show_Hide_Shape_Transp_Ctrl(bool hide)
{
    ui->shape_alpha_lbl->setHidden(hide);
    ui->shape_alpha_Stepper->setHidden(hide);
}

// ---- Writing ------------------------------------------------------------------------------------

BorderFields ShapePanel::border() const
{
    return {*ui->Shape_border_chk, *ui->shape_bordr_clr, *ui->shape_bor_Stepper, *ui->shape_border_style, *ui->Shape_Border_Box};
}

FillKindRadios ShapePanel::fillRadios() const
{
    return {ui->Shape_solid_fill_rd, ui->Shape_gradient_fill_rd, ui->Shape_Style_fill_rd};
}

void ShapePanel::Update_Shape_Graphics()
{
    writeSelected(GraphicKind::Shape, [this](SKTGraphic& shape) { write(shape); });
}

void ShapePanel::write(SKTGraphic& shape) const
{
    border().write(shape);
    shape._isDrawingFill = ui->Shape_fill_chk->isChecked();
    if (shape._isDrawingFill)
        shape._fillColor = ui->shape_fill_clr->color();
    shape._fill_type = fillRadios().chosen();
    shape._fill_Grad_clr1 = ui->shape_fill_Grd_1_clr->color();
    shape._fill_Grad_clr2 = ui->shape_fill_Grd_2_clr->color();
    shape._fill_grad_angle = numberToWrite(*ui->shape_grad_Stepper, shape._fill_grad_angle);
    shape._fill_htch_clr = ui->shape_hatch_bk_clr->color();
    if (ui->shape_hatch_style->currentIndex() >= 0)
        shape._fill_hatch_type = ui->shape_hatch_style->currentData().toString();
    shape.alpha_val = float(ui->shape_alpha_Stepper->value() / 100.0);
    shape.cor_rad_val = float(numberToWrite(*ui->shape_cor_radius_Stepper, shape.cor_rad_val));
    shape.double_star_type = qint32(numberToWrite(*ui->double_star_Stepper, shape.double_star_type));
    shape.polygon_type = qint32(numberToWrite(*ui->polygon_Stepper, shape.polygon_type));
    shape.text_rotation = ui->Shape_Rotate_Stepper->value();
    shape.print_object = m_context.positions.printObjectState();
}

// ---- Control handlers ---------------------------------------------------------------------------

void ShapePanel::Shape_Border_ChkBox()
{
    border().enableBox();
    Update_Shape_Graphics();
}

void ShapePanel::Shape_Fill_Chk_Box()
{
    const bool filled = ui->Shape_fill_chk->isChecked();
    ui->Shape_Fill_Box->setEnabled(filled);
    if (filled)
        enableFillControls(fillRadios().chosen());
    Update_Shape_Graphics();
}

void ShapePanel::Shape_Solid_RD_Sel()
{
    showFillKind(QStringLiteral("S"));
    Update_Shape_Graphics();
}

void ShapePanel::Shape_Gradient_RD_Sel()
{
    showFillKind(QStringLiteral("G"));
    Update_Shape_Graphics();
}

void ShapePanel::Shape_Hatch_RD_Sel()
{
    showFillKind(QStringLiteral("H"));
    Update_Shape_Graphics();
}

void ShapePanel::Shape_Alpha_Changed()
{
    Update_Shape_Graphics();
    if (!Not_Draw_Only_Prop_Change)
        m_context.window.frontCanvas().hideHandlesMomentarily();
}

void ShapePanel::Shape_Rotate_Slider_Changed()
{
    const QSignalBlocker quiet(ui->Shape_Rotate_Stepper);
    ui->Shape_Rotate_Stepper->setValue(ui->shape_rotation_slidr->value());
    Update_Shape_Graphics();
}

void ShapePanel::Shape_Rotate_Stepper_Changed()
{
    const QSignalBlocker quiet(ui->shape_rotation_slidr);
    ui->shape_rotation_slidr->setValue(ui->Shape_Rotate_Stepper->value());
    Update_Shape_Graphics();
}
