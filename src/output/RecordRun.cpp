#include "output/RecordRun.h"

#include <algorithm>

#include "barcodes/BarcodeFactory.h"
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
    if (reason.isEmpty())
        return QStringLiteral("The barcode cannot show %1.").arg(quoted(value));
    return QStringLiteral("The barcode cannot show %1: %2").arg(quoted(value), reason);
}

}  // namespace

RecordRun::RecordRun(const SKTDocument& design, const SeriesStore& store, const Data_From_Excel& table,
                     bool twoSided, SeriesBindingTable::Reader seriesReader)
    : m_before(DesignSnapshot::take(design)), m_sources(store, table)
{
    if (seriesReader)
        m_sources.setSeriesReader(std::move(seriesReader));
    m_sources.Check_Series_Or_Excel_Use_or_not(m_before.front(), m_before.back(), twoSided);
}

QString RecordRun::recordValue(const SKTGraphic& element, int n, bool* bound) const
{
    *bound = false;
    if (element.print_object != 0 || !RunSources::isBindable(element))
        return QString();
    if (element.data_source_type == 1 && m_sources.Use_Data_Sheet_Values) {
        if (element.batch_list_index == -1)
            return QString();
        *bound = true;
        const int slot = m_sources.bindingTable().Get_Data_SetIndex_According_Name(element.batch_list_name);
        const QString value = Trim_Str(m_sources.Get_sel_row_col_value_of_dataset(n, slot));
        // A barcode whose series is gone shows its own value rather than nothing.
        if (slot == -1 && value.isEmpty() && element.kind() == GraphicKind::Barcode)
            return element.barcode.shownValue();
        return value;
    }
    if (element.data_source_type == 2 && m_sources.Use_Excel_Binding_Values) {
        if (element.excel_col_indx == -1)
            return QString();
        *bound = true;
        return Trim_Str(m_sources.Get_sel_row_col_value_of_Excel(n, element.excel_col_indx));
    }
    return QString();
}

QString RecordRun::Assign_Batch_Values_To_Control(const GraphicList& side, int n)
{
    return bindValues(side, n, true);
}

QString RecordRun::bindValues(const GraphicList& side, int n, bool readPreviews)
{
    QString refusal;
    for (const GraphicPtr& pointer : side) {
        if (!pointer)
            continue;
        SKTGraphic& element = *pointer;
        bool bound = false;
        const QString value = recordValue(element, n, &bound);
        if (!bound)
            continue;
        switch (element.kind()) {
        case GraphicKind::Text: element.Set_text_value(value); break;
        case GraphicKind::Image:
            if (readPreviews)
                static_cast<SKTImage&>(element).setFilePath(value, false);
            else
                static_cast<SKTImage&>(element).setFilePathUnread(value);
            break;
        case GraphicKind::Barcode:
            if (const QString why = Bind_Barcode_Value(element, value); refusal.isEmpty())
                refusal = why;
            break;
        default: break;
        }
    }
    return refusal;
}

QString RecordRun::recordLabel(int n) const
{
    constexpr int kLongest = 40;
    QString first;
    for (const GraphicList* side : {&m_before.front(), &m_before.back()}) {
        for (const GraphicPtr& element : *side) {
            bool bound = false;
            const QString value = element ? recordValue(*element, n, &bound).simplified() : QString();
            if (value.isEmpty())
                continue;
            if (element->kind() == GraphicKind::Text)
                return value.left(kLongest);
            if (first.isEmpty())
                first = value.left(kLongest);
        }
    }
    return first;
}

