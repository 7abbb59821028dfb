#include "model/SKTGraphic.h"
#include "model/PropertyValues.h"

#include <QDataStream>
#include <QDebug>
#include <QIODevice>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "model/CardHost.h"
#include "model/SKTGraphicKinds.h"
#include "platform/AppContext.h"
#include "platform/ResourcePaths.h"

namespace {

const QStringList kClassNames = {
    QStringLiteral("SKTText"),  QStringLiteral("SKTLine"),    QStringLiteral("Shape_Control"),
    QStringLiteral("SKTImage"), QStringLiteral("SKTBarcode"), QStringLiteral("SKTSignature")};

// Opacity fields are fractions; anything above 1 (such as the default 100) paints opaque.
QColor withOpacity(QColor color, float opacity)
{
    if (!color.isValid())
        return color;
    const float alpha = std::isfinite(opacity) ? std::clamp(opacity, 0.0f, 1.0f) : 1.0f;
    color.setAlphaF(alpha);
    return color;
}

QString numberString(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// The rectangle string "{{x, y}, {width, height}}".
QString rectString(const QRectF& r)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}")
        .arg(numberString(r.x()), numberString(r.y()), numberString(r.width()),
             numberString(r.height()));
}

std::optional<QRectF> rectFromString(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral(R"([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)"));
    QList<double> values;
    for (auto it = number.globalMatch(text); it.hasNext() && values.size() < 5;) {
        const double v = it.next().captured().toDouble();
        if (!std::isfinite(v))
            return std::nullopt;
        values.append(v);
    }
    if (values.size() != 4)
        return std::nullopt;
    return QRectF(values[0], values[1], values[2], values[3]);
}

QByteArray colorData(const QColor& color)
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out << color;
    return data;
}

std::optional<QColor> colorFromData(const QByteArray& data)
{
    QDataStream in(data);
    QColor color;
    in >> color;
    if (in.status() != QDataStream::Ok || !color.isValid())
        return std::nullopt;
    return color;
}

}  // namespace

// ---- Kinds and construction -------------------------------------------------------------------

QString SKTGraphic::className(GraphicKind kind)
{
    return kClassNames.value(static_cast<int>(kind));
}

std::optional<GraphicKind> SKTGraphic::kindForClassName(const QString& name)
{
    const int index = kClassNames.indexOf(name);
    if (index < 0)
        return std::nullopt;
    return static_cast<GraphicKind>(index);
}

GraphicPtr SKTGraphic::create(GraphicKind kind)
{
    switch (kind) {
    case GraphicKind::Text: return std::make_shared<SKTText>();
    case GraphicKind::Line: return std::make_shared<SKTLine>();
    case GraphicKind::Shape: return std::make_shared<Shape_Control>();
    case GraphicKind::Image: return std::make_shared<SKTImage>();
    case GraphicKind::Barcode: return std::make_shared<SKTBarcode>();
    case GraphicKind::Signature: return std::make_shared<SKTSignature>();
    }
    return nullptr;
}

GraphicPtr SKTGraphic::createZeroed(GraphicKind kind)
{
    switch (kind) {
    case GraphicKind::Text: return GraphicPtr(new SKTText(ZeroFields{}));
    case GraphicKind::Line: return GraphicPtr(new SKTLine(ZeroFields{}));
    case GraphicKind::Shape: return GraphicPtr(new Shape_Control(ZeroFields{}));
    case GraphicKind::Image: return GraphicPtr(new SKTImage(ZeroFields{}));
    case GraphicKind::Barcode: return GraphicPtr(new SKTBarcode(ZeroFields{}));
    case GraphicKind::Signature: return GraphicPtr(new SKTSignature(ZeroFields{}));
    }
    return nullptr;
}

namespace {
template <typename Kind>
GraphicPtr cloneOf(const SKTGraphic& graphic)
{
    auto clone = std::make_shared<Kind>(static_cast<const Kind&>(graphic));
    clone->setScriptingContainer(nullptr);
    return clone;
}
}  // namespace

GraphicPtr SKTGraphic::cloneForRendering() const
{
    switch (kind()) {
    case GraphicKind::Text: return cloneOf<SKTText>(*this);
    case GraphicKind::Line: return cloneOf<SKTLine>(*this);
    case GraphicKind::Shape: return cloneOf<Shape_Control>(*this);
    case GraphicKind::Image: return cloneOf<SKTImage>(*this);
    case GraphicKind::Barcode: return cloneOf<SKTBarcode>(*this);
    case GraphicKind::Signature: return cloneOf<SKTSignature>(*this);
    }
    return nullptr;
}

