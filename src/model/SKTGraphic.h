#pragma once
// The element record shared by every kind of card element. The base class carries the fields of
// all kinds so that one archive, the design file and the other subsystems can read and write any
// element's fields directly; the kinds add drawing and a few fields of their own.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "filters/PictureSettings.h"
#include "model/BarcodePicture.h"
#include "model/BarcodeSettings.h"
#include "model/CardFont.h"
#include "model/TextStyle.h"

class QPainter;
class SKTGraphic;
class SKTDocument;
class SKTError;
class KeyedArchiver;
class KeyedUnarchiver;

enum class GraphicKind { Text, Line, Shape, Image, Barcode, Signature };

using GraphicPtr = std::shared_ptr<SKTGraphic>;
using GraphicList = QList<GraphicPtr>;

constexpr int SKTGraphicNoHandle = 0;
constexpr double SKTGraphicHandleWidth = 8.0;
constexpr double SKTGraphicHandleHalfWidth = 4.0;

// Key names used by observation, the properties dictionary and undo.
inline const QString SKTGraphicCanSetDrawingFillKey = QStringLiteral("canSetDrawingFill");
inline const QString SKTGraphicCanSetDrawingStrokeKey = QStringLiteral("canSetDrawingStroke");
inline const QString SKTGraphicIsDrawingFillKey = QStringLiteral("drawingFill");
inline const QString SKTGraphicFillColorKey = QStringLiteral("fillColor");
inline const QString SKTGraphicIsDrawingStrokeKey = QStringLiteral("drawingStroke");
inline const QString SKTGraphicStrokeColorKey = QStringLiteral("strokeColor");
inline const QString SKTGraphicStrokeWidthKey = QStringLiteral("strokeWidth");
inline const QString SKTGraphicXPositionKey = QStringLiteral("xPosition");
inline const QString SKTGraphicYPositionKey = QStringLiteral("yPosition");
inline const QString SKTGraphicWidthKey = QStringLiteral("width");
inline const QString SKTGraphicHeightKey = QStringLiteral("height");
inline const QString SKTGraphicBoundsKey = QStringLiteral("bounds");
inline const QString SKTGraphicDrawingBoundsKey = QStringLiteral("drawingBounds");
inline const QString SKTGraphicDrawingContentsKey = QStringLiteral("drawingContents");
inline const QString SKTGraphicKeysForValuesToObserveForUndoKey =
    QStringLiteral("keysForValuesToObserveForUndo");
inline const QString SKTGraphicClassNameKey = QStringLiteral("className");

// Told of every change made through the observable setters (the document records undo from it).
class GraphicObserver {
public:
    virtual ~GraphicObserver() = default;
    virtual void graphicValueChanged(SKTGraphic& g, const QString& key, const QVariant& oldValue,
                                     const QVariant& newValue) = 0;
    virtual void graphicObservedKeysChanged(SKTGraphic& g, const QSet<QString>& oldKeys,
                                            const QSet<QString>& newKeys) = 0;
};

class SKTGraphic {
public:
    virtual ~SKTGraphic() = default;
    SKTGraphic& operator=(const SKTGraphic&) = delete;

    // A new element of the kind with every construction default applied.
    static GraphicPtr create(GraphicKind kind);
    virtual GraphicKind kind() const = 0;
    static QString className(GraphicKind kind);
    static std::optional<GraphicKind> kindForClassName(const QString& name);
    QString className() const { return className(kind()); }

    // ---- Fields, in declared order --------------------------------------------------------
    bool _boundsBeingChangedToMatchContents = false;
    QRectF _bounds;
    bool _isDrawingFill = false;
    QColor _fillColor;
    bool _isDrawingStroke = false;
    QColor _strokeColor;
    double _strokeWidth = 0;
    QString _stroke_border_type;
    QString _fill_type;
    QColor _fill_Grad_clr1;
    QColor _fill_Grad_clr2;
    double _fill_grad_angle = 0;
    QColor _fill_htch_clr;
    QString _fill_hatch_type;
    // The picture settings; zero like every other field until the construction defaults apply.
    PictureSettings picture = PictureSettings::zero();
    qint32 data_source_type = 0;
    QString batch_list_name;
    qint32 batch_list_index = 0;
    QString _file_path;
    SKTDocument* _scriptingContainer = nullptr;  // not owned
    QString sign_or_fingureprint;
    qint32 _line_ori = 0;
    qint32 _line_cap_style = 0;
    float cor_rad_val = 0;
    float alpha_val = 0;
    float alpha_val_stroke = 0;
    // The text style; zero until the construction defaults apply.
    TextStyle textStyle;
    QString _Text_contents;
    QString _shape_type;
    // Where output centres a record's barcode symbol: the bounds, apart only while a record's value
    // is being bound (a record is no move of the user's).
    QRectF bar_image_ctrl_bounds;
    BarcodePicture _barcode_image;
    // The barcode settings; zero until the construction defaults apply.
    BarcodeSettings barcode;
    bool ctrl_is_locked = false;
    qint32 print_object = 0;
    QString control_ID;
    bool excel_binding = false;
    qint32 excel_col_indx = 0;
    QString Text_Value;
    bool ctrl_is_visible = false;
    qint32 double_star_type = 0;
    qint32 polygon_type = 0;
    qint32 text_rotation = 0;
    QImage _contents;
    QImage _contents_with_settings;