QString Bind_Barcode_Value(SKTGraphic& element, const QString& value)
{
    BarcodeFactory& factory = barcodeFactory();
    factory.Set_Barcode_Prop_To_Control(element);
    const BarcodeSettings& settings = element.barcode;
    // The new size and the centring both go through setBounds, which takes the box along: put it
    // back after each.
    const QRectF box = element.bar_image_ctrl_bounds;
    // An empty value is the record's own: the card goes out without the symbol.
    const bool empty = value.trimmed().isEmpty();
    Barcode_output_image =
        empty ? BarcodePicture() : factory.Get_Image_From_Val(value, settings.header_val, settings.footer_val);
    element.Set_Barcode_image(Barcode_output_image);
    element.Set_Barcode_image_control_bounds(box);
    if (empty)
        return QString();
    if (Barcode_output_image.isNull())
        return barcodeRefusal(value, factory.lastRefusal());
    const QSizeF size = Barcode_output_image.size();
    // In doubles: a symbol's bar edge rounded through a float can land a pixel over at 600 dpi.
    element.setXPosition(box.center().x() - size.width() / 2);
    element.setYPosition(box.center().y() - size.height() / 2);
    element.Set_Barcode_image_control_bounds(box);
    return QString();
}

GraphicList RecordRun::boundCopies(int n, CardSide side, QString* refusal, bool readPreviews)
{
    GraphicList copies = DesignSnapshot::copiesOf(side == CardSide::Front ? m_before.front() : m_before.back());
    *refusal = bindValues(copies, n, readPreviews);
    return copies;
}

void RecordRun::readAheadAfter(int n, CardSide side)
{
    // Enough records to keep the readers busy while this one is bound, drawn and encoded.
    constexpr int kRecordsAhead = 8;
    const GraphicList& elements = side == CardSide::Front ? m_before.front() : m_before.back();
    int& from = m_readAheadFrom[sideIndex(side)];
    from = std::max(from, n + 1);
    for (; from <= n + kRecordsAhead; ++from) {
        for (const GraphicPtr& element : elements) {
            if (!element || element->kind() != GraphicKind::Image || !isDrawnInOutput(*element))
                continue;
            bool bound = false;
            const QString path = recordValue(*element, from, &bound);
            if (bound)
                m_pictures.readAhead(path, element->picture, OutputPictures::pixelsFor(element->bounds().size(), kOutputDpi));
        }
    }
}

void RecordRun::noteRefused(int n, QString* failure)
{
    if (failure->isEmpty())
        *failure = QStringLiteral("The card side could not be drawn.");
    m_refused.add({n, recordLabel(n), *failure});
}

SideSnapshot RecordRun::bindAndSnapshot(int n, CardSide side)
{
    QString refusal;
    GraphicList copies = boundCopies(n, side, &refusal, false);
    readAheadAfter(n, side);
    SideSnapshot snapshot = refusal.isEmpty() ? snapshotOfCopies(std::move(copies), side, m_pictures)
                                              : SideSnapshot{CardImage(), refusal};
    if (!snapshot.isWhole()) {
        noteRefused(n, &snapshot.failure);
        return snapshot;
    }
    if (Mirror_Image_Create)
        snapshot.image = snapshot.image.mirrored(Mirror_Vertical_Not_Horz);
    return snapshot;
}

GraphicList RecordRun::recordOnCopies(int n, CardSide side, QString* refusal)
{
    GraphicList copies = boundCopies(n, side, refusal);
    if (refusal->isEmpty()) {
        // Drawn once, small, to learn that every bound picture can be read.
        constexpr double kCheckDpi = 72.0;
        const SideSnapshot check = snapshotForOutput(copies, side, m_pictures, kCheckDpi);
        if (check.isWhole())
            return copies;
        *refusal = check.failure;
    }
    noteRefused(n, refusal);
    return GraphicList();
}

SideSnapshot RecordRun::Set_data_table_value_to_card(int n, CardSide side)
{
    SideSnapshot snapshot;
    GuiThread::runBlocking([&] { snapshot = bindAndSnapshot(n, side); });
    return snapshot;
}

SideSnapshot RecordRun::Generate_Batch_Image_For_Differ_Value_from_redrenig_class(const GraphicList& elements,
                                                                                   CardSide side)
{
    SideSnapshot snapshot;
    GuiThread::runBlocking([&] { snapshot = snapshotForOutput(elements, side, m_pictures); });
    return snapshot;
}
