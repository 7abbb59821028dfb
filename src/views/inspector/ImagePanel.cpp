#include "views/inspector/ImagePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <utility>

#include "model/NumberBounds.h"
#include "model/SKTImage.h"
#include "platform/AppContext.h"
#include "views/inspector/AdjustedPictureRenderer.h"
#include "views/inspector/BorderFields.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/ColorWell.h"
#include "views/inspector/ComboSelection.h"
#include "views/inspector/FloatSlider.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/InspectorWindow.h"
#include "views/inspector/KeptNumber.h"
#include "views/inspector/PanelValues.h"
#include "views/inspector/PositionFields.h"
#include "views/inspector/ShowQuietly.h"
#include "views/inspector/SignaturePanel.h"
#include "ui_ImagePanel.h"

namespace {

// A slider's range, its steps per unit, and the decimals and unit of its value field.
struct SliderScale {
    double low;
    double high;
    int stepsPerUnit;
    int decimals;
    const char* unit;
};

// The filter chain's neutral values lie inside every range; the turn covers every angle a design
// file holds.
constexpr SliderScale kOpacityScale{NumberBounds::kOpacityPercent.low, NumberBounds::kOpacityPercent.high, 1, 0, "%"};
constexpr SliderScale kTurnScale{NumberBounds::kAngle.low, NumberBounds::kAngle.high, 10, 1, "degrees"};
constexpr SliderScale kHueScale{-3.14, 3.14, 100, 2, "radians"};
constexpr SliderScale kSaturationScale{0, 2, 100, 2, ""};
constexpr SliderScale kBrightnessScale{-1, 1, 100, 2, ""};
constexpr SliderScale kContrastScale{0, 4, 100, 2, ""};
constexpr SliderScale kSharpnessScale{0, 2, 100, 2, ""};
constexpr SliderScale kExposureScale{-3, 3, 100, 2, "stops"};
constexpr SliderScale kBlurScale{0, 20, 10, 1, "pixels"};

}  // namespace

ImagePanel::ImagePanel(const PanelContext& context, QObject* parent)
    : ElementPanel(context, parent),
      ui(std::make_unique<Ui::ImagePanel>()),
      m_renderer(std::make_unique<AdjustedPictureRenderer>([this] { m_context.window.Refresh_Canvas(); },
                                                           [this] {
                                                               // The pictures reach the screen first.
                                                               QTimer::singleShot(0, this, &ImagePanel::snapshotRenderedPictures);
                                                           }))
{
    ui->setupUi(m_context.view.page(QStringLiteral("image_tab")));
    ui->img_ctrl_id_val->hide();
    ui->invalid_source_label->hide();
    setUpFields();
    connectControls();
    Reset_Image_Editing_Controls();
}

ImagePanel::~ImagePanel() = default;

void ImagePanel::setUpFields()
{
    const auto field = [](FloatSlider* slider, CheckedDoubleSpinBox* value, const SliderScale& scale,
                          float PictureSettings::*setting, bool renders) {
        slider->setFloatRange(scale.low, scale.high, scale.stepsPerUnit);
        slider->setPageStep(scale.stepsPerUnit);
        value->setUnit(QString::fromLatin1(scale.unit));
        value->setDecimals(scale.decimals);
        value->setRange(scale.low, scale.high);
        value->setSingleStep(scale.stepsPerUnit >= 100 ? 0.1 : 1.0);
        return SliderField{slider, value, scale.stepsPerUnit, setting, renders};
    };
    // In the order the writer stores them; transparency is applied when the picture is drawn.
    m_sliders = {
        field(ui->Trsp_slidr, ui->Trsp_slidr_val, kOpacityScale, &PictureSettings::img_trnsp_val, false),
        field(ui->Rotate_slidr, ui->Rotate_slidr_val, kTurnScale, &PictureSettings::rotate_image, true),
        field(ui->Hue_slidr, ui->Hue_slidr_val, kHueScale, &PictureSettings::hue_val, true),
        field(ui->Sat_slidr, ui->Sat_slidr_val, kSaturationScale, &PictureSettings::sat_val, true),
        field(ui->Brt_slidr, ui->Brt_slidr_val, kBrightnessScale, &PictureSettings::brt_val, true),
        field(ui->Con_slidr, ui->Con_slidr_val, kContrastScale, &PictureSettings::con_val, true),
        field(ui->shrp_slidr, ui->shrp_slidr_val, kSharpnessScale, &PictureSettings::srp_val, true),
        field(ui->ev_slidr, ui->ev_slidr_val, kExposureScale, &PictureSettings::ev_val, true),
        field(ui->blr_slidr, ui->blr_slidr_val, kBlurScale, &PictureSettings::blr_val, true),
    };
    border().setUp();
}

