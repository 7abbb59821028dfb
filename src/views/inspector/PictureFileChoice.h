#pragma once
// Choosing a picture file: the file panel's filter for the accepted extensions (in either case)
// and the choice of a file that reads as a picture.
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
