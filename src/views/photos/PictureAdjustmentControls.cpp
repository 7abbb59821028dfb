#include "views/photos/PictureAdjustmentControls.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <cmath>

namespace {

template <class Widget>
Widget* named(QWidget& window, const char* name)
{
    auto* widget = window.findChild<Widget*>(QLatin1String(name));
    Q_ASSERT_X(widget, "PictureAdjustmentControls", name);
    return widget;
}

}  // namespace

PictureAdjustmentControls::PictureAdjustmentControls(QWidget& window)
    : gray_(named<QCheckBox>(window, "Image_Gray_Scale_chk")),
      sepia_(named<QCheckBox>(window, "Image_Sepia_chk")),
      invert_(named<QCheckBox>(window, "Image_Invert_chk")),
      flipVertically_(named<QCheckBox>(window, "Image_FIV_chk")),
      flipHorizontally_(named<QCheckBox>(window, "Image_FIH_chk"))
{
    const auto slider = [&window](const char* name, const char* value, double divisor, float PictureSettings::*setting) {
        return Slider{named<QSlider>(window, name), named<QLabel>(window, value), divisor, setting};
    };
    sliders_ = {slider("shrp_slidr", "shrp_slidr_val", 100, &PictureSettings::srp_val),
                slider("ev_slidr", "ev_slidr_val", 10, &PictureSettings::ev_val),
                slider("blr_slidr", "blr_slidr_val", 1, &PictureSettings::blr_val),
                slider("Sat_slidr", "Sat_slidr_val", 100, &PictureSettings::sat_val),
                slider("Brt_slidr", "Brt_slidr_val", 100, &PictureSettings::brt_val),
                slider("Con_slidr", "Con_slidr_val", 100, &PictureSettings::con_val),
                slider("Hue_slidr", "Hue_slidr_val", 100, &PictureSettings::hue_val),
                slider("Trsp_slidr", "Trsp_slidr_val", 1, &PictureSettings::img_trnsp_val),
                slider("Rotate_slidr", "Rotate_slidr_val", 10, &PictureSettings::rotate_image)};
}

float PictureAdjustmentControls::valueOf(const Slider& s)
{
    return float(s.slider->value() / s.divisor);
}

void PictureAdjustmentControls::connect(QWidget* receiver, const std::function<void()>& changed) const
{
    for (QCheckBox* box : {gray_, sepia_, invert_, flipVertically_, flipHorizontally_})
        QObject::connect(box, &QCheckBox::clicked, receiver, [changed] { changed(); });
    for (const Slider& s : sliders_) {
        QObject::connect(s.slider, &QSlider::valueChanged, receiver, [s, changed] {
            s.value->setText(QString::number(valueOf(s)));
            changed();
        });
    }
}

void PictureAdjustmentControls::reset() const
{
    show(PictureSettings());
}

void PictureAdjustmentControls::show(const PictureSettings& settings) const
{
    gray_->setChecked(settings.gray_Scale);
    sepia_->setChecked(settings.Sepia);
    invert_->setChecked(settings.invert_clr);
    flipVertically_->setChecked(settings._isFlippedVertically);
    flipHorizontally_->setChecked(settings._isFlippedHorizontally);
    for (const Slider& s : sliders_) {
        const QSignalBlocker quiet(s.slider);
        s.slider->setValue(int(std::lround(settings.*s.setting * s.divisor)));
        s.value->setText(QString::number(valueOf(s)));
    }
}

PictureSettings PictureAdjustmentControls::settings() const
{
    PictureSettings settings;
    settings.gray_Scale = gray_->isChecked();
    settings.Sepia = sepia_->isChecked();
    settings.invert_clr = invert_->isChecked();
    settings._isFlippedVertically = flipVertically_->isChecked();
    settings._isFlippedHorizontally = flipHorizontally_->isChecked();
    for (const Slider& s : sliders_)
        settings.*s.setting = valueOf(s);
    return settings;
}
