#include "mainwindow/ResourcePictures.h"

#include <QDir>

ResourcePictures ResourcePictures::load(const QString& resourceFolder)
{
    const QDir folder(resourceFolder);
    const auto read = [&folder](const char* fileName) {
        return QImage(folder.filePath(QString::fromLatin1(fileName)));
    };
    ResourcePictures pictures;
    pictures.no_camera_image = read("no_camera.jpg");
    pictures.Err_image = read("pic_err.png");
    pictures.no_image_ctrl_GP = read("pic_ic.png");
    pictures.no_image = read("no.png");
    pictures.banner_image = read("banner.png");
    pictures.promotion_pattern_image = read("pattern_1.jpg");
    pictures.wizard_pattern_image = read("Wizard_pattern.jpg");
    pictures.sign_sample_img = read("sign_sample.png");
    pictures.fp_sample_img = read("fingerprints.png");
    pictures.barcode_sample_img = read("barcode_sample.png");
    pictures.front_btn_image = read("front-2.png");
    pictures.back_btn_image = read("back-2.png");
    pictures.front_btn_image_sel = read("front-sel.png");
    pictures.back_btn_image_sel = read("back-sel.png");
    return pictures;
}
