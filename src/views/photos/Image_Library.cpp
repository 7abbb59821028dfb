#include "views/photos/Image_Library.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

#include "platform/AppContext.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureReading.h"
#include "platform/StringHelpers.h"
#include "views/browser/ImageBrowser.h"
#include "views/browser/ImageBrowserModel.h"
#include "views/dialogs/SharedDialogs.h"
#include "ui_Image_Library.h"

namespace {

// The largest thumbnail, at full zoom; the smallest is a quarter of it.
constexpr QSize kLargestThumbnail{200, 200};

QString libraryFolder()
{
    return QDir(Resource_Path).filePath(QStringLiteral("LibraryImage"));
}

}  // namespace

Image_Library::Image_Library(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Image_Library>()),
      images_(new ImageBrowserModel(kLargestThumbnail, this))
{
    ui->setupUi(this);
    applySharedDialogBackground(*this);
    images_->setShowsTitles(true);
    imageBrowser_ = new ImageBrowser(images_, ui->idImagesclview);
    imageBrowser_->setObjectName(QStringLiteral("imageBrowser"));
    ui->idImagesclview->layout()->addWidget(imageBrowser_);
    connect(images_, &ImageBrowserModel::imageChosen, this, [this](const QString& path) { selected_image_ = path; });
    connect(images_, &ImageBrowserModel::imageBroken, this, [this](int row) {
        if (images_->images().at(row).path() == selected_image_)
            selected_image_.clear();
    });
    connect(ui->cat_cmbo_bx, &QComboBox::currentIndexChanged, this, &Image_Library::comboBoxSelectionDidChange);
    connect(ui->_zoom_slider, &QSlider::valueChanged, this, &Image_Library::zoomSliderDidChange);
    connect(ui->OK_Btn, &QPushButton::clicked, this, &Image_Library::OK_Clicked);
    connect(ui->Cancel_Btn, &QPushButton::clicked, this, &Image_Library::Cancel_Clicked);
    // Closing the window is a Cancel.
    connect(this, &QDialog::rejected, this, [this] { selected_image_.clear(); });
}

Image_Library::~Image_Library() = default;

int Image_Library::Open_Library_Window(const QString& control_or_BG)
{
    try {
        control_or_BG_ = control_or_BG;
        images_->clear();
        ui->_zoom_slider->setValue(qRound(kStartZoom * ui->_zoom_slider->maximum()));
        zoomSliderDidChange(ui->_zoom_slider->value());
        selected_image_.clear();
        const bool pictures = control_or_BG == QLatin1String("C");
        setWindowTitle(pictures ? tr("Image Library") : tr("Background Image Library"));
        ui->cat_cmbo_bx->setVisible(pictures);
        ui->category_label->setVisible(pictures);
        if (pictures)
            Fill_Combobox();
        else
            Load_and_fill_backgrounds();
        if (images_->rowCount() > 0) {
            ui->_zoom_slider->setEnabled(true);
            imageBrowser_->selectFirstUsable();
        }
        return exec() == QDialog::Accepted ? 1 : 0;
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return 0;
    }
}

void Image_Library::Fill_Combobox()
{
    const QSignalBlocker quiet(ui->cat_cmbo_bx);
    ui->cat_cmbo_bx->clear();
    const QDir library(libraryFolder());
    QStringList folders = library.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    sortNaturally(folders);
    // Shown capitalised, opened by the real name: the file system may tell case apart.
    for (const QString& folder : folders)
        ui->cat_cmbo_bx->addItem(capitalizedWords(folder), folder);
    if (ui->cat_cmbo_bx->count() > 0) {
        ui->cat_cmbo_bx->setCurrentIndex(0);
        comboBoxSelectionDidChange(0);
    }
}

void Image_Library::comboBoxSelectionDidChange(int row)
{
    if (row < 0)
        return;
    const QString folder = QDir(libraryFolder()).filePath(ui->cat_cmbo_bx->itemData(row).toString());
    if (!QFileInfo(folder).isDir())
        return;
    images_->fillFromFolder(folder);
    if (images_->rowCount() > 0)
        imageBrowser_->selectFirstUsable();
}

void Image_Library::Load_and_fill_backgrounds()
{
    images_->Load_and_fill_backgrounds();
}

void Image_Library::zoomSliderDidChange(int value)
{
    const double zoom = double(value) / ui->_zoom_slider->maximum();
    imageBrowser_->setZoom(zoom);
}

void Image_Library::OK_Clicked()
{
    // A picture that no longer reads is as good as none: the card would get an empty element.
    if (selected_image_.isEmpty() || !QFileInfo(selected_image_).isFile()
        || readPicturePreview(selected_image_, 16).isNull()) {
        Show_MessageBox(kPleaseSelectImageMessage);
        return;
    }
    accept();
}

void Image_Library::Cancel_Clicked()
{
    selected_image_.clear();
    reject();
}
