// The template library in the build's resource folder, as the template window, the size page and
// a user on another machine meet it: its layout, each design's size-page choice, its photo found
// through any copy's resources, a rewrite that changes no byte, symbols that read back from the
// card design-probe renders, and room on the card for the numbers each symbol will carry. The
// previews are left in test-artifacts/templates for people to look at.
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

#include "barcodes/BarcodeFactory.h"
#include "barcodes/SymbolTools.h"
#include "designfile/DesignFile.h"
#include "model/SKTGraphic.h"
#include "model/WindowlessCardHost.h"
#include "output/DesignSnapshot.h"
#include "output/RecordRun.h"
#include "platform/Units.h"
#include "render/ImageResolution.h"
#include "render/SKTRenderingView.h"
#include "support/TestEnvironment.h"

namespace {

const QStringList kCategories = {"employee", "event", "membership", "student", "visitor"};
const QString kPortableResources = QStringLiteral(".app/Contents/Resources/");
// The placeholder portrait's figure, which the head fills 40 % down its box.
const QColor kFigure(160, 173, 189);

struct ShippedTemplate {
    QString category;
    QString didPath;
    bool portrait = false;
    QString previewPath() const { return didPath.chopped(4) + QStringLiteral(".png"); }
};

QDir templatesFolder()
{
    return QDir(TestEnvironment::resourceDir() + QStringLiteral("/Templates"));
}

QList<ShippedTemplate> shippedTemplates()
{
    QList<ShippedTemplate> found;
    for (const QString& category : templatesFolder().entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QDir folder(templatesFolder().filePath(category));
        for (const QString& name : folder.entryList({QStringLiteral("*.did")}, QDir::Files, QDir::Name))
            found.append({category, folder.filePath(name), name.endsWith(QLatin1String(" (v).did"))});
    }
    return found;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

DesignState opened(const QString& path)
{
    DesignFileError error;
    const std::optional<DesignState> state = readDesignFile(path, &error);
    EXPECT_TRUE(state.has_value()) << error.itemIndex << " " << error.reason.toStdString();
    return state.value_or(DesignState());
}

GraphicPtr elementWithId(const GraphicList& elements, const QString& id)
{
    for (const GraphicPtr& element : elements)
        if (element->control_ID == id)
            return element;
    return nullptr;
}

QStringList symbolValues(const GraphicList& elements)
{
    QStringList values;
    for (const GraphicPtr& element : elements)
        if (element->kind() == GraphicKind::Barcode)
            values << (element->barcode.linear_or_2d ? element->barcode.two_d_font_val
                                                     : element->barcode.linear_font_val);
    return values;
}

// The pixel at a point of the card (points) in a picture of the whole card.
QColor pixelAt(const QImage& picture, QSizeF card, QPointF point)
{
    return picture.pixelColor(int(point.x() * picture.width() / card.width()),
                              int(point.y() * picture.height() / card.height()));
}

void expectFigure(const QColor& colour, const char* where)
{
    EXPECT_NEAR(colour.red(), kFigure.red(), 8) << where;
    EXPECT_NEAR(colour.green(), kFigure.green(), 8) << where;
    EXPECT_NEAR(colour.blue(), kFigure.blue(), 8) << where;
}

}  // namespace

TEST(ShippedTemplates, FiveCategoriesOfLowerCaseTwinsWithTheirPreviews)
{
    EXPECT_EQ(templatesFolder().entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), kCategories);
    const QList<ShippedTemplate> templates = shippedTemplates();
    EXPECT_GE(templates.size(), 24);
    QMap<QString, int> perCategory;
    for (const ShippedTemplate& t : templates) {
        SCOPED_TRACE(t.didPath.toStdString());
        const QString name = QFileInfo(t.didPath).fileName();
        EXPECT_EQ(name, name.toLower());
        ASSERT_TRUE(name.endsWith(QLatin1String(" (h).did")) || name.endsWith(QLatin1String(" (v).did")));
        QString twin = t.didPath;
        twin.replace(t.portrait ? QStringLiteral(" (v).did") : QStringLiteral(" (h).did"),
                     t.portrait ? QStringLiteral(" (h).did") : QStringLiteral(" (v).did"));
        EXPECT_TRUE(QFile::exists(twin));
        const QImage preview(t.previewPath());
        ASSERT_FALSE(preview.isNull());
        EXPECT_EQ(std::max(preview.width(), preview.height()), 320);
        EXPECT_EQ(preview.height() > preview.width(), t.portrait);
        perCategory[t.category] += 1;
    }
    for (const QString& category : kCategories)
        EXPECT_GE(perCategory.value(category), 4) << "two designs in two orientations: " << category.toStdString();
}

