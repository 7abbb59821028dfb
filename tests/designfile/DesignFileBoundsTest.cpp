// Design files from hostile or newer hands: numbers brought within bounds, entries longer than
// their kind kept, and binary files as large as real ones read like their XML form; every number
// at the ends of its range saved and reopened unchanged, and one just past them never written.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>
#include <type_traits>

#include "designfile/DesignElementRecords.h"
#include "designfile/DesignFile.h"
#include "designfile/DesignFileSamples.h"
#include "model/NumberBounds.h"
#include "platform/PropertyList.h"
#include "render/CardImage.h"
#include "support/TestEnvironment.h"

namespace {

class DesignFileBounds : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    // The sample design's items, changed by `edit`, written as an XML file.
    void writeEdited(const char* name, const std::function<void(QVariantList&)>& edit) const
    {
        ASSERT_TRUE(writeDesignFile(path(name), design));
        QVariantList items = PropertyList::readFile(path(name)).value_or(QVariant()).toList();
        ASSERT_FALSE(items.isEmpty());
        edit(items);
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QString error;
        const QByteArray bytes = PropertyList::toData(QVariant(items), PropertyList::Format::Xml, &error);
        ASSERT_FALSE(bytes.isEmpty()) << error.toStdString();
        file.write(bytes);
    }
    std::optional<DesignState> read(const char* name) const
    {
        DesignFileError error;
        std::optional<DesignState> state = readDesignFile(path(name), &error);
        EXPECT_TRUE(state) << error.itemIndex << ": " << error.reason.toStdString();
        return state;
    }
    // The position of the first element entry whose type letter is `letter`.
    static qsizetype entryOf(const QVariantList& items, const char* letter)
    {
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (items[i].typeId() != QMetaType::QVariantList)
                continue;
            const QVariantList entry = items[i].toList();
            if (!entry.isEmpty() && entry.first().toString() == QLatin1String(letter))
                return i;
        }
        return -1;
    }
    static void setItem(QVariantList& items, qsizetype entry, int item, const QString& value)
    {
        QVariantList changed = items[entry].toList();
        changed[item] = value;
        items[entry] = changed;
    }

    QTemporaryDir dir;
    DesignState design = DesignSamples::fullDesign(DesignSamples::samplePicture(dir.path()));
};

// Items of an entry: 7 the stroke width, 8 the dash code; of a text entry 27 the vertical and
// 28 the horizontal alignment; of the front card block (from item 2) 4 the border width.
TEST_F(DesignFileBounds, ExtremeNumbersAreBroughtWithinBoundsAndListIndexesFallBack)
{
    writeEdited("extreme.did", [](QVariantList& items) {
        const qsizetype shape = entryOf(items, "D");
        setItem(items, shape, 7, QStringLiteral("2147483647"));
        const qsizetype text = entryOf(items, "T");
        setItem(items, text, 28, QStringLiteral("99"));
        items[4] = QStringLiteral("2147483647");
    });
    const std::optional<DesignState> state = read("extreme.did");
    ASSERT_TRUE(state);
    const auto elementOf = [&](GraphicKind kind) {
        for (const GraphicPtr& element : state->frontElements)
            if (element->kind() == kind)
                return element;
        return GraphicPtr();
    };
    EXPECT_EQ(elementOf(GraphicKind::Shape)->_strokeWidth, NumberBounds::kStrokeWidth.high);
    EXPECT_EQ(elementOf(GraphicKind::Text)->textStyle.text_alignmnet, 2) << "the list's default";
    EXPECT_EQ(state->front.Card_bor_Stepper(), int(NumberBounds::kStrokeWidth.high));
}

