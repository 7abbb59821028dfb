#include "output/RecordRun.h"

#include "barcodes/BarcodeFactory.h"
#include "model/SKTDocument.h"
#include "model/SKTImage.h"
#include "platform/GuiThread.h"
#include "platform/StringHelpers.h"

namespace {

// A value as a message quotes it: whole when short, else its start.
QString quoted(const QString& value)
{
    constexpr int kLongest = 40;
    const QString shown = value.size() > kLongest ? value.left(kLongest - 1) + QChar(0x2026) : value;
    return u'"' + shown + u'"';
}

QString barcodeRefusal(const QString& value, const QString& reason)
{
    if (value.trimmed().isEmpty())
        return QStringLiteral("The barcode has no value to show.");
    if (reason.isEmpty())
        return QStringLiteral("The barcode cannot show %1.").arg(quoted(value));
    return QStringLiteral("The barcode cannot show %1: %2").arg(quoted(value), reason);
}

}  // namespace

RecordRun::RecordRun(SKTDocument& design, const SeriesStore& store, const Data_From_Excel& table, bool twoSided,
                     SeriesBindingTable::Reader seriesReader)
    : m_design(design), m_before(DesignSnapshot::take(design)), m_sources(store, table)
{
    if (seriesReader)
        m_sources.setSeriesReader(std::move(seriesReader));
    // Record values are no edits of the user's.
    m_undoWasRecording = design.undoManager().isUndoRegistrationEnabled();
    design.Enable_Disable_Undo_Registraion(false);
    m_sources.Check_Series_Or_Excel_Use_or_not(design.graphics(), design.graphics_back(), twoSided);
}

RecordRun::~RecordRun()
{
    Create_Card_Design_Again();
}

void RecordRun::Assign_Batch_Values_To_Control(const GraphicList& side, int n)
{
    for (const GraphicPtr& pointer : side) {
        if (!pointer)
            continue;
        SKTGraphic& element = *pointer;
        if (element.print_object != 0 || !RunSources::isBindable(element))
            continue;
        QString value;
        bool seriesGone = false;
        if (element.data_source_type == 1 && m_sources.Use_Data_Sheet_Values) {
            if (element.batch_list_index == -1)
                continue;
            const int slot = m_sources.bindingTable().Get_Data_SetIndex_According_Name(element.batch_list_name);
            seriesGone = slot == -1;
            value = Trim_Str(m_sources.Get_sel_row_col_value_of_dataset(n, slot));
        } else if (element.data_source_type == 2 && m_sources.Use_Excel_Binding_Values) {
            if (element.excel_col_indx == -1)
                continue;
            value = Trim_Str(m_sources.Get_sel_row_col_value_of_Excel(n, element.excel_col_indx));
        } else {
            continue;
        }
        switch (element.kind()) {
        case GraphicKind::Text: element.Set_text_value(value); break;
        case GraphicKind::Image: static_cast<SKTImage&>(element).setFilePath(value, false); break;
        case GraphicKind::Barcode: bindBarcode(element, value, seriesGone); break;
        default: break;
        }
    }
}

void RecordRun::bindBarcode(SKTGraphic& element, QString value, bool seriesGone)
{
    // A series that is gone shows the barcode's own value rather than nothing.
    if (seriesGone && value.isEmpty()) {
        barcodeFactory().Set_Barcode_Prop_To_Control(element);
        const BarcodeSettings& settings = element.barcode;
        value = settings.linear_or_2d != 0 ? settings.two_d_font_val : settings.linear_font_val;
    }
    Bind_Barcode_Value(element, value);
}

QString Bind_Barcode_Value(SKTGraphic& element, const QString& value)
{
    BarcodeFactory& factory = barcodeFactory();
    factory.Set_Barcode_Prop_To_Control(element);
    const BarcodeSettings& settings = element.barcode;
    // The new size and the centring both go through setBounds, which takes the box along: put it
    // back after each.
    const QRectF box = element.bar_image_ctrl_bounds;
    Barcode_output_image = value.trimmed().isEmpty()
                               ? BarcodePicture()
                               : factory.Get_Image_From_Val(value, settings.header_val, settings.footer_val);
    element.Set_Barcode_image(Barcode_output_image);
    element.Set_Barcode_image_control_bounds(box);
    if (Barcode_output_image.isNull())
        return barcodeRefusal(value, factory.lastRefusal());
    const QSizeF size = Barcode_output_image.size();
    element.setXPosition(float(box.x() + box.width() / 2 - float(size.width()) / 2));
    element.setYPosition(float(box.y() + box.height() / 2 - float(size.height()) / 2));
    element.Set_Barcode_image_control_bounds(box);
    return QString();
}

SideSnapshot RecordRun::bindAndSnapshot(int n, CardSide side)
{
    const GraphicList& elements = side == CardSide::Front ? m_design.graphics() : m_design.graphics_back();
    Assign_Batch_Values_To_Control(elements, n);
    SideSnapshot snapshot = snapshotForOutput(elements, side, m_pictures);
    if (Mirror_Image_Create && !snapshot.image.isNull())
        snapshot.image = snapshot.image.mirrored(Mirror_Vertical_Not_Horz);
    return snapshot;
}

SideSnapshot RecordRun::Set_data_table_value_to_card(int n, CardSide side)
{
    SideSnapshot snapshot;
    GuiThread::runBlocking([&] { snapshot = bindAndSnapshot(n, side); });
    return snapshot;
}

bool RecordRun::Create_Card_Design_Again()
{
    if (m_finished)
        return false;
    m_finished = true;
    m_before.restore(m_design);
    m_design.Enable_Disable_Undo_Registraion(m_undoWasRecording);
    return true;
}