void ImagePanel::connectControls()
{
    for (const SliderField& field : std::as_const(m_sliders))
        connectSlider(field);
    for (QCheckBox* box : {ui->Image_Gray_Scale_chk, ui->Image_Sepia_chk, ui->Image_Invert_chk, ui->Image_FIV_chk,
                           ui->Image_FIH_chk})
        connect(box, &QCheckBox::clicked, this, [this] { Update_Image_Graphics(true); });
    connect(ui->draw_image_filter_chkbox, &QCheckBox::clicked, this, &ImagePanel::Apply_Image_Filter_Chked);
    connect(ui->Image_border_chk, &QCheckBox::clicked, this, &ImagePanel::Image_Border_ChkBox);
    connect(ui->Image_bor_Stepper, &QSpinBox::valueChanged, this, [this] { Update_Image_Graphics(false); });
    connect(ui->Image_bordr_clr, &ColorWell::colorChosen, this, [this] { Update_Image_Graphics(false); });
    connect(ui->Image_border_style, &QComboBox::activated, this, [this] { Update_Image_Graphics(false); });
    connect(ui->Open_Camera_btn, &QPushButton::clicked, this, &ImagePanel::Open_Camera_Clicked);
    connect(ui->Manual_Image_Browse_btn, &QPushButton::clicked, this, &ImagePanel::Manual_Image_Browse_Btn);
    connect(ui->Manual_Library_Browse_btn, &QPushButton::clicked, this, &ImagePanel::Manual_Library_Browse_Btn);
    connect(ui->Cropping_Selected_Image_btn, &QPushButton::clicked, this, &ImagePanel::Cropping_Selected_Image_clicked);
    connect(ui->Image_reset_btn, &QPushButton::clicked, this, &ImagePanel::Image_reset_Button);
}

void ImagePanel::connectSlider(const SliderField& field)
{
    // A drag reaches here once per step; the writer stores at once and the picture follows when
    // the renderer gets to it.
    connect(field.slider, &FloatSlider::floatValueChanged, this, [this, field](double value) {
        const QSignalBlocker quiet(field.value);
        field.value->setValue(value);
        Update_Image_Graphics(field.renders);
    });
    // A number typed (and taken) into the value field moves the slider.
    connect(field.value, &QDoubleSpinBox::valueChanged, this, [this, field](double value) {
        field.slider->setFloatValue(value);
        Update_Image_Graphics(field.renders);
    });
}

void ImagePanel::load(SKTGraphic& graphic)
{
    m_context.positions.setPositionBoxShown(false);
    m_context.view.sel_control_name().setText(QStringLiteral("I"));
    ui->img_ctrl_id_val->setText(graphic.control_ID);
    // A live card's photo is chosen on its side panel, which keeps it for the record and the log.
    if (isVisitorOrGroupMode())
        ui->manual_brws_box->hide();
    else if (!graphic.ctrl_is_locked)
        ui->manual_brws_box->show();
    ui->invalid_source_label->hide();
    if (isVisitorOrGroupMode())
        m_context.window.Set_User_Image_Control(m_context.window.sideInForce(), graphic._file_path, graphic._contents,
                                                graphic.control_ID);
    m_context.positions.Set_Control_Pos_And_Size(graphic);

    border().load(graphic);
    for (const SliderField& field : std::as_const(m_sliders)) {
        const QSignalBlocker quietSlider(field.slider);
        const QSignalBlocker quietValue(field.value);
        field.slider->setFloatValue(graphic.picture.*field.setting);
        field.value->setValue(field.slider->floatValue());
    }
    showQuietly(*ui->Image_Gray_Scale_chk, graphic.picture.gray_Scale);
    showQuietly(*ui->Image_Sepia_chk, graphic.picture.Sepia);
    showQuietly(*ui->Image_Invert_chk, graphic.picture.invert_clr);
    showQuietly(*ui->Image_FIV_chk, graphic.picture._isFlippedVertically);
    showQuietly(*ui->Image_FIH_chk, graphic.picture._isFlippedHorizontally);
    setPathField(graphic._file_path);
    showQuietly(*ui->draw_image_filter_chkbox, true);
    ui->Image_Edit_Prop_Box->setEnabled(true);
    showSourceCheck(graphic);
}

void ImagePanel::Update_Image_Graphics(bool render)
{
    // The path typed by hand belongs to one picture, and in the live modes to the side panels.
    const bool takesPathField = !isVisitorOrGroupMode() && m_context.window.selectedGraphics().size() == 1;
    SKTGraphic* lastWritten = nullptr;
    const bool written = writeSelectedElements(GraphicKind::Image, [&](SKTGraphic& graphic) {
        writeInto(graphic, takesPathField);
        lastWritten = &graphic;
    });
    if (!written)
        return;
    if (lastWritten)
        showSourceCheck(*lastWritten);
    const QList<std::shared_ptr<SKTImage>> pictures = writablePictures();
    if (!render || pictures.isEmpty()) {
        m_context.window.Insert_In_Undo_Redo();
        return;
    }
    // A snapshot holds the adjusted pictures too: it is taken once they are made, so that each
    // Undo shows the pictures as they were. Changes made meanwhile share it.
    m_snapshotAfterRendering = true;
    m_renderer->request(pictures);
}

