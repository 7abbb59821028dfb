#pragma once
// The pictures of a folder as series values: one full path per picture.
#include <QString>
#include <QStringList>

// The picture extensions a series of pictures takes, compared ignoring case.
inline const QStringList kSeriesPictureExtensions = {
    QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"), QStringLiteral("jfif"),
    QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("png"), QStringLiteral("tif"),
    QStringLiteral("tiff")};

inline const QString kNoPictureInFolderMessage =
    QStringLiteral("The selected folder does not contains any image with supported extension.");

// Full paths of the plain files directly in the folder (subfolders are not entered) whose
// extension is one of the given ones, sorted by name ignoring case.
QStringList scanPictureFolder(const QString& folder, const QStringList& extensions = kSeriesPictureExtensions);
