#pragma once
// Turns, mirrors, flips, borders and masks of pictures. Each operation leaves its source alone and
// answers a new picture of the source's size in points (its device pixel ratio is kept), or a
// null picture, logged, when it has none to give. Safe on any thread: no shared state.
//
// Angles follow the photo module's y-up convention: a positive angle turns counter-clockwise as
// the picture is seen.
#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

// The picture mirrored for mirrored card output: top to bottom when vertical, else left to right.
// Output runs pass their Mirror_Vertical_Not_Horz setting.
QImage Create_Mirror_Image_With_CG_Image(const QImage& picture, bool vertical);

// The picture turned by half a turn, as the duplex print layouts need it. The print layouts pass
// an angle of 180 and the card's rectangle; the turn is a half turn whatever they pass.
QImage imageRotatedByDegrees_Angle(const QImage& picture, double angle, const QRectF& dr_rect);

// The picture turned by half a turn about its centre.
QImage image_rotate_using_cg_context_method(const QImage& picture);

// The picture turned by whole degrees about its centre on a page of its own size: corners that
// leave the page are cut off and uncovered parts stay transparent.
QImage image_rotate_using_cg_context_method_With_Angle(const QImage& picture, int degrees);

// The picture reversed top to bottom.
QImage flipImageVertically(const QImage& picture);

// The picture reversed left to right.
QImage Flip_Horz_Mirror_Image(const QImage& picture);

// The picture turned by half a turn (both flips at once).
QImage flipImage(const QImage& picture);

// The picture turned by any angle onto a page that holds it: the remainder of the angle by 360
// (keeping its sign) of 0 answers the picture itself; ±90 and ±270 give h x w, ±180 w x h, and any
// other angle a square of max(w, h) + 20 points with the picture centred (the corners of a long
// picture may still fall outside it).
QImage imageRotated(const QImage& picture, float degrees);

// The picture with a border of the given width, colour and dash code ("S", "DA", "DO", "DD",
// "DDD"; anything else is solid) stroked along its bounds. The line is centred on the edge, so
// half of it shows. Dashes start at the bottom-left corner and run along the bottom edge first.
QImage image_Drawing_with_border(const QImage& picture, float width, const QString& style,
                                 const QColor& colour);

// The picture shown through a mask: where the mask is black the picture shows, where it is white
// it is transparent, and grey levels in between fade it. The mask is stretched over the picture.
// A missing picture or mask answers the picture unchanged.
QImage maskImage(const QImage& picture, const QImage& mask);
