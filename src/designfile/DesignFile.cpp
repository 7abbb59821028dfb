#include "designfile/DesignFile.h"

#include <QtConcurrent/QtConcurrentMap>
#include <algorithm>

#include "designfile/DesignElementRecords.h"
#include "model/NumberBounds.h"
#include "platform/AtomicFile.h"
#include "platform/BackgroundRelease.h"
#include "platform/Log.h"
#include "platform/PropertyList.h"
#include "platform/ResourcePaths.h"

namespace {

// ---- Writing -------------------------------------------------------------------------------

void writeCardBlock(const Card_Property& side, ItemWriter& w)
{
    Card_Property p = side;
    Bound_Card_Numbers(p, QStringLiteral("Saving"));
    w.flag(p.Card_border_chk());
    w.colour(p.Card_bordr_clr());
    w.integer(p.Card_bor_Stepper());
    w.text(p.Card_border_style());
    w.flag(p.Card_fill_chk());
    w.text(p.Card_fill_style());
    w.colour(p.Card_fill_clr());
    w.colour(p.Card_fill_Grd_1_clr());
    w.colour(p.Card_fill_Grd_2_clr());
    w.integer(p.Card_grad_Stepper());
    w.text(p.Card_hatch_style());
    w.colour(p.Card_hatch_bk_clr());
    w.decimal(p.Card_alpha_Stepper());
    w.text(p.Card_Side());
    w.text(p.Card_Side_Name());
    w.text(p.Card_Shape());
    w.text(p.Card_Name());
    w.point(p.Card_Location());
    w.size(p.Card_Size());
    w.text(p.Card_Preset());
    w.text(p.Card_Category());
    w.text(p.Card_Sub_Category());
    w.integer(p.Card_Cat_index());
    w.text(p.Card_Create_Mode());
    w.text(Stored_Picture_Path(p.Card_BG_Image_Path()));
    w.text(p.Card_BG_Image_Layout());
    w.colour(p.Card_Content_clr());
    w.font(p.Card_Content_font());
    w.flag(p.Watermark_Used());
    w.integer(p.Watermark_Alignment());
    w.decimal(p.Watermark_Transp());
    w.text(p.Watermark_Text());
    w.colour(p.Watermark_Color());
    w.font(p.Watermark_Font());
}

QVariantList tableRows(const QList<DataRow>& rows, int* dropped)
{
    QVariantList list;
    list.reserve(rows.size());
    for (const DataRow& row : rows) {
        QVariantMap values;
        for (auto it = row.cbegin(); it != row.cend(); ++it)
            values.insert(xmlSafeText(it.key(), dropped), xmlSafeText(it.value(), dropped));
        list.append(QVariant(values));
    }
    return list;
}

QVariantList safeTexts(const QStringList& texts, int* dropped)
{
    QVariantList list;
    list.reserve(texts.size());
    for (const QString& text : texts)
        list.append(xmlSafeText(text, dropped));
    return list;
}

void writeElements(const GraphicList& elements, ItemWriter& w, int* dropped)
{
    w.text(QString::number(elements.size()));
    for (const GraphicPtr& element : elements)
        w.list(Get_Control_Prop_To_Array(*element, dropped));
}

// ---- Reading -------------------------------------------------------------------------------

Card_Property readCardBlock(ItemReader& r)
{
    const QString where = QStringLiteral("Item %1").arg(r.fileIndex());
    Card_Property p;
    p.setCard_border_chk(r.flag());
    p.setCard_bordr_clr(r.colour());
    p.setCard_bor_Stepper(r.integer());
    p.setCard_border_style(r.text());
    p.setCard_fill_chk(r.flag());
    p.setCard_fill_style(r.text());
    p.setCard_fill_clr(r.colour());
    p.setCard_fill_Grd_1_clr(r.colour());
    p.setCard_fill_Grd_2_clr(r.colour());
    p.setCard_grad_Stepper(r.integer());
    p.setCard_hatch_style(r.text());
    p.setCard_hatch_bk_clr(r.colour());
    p.setCard_alpha_Stepper(r.decimal());
    p.setCard_Side(r.text());
    p.setCard_Side_Name(r.text());
    p.setCard_Shape(r.text());
    p.setCard_Name(r.text());
    p.setCard_Location(r.point(NumberBounds::kCoordinate));
    p.setCard_Size(r.size(NumberBounds::kCardSide));
    p.setCard_Preset(r.text());
    p.setCard_Category(r.text());
    p.setCard_Sub_Category(r.text());
    p.setCard_Cat_index(r.integer());
    p.setCard_Create_Mode(r.text());
    p.setCard_BG_Image_Path(r.text());
    p.setCard_BG_Image_Layout(r.text());
    p.setCard_Content_clr(r.colour());
    p.setCard_Content_font(r.font());
    p.setWatermark_Used(r.flag());
    p.setWatermark_Alignment(r.integer());
    p.setWatermark_Transp(r.decimal());
    p.setWatermark_Text(r.text());
    p.setWatermark_Color(r.colour());
    p.setWatermark_Font(r.font());
    Bound_Card_Numbers(p, where);
    return p;
}

QStringList readColumnTitles(ItemReader& r)
{
    const int at = r.fileIndex();
    QStringList titles;
    for (const QVariant& title : r.list()) {
        if (title.typeId() != QMetaType::QString)
            throw DesignFileError{at, QStringLiteral("A column title is not a text.")};
        titles.append(title.toString());
    }
    return titles;
}

// A row's cells, or none when the row is not a dictionary of texts.
std::optional<DataRow> rowFromItem(const QVariant& row)
{
    if (row.metaType() == QMetaType::fromType<DataRow>())
        return row.value<DataRow>();
    if (row.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap values = row.toMap();
    DataRow cells;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (it.value().typeId() != QMetaType::QString)
            return std::nullopt;
        cells.insert(cells.cend(), it.key(), it.value().toString());  // keys come sorted
    }
    return cells;
}

QList<DataRow> readRows(ItemReader& r)
{
    const int at = r.fileIndex();
    // Tables run to thousands of rows: they are converted side by side.
    const QList<std::optional<DataRow>> converted = QtConcurrent::blockingMapped(r.list(), rowFromItem);
    QList<DataRow> result;
    result.reserve(converted.size());
    for (const std::optional<DataRow>& row : converted) {
        if (!row)
            throw DesignFileError{at, QStringLiteral("Row %1 of the table is not a dictionary of texts.")
                                          .arg(result.size() + 1)};
        result.append(*row);
    }
    return result;
}

// The element count before a side's entries: it must leave room for the entries and for
// `itemsAfter` more items.
qsizetype readElementCount(ItemReader& r, qsizetype itemsAfter)
{
    const QString text = r.text();
    bool ok = false;
    const qlonglong count = text.trimmed().toLongLong(&ok);
    const qsizetype room = r.remaining() - itemsAfter;
    if (!ok || count < 0 || count > room) {
        throw DesignFileError{r.fileIndex() - 1, QStringLiteral("The element count \"%1\" does not fit the %2 items left for entries.")
                                                     .arg(text.left(20))
                                                     .arg(room)};
    }
    return qsizetype(count);
}

GraphicList readElements(ItemReader& r, qsizetype itemsAfter, StoredPictures& pictures)
{
    const qsizetype count = readElementCount(r, itemsAfter);
    GraphicList elements;
    for (qsizetype i = 0; i < count; ++i) {
        const int at = r.fileIndex();
        if (GraphicPtr element = Create_Control_From_Array(r.list(), at, pictures))
            elements.append(std::move(element));
    }
    return elements;
}

}  // namespace