// Everyday values at the edges of what the bounding touches come back as they were; an alignment
// past the list's end in a file falls back to the list's default (centre).
TEST_F(DesignFileBounds, EverydayAnglesWidthsAndSpacingsSurviveAndAnAlignmentPastTheListFallsBack)
{
    const auto elementOf = [](const GraphicList& elements, GraphicKind kind) {
        for (const GraphicPtr& element : elements)
            if (element->kind() == kind)
                return element;
        return GraphicPtr();
    };
    GraphicPtr text = elementOf(design.frontElements, GraphicKind::Text);
    text->textStyle.text_alignmnet = 0, text->textStyle.text_kerning = -0.5f, text->text_rotation = 200;
    GraphicPtr shape = elementOf(design.frontElements, GraphicKind::Shape);
    shape->_fill_grad_angle = 270, shape->_strokeWidth = 0, shape->cor_rad_val = 90;
    elementOf(design.frontElements, GraphicKind::Image)->picture.rotate_image = 180;
    design.front.setCard_grad_Stepper(270);
    ASSERT_TRUE(writeDesignFile(path("everyday.did"), design));
    const std::optional<DesignState> state = read("everyday.did");
    ASSERT_TRUE(state);
    const TextStyle& style = elementOf(state->frontElements, GraphicKind::Text)->textStyle;
    EXPECT_EQ(style.text_alignmnet, 0);
    EXPECT_EQ(style.text_kerning, -0.5f);
    EXPECT_EQ(elementOf(state->frontElements, GraphicKind::Text)->text_rotation, 200);
    EXPECT_EQ(elementOf(state->frontElements, GraphicKind::Shape)->_fill_grad_angle, 270);
    EXPECT_EQ(elementOf(state->frontElements, GraphicKind::Shape)->_strokeWidth, 0);
    EXPECT_EQ(elementOf(state->frontElements, GraphicKind::Shape)->cor_rad_val, 90);
    EXPECT_EQ(elementOf(state->frontElements, GraphicKind::Image)->picture.rotate_image, 180);
    EXPECT_EQ(state->front.Card_grad_Stepper(), 270);

    writeEdited("alignment.did", [](QVariantList& items) { setItem(items, entryOf(items, "T"), 28, QStringLiteral("5")); });
    const std::optional<DesignState> edited = read("alignment.did");
    ASSERT_TRUE(edited);
    EXPECT_EQ(elementOf(edited->frontElements, GraphicKind::Text)->textStyle.text_alignmnet, 2);
}

// A thick dashed outline once kept the stroker busy for minutes; bounded, the card renders.
TEST_F(DesignFileBounds, ACardSizedEllipseWithAThousandPointDashedBorderRenders)
{
    GraphicPtr ellipse = SKTGraphic::create(GraphicKind::Shape);
    ellipse->_shape_type = QStringLiteral("C");
    ellipse->_bounds = QRectF(0, 0, 243, 154);
    ellipse->_strokeWidth = 1000;
    ellipse->_stroke_border_type = QStringLiteral("DA");
    design.frontElements = {ellipse};
    design.backElements.clear();
    ASSERT_TRUE(writeDesignFile(path("dashed.did"), design));
    const std::optional<DesignState> state = read("dashed.did");
    ASSERT_TRUE(state);
    const CardScene scene{state->frontElements, state->front, 0, QRectF(0, 0, 243, 154)};
    const QImage card = rasterAt(scene.card.size(), 600, [&](QPainter& p) { drawCardScene(p, scene); });
    ASSERT_FALSE(card.isNull());
    EXPECT_EQ(state->frontElements.first()->_strokeWidth, NumberBounds::kStrokeWidth.high);
    // The outline as wide as allowed: black dashes over most of the card's edge band.
    qint64 black = 0;
    for (int y = 0; y < card.height(); y += 4)
        for (int x = 0; x < card.width(); x += 4)
            black += qGray(card.pixel(x, y)) < 64;
    EXPECT_GT(black * 16, qint64(card.width()) * card.height() / 3);
}

// A later version may add items to an entry; this one reads what it knows.
TEST_F(DesignFileBounds, AnEntryWithMoreItemsThanItsKindReadsWithThemIgnored)
{
    writeEdited("newer.did", [](QVariantList& items) {
        for (const char* letter : {"T", "L", "D", "I", "B", "S"}) {
            const qsizetype entry = entryOf(items, letter);
            QVariantList longer = items[entry].toList();
            longer << QStringLiteral("a later field") << QStringLiteral("7");
            items[entry] = longer;
        }
    });
    const std::optional<DesignState> state = read("newer.did");
    ASSERT_TRUE(state);
    ASSERT_EQ(state->frontElements.size(), design.frontElements.size());
    for (qsizetype i = 0; i < design.frontElements.size(); ++i)
        EXPECT_EQ(Get_Control_Prop_To_Array(*state->frontElements[i]), Get_Control_Prop_To_Array(*design.frontElements[i]))
            << design.frontElements[i]->className().toStdString();
}

