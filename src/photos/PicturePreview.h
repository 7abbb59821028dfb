#pragma once
// Previews of picture files for the picture loader and the photo windows.
#include <QImage>
#include <QSizeF>
#include <QString>

class QAbstractFileIconProvider;

// The picture in a regular file at most size.width() pixels on its longer side (the height is not
// used; smaller pictures keep their size), turned upright by its EXIF orientation, one point per
// pixel. A regular file that holds no readable picture gives its file icon at the requested size
// instead (on the GUI thread only, where icons exist), from the installed icon provider. A missing path or anything but a regular
// file (folder, pipe, device) gives a null picture.
QImage Thimbnail_Using_CG_Image(const QString& path, const QSizeF& size);

// The same preview; asking for an icon changes nothing.
QImage imageWithPreviewOfFileAtPath(const QString& path, const QSizeF& size, bool asIcon);

// The file icons of previews: Qt's theme icons until the application installs its own provider
// (not owned; nullptr goes back to the theme's).
void setPreviewIconProvider(const QAbstractFileIconProvider* provider);