TEST(ShippedTemplates, EachOpensAsATemplateWithTheSizePageChoiceOfItsOrientation)
{
    const QByteArray buildFolder = TestEnvironment::resourceDir().toUtf8();
    for (const ShippedTemplate& t : shippedTemplates()) {
        SCOPED_TRACE(t.didPath.toStdString());
        const DesignState state = opened(t.didPath);
        EXPECT_EQ(state.startMode, "T");
        for (const Card_Property* side : {&state.front, &state.back}) {
            EXPECT_EQ(side->Card_Preset(), t.portrait ? "Vertical" : "Horizontal");
            const bool badge = t.category == QLatin1String("event");
            EXPECT_EQ(side->Card_Category(), badge ? "Paper Card" : "PVC Card");
            EXPECT_EQ(side->Card_Cat_index(), badge ? 5 : 0);
            EXPECT_EQ(side->Card_Sub_Category(), badge ? "Durable 1456 - Name Badge" : "CR80-Credit Card Size");
            // 3.54 x 2.36 in and 3.37 x 2.13 in, turned for a portrait card.
            QSizeF millimetres = badge ? QSizeF(89.916, 59.944) : QSizeF(85.598, 54.102);
            if (t.portrait)
                millimetres.transpose();
            EXPECT_NEAR(pointsToMillimetres(side->Card_Size().width()), millimetres.width(), 0.01);
            EXPECT_NEAR(pointsToMillimetres(side->Card_Size().height()), millimetres.height(), 0.01);
        }
        EXPECT_FALSE(state.backElements.isEmpty());
        // A visitor pass names the host and the person visited, which a visitor's own company and
        // title must not replace; other cards name the holder's.
        const bool visitor = t.category == QLatin1String("visitor");
        for (const char* id : {"Fup_Name", "Fup_UniqueNo"})
            EXPECT_NE(elementWithId(state.frontElements, QLatin1String(id)), nullptr) << id;
        for (const char* id : {"Fup_Title", "Fup_Company"})
            EXPECT_EQ(elementWithId(state.frontElements, QLatin1String(id)) != nullptr, !visitor) << id;
        EXPECT_EQ(elementWithId(state.frontElements, QStringLiteral("Fup_Website")) != nullptr, visitor);
        const GraphicPtr photo = elementWithId(state.frontElements, QStringLiteral("Fup_Photo"));
        ASSERT_NE(photo, nullptr);
        ASSERT_EQ(photo->kind(), GraphicKind::Image);
        // Named inside the application's resources, which every copy takes from its own.
        const qsizetype marker = photo->_file_path.indexOf(kPortableResources);
        ASSERT_GE(marker, 0) << photo->_file_path.toStdString();
        EXPECT_TRUE(QFile::exists(TestEnvironment::resourceDir() + u'/' +
                                  photo->_file_path.mid(marker + kPortableResources.size())));
        EXPECT_FALSE(bytesOf(t.didPath).contains(buildFolder)) << "no path of this build";
    }
}