// libplist finds an array item by its index by walking the array from its start; a reader that
// asked for each item by index took minutes over a binary file of this size.
TEST_F(DesignFileBounds, AMegabyteBinaryDesignReadsLikeItsXmlForm)
{
    for (int row = 4; row <= 16000; ++row) {
        DataRow cells{{QStringLiteral("Extension"), QString::number(row)}};
        for (int column = 1; column <= 3; ++column)
            cells.insert(QStringLiteral("Column%1").arg(column), QStringLiteral("Cell %1.%2").arg(row).arg(column));
        design.rows.append(cells);
    }
    ASSERT_TRUE(writeDesignFile(path("large.did"), design));
    const TestEnvironment::ProcessResult converted = TestEnvironment::runPython(
        QStringLiteral("import plistlib, sys\n"
                       "data = plistlib.load(open(sys.argv[1], 'rb'))\n"
                       "plistlib.dump(data, open(sys.argv[2], 'wb'), fmt=plistlib.FMT_BINARY)\n"),
        {path("large.did"), path("large-binary.did")});
    ASSERT_EQ(converted.exitCode, 0) << converted.err.constData();
    EXPECT_GT(QFileInfo(path("large-binary.did")).size(), 1000000);

    const std::optional<DesignState> xml = read("large.did");
    const std::optional<DesignState> binary = read("large-binary.did");
    ASSERT_TRUE(xml && binary);
    EXPECT_EQ(binary->rows, xml->rows);
    EXPECT_EQ(binary->rows.size(), 16000);
    EXPECT_EQ(binary->frontElements.size(), xml->frontElements.size());
}

}  // namespace

