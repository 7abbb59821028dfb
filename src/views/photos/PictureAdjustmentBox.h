#pragma once
// The picture adjustments laid out once for every photo window: five check boxes, nine sliders
// each with its value, and Reset. PictureAdjustmentControls reads and wires them by name.
#include <QGroupBox>
#include <memory>

class QPushButton;
namespace Ui {
class PictureAdjustmentBox;
}

class PictureAdjustmentBox : public QGroupBox {
    Q_OBJECT
public:
    explicit PictureAdjustmentBox(QWidget* parent = nullptr);
    ~PictureAdjustmentBox() override;

    QPushButton* image_reset_btn() const;

private:
    std::unique_ptr<Ui::PictureAdjustmentBox> ui;
};
