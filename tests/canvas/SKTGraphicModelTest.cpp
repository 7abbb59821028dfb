// The element record: construction defaults, accessors with effects, copy, properties, observation.
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

#include "canvas/model/CardHost.h"
#include "canvas/model/SKTError.h"
#include "canvas/model/SKTGraphicKinds.h"
#include "canvas/model/SKTMapTableOwner.h"
#include "mainwindow/MainWindowGlobals.h"

namespace {

const QList<GraphicKind> kAllKinds = {GraphicKind::Text,  GraphicKind::Line,
                                      GraphicKind::Shape, GraphicKind::Image,
                                      GraphicKind::Barcode, GraphicKind::Signature};

struct Change {
    QString key;
    QVariant oldValue;
    QVariant newValue;
};

class RecordingObserver : public GraphicObserver {
public:
    void graphicValueChanged(SKTGraphic&, const QString& key, const QVariant& oldValue,
                             const QVariant& newValue) override
    {
        changes.append({key, oldValue, newValue});
    }
    void graphicObservedKeysChanged(SKTGraphic&, const QSet<QString>&, const QSet<QString>&) override {}
    QList<Change> changes;
};

}  // namespace

TEST(GraphicConstruction, FillStrokeAndShadowFollowTheKind)
{
    struct Expected {
        GraphicKind kind;
        bool fill, stroke, shadow;
    };
    const QList<Expected> table = {
        {GraphicKind::Text, false, false, false},  {GraphicKind::Line, true, true, true},
        {GraphicKind::Shape, true, true, true},    {GraphicKind::Image, true, false, true},
        {GraphicKind::Barcode, false, true, true}, {GraphicKind::Signature, true, true, true}};
    for (const Expected& e : table) {
        const GraphicPtr g = SKTGraphic::create(e.kind);
        SCOPED_TRACE(g->className().toStdString());
        EXPECT_EQ(g->kind(), e.kind);
        EXPECT_EQ(g->_isDrawingFill, e.fill);
        EXPECT_EQ(g->_isDrawingStroke, e.stroke);
        EXPECT_EQ(g->Drawing_Shadow, e.shadow);
        EXPECT_TRUE(g->ctrl_is_visible);
        EXPECT_FALSE(g->ctrl_is_locked);
        EXPECT_TRUE(g->control_ID.isEmpty());
        EXPECT_EQ(g->Text_Value, "Text here");
        EXPECT_EQ(g->_file_path, QDir(Resource_Path).filePath("no.png"));
    }
}

TEST(GraphicConstruction, NewShapeHasWhiteFillBlackSolidOutlineAndBlueShadow)
{
    const GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    EXPECT_EQ(g->_fillColor, QColor(Qt::white));
    EXPECT_EQ(g->_strokeColor, QColor(Qt::black));
    EXPECT_EQ(g->_strokeWidth, 1.0);
    EXPECT_EQ(g->_stroke_border_type, "S");
    EXPECT_EQ(g->_shape_type, "R");
    EXPECT_EQ(g->Shadow_Color, QColor(Qt::blue));
    EXPECT_EQ(g->Shadow_offset_X, 5.0f);
    EXPECT_EQ(g->Shadow_offset_Y, 5.0f);
    EXPECT_EQ(g->text_ctrl_font, cardHost().All_Text_font());
    EXPECT_EQ(g->value_font_val, (CardFont{Text_Ctrl_Font, 10.0}));
    EXPECT_EQ(g->barcode_back_clr_val, QColor(Qt::white));
    EXPECT_EQ(g->align_hdr_index, 1);
    EXPECT_EQ(g->dpi_custom_val, "0");
}

TEST(GraphicKinds, ClassNamesMapBothWays)
{
    for (GraphicKind kind : kAllKinds)
        EXPECT_EQ(SKTGraphic::kindForClassName(SKTGraphic::className(kind)), kind);
    EXPECT_EQ(SKTGraphic::className(GraphicKind::Shape), "Shape_Control");
    EXPECT_FALSE(SKTGraphic::kindForClassName("SKTGraphic").has_value());
}

