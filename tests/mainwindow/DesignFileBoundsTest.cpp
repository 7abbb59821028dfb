// Design files from hostile or newer hands: numbers brought within bounds, entries longer than
// their kind kept, and binary files as large as real ones read like their XML form.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "canvas/model/NumberBounds.h"
#include "canvas/render/CardImage.h"
#include "mainwindow/DesignFileSamples.h"
#include "mainwindow/designfile/DesignElementRecords.h"
#include "mainwindow/designfile/DesignFile.h"
#include "platform/PropertyList.h"
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
    EXPECT_EQ(elementOf(GraphicKind::Shape)->_strokeWidth, NumberBounds::kMaxStrokeWidth);
    EXPECT_EQ(elementOf(GraphicKind::Text)->textStyle.text_alignmnet, 2) << "the list's default";
    EXPECT_EQ(state->front.Card_bor_Stepper(), int(NumberBounds::kMaxStrokeWidth));
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
    EXPECT_EQ(state->frontElements.first()->_strokeWidth, NumberBounds::kMaxStrokeWidth);
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