TEST(ShippedTemplates, EachRewritesByteForByteAndRendersWithItsPhotoAndReadableSymbols)
{
    QTemporaryDir scratch;
    const QDir artifacts(QStringLiteral(ZOVA_TEMPLATES_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    QStringList fronts;
    QMap<QString, QString> expected;  // front picture -> symbol value
    int index = 0;
    for (const ShippedTemplate& t : shippedTemplates()) {
        SCOPED_TRACE(t.didPath.toStdString());
        const QString rewritten = scratch.filePath(QStringLiteral("rewritten.did"));
        const auto roundtrip = TestEnvironment::run(QStringLiteral(ZOVA_DESIGN_PROBE),
                                                    {QStringLiteral("roundtrip"), t.didPath, rewritten});
        ASSERT_EQ(roundtrip.exitCode, 0) << roundtrip.err.constData();
        EXPECT_EQ(bytesOf(rewritten), bytesOf(t.didPath));

        const QString out = scratch.filePath(QString::number(++index));
        const auto render =
            TestEnvironment::run(QStringLiteral(ZOVA_DESIGN_PROBE), {QStringLiteral("render"), t.didPath, out});
        ASSERT_EQ(render.exitCode, 0) << render.err.constData();
        const DesignState state = opened(t.didPath);
        const QSizeF card = state.front.Card_Size();
        const QRectF photo = elementWithId(state.frontElements, QStringLiteral("Fup_Photo"))->bounds();
        const QPointF head(photo.center().x(), photo.top() + 0.4 * photo.height());
        expectFigure(pixelAt(QImage(out + QStringLiteral("/front.png")), card, head), "opened design");
        expectFigure(pixelAt(QImage(t.previewPath()), card, head), "preview");

        const QStringList values = symbolValues(state.frontElements + state.backElements);
        EXPECT_EQ(values.size(), 1);
        fronts << out + QStringLiteral("/front.png");
        expected[fronts.last()] = values.value(0);
        EXPECT_EQ(symbol_tools::zbar(fronts.last()), values.value(0)) << "zbarimg";

        const QString shown = t.category + u'/' + QFileInfo(t.previewPath()).fileName();
        QDir().mkpath(artifacts.filePath(t.category));
        QFile::remove(artifacts.filePath(shown));
        EXPECT_TRUE(QFile::copy(t.previewPath(), artifacts.filePath(shown)));
    }
    const QMap<QString, symbol_tools::Decoded> read =
        symbol_tools::zxing(fronts, QString(), {QStringLiteral("-noscale")});
    for (const QString& front : fronts)
        EXPECT_EQ(read.value(front).text, expected.value(front)) << "ZXingReader " << front.toStdString();
}

namespace {

// The longest number each category's cards carry: staff, student and member numbers of ten
// characters ("WALK-0001" of the first card's steps among them), the pass and badge numbers of
// eight ("V-000127").
const QMap<QString, int> kLongestNumber = {
    {"employee", 10}, {"student", 10}, {"membership", 10}, {"visitor", 8}, {"event", 8}};
// Numbers as people type them, of each length, none of digits alone (a narrower symbol).
const QStringList kTypicalNumbers = {QStringLiteral("TYPED42"), QStringLiteral("V-000128"),
                                     QStringLiteral("WALK-0001"), QStringLiteral("NWS-100042")};

// The two roads by which a barcode takes a new value: the barcode window keeps the symbol's
// top-left corner, a record or a visitor's pass number keeps its centre.
enum class Road { BarcodeWindow, Record };

void takeValue(SKTGraphic& barcode, const QString& value, Road road)
{
    if (road == Road::Record) {
        EXPECT_EQ(Bind_Barcode_Value(barcode, value), QString());
        return;
    }
    (barcode.barcode.linear_or_2d ? barcode.barcode.two_d_font_val : barcode.barcode.linear_font_val) = value;
    BarcodeFactory& factory = barcodeFactory();
    factory.Set_Barcode_Prop_To_Control(barcode);
    barcode.Set_Barcode_image(factory.Get_Image_From_Val(value, barcode.barcode.header_val, barcode.barcode.footer_val));
    barcode.Set_Barcode_image_control_bounds(barcode.bounds());
}

GraphicPtr barcodeOf(const GraphicList& elements)
{
    for (const GraphicPtr& element : elements)
        if (element->kind() == GraphicKind::Barcode)
            return element;
    return nullptr;
}

}  // namespace

// Every shipped barcode takes each number its cards typically carry, by either road, and stays
// whole on the card; with the longest, the front is drawn at 300 dpi, where its bars are three
// dots wide as on a card printer, and read back by ZXingReader.
TEST(ShippedTemplates, EveryBarcodeTakesItsCardsTypicalNumbersAndStaysWholeOnTheCard)
{
    QTemporaryDir scratch;
    WindowlessCardHost host;
    host.outline = 1;
    setCardHost(&host);
    const auto uninstall = qScopeGuard([] { setCardHost(nullptr); });
    QMap<QString, QString> expected;  // front picture -> value
    for (const ShippedTemplate& t : shippedTemplates()) {
        const DesignState state = opened(t.didPath);
        host.front = state.front;
        const QRectF card(QPointF(0, 0), state.front.Card_Size());
        const GraphicPtr symbol = barcodeOf(state.frontElements);
        ASSERT_NE(symbol, nullptr) << t.didPath.toStdString();
        QStringList values = kTypicalNumbers;
        if (!symbol->barcode.linear_or_2d)
            values.erase(std::remove_if(values.begin(), values.end(),
                                        [&](const QString& v) { return v.size() > kLongestNumber.value(t.category); }),
                         values.end());
        for (const QString& value : values) {
            for (const Road road : {Road::BarcodeWindow, Road::Record}) {
                const QString trace = QStringLiteral("%1 %2 by the %3").arg(t.didPath, value,
                    road == Road::Record ? QStringLiteral("record") : QStringLiteral("window"));
                SCOPED_TRACE(trace.toStdString());
                const GraphicList front = DesignSnapshot::copiesOf(state.frontElements);
                const GraphicPtr barcode = barcodeOf(front);
                takeValue(*barcode, value, road);
                EXPECT_TRUE(card.contains(barcode->bounds().adjusted(0.01, 0.01, -0.01, -0.01)))
                    << "the symbol " << barcode->bounds().x() << " .. " << barcode->bounds().right() << " on a card "
                    << card.width() << " wide";
                if (value != values.last())
                    continue;
                const QString picture = scratch.filePath(QStringLiteral("%1.png").arg(expected.size()));
                ASSERT_TRUE(Increase_DPI(SKTRenderingView::image_From_Card_Graphics(front, CardSide::Front), 300)
                                .save(picture));
                expected[picture] = value;
            }
        }
    }
    const QMap<QString, symbol_tools::Decoded> read =
        symbol_tools::zxing(expected.keys(), QString(), {QStringLiteral("-noscale")});
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(read.value(it.key()).text, it.value()) << "ZXingReader " << it.key().toStdString();
}
