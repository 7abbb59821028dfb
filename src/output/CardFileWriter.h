#pragma once
// The shared writer of card files: what a file holds for its extension, the keep/replace question
// for a file already there, and writing a file whole without waiting for the disk, so that a batch
// syncs once at its end.
#include <QByteArray>
#include <QString>
#include <atomic>
#include <functional>

#include "platform/ReplaceKeep.h"
#include "render/CardImage.h"

// One file of an export: a side, or front and back joined into one picture (sides come mirrored
// from the run when the user asked for it).
struct CardFile {
    QString path;
    CardImage front;  // the side, or the front of a joined picture
    CardImage back;   // joined pictures only
    bool joined = false;
    bool sideBySide = false;  // joined: front left of the back, else above it
};

// The resolution exported sides are drawn at; a joined picture keeps one pixel per point.
inline constexpr double kExportDpi = 600.0;

// The file's bytes by its extension (any case): "pdf" a vector page the card's size (a joined
// picture: one page the picture's size), "eps" our EPS of the 600-dpi picture, every other
// extension the picture at 600 dpi encoded for it (png, jpg/jpeg, bmp, tif/tiff; others PNG).
// Empty, with the reason, when it cannot be made.
QByteArray cardFileBytes(const CardFile& file, QString* error);

// Writes the bytes under a temporary name in the path's folder and renames it over the path, so
// the path holds the old file or the whole new one, never a part. No sync: see syncFolder.
bool writeFileWhole(const QString& path, const QByteArray& bytes, QString* error);
// Flushes everything written into the folder's file system to the disk, once for a whole run.
bool syncFolder(const QString& folder, QString* error);

// The keep/replace answers of one export. Every file the export writes (front, back or joined)
// is asked about when it is already there; "all" answers hold for the rest of the export.
class KeepReplaceAnswers {
public:
    // Asks the question about the path with that title and text; answers one of ReplaceKeep.
    using Prompt = std::function<int(const QString& path, const QString& title, const QString& text)>;
    explicit KeepReplaceAnswers(Prompt prompt) : m_prompt(std::move(prompt)) {}

    // The path to write: the path itself (replacing), a free numbered name (keeping both), or ""
    // when the file is skipped or the export was cancelled.
    QString pathToWrite(const QString& path);
    bool cancelledAll() const { return m_flag == ReplaceKeep::CancelAll; }

private:
    Prompt m_prompt;
    int m_flag = ReplaceKeep::Replace;
};
