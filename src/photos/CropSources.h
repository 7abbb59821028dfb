#pragma once
// Where the cropping tool's pictures come from and where its crops go, apart from its windows:
// the pictures of a folder, of a series or of a spreadsheet column, and the next output name.
#include <QString>
#include <QStringList>
#include <functional>

namespace CropSources {

// Whether a path from a series line or a spreadsheet cell may be read as a picture: a regular,
// readable file whose name is none of "", "." and "..", with one of the extensions (compared
// lower-cased).
bool isUsablePicturePath(const QString& path, const QStringList& extensions);

// The usable pictures of one level of the folder, in natural order ("photo2" before "photo10"),
// without those tooLarge refuses.
QStringList picturesInFolder(const QString& folder, const QStringList& extensions,
                             const std::function<bool(const QString&)>& tooLarge);

// The lines of a series file, each trimmed (so a line ended by CR LF loses its CR): every line for
// a direct series run, which writes one result a line, else only the usable pictures.
QStringList picturesOfSeriesText(const QString& text, bool everyLine, const QStringList& extensions);

// Whether a custom output name stays a name in the output folder: a plain file name that does not
// start with "..".
bool isUsableOutputName(const QString& name);

// The extensions of the output format list: 0 jpg, 1 bmp, 2 png, 3 tiff; "" for any other index.
QString outputExtension(int formatIndex);

// The path of the next crop: the source's name, or the custom name followed by "_<counter>" from
// the second crop on, in the output folder, with the format's extension.
QString croppedFileName(const QString& outputFolder, const QString& inputPath, const QString& customName,
                        int counter, int formatIndex);

}  // namespace CropSources