TEST(GraphicDataSource, SettingTheSourceClearsTheOthers)
{
    auto bound = [] {
        GraphicPtr g = SKTGraphic::create(GraphicKind::Text);
        g->batch_list_name = "Names";
        g->batch_list_index = 3;
        g->excel_binding = true;
        g->excel_col_indx = 4;
        return g;
    };
    GraphicPtr g = bound();
    g->Set_Data_source_type(0);
    EXPECT_EQ(g->batch_list_index, -1);
    EXPECT_TRUE(g->batch_list_name.isEmpty());
    EXPECT_FALSE(g->excel_binding);
    EXPECT_EQ(g->excel_col_indx, -1);

    g = bound();
    g->Set_Data_source_type(1);
    EXPECT_EQ(g->batch_list_name, "Names");
    EXPECT_EQ(g->batch_list_index, 3);
    EXPECT_FALSE(g->excel_binding);
    EXPECT_EQ(g->excel_col_indx, -1);

    g = bound();
    g->excel_binding = false;
    g->Set_Data_source_type(2);
    EXPECT_TRUE(g->excel_binding);
    EXPECT_EQ(g->excel_col_indx, 4);
    EXPECT_EQ(g->batch_list_index, -1);
    EXPECT_TRUE(g->batch_list_name.isEmpty());

    g = bound();
    g->Set_Data_source_type(5);
    EXPECT_EQ(g->data_source_type, 5);
    EXPECT_EQ(g->batch_list_name, "Names");
    EXPECT_EQ(g->batch_list_index, 3);
    EXPECT_TRUE(g->excel_binding);
    EXPECT_EQ(g->excel_col_indx, 4);
}

TEST(GraphicCopy, KeepsOnlyTheSubsetAndStartsFromDefaults)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->_bounds = QRectF(1, 2, 3, 4);
    g->_fillColor = Qt::red;
    g->_strokeWidth = 2.5;
    g->_fill_hatch_type = "Cross";
    g->batch_list_name = "List";
    g->Text_Value = "value";
    g->control_ID = "Fup_Name";
    g->ctrl_is_locked = true;
    g->ctrl_is_visible = false;
    g->print_object = 1;
    g->cor_rad_val = 3;

    const GraphicPtr c = g->copy();
    EXPECT_EQ(c->kind(), GraphicKind::Shape);
    EXPECT_EQ(c->_bounds, g->_bounds);
    EXPECT_EQ(c->_fillColor, QColor(Qt::red));
    EXPECT_EQ(c->_strokeWidth, 2.5);
    EXPECT_EQ(c->_fill_hatch_type, "Cross");
    EXPECT_EQ(c->batch_list_name, "List");
    EXPECT_EQ(c->Text_Value, "value");
    EXPECT_TRUE(c->control_ID.isEmpty());
    EXPECT_FALSE(c->ctrl_is_locked);
    EXPECT_TRUE(c->ctrl_is_visible);
    EXPECT_EQ(c->print_object, 0);
    EXPECT_EQ(c->cor_rad_val, 10.0f);
}

TEST(GraphicCopy, LineAndImageAddTheirOwnFields)
{
    auto line = SKTGraphic::create(GraphicKind::Line);
    static_cast<SKTLine&>(*line)._pointsRight = true;
    static_cast<SKTLine&>(*line)._pointsDown = true;
    const auto lineCopy = std::static_pointer_cast<SKTLine>(line->copy());
    EXPECT_TRUE(lineCopy->_pointsRight);
    EXPECT_TRUE(lineCopy->_pointsDown);

    auto image = SKTGraphic::create(GraphicKind::Image);
    image->_contents = QImage(4, 3, QImage::Format_RGB32);
    image->_contents.fill(Qt::green);
    image->_contents_with_settings = image->_contents.mirrored();
    const GraphicPtr imageCopy = image->copy();
    EXPECT_EQ(imageCopy->_contents, image->_contents);
    EXPECT_EQ(imageCopy->_contents_with_settings, image->_contents_with_settings);
    imageCopy->_contents.fill(Qt::red);
    EXPECT_EQ(image->_contents.pixelColor(0, 0), QColor(Qt::green));
}

