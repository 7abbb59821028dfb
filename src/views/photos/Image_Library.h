#pragma once
// The picture library: a modal picker of the stock pictures in the resource folder. With "C" it
// shows the clip-art of one category of "LibraryImage" at a time, with anything else the card
// backgrounds of "Background". The thumbnails are the shared image browser's; OK answers 1 with
// the chosen picture in selected_image, Cancel 0.
#include <QDialog>
#include <memory>

#include "views/photos/PictureLibraryWindow.h"

class ImageBrowser;
class ImageBrowserModel;
namespace Ui {
class Image_Library;
}

inline const QString kPleaseSelectImageMessage = QStringLiteral("Please select image.");

class Image_Library : public QDialog, public PictureLibraryWindow {
    Q_OBJECT
public:
    // The zoom each opening starts at, as a share of the slider's range.
    static constexpr double kStartZoom = 0.4;

    explicit Image_Library(QWidget* parent = nullptr);
    ~Image_Library() override;

    int Open_Library_Window(const QString& control_or_BG) override;
    QString selected_image() const override { return selected_image_; }

    // Lists the category folders of Resource_Path/"LibraryImage", capitalised, each keeping its
    // real folder name, in natural order; selects the first.
    void Fill_Combobox();
    // Fills the browser with the chosen category's pictures.
    void comboBoxSelectionDidChange(int row);
    void Load_and_fill_backgrounds();
    void zoomSliderDidChange(int value);
    void OK_Clicked();
    void Cancel_Clicked();

    ImageBrowserModel& images() { return *images_; }
    ImageBrowser& imageBrowser() { return *imageBrowser_; }
    QString control_or_BG() const { return control_or_BG_; }

private:
    std::unique_ptr<Ui::Image_Library> ui;
    ImageBrowserModel* images_;
    ImageBrowser* imageBrowser_;
    QString control_or_BG_ = QStringLiteral("C");
    QString selected_image_;
};
