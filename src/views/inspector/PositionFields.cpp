#include "views/inspector/PositionFields.h"

#include <QSignalBlocker>

#include "model/NumberBounds.h"
#include "platform/AppContext.h"
#include "platform/Units.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/ArrangePanel.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/FieldBounds.h"
#include "views/inspector/InspectorWindow.h"
#include "views/inspector/ShowQuietly.h"
#include "views/inspector/UnitLabels.h"
#include "ui_ArrangePage.h"

PositionFields::PositionFields(InspectorView& view, InspectorWindow& window, QObject* parent)
    : QObject(parent), m_view(view), m_window(window), ui(std::make_unique<Ui::ArrangePage>())
{
    ui->setupUi(m_view.page(QStringLiteral("aligmnt_tab")));
    for (CheckedDoubleSpinBox* position : {ui->frame_main_pic_X_pos, ui->frame_main_pic_Y_pos})
        setBounds(*position, NumberBounds::kCoordinate, QStringLiteral("pt"));
    m_arrange = std::make_unique<ArrangePanel>(*ui, window);
    connectControls();
}

PositionFields::~PositionFields() = default;

void PositionFields::connectControls()
{
    connect(ui->frame_main_pic_X_pos, &QDoubleSpinBox::valueChanged, this, &PositionFields::Frame_main_Pic_X_Pos_Changed);
    connect(ui->frame_main_pic_Y_pos, &QDoubleSpinBox::valueChanged, this, &PositionFields::Frame_main_Pic_Y_Pos_Changed);
    connect(ui->frame_main_pic_width, &QDoubleSpinBox::valueChanged, this, &PositionFields::Frame_main_Pic_Wdith_Changed);
    connect(ui->frame_main_pic_height, &QDoubleSpinBox::valueChanged, this, &PositionFields::Frame_main_Pic_Height_Changed);
    connect(ui->print_object_chk, &QCheckBox::clicked, this, &PositionFields::Print_object_chk_changed);
}

void PositionFields::Set_Control_Pos_And_Size(SKTGraphic& graphic)
{
    const bool sized = graphic.kind() != GraphicKind::Barcode;
    ui->frame_main_pic_width->setEnabled(sized);
    ui->frame_main_pic_height->setEnabled(sized);
    showQuietly(*ui->frame_main_pic_X_pos, float(graphic.xPosition()));
    showQuietly(*ui->frame_main_pic_Y_pos, float(graphic.yPosition()));
    const QString unit = unitLabels(Measument_Unit_Is).abbreviation;
    for (auto [field, points] : {std::pair{ui->frame_main_pic_width, graphic.width()},
                                 std::pair{ui->frame_main_pic_height, graphic.height()}}) {
        // The range first, so that a size in a new unit is not held to the old unit's range.
        const NumberBounds::Range range = NumberBounds::lengthInUnit(NumberBounds::kElementSize, Measument_Unit_Is, field->decimals());
        const QSignalBlocker quiet(field);
        field->setRange(range.low, range.high);
        field->setUnit(unit);
        field->setValue(pointsToUnit(float(points), Measument_Unit_Is));
    }
}

void PositionFields::loadArrangeState(const SKTGraphic& graphic)
{
    ui->print_object_chk->setChecked(graphic.print_object != 0);
    setPositionBoxShown(true);
    m_arrange->setSizeCommandsEnabled(graphic.kind() != GraphicKind::Barcode);
}

void PositionFields::setPositionBoxShown(bool shown)
{
    ui->ctrl_width_height_box->setVisible(shown);
}

int PositionFields::printObjectState() const
{
    return ui->print_object_chk->isChecked() ? 1 : 0;
}

float PositionFields::Frame_Field_Value(CanvasInspector::FrameField field) const
{
    switch (field) {
    case CanvasInspector::FrameField::XPos: return float(ui->frame_main_pic_X_pos->value());
    case CanvasInspector::FrameField::YPos: return float(ui->frame_main_pic_Y_pos->value());
    case CanvasInspector::FrameField::Width: return float(ui->frame_main_pic_width->value());
    case CanvasInspector::FrameField::Height: break;
    }
    return float(ui->frame_main_pic_height->value());
}

void PositionFields::Frame_main_Pic_X_Pos_Changed()
{
    if (!Not_Draw_Only_Prop_Change)
        m_arrange->arrange(&SKTGraphicView::Frame_main_Pic_X_Pos_Changed);
}

void PositionFields::Frame_main_Pic_Y_Pos_Changed()
{
    if (!Not_Draw_Only_Prop_Change)
        m_arrange->arrange(&SKTGraphicView::Frame_main_Pic_Y_Pos_Changed);
}

void PositionFields::Frame_main_Pic_Wdith_Changed()
{
    if (!Not_Draw_Only_Prop_Change)
        m_arrange->arrange(&SKTGraphicView::Frame_main_Pic_Wdith_Changed);
}

void PositionFields::Frame_main_Pic_Height_Changed()
{
    if (!Not_Draw_Only_Prop_Change)
        m_arrange->arrange(&SKTGraphicView::Frame_main_Pic_Height_Changed);
}

void PositionFields::Print_object_chk_changed()
{
    if (Not_Draw_Only_Prop_Change)
        return;
    m_window.editedCanvas().print_contol_or_not(printObjectState());
    m_window.Insert_In_Undo_Redo();
}
