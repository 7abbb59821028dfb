#pragma once
// Choosing a picture file: the file panel's filter for the accepted extensions (in either case)
// and the choice of a file that reads as a picture, in the file panel or by a drop.
#include <QString>
#include <QStringList>

class QWidget;

// "Pictures (*.png *.PNG ...)".
QString pictureFileFilter(const QStringList& extensions);
// The file the user chose among the extensions, or empty when cancelled; what it holds is not
// looked at.
QString choosePictureFile(QWidget* parent, const QString& caption, const QStringList& extensions);
// The file the user chose, or empty when cancelled. A file that is no readable picture is refused
// with a message and gives empty too.
QString chooseReadablePicture(QWidget* parent, const QString& caption, const QStringList& extensions);
// Whether a file the user dropped may be taken as a chosen one: one of the extensions (in either
// case) that reads as a picture. Any other is refused with a message.
bool acceptDroppedPicture(const QString& path, const QStringList& extensions);