TEST(GraphicColors, OpacityIsAppliedAndStoredBack)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->_fillColor = QColor(10, 20, 30);
    EXPECT_EQ(g->fillColor().alpha(), 255);  // the default 100.0 paints opaque

    g->alpha_val = 0.5f;
    const QColor half = g->fillColor();
    EXPECT_NEAR(half.alphaF(), 0.5, 0.01);
    EXPECT_EQ(half.red(), 10);
    EXPECT_NEAR(g->_fillColor.alphaF(), 0.5, 0.01);

    g->alpha_val_stroke = -2.0f;
    EXPECT_EQ(g->strokeColor().alpha(), 0);
    EXPECT_EQ(g->_strokeColor.alpha(), 0);

    g->alpha_val = NAN;
    EXPECT_EQ(g->fill_hatch_bk_clr().alpha(), 255);
    EXPECT_EQ(g->_fill_htch_clr.alpha(), 255);
}

TEST(GraphicObservation, SettersReportOldAndNewValues)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    RecordingObserver observer;
    g->addObserver(&observer);

    g->setStrokeWidth(3.0);
    g->setFillColor(Qt::red);
    g->setXPosition(40);
    ASSERT_EQ(observer.changes.size(), 3);
    EXPECT_EQ(observer.changes[0].key, "strokeWidth");
    EXPECT_EQ(observer.changes[0].oldValue.toDouble(), 1.0);
    EXPECT_EQ(observer.changes[0].newValue.toDouble(), 3.0);
    EXPECT_EQ(observer.changes[1].oldValue.value<QColor>(), QColor(Qt::white));
    EXPECT_EQ(observer.changes[1].newValue.value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(observer.changes[2].key, "bounds");

    g->removeObserver(&observer);
    g->setDrawingStroke(false);
    EXPECT_EQ(observer.changes.size(), 3);
}

TEST(GraphicObservation, SetColorTurnsTheFillOnOnlyWhereAllowed)
{
    GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
    shape->_isDrawingFill = false;
    RecordingObserver observer;
    shape->addObserver(&observer);
    shape->setColor(Qt::yellow);
    ASSERT_EQ(observer.changes.size(), 2);
    EXPECT_EQ(observer.changes[0].key, "drawingFill");
    EXPECT_EQ(observer.changes[1].key, "fillColor");
    EXPECT_TRUE(shape->_isDrawingFill);
    EXPECT_EQ(shape->_fillColor, QColor(Qt::yellow));

    GraphicPtr line = SKTGraphic::create(GraphicKind::Line);
    line->setColor(Qt::yellow);
    EXPECT_EQ(line->_fillColor, QColor(Qt::white));
}

TEST(GraphicObservation, KeysAndPresentableNames)
{
    const GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    EXPECT_EQ(g->keysForValuesToObserveForUndo(),
              (QSet<QString>{"drawingFill", "fillColor", "drawingStroke", "strokeColor",
                             "strokeWidth", "bounds"}));
    const QString name = SKTGraphic::presentablePropertyNameForKey("noSuchKey");
    EXPECT_FALSE(name.isNull());
    EXPECT_TRUE(name.isEmpty());

    g->setValueForKey("width", 12.0);
    g->setValueForKey("yPosition", 7.0);
    EXPECT_EQ(g->valueForKey("bounds").toRectF(), QRectF(0, 7, 12, 0));
    EXPECT_FALSE(g->valueForKey("noSuchKey").isValid());
}

TEST(GraphicAccessors, TextStorageFollowsTheValue)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Text);
    g->Set_text_value("first");
    EXPECT_TRUE(g->_Text_contents.isEmpty());  // made on first use only
    EXPECT_EQ(g->Text_contents(), "first");
    g->Set_text_value("second");
    EXPECT_EQ(g->_Text_contents, "second");
    EXPECT_EQ(g->Text_Value, "second");
}

TEST(GraphicAccessors, BarcodePictureSetsTheSizeInPoints)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Barcode);
    g->_bounds = QRectF(5, 6, 1, 1);
    QImage picture(240, 120, QImage::Format_RGB32);
    picture.setDevicePixelRatio(2.0);
    g->Set_Barcode_image(picture);
    EXPECT_EQ(g->_bounds, QRectF(5, 6, 120, 60));
    g->Set_Barcode_image_control_bounds(QRectF(1, 1, 2, 2));
    EXPECT_EQ(g->bar_image_ctrl_bounds, QRectF(1, 1, 2, 2));
}

