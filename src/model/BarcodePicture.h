#pragma once
// A barcode picture, as the barcode factory makes it and a barcode element draws it: either a
// drawing in points (filled outlines and rasters) that replays at any resolution, or a raster
// alone, as files and archives give a picture back. Either way it has the raster that files
// store, a drawing's made the first time it is asked for. A picture never changes once made;
// copies share it, and it may be drawn or asked for its raster on any thread.
#include <QColor>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <vector>

class QPainter;

class BarcodePicture {
    struct Item;
    struct Data;

public:
    // Resolution of the raster a drawing keeps for files and archives.
    static constexpr double kStoredDpi = 600;
    // Text key of a raster made from a picture: its size in points, "width height".
    static const QString& pointSizeKey();

    // The null picture: no symbol was made.
    BarcodePicture() = default;
    // A raster at its own size in points (its pixels over its device pixel ratio).
    BarcodePicture(const QImage& raster);  // NOLINT(google-explicit-constructor): a raster is a picture
    // A raster given a size in points; null for a null raster or a size that is not positive.
    // Taken by value: a raster handed over whole is named without a copy of its pixels.
    BarcodePicture(QImage raster, QSizeF points);

    bool isNull() const { return !d_; }
    // Width and height in points.
    QSizeF size() const;
    // Made by drawing (a renderer's outlines), not given as a raster.
    bool isDrawing() const;

    // Draws the picture at its size in points with its top-left at the point, clipped to its
    // size. Rectangles of modules are filled without antialiasing; rasters are drawn without
    // smoothing, except when a screen or picture shows them smaller than their pixels.
    void draw(QPainter& painter, QPointF topLeft = QPointF()) const;
    // The picture as ceil(dpi*w/72) x ceil(dpi*h/72) pixels (each product rounded to single
    // precision first), drawn as draw() does, transparent where nothing is drawn; its dots per
    // metre say dpi and its text names its size in points. Null when the picture is null or the
    // pixels would pass what a stored picture may hold.
    QImage toImage(double dpi) const;
    // The raster files and archives keep: the drawing at its stored resolution (made on the first
    // call, then shared by every copy), or the raster.
    QImage image() const;
    // A picture from a stored raster: the size it names when that gives a resolution from 72 to
    // 4800 dpi, else one point per pixel (pictures written before sizes were named).
    static BarcodePicture fromStoredImage(const QImage& image);

    // Same size and same stored pixels.
    bool operator==(const BarcodePicture& other) const;

    // Collects the drawing of a picture of a given size in points, y down from the top-left.
    class Builder {
    public:
        explicit Builder(QSizeF points) : size_(points) {}
        // Outlines filled as one: one path on a PDF or print device, outline by outline on a
        // picture or screen, where Qt's rasteriser slows down sharply on large outlines. Texts
        // give one outline per glyph, antialiased.
        void fillOutlines(const QList<QPainterPath>& outlines, const QColor& colour, bool antialiased);
        // Rectangles filled as one without antialiasing, so that their edges stay on whole device
        // pixels and no two of them meet at a seam: one path on a PDF or print device, rectangle
        // by rectangle (far quicker) on a picture or screen.
        void fillRectangles(const QList<QRectF>& rectangles, const QColor& colour);
        // A picture stretched over the target rectangle.
        void drawPicture(const QRectF& target, const BarcodePicture& picture);
        QSizeF size() const { return size_; }
        // The picture with its stored raster at storedDpi; null when the size is not positive or
        // the stored raster would be too large.
        BarcodePicture finish(double storedDpi = kStoredDpi);

    private:
        QSizeF size_;
        std::vector<std::shared_ptr<const Item>> items_;
    };

private:
    void paint(QPainter& painter) const;
    static void fillRectangles(QPainter& painter, const QList<QRectF>& rectangles, const QColor& colour);
    static void fillOutlines(QPainter& painter, const QList<QPainterPath>& outlines, const QColor& colour);

    std::shared_ptr<const Data> d_;
};
