#pragma once
// The picture page: where the picture comes from (a file, the camera, the picture library, the
// cropping tool), a border, mirroring, the filter chain's adjustments, opacity and turn, and the
// reset of them all, written into the selected pictures. Adjustments are drawn from the element's
// own picture; while a slider moves they are made off the GUI thread (AdjustedPictureRenderer).
#include <QList>
#include <memory>

#include "views/inspector/ElementPanel.h"

class AdjustedPictureRenderer;
struct BorderFields;
class CroppedPictureBinding;
class QDoubleSpinBox;
class SKTImage;
class FloatSlider;

namespace Ui {
class ImagePanel;
}

class ImagePanel : public ElementPanel {
    Q_OBJECT
public:
    ImagePanel(const PanelContext& context, QObject* parent = nullptr);
    ~ImagePanel() override;

    void load(SKTGraphic& graphic) override;

    // The writer: every control into each selected unlocked picture of the side being edited, then
    // one redraw and one undo snapshot. With render the adjusted pictures are made again from the
    // settings; without, only the missing-picture warning follows the elements.
    void Update_Image_Graphics(bool render);
    // True when two or more pictures are selected on the side being edited (locked ones count);
    // with show it first says so, naming the action ("Capture", "Browse", "Select", "Crop").
    bool Check_Multiple_Image_Selection(const QString& action, bool show);
    // The picture file for the selected picture element. A file that gives no picture is refused
    // with a message and the element keeps its picture; false then.
    bool Set_Image_On_Card_Control(const QString& path);
    // Lets the user choose a picture file; true, with the path in Library_Selected_Image and the
    // path field, for one that reads as a picture.
    bool Browse_User_Image_Manually();
    // The neutral settings into the page; no element changes.
    void Reset_Image_Editing_Controls();
    // A new project's page: the path field shows the picture of a picture element without one.
    void resetForNewProject(const QString& noImagePath);
    // After a binding gave the selected picture a preview value: the path shows and the writer
    // runs with a render.
    void showBoundPicture(const QString& path);

    // What the crop of a picture bound to a series or a spreadsheet column needs of the data-source
    // page (not owned; none leaves such crops undone).
    void setCroppedPictureBinding(CroppedPictureBinding* binding) { m_croppedBinding = binding; }
    // Waits until every adjusted picture asked for is in its element (tests and benchmarks).
    void finishRendering();

    // Control actions.
    void Open_Camera_Clicked();
    void Manual_Image_Browse_Btn();
    void Manual_Library_Browse_Btn();
    void Cropping_Selected_Image_clicked();
    void Image_reset_Button();
    void Image_Border_ChkBox();
    void Apply_Image_Filter_Chked();

private:
    // A slider, the field showing its value, its steps per unit, the setting it stands for and
    // whether a change makes the adjusted picture again.
    struct SliderField {
        FloatSlider* slider;
        QDoubleSpinBox* value;
        int stepsPerUnit;
        float PictureSettings::*setting;
        bool renders;
    };
    void connectControls();
    BorderFields border() const;
    void connectSlider(const SliderField& field);
    void setUpFields();
    void writeInto(SKTGraphic& graphic, bool takesPathField) const;
    void showSourceCheck(const SKTGraphic& graphic);
    QList<std::shared_ptr<SKTImage>> writablePictures() const;
    // Visitor and group modes: the side panel shows the current element's picture.
    void updateSidePanel();
    void cropManualPicture(SKTGraphic& graphic, const QString& path, bool keepAsValue);
    void cropSeriesPicture(SKTGraphic& graphic, bool pictureMissing);
    void cropColumnPicture(SKTGraphic& graphic, bool pictureMissing);
    void setPathField(const QString& path);
    // The snapshot of a write whose pictures were being made.
    void snapshotRenderedPictures();

    std::unique_ptr<Ui::ImagePanel> ui;
    std::unique_ptr<AdjustedPictureRenderer> m_renderer;
    QList<SliderField> m_sliders;
    bool m_snapshotAfterRendering = false;
    CroppedPictureBinding* m_croppedBinding = nullptr;
};