QByteArray designFileData(const DesignState& state, QString* error)
{
    QVariantList items;
    items.reserve(kDesignFileFixedItems + state.frontElements.size() + state.backElements.size());
    ItemWriter w(items);
    int dropped = 0;
    w.text(kDesignFileMarker);
    w.text(state.startMode);
    writeCardBlock(state.front, w);
    writeCardBlock(state.back, w);
    w.flag(state.excelBindingUse);
    w.text(state.excelSourcePath);
    w.list(safeTexts(state.columnTitles, &dropped));
    w.list(tableRows(state.rows, &dropped));
    for (const qint32 column : state.groupColumns)
        w.integer(std::clamp(column, qint32(NumberBounds::kBindingIndex.low), qint32(NumberBounds::kBindingIndex.high)));
    writeElements(state.frontElements, w, &dropped);
    writeElements(state.backElements, w, &dropped);
    dropped += w.droppedCharacters();
    if (dropped > 0)
        Show_NSLog_Message(QStringLiteral("%1 control characters that a design file cannot hold were left out.").arg(dropped));

    QByteArray bytes = PropertyList::toData(QVariant(items), PropertyList::Format::Xml, error);
    if (bytes.contains(kCarriageReturnStandIn))
        bytes.replace(kCarriageReturnStandIn, QByteArrayView("&#13;"));
    return bytes;
}

