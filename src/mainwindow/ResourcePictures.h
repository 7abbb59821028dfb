#pragma once
// The pictures the program takes from its resource folder at start-up. A file that is missing
// leaves its picture null, and every user of a picture accepts a null one.
#include <QImage>
#include <QString>

struct ResourcePictures {
    QImage no_camera_image;          // the camera window's placeholder
    QImage Err_image;                // the side panels' error picture
    QImage no_image_ctrl_GP;         // the side panels' photo placeholder
    QImage no_image;                 // a new photo element without a picture
    QImage banner_image;
    QImage promotion_pattern_image;
    QImage wizard_pattern_image;
    QImage sign_sample_img;          // a new signature element
    QImage fp_sample_img;            // a new fingerprint element
    QImage barcode_sample_img;       // a new barcode element
    QImage front_btn_image;
    QImage back_btn_image;
    QImage front_btn_image_sel;
    QImage back_btn_image_sel;

    // Loads each picture from the folder by its resource name.
    static ResourcePictures load(const QString& resourceFolder);
};