TEST(GraphicProperties, RoundTripAndWrongTypesIgnored)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->_bounds = QRectF(1.5, -2, 30.25, 40);
    g->_fillColor = QColor(1, 2, 3);
    g->_isDrawingStroke = false;
    g->_strokeWidth = 0.75;
    const QVariantMap properties = g->properties();
    EXPECT_EQ(properties.value("bounds").toString(), "{{1.5, -2}, {30.25, 40}}");

    const GraphicPtr back = SKTGraphic::initWithProperties(GraphicKind::Shape, properties);
    EXPECT_EQ(back->_bounds, g->_bounds);
    EXPECT_EQ(back->_fillColor, QColor(1, 2, 3));
    EXPECT_FALSE(back->_isDrawingStroke);
    EXPECT_EQ(back->_strokeWidth, 0.75);
    EXPECT_FALSE(g->description().isEmpty());

    const QVariantMap wrong = {{"bounds", 5},
                               {"drawingFill", "yes"},
                               {"fillColor", QByteArray("junk")},
                               {"strokeWidth", QStringLiteral("2")}};
    const GraphicPtr defaults = SKTGraphic::initWithProperties(GraphicKind::Shape, wrong);
    EXPECT_EQ(defaults->_bounds, QRectF());
    EXPECT_TRUE(defaults->_isDrawingFill);
    EXPECT_EQ(defaults->_fillColor, QColor(Qt::white));
    EXPECT_EQ(defaults->_strokeWidth, 1.0);
}

TEST(ImageFilePath, LoadsRegularFilesOnly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("photo.png");
    QImage picture(6, 4, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    ASSERT_TRUE(picture.save(path));

    auto image = std::static_pointer_cast<SKTImage>(SKTGraphic::create(GraphicKind::Image));
    image->setFilePath(path, true);
    EXPECT_EQ(image->_file_path, path);
    EXPECT_EQ(image->Text_Value, path);
    EXPECT_EQ(image->_contents.size(), QSize(6, 4));
    EXPECT_EQ(image->_contents_with_settings.size(), QSize(6, 4));

    image->setFilePath(dir.path(), false);  // a folder is not a picture
    EXPECT_TRUE(image->_contents.isNull());
    EXPECT_EQ(image->Text_Value, path);

    image->setFilePath("", true);
    EXPECT_EQ(image->Text_Value, path);
}

TEST(GraphicSupport, ErrorsCarryTheDomainAndFallbackTexts)
{
    const SKTError error = SKTErrorWithCode(2);
    EXPECT_EQ(error.domain, "ZOVACardErrorDomain");
    EXPECT_EQ(error.code, 2);
    EXPECT_EQ(error.localizedDescription,
              "The card designer could not complete the operation because an unknown error "
              "occurred.");
    EXPECT_EQ(error.localizedFailureReason, "An unknown error occurred.");
}

TEST(GraphicSupport, MapTableKeysByIdentityAndHoldsStrongly)
{
    SKTMapTableOwner owner;
    std::weak_ptr<SKTGraphic> weak;
    {
        GraphicPtr a = SKTGraphic::create(GraphicKind::Text);
        GraphicPtr b = a->copy();
        owner.valuesFor(a).insert("bounds", QRectF(1, 1, 1, 1));
        owner.valuesFor(b).insert("bounds", QRectF(2, 2, 2, 2));
        owner.valuesFor(a).insert("fillColor", QColor(Qt::red));
        weak = a;
    }
    EXPECT_EQ(owner.mapTable().size(), 2);
    ASSERT_FALSE(weak.expired());
    EXPECT_EQ(owner.mapTable().value(weak.lock().get()).values.size(), 2);
}

TEST(GraphicSupport, StandInHostCascadesOnTheCard)
{
    CardHost& host = cardHost();
    const QRectF card = host.frontCanvasBounds();
    EXPECT_EQ(card, QRectF(0, 0, 243, 154));
    QPointF previous = host.Control_New_Point("F");
    for (int i = 0; i < 12; ++i) {
        const QPointF p = host.Control_New_Point("F");
        EXPECT_LT(p.y() + 50, card.height());
        const bool stepped = p == previous + QPointF(20, 20);
        EXPECT_TRUE(stepped || p == QPointF(10, 10)) << p.x() << "," << p.y();
        previous = p;
    }
    const QString first = host.Generate_Extra_image_control_ID();
    const QString second = host.Generate_Extra_image_control_ID();
    EXPECT_TRUE(first.startsWith("F_Pic"));
    EXPECT_EQ(second.mid(5).toInt(), first.mid(5).toInt() + 1);
}