namespace {

// ---- Every number at the ends of its range -------------------------------------------------

constexpr double kIntMin = std::numeric_limits<qint32>::min();
constexpr double kIntMax = std::numeric_limits<qint32>::max();
constexpr double kMillimetre = 72.0 / 25.4;

// A numeric field of some record: how to set and get it as a double, the smallest and largest
// values the design file accepts for it, and whether it holds whole numbers.
template <typename Record>
struct NumericField {
    const char* name;
    std::function<void(Record&, double)> set;
    std::function<double(const Record&)> get;
    double low;
    double high;
    bool whole;
};

template <typename T>
constexpr bool isWhole = std::is_integral_v<std::remove_cvref_t<T>>;

#define CARD_FIELD(Name, low, high)                                                                   \
    NumericField<Card_Property>{#Name, [](Card_Property& p, double v) { p.set##Name(decltype(p.Name())(v)); }, \
                                [](const Card_Property& p) { return double(p.Name()); }, low, high,     \
                                isWhole<decltype(std::declval<Card_Property>().Name())>}
#define CARD_GEOMETRY(name, get, set, low, high) \
    NumericField<Card_Property>{name, [](Card_Property& p, double v) { set; }, [](const Card_Property& p) { return get; }, low, high, false}

const std::vector<NumericField<Card_Property>>& cardFields()
{
    static const std::vector<NumericField<Card_Property>> fields{
        CARD_FIELD(Card_bor_Stepper, 0, 72),
        CARD_FIELD(Card_grad_Stepper, 0, 360),
        CARD_FIELD(Card_Cat_index, kIntMin, kIntMax),
        CARD_FIELD(Card_alpha_Stepper, 0, 100),
        CARD_FIELD(Watermark_Alignment, 0, 2),
        CARD_FIELD(Watermark_Transp, 0, 100),
        CARD_GEOMETRY("Card_Location x", p.Card_Location().x(), p.setCard_Location(QPointF(v, p.Card_Location().y())), -100000, 100000),
        CARD_GEOMETRY("Card_Location y", p.Card_Location().y(), p.setCard_Location(QPointF(p.Card_Location().x(), v)), -100000, 100000),
        CARD_GEOMETRY("Card_Size width", p.Card_Size().width(), p.setCard_Size(QSizeF(v, p.Card_Size().height())), kMillimetre, 14400),
        CARD_GEOMETRY("Card_Size height", p.Card_Size().height(), p.setCard_Size(QSizeF(p.Card_Size().width(), v)), kMillimetre, 14400),
        CARD_GEOMETRY("Card_Content_font size", p.Card_Content_font().size,
                      p.setCard_Content_font(CardFont{QStringLiteral("DejaVu Sans"), v}), 0, 1000),
        CARD_GEOMETRY("Watermark_Font size", p.Watermark_Font().size,
                      p.setWatermark_Font(CardFont{QStringLiteral("DejaVu Sans"), v}), 0, 1000),
    };
    return fields;
}

// Element fields with the kinds whose entries store them.
struct ElementField : NumericField<SKTGraphic> {
    QList<GraphicKind> kinds;
};

const QList<GraphicKind> kEveryKind{GraphicKind::Text,    GraphicKind::Line,    GraphicKind::Shape,
                                    GraphicKind::Image,   GraphicKind::Barcode, GraphicKind::Signature};
const QList<GraphicKind> kBoundKinds{GraphicKind::Text, GraphicKind::Image, GraphicKind::Barcode};

#define ELEMENT_FIELD(member, low, high, kinds)                                                              \
    ElementField{{#member, [](SKTGraphic& g, double v) { g.member = std::remove_cvref_t<decltype(g.member)>(v); }, \
                  [](const SKTGraphic& g) { return double(g.member); }, low, high,                             \
                  isWhole<decltype(std::declval<SKTGraphic&>().member)>},                                      \
                 kinds}
#define ELEMENT_GEOMETRY(name, get, set, low, high, kinds) \
    ElementField{{name, [](SKTGraphic& g, double v) { set; }, [](const SKTGraphic& g) { return get; }, low, high, false}, kinds}

const std::vector<ElementField>& elementFields()
{
    const QList<GraphicKind> text{GraphicKind::Text}, line{GraphicKind::Line}, shape{GraphicKind::Shape},
        picture{GraphicKind::Image}, barcode{GraphicKind::Barcode};
    static const std::vector<ElementField> fields{
        ELEMENT_GEOMETRY("_bounds x", g._bounds.x(), g._bounds.moveLeft(v), -100000, 100000, kEveryKind),
        ELEMENT_GEOMETRY("_bounds y", g._bounds.y(), g._bounds.moveTop(v), -100000, 100000, kEveryKind),
        ELEMENT_GEOMETRY("_bounds width", g._bounds.width(), g._bounds.setWidth(v), -100000, 100000, kEveryKind),
        ELEMENT_GEOMETRY("_bounds height", g._bounds.height(), g._bounds.setHeight(v), -100000, 100000, kEveryKind),
        ELEMENT_FIELD(_strokeWidth, 0, 72, kEveryKind),
        ELEMENT_FIELD(_fill_grad_angle, -360, 360, kEveryKind),
        ELEMENT_FIELD(alpha_val, 0, 100, kEveryKind),
        ELEMENT_FIELD(alpha_val_stroke, 0, 100, kEveryKind),
        ELEMENT_FIELD(data_source_type, 0, 2, kBoundKinds),
        ELEMENT_FIELD(batch_list_index, -1, kIntMax, kBoundKinds),
        ELEMENT_FIELD(excel_col_indx, -1, kIntMax, kBoundKinds),
        ELEMENT_FIELD(_line_ori, kIntMin, kIntMax, line),
        ELEMENT_FIELD(_line_cap_style, 0, 2, line),
        ELEMENT_FIELD(cor_rad_val, 0, 2430, shape),
        ELEMENT_FIELD(double_star_type, kIntMin, kIntMax, shape),
        ELEMENT_FIELD(polygon_type, kIntMin, kIntMax, shape),
        ELEMENT_FIELD(text_rotation, -360, 360, (QList<GraphicKind>{GraphicKind::Shape, GraphicKind::Text})),
        ELEMENT_FIELD(textStyle.text_ctrl_font.size, 0, 1000, text),
        ELEMENT_FIELD(textStyle.text_alignmnet_Vert, kIntMin, kIntMax, text),
        ELEMENT_FIELD(textStyle.text_alignmnet, 0, 4, text),
        ELEMENT_FIELD(textStyle.text_transfrom_case, kIntMin, kIntMax, text),
        ELEMENT_FIELD(textStyle.text_kerning, -2430, 2430, text),
        ELEMENT_FIELD(textStyle.Shadow_offset_X, -2430, 2430, text),
        ELEMENT_FIELD(textStyle.Shadow_offset_Y, -2430, 2430, text),
        ELEMENT_FIELD(textStyle.Shadow_blur, 0, 100, text),
        ELEMENT_FIELD(textStyle.Shadow_transparency, 0, 100, text),
        ELEMENT_FIELD(picture.img_trnsp_val, 0, 100, picture),
        ELEMENT_FIELD(picture.hue_val, -1000, 1000, picture),
        ELEMENT_FIELD(picture.sat_val, -1000, 1000, picture),
        ELEMENT_FIELD(picture.brt_val, -1000, 1000, picture),
        ELEMENT_FIELD(picture.con_val, -1000, 1000, picture),
        ELEMENT_FIELD(picture.srp_val, -1000, 1000, picture),
        ELEMENT_FIELD(picture.ev_val, -1000, 1000, picture),
        ELEMENT_FIELD(picture.blr_val, 0, 1000, picture),
        ELEMENT_FIELD(picture.rotate_image, -360, 360, picture),
        ELEMENT_FIELD(barcode.linear_or_2d, 0, 1, barcode),
        ELEMENT_FIELD(barcode.barcode_font_index, 0, 21, barcode),
        ELEMENT_FIELD(barcode.show_hide_hdr, kIntMin, kIntMax, barcode),
        ELEMENT_FIELD(barcode.show_hide_ftr, kIntMin, kIntMax, barcode),
        ELEMENT_FIELD(barcode.show_hide_val, kIntMin, kIntMax, barcode),
        ELEMENT_FIELD(barcode.show_val_on_top, kIntMin, kIntMax, barcode),
        ELEMENT_FIELD(barcode.align_hdr_index, 0, 2, barcode),
        ELEMENT_FIELD(barcode.align_ftr_index, 0, 2, barcode),
        ELEMENT_FIELD(barcode.linear_height_val, 0, 1000, barcode),
        ELEMENT_FIELD(barcode.linear_width_val, 0, 1000, barcode),
        ELEMENT_FIELD(barcode.qr_size_val, 0, 1000, barcode),
        ELEMENT_FIELD(barcode.qr_version_index, 0, 40, barcode),
        ELEMENT_FIELD(barcode.qr_ec_index, 0, 3, barcode),
        ELEMENT_FIELD(barcode.pdf_hgt_val, 0, 1000, barcode),
        ELEMENT_FIELD(barcode.pdf_wdt_val, 0, 1000, barcode),
        ELEMENT_FIELD(barcode.pdf_ec_val, 0, 8, barcode),
        ELEMENT_FIELD(barcode.dm_module_val, 0, 1000, barcode),
        ELEMENT_FIELD(barcode.dm_format_index, 0, 30, barcode),
        ELEMENT_FIELD(barcode.dm_encoding_index, 0, 4, barcode),
        ELEMENT_FIELD(barcode.hdr_margin_val, 0, 1000, barcode),
        ELEMENT_FIELD(barcode.ftr_margin_val, 0, 1000, barcode),
        ELEMENT_FIELD(barcode.val_margin_val, 0, 1000, barcode),
        ELEMENT_FIELD(barcode.TB_marging_val, 0, 1000, barcode),
        ELEMENT_FIELD(barcode.LR_margin_val, 0, 1000, barcode),
        ELEMENT_FIELD(barcode.value_font_val.size, 0, 1000, barcode),
        ELEMENT_FIELD(barcode.header_font_val.size, 0, 1000, barcode),
        ELEMENT_FIELD(barcode.footer_font_val.size, 0, 1000, barcode),
        ELEMENT_FIELD(barcode.dpi_val_index, kIntMin, kIntMax, barcode),
        ELEMENT_FIELD(barcode.barcode_unit_val, kIntMin, kIntMax, barcode),
    };
    return fields;
}

// Which value of a field a design holds: an end of its range, or one step past it.
enum class End { Low, High, BelowLow, AboveHigh };

// The value at that end; none when the step past it leaves the 32-bit integers. The file writes
// decimals with two places, so a step of 0.01 is the smallest a file could hold.
template <typename Record>
std::optional<double> valueAt(const NumericField<Record>& field, End end)
{
    const double step = field.whole ? 1 : 0.01;
    const double value = end == End::Low        ? field.low
                         : end == End::High     ? field.high
                         : end == End::BelowLow ? field.low - step
                                                : field.high + step;
    if (field.whole && (value < kIntMin || value > kIntMax))
        return std::nullopt;
    return value;
}

// A design with one element of each kind on the front, every field of both card sides and of the
// elements at that end.
DesignState designAt(End end)
{
    DesignState design;
    for (Card_Property* side : {&design.front, &design.back}) {
        side->setCard_Size(QSizeF(242.65, 153.07));
        for (const auto& field : cardFields())
            if (const auto value = valueAt(field, end))
                field.set(*side, *value);
    }
    for (const GraphicKind kind : kEveryKind) {
        GraphicPtr element = SKTGraphic::create(kind);
        element->textStyle.text_ctrl_font.family = element->barcode.value_font_val.family = QStringLiteral("DejaVu Sans");
        element->barcode.header_font_val.family = element->barcode.footer_font_val.family = QStringLiteral("DejaVu Sans");
        for (const ElementField& field : elementFields())
            if (const auto value = valueAt(field, end); value && field.kinds.contains(kind))
                field.set(*element, *value);
        design.frontElements.append(element);
    }
    return design;
}

class NumbersAtTheirLimits : public ::testing::Test {
protected:
    // The design written by the design-file writer and read back by its reader.
    std::optional<DesignState> saveAndReopen(const DesignState& design)
    {
        const QString path = dir.filePath(QStringLiteral("limits.did"));
        EXPECT_TRUE(writeDesignFile(path, design));
        DesignFileError error;
        std::optional<DesignState> read = readDesignFile(path, &error);
        EXPECT_TRUE(read) << "refused: item " << error.itemIndex << ": " << error.reason.toStdString();
        return read;
    }
    // Calls check(field, owner, value set, value read back, low, high) for every field.
    template <typename Check>
    void forEachField(const DesignState& written, const DesignState& read, End end, Check check)
    {
        for (const auto& field : cardFields()) {
            if (const auto value = valueAt(field, end)) {
                check(field.name, "front", *value, field.get(read.front), field.low, field.high);
                check(field.name, "back", *value, field.get(read.back), field.low, field.high);
            }
        }
        ASSERT_EQ(read.frontElements.size(), written.frontElements.size());
        for (const GraphicPtr& element : read.frontElements) {
            for (const ElementField& field : elementFields()) {
                if (const auto value = valueAt(field, end); value && field.kinds.contains(element->kind()))
                    check(field.name, qPrintable(element->className()), *value, field.get(*element), field.low, field.high);
            }
        }
    }