void ImagePanel::snapshotRenderedPictures()
{
    if (m_renderer->isIdle() && std::exchange(m_snapshotAfterRendering, false))
        m_context.window.Insert_In_Undo_Redo();
}

void ImagePanel::writeInto(SKTGraphic& graphic, bool takesPathField) const
{
    graphic.print_object = m_context.positions.printObjectState();
    border().write(graphic);
    PictureSettings& settings = graphic.picture;
    settings._isFlippedHorizontally = ui->Image_FIH_chk->isChecked();
    settings._isFlippedVertically = ui->Image_FIV_chk->isChecked();
    settings.invert_clr = ui->Image_Invert_chk->isChecked();
    settings.gray_Scale = ui->Image_Gray_Scale_chk->isChecked();
    settings.Sepia = ui->Image_Sepia_chk->isChecked();
    graphic.textStyle.Drawing_Shadow = true;
    for (const SliderField& field : m_sliders) {
        float& stored = settings.*field.setting;
        // The position: while the user moves a slider its value follows only after the move.
        stored = keptSliderValue(stored, field.slider->sliderPosition(), field.stepsPerUnit, field.slider->minimum(),
                                 field.slider->maximum());
    }
    if (takesPathField)
        graphic._file_path = ui->Manual_image_path->toPlainText();
}

void ImagePanel::showSourceCheck(const SKTGraphic& graphic)
{
    const bool hasPicture = !graphic._contents.isNull() && !graphic._contents.size().isEmpty();
    const bool fileThere = !graphic._file_path.isEmpty() && QFileInfo::exists(graphic._file_path);
    ui->invalid_source_label->setVisible(!(hasPicture && fileThere));
}

QList<std::shared_ptr<SKTImage>> ImagePanel::writablePictures() const
{
    QList<std::shared_ptr<SKTImage>> pictures;
    for (const GraphicPtr& graphic : m_context.window.selectedGraphics()) {
        if (graphic->kind() == GraphicKind::Image && !graphic->ctrl_is_locked)
            pictures << std::static_pointer_cast<SKTImage>(graphic);
    }
    return pictures;
}

void ImagePanel::Reset_Image_Editing_Controls()
{
    const NotDrawOnlyPropChangeGuard filling;
    const PictureSettings neutral;
    for (const SliderField& field : std::as_const(m_sliders)) {
        const QSignalBlocker quietSlider(field.slider);
        const QSignalBlocker quietValue(field.value);
        field.slider->setFloatValue(neutral.*field.setting);
        field.value->setValue(field.slider->floatValue());
    }
    for (QCheckBox* box : {ui->Image_Gray_Scale_chk, ui->Image_Sepia_chk, ui->Image_Invert_chk, ui->Image_FIV_chk,
                           ui->Image_FIH_chk, ui->Image_border_chk})
        showQuietly(*box, false);
    showQuietly(*ui->draw_image_filter_chkbox, true);
    ui->Image_Edit_Prop_Box->setEnabled(true);
    showQuietly(*ui->Image_bor_Stepper, 1);
    selectComboIndex(*ui->Image_border_style, 0);
    ui->Image_bordr_clr->setColor(Qt::black);
    border().enableBox();
}

void ImagePanel::resetForNewProject(const QString& noImagePath)
{
    setPathField(noImagePath);
}

BorderFields ImagePanel::border() const
{
    return {*ui->Image_border_chk, *ui->Image_bordr_clr, *ui->Image_bor_Stepper, *ui->Image_border_style, *ui->Image_Border_Box};
}

void ImagePanel::Image_Border_ChkBox()
{
    border().enableBox();
    Update_Image_Graphics(false);
}

void ImagePanel::Apply_Image_Filter_Chked()
{
    // The switch itself is stored nowhere: the adjustments stay on.
    ui->Image_Edit_Prop_Box->setEnabled(true);
    Update_Image_Graphics(true);
}

void ImagePanel::setPathField(const QString& path)
{
    Set_NS_Text_View_String(*ui->Manual_image_path, path);
}

void ImagePanel::showBoundPicture(const QString& path)
{
    setPathField(path);
    Update_Image_Graphics(true);
}

void ImagePanel::finishRendering()
{
    m_renderer->finish();
    snapshotRenderedPictures();
}
