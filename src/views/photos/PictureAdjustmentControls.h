#pragma once
// The picture adjustments that the photo windows share: five check boxes and nine sliders, each
// slider with a label showing its value, found by their object names under a window. Each window
// lays them out in its own .ui file; this is the one place that reads, resets and wires them.
#include <QList>
#include <functional>

#include "filters/PictureSettings.h"

class QCheckBox;
class QLabel;
class QSlider;
class QWidget;

class PictureAdjustmentControls {
public:
    // The controls named Image_Gray_Scale_chk … Rotate_slidr_val under the window.
    explicit PictureAdjustmentControls(QWidget& window);

    // Every change of a control calls back after the value labels are brought up to date.
    void connect(QWidget* receiver, const std::function<void()>& changed) const;
    // Neutral settings on every control, without calling back.
    void reset() const;
    // The settings on every control, without calling back.
    void show(const PictureSettings& settings) const;
    // The settings the controls show, as the filter chain takes them.
    PictureSettings settings() const;

private:
    // A slider holds whole steps; the value it stands for is the step over its divisor.
    struct Slider {
        QSlider* slider;
        QLabel* value;
        double divisor;
        float PictureSettings::*setting;
    };
    static float valueOf(const Slider& s);

    QCheckBox* gray_;
    QCheckBox* sepia_;
    QCheckBox* invert_;
    QCheckBox* flipVertically_;
    QCheckBox* flipHorizontally_;
    QList<Slider> sliders_;
};
