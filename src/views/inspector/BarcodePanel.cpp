#include "views/inspector/BarcodePanel.h"

#include <QPushButton>
#include <exception>

#include "barcodes/BarcodeFactory.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "views/barcodes/BarcodeWindow.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/InspectorWindow.h"
#include "views/inspector/PositionFields.h"
#include "ui_BarcodePage.h"

void Copy_Barcode_Settings(const SKTGraphic& carrier, SKTGraphic& target)
{
    const qint32 storedUnit = target.barcode.barcode_unit_val;
    target.barcode = carrier.barcode;
    target.barcode.barcode_unit_val = storedUnit;
    target.data_source_type = carrier.data_source_type;
    target.batch_list_name = carrier.batch_list_name;
    target.batch_list_index = carrier.batch_list_index;
    target.excel_binding = carrier.excel_binding;
    target.excel_col_indx = carrier.excel_col_indx;
    target._isDrawingFill = carrier._isDrawingFill;
    target._fillColor = carrier._fillColor;
}

BarcodePanel::BarcodePanel(const PanelContext& context, QObject* parent)
    : ElementPanel(context, parent), ui(std::make_unique<Ui::BarcodePage>())
{
    ui->setupUi(m_context.view.page(QStringLiteral("barcode_tab")));
    connect(ui->view_barcode_prop_btn, &QPushButton::clicked, this, &BarcodePanel::View_barcode_prop_Button);
}

BarcodePanel::~BarcodePanel() = default;

void BarcodePanel::load(SKTGraphic& graphic)
{
    m_context.positions.Set_Control_Pos_And_Size(graphic);
}

void BarcodePanel::View_barcode_prop_Button()
{
    Open_Barcode_Window();
}

bool BarcodePanel::Check_Multiple_Barcode_Selection(bool show_msg) const
{
    try {
        return moreThanOneSelected(GraphicKind::Barcode, show_msg ? kOneBarcodeMessage : QString());
    } catch (const std::exception& failure) {
        Show_MessageBox(QString::fromUtf8(failure.what()));
        return false;
    }
}

void BarcodePanel::Open_Barcode_Window()
{
    const GraphicPtr focused = m_context.window.Get_Selected_Graphic();
    if (!focused) {
        Show_MessageBox(kSelectControlMessage);
        return;
    }
    if (Check_Multiple_Barcode_Selection(true))
        return;
    try {
        // Only a picture the window makes now may reach the element, never an older one.
        Barcode_output_image = QImage();
        const GraphicPtr carrier = barcodeWindow().Open_Wnd(*focused);
        if (carrier && !Barcode_output_image.isNull())
            Update_Barcode_Graphics(*carrier);
    } catch (const std::exception& failure) {
        Show_NSLog_Message(QString::fromUtf8(failure.what()));
    }
}

void BarcodePanel::Update_Barcode_Graphics(const SKTGraphic& carrier)
{
    SKTGraphicView& canvas = m_context.window.editedCanvas();
    const GraphicList selection = m_context.window.selectedGraphics();
    writeSelected(GraphicKind::Barcode, [&](SKTGraphic& barcode) {
        barcode.print_object = m_context.positions.printObjectState();
        Copy_Barcode_Settings(carrier, barcode);
        barcode.Set_Barcode_image(Barcode_output_image);
        m_context.window.panelFieldFollowsBarcode(m_context.window.sideInForce(), barcode);
        for (const GraphicPtr& selected : selection) {
            if (selected.get() == &barcode)
                canvas.startEditingGraphic(selected);
        }
    });
}
