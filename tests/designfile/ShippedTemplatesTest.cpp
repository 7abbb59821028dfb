// The template library in the build's resource folder, as the template window, the size page and
// a user on another machine meet it: its layout, each design's size-page choice, its photo found
// through any copy's resources, a rewrite that changes no byte, and symbols that read back from
// the card design-probe renders. The previews are left in test-artifacts/templates for people to
// look at.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "barcodes/SymbolTools.h"
#include "designfile/DesignFile.h"
#include "model/SKTGraphic.h"
#include "platform/Units.h"
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
