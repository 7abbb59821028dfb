#pragma once
// The previews of an opened design's picture elements. Photos take most of an opening, so they
// are decoded side by side from the moment the elements are read, while the reader still decodes
// the stored barcode pictures; a photo that several elements show is decoded once.
#include <QFuture>
#include <QImage>
#include <utility>
#include <vector>

#include "model/SKTGraphic.h"

class LoadedPicturePreviews {
public:
    LoadedPicturePreviews() = default;
    LoadedPicturePreviews(const LoadedPicturePreviews&) = delete;
    LoadedPicturePreviews& operator=(const LoadedPicturePreviews&) = delete;
    // Reading that is not given is stopped and waited for.
    ~LoadedPicturePreviews();

    bool started() const { return m_started; }
    // Points each picture element at this copy's resources where its file lay in those of the copy
    // that saved the design, and starts reading the previews on the pool, instead of those of the
    // elements it was started on before.
    void start(const GraphicList& elements);
    // Waits for the previews and shows each picture element its own.
    void give();

private:
    bool m_started = false;
    std::vector<std::pair<GraphicPtr, qsizetype>> m_pictures;  // element, its file's preview
    QFuture<QImage> m_previews;
};