    QTemporaryDir dir;
};

TEST_F(NumbersAtTheirLimits, EveryNumberAtEitherEndOfItsRangeSavesAndReopensUnchanged)
{
    for (const End end : {End::Low, End::High}) {
        const DesignState design = designAt(end);
        const std::optional<DesignState> read = saveAndReopen(design);
        ASSERT_TRUE(read);
        forEachField(design, *read, end, [](const char* field, const char* owner, double value, double back, double, double) {
            EXPECT_EQ(back, value) << field << " of " << owner;
        });
    }
}

TEST_F(NumbersAtTheirLimits, ANumberJustPastItsRangeIsNeverWrittenAndTheFileReopensAsWritten)
{
    for (const End end : {End::BelowLow, End::AboveHigh}) {
        const DesignState design = designAt(end);
        const std::optional<DesignState> read = saveAndReopen(design);
        ASSERT_TRUE(read);
        forEachField(design, *read, end, [](const char* field, const char* owner, double past, double back, double low, double high) {
            EXPECT_NE(back, past) << field << " of " << owner;
            EXPECT_TRUE(back >= low && back <= high) << field << " of " << owner << ": " << back;
        });
        // What was written is what the reader keeps: saving it again writes the same bytes.
        EXPECT_EQ(designFileData(*read), designFileData(*saveAndReopen(*read)));
    }
}

}  // namespace