void SKTGraphic::drawContentsInView(QPainter&, bool) {}

void SKTGraphic::applyConstructionDefaults()
{
    const GraphicKind k = kind();
    CardHost& host = cardHost();

    _boundsBeingChangedToMatchContents = false;
    _bounds = QRectF();
    _isDrawingFill = !(k == GraphicKind::Text || k == GraphicKind::Barcode);
    _fillColor = Qt::white;
    _isDrawingStroke = !(k == GraphicKind::Text || k == GraphicKind::Image);
    _strokeColor = Qt::black;
    _strokeWidth = 1.0;
    _stroke_border_type = QStringLiteral("S");
    _fill_type = QStringLiteral("S");
    _fill_Grad_clr1 = Qt::white;
    _fill_Grad_clr2 = Qt::white;
    _fill_grad_angle = 0;
    _fill_htch_clr = Qt::white;
    _fill_hatch_type = QString();
    picture = PictureSettings();
    data_source_type = 0;
    batch_list_name = QString();
    batch_list_index = 0;
    _file_path = No_Image_Path();
    _scriptingContainer = nullptr;
    sign_or_fingureprint = QStringLiteral("S");
    _line_ori = 0;
    _line_cap_style = 0;
    cor_rad_val = 10.0f;
    alpha_val = 100.0f;
    alpha_val_stroke = 100.0f;
    textStyle = TextStyle::defaults(host.All_Text_font(), host.All_Text_clr());
    textStyle.Drawing_Shadow = k != GraphicKind::Text;
    _Text_contents = QString();
    _shape_type = QStringLiteral("R");
    bar_image_ctrl_bounds = QRectF();
    _barcode_image = BarcodePicture();
    barcode = BarcodeSettings::defaults();
    ctrl_is_locked = false;
    print_object = 0;
    control_ID = QString();
    excel_binding = false;
    excel_col_indx = 0;
    Text_Value = QStringLiteral("Text here");
    ctrl_is_visible = true;
    double_star_type = 1;
    polygon_type = 1;
    text_rotation = 0;
    _contents = QImage();
    _contents_with_settings = QImage();
}

// ---- Observation and key-value coding ---------------------------------------------------------

