#pragma once
// The picture library, run modally to pick a stock picture.
#include <QString>

class PictureLibraryWindow {
public:
    virtual ~PictureLibraryWindow() = default;
    // control_or_BG: "C" a picture for a picture element, "B" a card background. 1 on OK with the
    // chosen file in selected_image(); anything else means cancelled.
    virtual int Open_Library_Window(const QString& control_or_BG) = 0;
    virtual QString selected_image() const = 0;
};