bool writeDesignFile(const QString& path, const DesignState& state, QString* error)
{
    const QByteArray bytes = designFileData(state, error);
    return !bytes.isEmpty() && writeFileAtomically(path, bytes, error);
}

namespace {

const QString kRootNotArray = QStringLiteral("The property list's root is not an array.");

std::optional<QVariantList> readItems(const QString& path, DesignFileError* error,
                                      PropertyList::TextDictionaries dictionaries)
{
    QString reason;
    const std::optional<QVariant> root = PropertyList::readFile(path, &reason, dictionaries);
    if (root && root->typeId() == QMetaType::QVariantList)
        return root->toList();
    if (error)
        *error = DesignFileError{0, root ? kRootNotArray : reason, true};
    return std::nullopt;
}

}  // namespace

std::optional<QVariantList> readDesignItems(const QString& path, DesignFileError* error)
{
    return readItems(path, error, PropertyList::TextDictionaries::AsVariantMaps);
}

std::optional<DesignState> designStateFromItems(const QVariantList& items, DesignFileError* error,
                                                const ElementsRead& elementsRead)
{
    try {
        if (items.isEmpty() || items.first().toString() != kDesignFileMarker)
            throw DesignFileError{0, QStringLiteral("The file does not begin with the design file marker."), true};
        ItemReader r(items);
        r.text();
        DesignState state;
        state.startMode = r.text();
        state.front = readCardBlock(r);
        state.back = readCardBlock(r);
        state.excelBindingUse = r.flag();
        state.excelSourcePath = r.text();
        state.columnTitles = readColumnTitles(r);
        state.rows = readRows(r);
        for (qint32& column : state.groupColumns)
            column = r.integerIn(NumberBounds::kBindingIndex);
        StoredPictures pictures;
        state.frontElements = readElements(r, 1, pictures);
        state.backElements = readElements(r, 0, pictures);
        if (elementsRead)
            elementsRead(state.frontElements + state.backElements);
        pictures.giveRequested();
        state.dynamicFront = Dynamic_Controls_Of_Side(state.frontElements);
        state.dynamicBack = Dynamic_Controls_Of_Side(state.backElements);
        return state;
    } catch (const DesignFileError& failure) {
        if (error)
            *error = failure;
        return std::nullopt;
    }
}

namespace {

// The state of a design file's root as parsed; none, with the reason in *error, for a root that is
// no array of items.
std::optional<DesignState> designStateFromRoot(const std::optional<QVariant>& root, DesignFileError* error,
                                               const ElementsRead& elementsRead)
{
    if (!root)
        return std::nullopt;
    if (root->typeId() != QMetaType::QVariantList) {
        *error = DesignFileError{0, kRootNotArray, true};
        return std::nullopt;
    }
    return designStateFromItems(root->toList(), error, elementsRead);
}

}  // namespace

std::optional<DesignState> readDesignFile(const QString& path, DesignFileError* error, const ElementsRead& elementsRead)
{
    std::optional<QVariant> root;
    std::optional<DesignState> state;
    DesignFileError stateError;
    {
        // Table rows come as maps of texts, ready to be kept as they are. The state, its pictures
        // included, is made from the items as parsed while their markup is still checked, which
        // takes longer than the parse; what the check refuses gives no state.
        PropertyListRead reading(path, PropertyList::TextDictionaries::AsTextMaps);
        state = designStateFromRoot(reading.parsed(), &stateError, elementsRead);
        QString reason;
        root = reading.checked(&reason);
        if (!root) {
            if (error)
                *error = DesignFileError{0, reason, true};
            return std::nullopt;
        }
        if (reading.readAgain())
            state = designStateFromRoot(root, &stateError, elementsRead);
    }
    if (!state) {
        if (error)
            *error = stateError;
        return std::nullopt;
    }
    // The items are a large tree of small blocks; the state shares what it keeps of them.
    Release_In_Background(std::move(*root));
    return state;
}