void SKTGraphic::addObserver(GraphicObserver* observer)
{
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void SKTGraphic::removeObserver(GraphicObserver* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void SKTGraphic::notifyValueChanged(const QString& key, const QVariant& oldValue,
                                    const QVariant& newValue)
{
    // A copy, so an observer may remove itself while being told.
    const std::vector<GraphicObserver*> observers(observers_.begin(), observers_.end());
    for (GraphicObserver* observer : observers)
        observer->graphicValueChanged(*this, key, oldValue, newValue);
}

void SKTGraphic::notifyObservedKeysChanged(const QSet<QString>& oldKeys,
                                           const QSet<QString>& newKeys)
{
    const std::vector<GraphicObserver*> observers(observers_.begin(), observers_.end());
    for (GraphicObserver* observer : observers)
        observer->graphicObservedKeysChanged(*this, oldKeys, newKeys);
}

void SKTGraphic::changeObservedValue(const QString& key, const std::function<void()>& change)
{
    const QVariant oldValue = valueForKey(key);
    change();
    notifyValueChanged(key, oldValue, valueForKey(key));
}

QVariant SKTGraphic::valueForKey(const QString& key) const
{
    if (key == SKTGraphicBoundsKey)
        return _bounds;
    if (key == SKTGraphicIsDrawingFillKey)
        return isDrawingFill();
    if (key == SKTGraphicFillColorKey)
        return withOpacity(_fillColor, alpha_val);
    if (key == SKTGraphicIsDrawingStrokeKey)
        return isDrawingStroke();
    if (key == SKTGraphicStrokeColorKey)
        return withOpacity(_strokeColor, alpha_val_stroke);
    if (key == SKTGraphicStrokeWidthKey)
        return _strokeWidth;
    if (key == SKTGraphicXPositionKey)
        return xPosition();
    if (key == SKTGraphicYPositionKey)
        return yPosition();
    if (key == SKTGraphicWidthKey)
        return width();
    if (key == SKTGraphicHeightKey)
        return height();
    if (key == SKTGraphicDrawingBoundsKey)
        return drawingBounds();
    if (key == SKTGraphicCanSetDrawingFillKey)
        return canSetDrawingFill();
    if (key == SKTGraphicCanSetDrawingStrokeKey)
        return canSetDrawingStroke();
    if (key == SKTGraphicClassNameKey)
        return className();
    return QVariant();
}

void SKTGraphic::setValueForKey(const QString& key, const QVariant& value)
{
    if (key == SKTGraphicBoundsKey)
        setBounds(value.toRectF());
    else if (key == SKTGraphicIsDrawingFillKey)
        setDrawingFill(value.toBool());
    else if (key == SKTGraphicFillColorKey)
        setFillColor(value.value<QColor>());
    else if (key == SKTGraphicIsDrawingStrokeKey)
        setDrawingStroke(value.toBool());
    else if (key == SKTGraphicStrokeColorKey)
        setStrokeColor(value.value<QColor>());
    else if (key == SKTGraphicStrokeWidthKey)
        setStrokeWidth(value.toDouble());
    else if (key == SKTGraphicXPositionKey)
        setXPosition(value.toDouble());
    else if (key == SKTGraphicYPositionKey)
        setYPosition(value.toDouble());
    else if (key == SKTGraphicWidthKey)
        setWidth(value.toDouble());
    else if (key == SKTGraphicHeightKey)
        setHeight(value.toDouble());
}

QSet<QString> SKTGraphic::keysForValuesToObserveForUndo() const
{
    // One shared set: every element of an opened design is observed with it.
    static const QSet<QString> keys{SKTGraphicIsDrawingFillKey, SKTGraphicFillColorKey,
                                    SKTGraphicIsDrawingStrokeKey, SKTGraphicStrokeColorKey,
                                    SKTGraphicStrokeWidthKey, SKTGraphicBoundsKey};
    return keys;
}

QString SKTGraphic::presentablePropertyNameForKey(const QString&)
{
    return QStringLiteral("");
}

// ---- Accessors with effects -------------------------------------------------------------------

QColor SKTGraphic::fillColor()
{
    _fillColor = withOpacity(_fillColor, alpha_val);
    return _fillColor;
}

QColor SKTGraphic::strokeColor()
{
    _strokeColor = withOpacity(_strokeColor, alpha_val_stroke);
    return _strokeColor;
}

QColor SKTGraphic::fill_hatch_bk_clr()
{
    _fill_htch_clr = withOpacity(_fill_htch_clr, alpha_val);
    return _fill_htch_clr;
}

void SKTGraphic::setFillColor(const QColor& color)
{
    changeObservedValue(SKTGraphicFillColorKey, [&] { _fillColor = color; });
}

void SKTGraphic::setStrokeColor(const QColor& color)
{
    changeObservedValue(SKTGraphicStrokeColorKey, [&] { _strokeColor = color; });
}

bool SKTGraphic::isDrawingFill() const
{
    return _isDrawingFill;
}

bool SKTGraphic::isDrawingStroke() const
{
    return _isDrawingStroke;
}

void SKTGraphic::setDrawingFill(bool on)
{
    changeObservedValue(SKTGraphicIsDrawingFillKey, [&] { _isDrawingFill = on; });
}

void SKTGraphic::setDrawingStroke(bool on)
{
    changeObservedValue(SKTGraphicIsDrawingStrokeKey, [&] { _isDrawingStroke = on; });
}

void SKTGraphic::setStrokeWidth(double width)
{
    changeObservedValue(SKTGraphicStrokeWidthKey, [&] { _strokeWidth = width; });
}

bool SKTGraphic::canSetDrawingFill() const
{
    return true;
}

bool SKTGraphic::canSetDrawingStroke() const
{
    return true;
}

void SKTGraphic::setColor(const QColor& color)
{
    if (!canSetDrawingFill())
        return;
    if (!isDrawingFill())
        setValueForKey(SKTGraphicIsDrawingFillKey, true);
    setValueForKey(SKTGraphicFillColorKey, color);
}

QString SKTGraphic::Text_contents()
{
    if (_Text_contents.isEmpty())
        _Text_contents = Text_Value;
    return _Text_contents;
}

void SKTGraphic::Set_text_value(const QString& text)
{
    Text_Value = text;
    if (!_Text_contents.isEmpty())
        _Text_contents = text;
}

void SKTGraphic::Set_Barcode_image(const BarcodePicture& image)
{
    _barcode_image = image;
    const QSizeF size = image.size();
    setWidth(size.width());
    setHeight(size.height());
}

void SKTGraphic::Set_Data_source_type(qint32 type)
{
    data_source_type = type;
    switch (type) {
    case 0:
        batch_list_index = -1;
        batch_list_name = QStringLiteral("");
        excel_binding = false;
        excel_col_indx = -1;
        break;
    case 1:
        excel_binding = false;
        excel_col_indx = -1;
        break;
    case 2:
        excel_binding = true;
        batch_list_index = -1;
        batch_list_name = QStringLiteral("");
        break;
    default:
        break;
    }
}

void SKTGraphic::setXPosition(double x)
{
    QRectF b = _bounds;
    b.moveLeft(x);
    setBounds(b);
}

void SKTGraphic::setYPosition(double y)
{
    QRectF b = _bounds;
    b.moveTop(y);
    setBounds(b);
}

void SKTGraphic::setWidth(double w)
{
    QRectF b = _bounds;
    b.setWidth(w);
    setBounds(b);
}

void SKTGraphic::setHeight(double h)
{
    QRectF b = _bounds;
    b.setHeight(h);
    setBounds(b);
}

// ---- Copy and properties dictionary -----------------------------------------------------------

GraphicPtr SKTGraphic::copy() const
{
    GraphicPtr result = create(kind());
    copyFieldsInto(*result);
    return result;
}

void SKTGraphic::copyFieldsInto(SKTGraphic& target) const
{
    target._bounds = _bounds;
    target._isDrawingFill = _isDrawingFill;
    target._fillColor = _fillColor;
    target._isDrawingStroke = _isDrawingStroke;
    target._strokeColor = _strokeColor;
    target._strokeWidth = _strokeWidth;
    target._stroke_border_type = _stroke_border_type;
    target._fill_type = _fill_type;
    target._fill_Grad_clr1 = _fill_Grad_clr1;
    target._fill_Grad_clr2 = _fill_Grad_clr2;
    target._fill_grad_angle = _fill_grad_angle;
    target._fill_htch_clr = _fill_htch_clr;
    target._fill_hatch_type = _fill_hatch_type;
    target.data_source_type = data_source_type;
    target.batch_list_name = batch_list_name;
    target.batch_list_index = batch_list_index;
    target.excel_binding = excel_binding;
    target.excel_col_indx = excel_col_indx;
    target.Text_Value = Text_Value;
}

QVariantMap SKTGraphic::properties() const
{
    QVariantMap result;
    result.insert(SKTGraphicBoundsKey, rectString(_bounds));
    result.insert(SKTGraphicIsDrawingFillKey, isDrawingFill());
    const QColor fill = withOpacity(_fillColor, alpha_val);
    if (fill.isValid())
        result.insert(SKTGraphicFillColorKey, colorData(fill));
    result.insert(SKTGraphicIsDrawingStrokeKey, isDrawingStroke());
    const QColor stroke = withOpacity(_strokeColor, alpha_val_stroke);
    if (stroke.isValid())
        result.insert(SKTGraphicStrokeColorKey, colorData(stroke));
    result.insert(SKTGraphicStrokeWidthKey, _strokeWidth);
    return result;
}

GraphicPtr SKTGraphic::initWithProperties(GraphicKind kind, const QVariantMap& properties)
{
    GraphicPtr g = create(kind);
    const QVariant bounds = properties.value(SKTGraphicBoundsKey);
    if (bounds.typeId() == QMetaType::QString) {
        if (const auto rect = rectFromString(bounds.toString()))
            g->_bounds = *rect;
    }
    const QVariant fill = properties.value(SKTGraphicIsDrawingFillKey);
    if (isPropertyNumber(fill))
        g->_isDrawingFill = fill.toBool();
    const QVariant fillColor = properties.value(SKTGraphicFillColorKey);
    if (fillColor.typeId() == QMetaType::QByteArray) {
        if (const auto color = colorFromData(fillColor.toByteArray()))
            g->_fillColor = *color;
    }
    const QVariant stroke = properties.value(SKTGraphicIsDrawingStrokeKey);
    if (isPropertyNumber(stroke))
        g->_isDrawingStroke = stroke.toBool();
    const QVariant strokeColor = properties.value(SKTGraphicStrokeColorKey);
    if (strokeColor.typeId() == QMetaType::QByteArray) {
        if (const auto color = colorFromData(strokeColor.toByteArray()))
            g->_strokeColor = *color;
    }
    const QVariant strokeWidth = properties.value(SKTGraphicStrokeWidthKey);
    if (isPropertyNumber(strokeWidth) && std::isfinite(strokeWidth.toDouble()))
        g->_strokeWidth = strokeWidth.toDouble();
    return g;
}

QString SKTGraphic::description() const
{
    QString text;
    QDebug(&text).noquote() << properties();
    return text;
}
