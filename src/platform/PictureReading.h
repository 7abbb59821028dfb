#pragma once
// Reading pictures that come from users: files and stored picture bytes, always through
// QImageReader under an allocation limit, so a hostile header cannot make us allocate without bound.
#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

// Longest side, in points, of the preview an element takes from a picture file.
inline constexpr int kPicturePreviewMaxPoints = 500;
// The largest picture stored bytes may give back: pictures written for files stay within these.
inline constexpr int kMaxStoredPictureSide = 20000;
inline constexpr qint64 kMaxPictureBytes = 256LL * 1024 * 1024;
// The most pixels a picture read from a file may have, whatever its shape: as many as its reading
// may hold in true colour.
inline constexpr qint64 kMaxPicturePixels = kMaxPictureBytes / 4;

// The picture of a regular file as a preview at most maxSide pixels on its longer side (smaller
// pictures keep their size), turned upright by its EXIF orientation, one pixel per point. Null for
// a missing path, anything but a regular file (a folder, a device, a pipe), a maxSide under 1, or
// bytes that are no picture within the reader's allocation limit.
QImage readPicturePreview(const QString& path, int maxSide = kPicturePreviewMaxPoints);

// The same with the file's size in points stated as the picture's resolution (dots per metre,
// see PictureResolution.h): the file's pixels at the resolution the file states, one pixel a
// point where it states none. The resolution counts from 1 to 10,000 dpi (what a scanner or
// printer gives): one stated beyond is taken as its nearest bound. A PNG's is read from its header;
// other formats' as Qt reads it, where the resolution Qt gives a picture that states none (the
// screen's) counts as none.
QImage readPictureWithItsSize(const QString& path, int maxSide);

// The same within a box of any shape: the upright picture keeps its aspect ratio and fits the box,
// smaller pictures keep their size. Null also for an empty box.
QImage readPictureFitted(const QString& path, const QSize& box);

// The same covering the box: the upright picture keeps its aspect ratio and is as small as it can be
// while at least as wide and as high as the box; smaller pictures keep their size. What output
// draws a picture from when it stretches it over a box of those pixels. (An interlaced PNG shrunk
// to more than about five million pixels comes smaller, as readPngShrunk says, in this and the
// previews.)
QImage readPictureCovering(const QString& path, const QSize& box);

// The size readPicturePreview gives for the file, from its header alone; invalid where that
// gives a null picture for want of a readable header.
QSize picturePreviewSize(const QString& path, int maxSide = kPicturePreviewMaxPoints);

// The whole picture of a regular file, upright by its EXIF orientation, one pixel per point; null
// under the same rules as a preview.
QImage readPictureFile(const QString& path);

// The upright size of the picture in a regular file, from its header alone; invalid when the
// header gives none.
QSize pictureFileSize(const QString& path);

// The area of the upright picture in a regular file (rows from its top), decoding no more of the
// file than the format makes necessary; null under the rules of readPictureFile or when the area is
// not wholly inside the picture.
QImage readPictureArea(const QString& path, const QRect& area);

// What a user is told when a chosen file gives no picture under these rules: its size in pixels
// where that is past kMaxPicturePixels.
QString unreadablePictureMessage(const QString& path);

// The picture encoded in bytes (PNG or any format Qt reads), at full size, under the same limits
// and at most kMaxStoredPictureSide pixels on a side; null when the bytes give none.
QImage readPictureData(const QByteArray& bytes);