    // ---- Drawing (each kind in its own drawing file) ----------------------------------------
    // Paints the element's contents with the painter in card coordinates (points, y down, on a
    // 72-dpi device). The base draws nothing.
    virtual void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited);
    // An element of the same kind holding every field (pictures shared until written), with no
    // observers and no container: renders read it apart from the live lists.
    GraphicPtr cloneForRendering() const;

    // ---- Observation and key-value coding ---------------------------------------------------
    void addObserver(GraphicObserver* observer);
    void removeObserver(GraphicObserver* observer);
    // Observable keys: "bounds", "drawingFill", "fillColor", "drawingStroke", "strokeColor",
    // "strokeWidth", "xPosition", "yPosition", "width", "height"; an unknown key gives an invalid
    // QVariant and is not set.
    QVariant valueForKey(const QString& key) const;
    void setValueForKey(const QString& key, const QVariant& value);
    virtual QSet<QString> keysForValuesToObserveForUndo() const;
    static QString presentablePropertyNameForKey(const QString& key);
    // Tells the observers of a change made by a setter (setBounds and the kinds' setters use it).
    void notifyValueChanged(const QString& key, const QVariant& oldValue, const QVariant& newValue);
    void notifyObservedKeysChanged(const QSet<QString>& oldKeys, const QSet<QString>& newKeys);

    // ---- Accessors with effects -------------------------------------------------------------
    // The colour with its alpha replaced by the opacity field, stored back into the field.
    QColor fillColor();
    QColor strokeColor();
    QColor fill_hatch_bk_clr();
    void setFillColor(const QColor& color);
    void setStrokeColor(const QColor& color);
    virtual bool isDrawingFill() const;
    virtual bool isDrawingStroke() const;
    void setDrawingFill(bool on);
    void setDrawingStroke(bool on);
    double strokeWidth() const { return _strokeWidth; }
    void setStrokeWidth(double width);
    virtual bool canSetDrawingFill() const;
    virtual bool canSetDrawingStroke() const;
    // Turns the fill on when needed and sets its colour, both observed; nothing when the kind
    // cannot be filled.
    virtual void setColor(const QColor& color);

    QString Text_contents();
    void Set_text_value(const QString& text);
    // The picture and the element's size, which is the picture's size in points.
    void Set_Barcode_image(const BarcodePicture& image);
    void Set_Barcode_image_control_bounds(const QRectF& rect) { bar_image_ctrl_bounds = rect; }
    // A barcode's box goes to its bounds; other kinds have none. setBounds does it, and so must
    // whatever sets the bounds field directly (readers).
    void keepBarcodeBoxAtBounds();
    void Set_Data_source_type(qint32 type);

    QRectF bounds() const { return _bounds; }
    double xPosition() const { return _bounds.x(); }
    double yPosition() const { return _bounds.y(); }
    double width() const { return _bounds.width(); }
    double height() const { return _bounds.height(); }
    void setXPosition(double x);
    void setYPosition(double y);
    void setWidth(double w);
    void setHeight(double h);

    // ---- Plain accessors --------------------------------------------------------------------
    void Set_Ctrl_Is_Visible(bool visible) { ctrl_is_visible = visible; }
    bool Is_Control_Locked() const { return ctrl_is_locked; }
    QString Get_shape_type() const { return _shape_type; }
    void Set_Shape_Type(const QString& type) { _shape_type = type; }
    CardFont Text_Font_value() const { return textStyle.text_ctrl_font; }
    QColor Text_Color_Value() const { return textStyle.txt_clr; }
    qint32 Get_Line_Ori() const { return _line_ori; }
    qint32 Get_Line_Cap_Style() const { return _line_cap_style; }
    void Set_Batch_List_Name(const QString& name) { batch_list_name = name; }
    QString batch_list_name_val() const { return batch_list_name; }
    void Set_Batch_List_Index(qint32 index) { batch_list_index = index; }
    qint32 batch_list_index_val() const { return batch_list_index; }
    qint32 data_source_type_val() const { return data_source_type; }
    void Set_Excel_binding(bool bound) { excel_binding = bound; }
    void Set_Excel_binding_Index(qint32 index) { excel_col_indx = index; }
    QString Sign_Or_FP_Val() const { return sign_or_fingureprint; }
    void Set_Sign_Or_FP(const QString& value) { sign_or_fingureprint = value; }
    void Set_Control_File_path(const QString& path) { _file_path = path; }
    QString FilePath() const { return _file_path; }
    float Get_Image_Trnsp_val() const { return picture.img_trnsp_val; }
    float Get_Hue_val() const { return picture.hue_val; }
    QString strokeBorderType() const { return _stroke_border_type; }
    QString fill_type() const { return _fill_type; }
    QString fill_hatch_type() const { return _fill_hatch_type; }
    QColor fill_Grad_clr1() const { return _fill_Grad_clr1; }
    QColor fill_Grad_clr2() const { return _fill_Grad_clr2; }
    double fill_grad_angle() const { return _fill_grad_angle; }
    virtual void setFlippedHorizontally(bool flipped) { picture._isFlippedHorizontally = flipped; }
    virtual void setFlippedVertically(bool flipped) { picture._isFlippedVertically = flipped; }
    void setScriptingContainer(SKTDocument* container) { _scriptingContainer = container; }

    // ---- Copy, properties dictionary --------------------------------------------------------
    // A new element with construction defaults and a subset of this element's fields.
    virtual GraphicPtr copy() const;
    virtual QVariantMap properties() const;
    // A new element with construction defaults, then the dictionary's entries of the right type.
    static GraphicPtr initWithProperties(GraphicKind kind, const QVariantMap& properties);
    QString description() const;

    // ---- Keyed archive ----------------------------------------------------------------------
    // The archiver holding every field, a field that failed logged: its bytes and its digest.
    KeyedArchiver archiver() const;
    QByteArray archivedData() const;
    // Equal exactly when the archives hold equal values (their bytes may differ).
    QByteArray archiveDigest() const;
    // nullptr for bytes that are not an element archive of a known kind. Safe on any thread: it
    // touches no widget and no main-window state.
    static GraphicPtr fromArchivedData(const QByteArray& data);

    // ---- Clipboard data ---------------------------------------------------------------------
    static QByteArray pasteboardDataWithGraphics(const GraphicList& graphics);
    static QVariantList propertiesWithGraphics(const GraphicList& graphics);
    // Malformed data gives an empty list and, when asked for, error code 2. The pasted elements
    // are fitted to the run's mode letter (Start_Card_Option).
    static GraphicList graphicsWithPasteboardData(const QByteArray& data, const QString& startMode,
                                                  std::optional<SKTError>* error);
    static GraphicList graphicsWithProperties(const QVariantList& archives, const QString& startMode);

    // ---- Geometry (SKTGraphicGeometry.cpp) --------------------------------------------------
    // Stores the bounds, tells the observers ("bounds") and shows them in the inspector.
    virtual void setBounds(const QRectF& bounds);
    QRectF drawingBounds() const;
    QPainterPath Rotated_Control_Path() const;
    // Throws std::logic_error in the base.
    virtual QPainterPath bezierPathForDrawing() const;
    virtual bool isContentsUnderPoint(QPointF point) const;
    virtual int handleUnderPoint(QPointF point) const;
    bool isHandleAtPoint(QPointF handlePoint, QPointF point) const;
    // The rectangle the handles sit on: the bounds, or the turned box for text.
    QRectF handleRect() const;
    static QPointF handlePosition(const QRectF& rect, int handle);
    virtual int resizeByMovingHandle(int handle, QPointF point);
    static int creationSizingHandle(GraphicKind kind);
    virtual void flipHorizontally();
    virtual void flipVertically();
    virtual bool canMakeNaturalSize() const;
    virtual void makeNaturalSize();
    void makeSameAsLabelSize();
    static QRectF boundsOfGraphics(const GraphicList& graphics);
    static QRectF drawingBoundsOfGraphics(const GraphicList& graphics);
    static void translateGraphics(const GraphicList& graphics, double dx, double dy);
    static void Paste_Location_Of_Graphics(const GraphicList& graphics, double x, double y,
                                           const QString& side);

protected:
    // Fields stay zero, NO or empty; the kinds apply the construction defaults in their public
    // constructors and keep a private constructor taking ZeroFields for decoding.
    struct ZeroFields {};
    SKTGraphic() = default;
    // Copies every field but the observers (see cloneForRendering).
    SKTGraphic(const SKTGraphic&) = default;
    void applyConstructionDefaults();

    // The copy keeps only these fields; kinds add their own.
    virtual void copyFieldsInto(SKTGraphic& target) const;

private:
    // The kind's instance with every field zero: the starting point of a decoded archive.
    static GraphicPtr createZeroed(GraphicKind kind);
    void encodeFields(KeyedArchiver& archiver) const;
    void decodeFields(const KeyedUnarchiver& unarchiver);
    void applyPasteFixUps(const QString& startMode);
    // Runs the change and tells the observers the key's value before and after it.
    void changeObservedValue(const QString& key, const std::function<void()>& change);

    // Observers belong to one element: a copy starts with none.
    struct ObserverList : std::vector<GraphicObserver*> {
        ObserverList() = default;
        ObserverList(const ObserverList&) : std::vector<GraphicObserver*>() {}
        ObserverList& operator=(const ObserverList&) = delete;
    };
    ObserverList observers_;
};
