#include "views/wizards/Card_Wizard.h"

#include <QItemSelectionModel>
#include <QPushButton>

#include "model/CardBackgroundPicture.h"
#include "model/NumberBounds.h"
#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureReading.h"
#include "platform/Units.h"
#include "views/inspector/CardSizeLists.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/ComboSelection.h"
#include "views/inspector/FieldBounds.h"
#include "views/inspector/FillKindRadios.h"
#include "views/inspector/InspectorWindow.h"
#include "views/inspector/PanelValues.h"
#include "views/inspector/PictureFileChoice.h"
#include "ui_Card_Wizard.h"

namespace {

// A new card starts as the card pages start a new design: a CR80 card in landscape with a
// three-point solid border ready to switch on, filled white and opaque.
constexpr int kStartingBorderWidth = 3;
constexpr int kStartingOpacityPercent = 100;

}  // namespace

Card_Wizard::Card_Wizard(InspectorCard& window, const InspectorCardSize& presets, const QStringList& hatchNames,
                         QWidget* parent)
    : QWizard(parent), ui(std::make_unique<Ui::Card_Wizard>()), m_window(window), m_presets(presets)
{
    ui->setupUi(this);
    ui->ColList->setModel(&m_sizes);
    connectControls();
    setUpControls(hatchNames);
    // Every page as large as the largest, so that the window keeps its size from page to page.
    QSize largest;
    for (int id : pageIds())
        largest = largest.expandedTo(page(id)->sizeHint());
    for (int id : pageIds())
        page(id)->setMinimumSize(largest);
}

Card_Wizard::~Card_Wizard() = default;

void Card_Wizard::setUpControls(const QStringList& hatchNames)
{
    for (CheckedDoubleSpinBox* side : {ui->width_Stepper, ui->height_Stepper})
        boundNumberField(*side, NumberBounds::cardSideInUnit(kUnitMillimetre, side->decimals()), side->decimals(),
                         QStringLiteral("mm"));
    setBounds(*ui->Card_bor_Stepper, NumberBounds::kStrokeWidth, QStringLiteral("pt"));
    setBounds(*ui->Card_grad_Stepper, NumberBounds::kCardGradientAngle, QStringLiteral("degrees"));
    setBounds(*ui->Card_alpha_Stepper, NumberBounds::kOpacityPercent, QStringLiteral("%"));
    ui->Card_bor_Stepper->setValue(kStartingBorderWidth);
    ui->Card_alpha_Stepper->setValue(kStartingOpacityPercent);

    const Card_Wizard_Fields starting;
    ui->Card_bordr_clr->setColor(starting.Card_bordr_clr);
    for (ColorWell* well : {ui->Card_fill_clr, ui->Card_fill_Grd_1_clr, ui->Card_fill_Grd_2_clr, ui->Card_hatch_bk_clr})
        well->setColor(starting.Card_fill_clr);
    // The design keeps the pattern's name; the list shows it in words, as the card pages do.
    for (const QString& name : hatchNames)
        ui->Card_hatch_style->addItem(patternCaption(name), name);

    fillComboQuietly(*ui->Preset_ComboBox, cardOrientations(), 0);
    fillComboQuietly(*ui->Category_ComboBox, cardCategories(), 0);
    Category_ComboBox_Changed();
    ui->Card_Border_Box->setEnabled(false);
    enableFillControls();
}

void Card_Wizard::connectControls()
{
    connect(ui->Preset_ComboBox, &QComboBox::activated, this, &Card_Wizard::Preset_ComboBox_Changed);
    connect(ui->Category_ComboBox, &QComboBox::activated, this, &Card_Wizard::Category_ComboBox_Changed);
    connect(ui->ColList->selectionModel(), &QItemSelectionModel::selectionChanged, this, &Card_Wizard::sizeRowChosen);
    connect(ui->Card_border_chk, &QCheckBox::toggled, ui->Card_Border_Box, &QWidget::setEnabled);
    for (QRadioButton* kind : {ui->Card_solid_fill_rd, ui->Card_gradient_fill_rd, ui->Card_Style_fill_rd,
                               ui->Card_Image_fill_rd})
        connect(kind, &QRadioButton::toggled, this, &Card_Wizard::enableFillControls);
    connect(ui->Card_Image_Browse_Btn, &QPushButton::clicked, this, &Card_Wizard::Card_Image_Browse_Btn);
    connect(ui->Card_Image_Library_Btn, &QPushButton::clicked, this, &Card_Wizard::Card_Image_Library_Btn);
    connect(ui->User_Profile_btn, &QPushButton::clicked, this, &Card_Wizard::User_Profile_Click);
}

void Card_Wizard::User_Profile_Click()
{
    if (openProfileWindow)
        openProfileWindow(false, QString(), ui->Sides_ComboBox->currentIndex() == 0 ? QStringLiteral("2")
                                                                                   : QStringLiteral("1"));
}

int Card_Wizard::Open_Wnd(Card_Wizard_Fields& fields)
{
    // A run that is not shown (a scripted one) has no page until the wizard is restarted.
    restart();
    if (dialogPresenter().runModal(*this) != QDialog::Accepted)
        return 0;
    fields = choices();
    return 1;
}

Card_Wizard_Fields Card_Wizard::choices() const
{
    Card_Wizard_Fields fields;
    fields.Sides_ComboBox = ui->Sides_ComboBox->currentIndex();
    fields.Preset_ComboBox = ui->Preset_ComboBox->currentIndex();
    fields.Category_ComboBox = ui->Category_ComboBox->currentIndex();
    fields.ColList = customSizeChosen() ? -1 : selectedSizeRow();
    fields.width_Stepper = ui->width_Stepper->value();
    fields.height_Stepper = ui->height_Stepper->value();
    fields.card_name = ui->card_name->text();
    fields.Card_border_chk = ui->Card_border_chk->isChecked();
    fields.Card_bordr_clr = ui->Card_bordr_clr->color();
    fields.Card_bor_Stepper = ui->Card_bor_Stepper->value();
    fields.Card_border_style = ui->Card_border_style->currentIndex();
    fields.Card_fill_clr = ui->Card_fill_clr->color();
    const QString kind = chosenFillKind();
    fields.Card_gradient_fill_rd = kind == QLatin1String("G");
    fields.Card_Style_fill_rd = kind == QLatin1String("H");
    fields.Card_Image_fill_rd = kind == QLatin1String("I");
    fields.Card_fill_Grd_1_clr = ui->Card_fill_Grd_1_clr->color();
    fields.Card_fill_Grd_2_clr = ui->Card_fill_Grd_2_clr->color();
    fields.Card_grad_Stepper = ui->Card_grad_Stepper->value();
    fields.Card_hatch_bk_clr = ui->Card_hatch_bk_clr->color();
    fields.Card_hatch_style = ui->Card_hatch_style->currentIndex();
    // A fraction: a whole per cent read as one would make 1 % opaque.
    fields.Card_alpha_Stepper = ui->Card_alpha_Stepper->value() / 100.0;
    fields.Card_Image_path = ui->Card_Image_path->text();
    return fields;
}

bool Card_Wizard::validateCurrentPage()
{
    if (currentPage() == ui->fill_page && chosenFillKind() == QLatin1String("I") && ui->Card_Image_path->text().isEmpty()) {
        Show_MessageBox(kChooseBackgroundPictureMessage);
        return false;
    }
    return QWizard::validateCurrentPage();
}

// ---- The size page ----------------------------------------------------------------------------

bool Card_Wizard::customSizeChosen() const
{
    return ui->Preset_ComboBox->currentIndex() == kCustomOrientation;
}

int Card_Wizard::selectedSizeRow() const
{
    const QModelIndexList rows = ui->ColList->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void Card_Wizard::Preset_ComboBox_Changed()
{
    enableSizeControls();
    // The custom size starts from the size last shown.
    if (!customSizeChosen())
        sizeRowChosen();
}

void Card_Wizard::Category_ComboBox_Changed()
{
    m_sizes.clear();
    for (const QString& name : sizeNamesOfCategory(m_presets, ui->Category_ComboBox->currentIndex()))
        m_sizes.Create_List(name);
    // Every category has its first size chosen, so that a size is always shown.
    if (m_sizes.rowCount() > 0)
        ui->ColList->selectionModel()->select(m_sizes.index(0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    enableSizeControls();
}

void Card_Wizard::sizeRowChosen()
{
    const int row = selectedSizeRow();
    if (customSizeChosen() || row < 0)
        return;
    const QSizeF millimetres =
        presetSize(m_presets, ui->Preset_ComboBox->currentText(), ui->Category_ComboBox->currentText(), row);
    ui->width_Stepper->setValue(millimetres.width());
    ui->height_Stepper->setValue(millimetres.height());
}

void Card_Wizard::enableSizeControls()
{
    const bool custom = customSizeChosen();
    ui->Category_ComboBox->setEnabled(!custom);
    ui->ColList->setEnabled(!custom);
    ui->width_Stepper->setEnabled(custom);
    ui->height_Stepper->setEnabled(custom);
}

// ---- The fill page ----------------------------------------------------------------------------

QString Card_Wizard::chosenFillKind() const
{
    return FillKindRadios{ui->Card_solid_fill_rd, ui->Card_gradient_fill_rd, ui->Card_Style_fill_rd, ui->Card_Image_fill_rd}
        .chosen();
}

void Card_Wizard::enableFillControls()
{
    const QString kind = chosenFillKind();
    ui->Card_fill_clr->setEnabled(kind == QLatin1String("S"));
    for (QWidget* gradient : {static_cast<QWidget*>(ui->Card_fill_Grd_1_clr), static_cast<QWidget*>(ui->Card_fill_Grd_2_clr),
                              static_cast<QWidget*>(ui->Card_grad_Stepper)})
        gradient->setEnabled(kind == QLatin1String("G"));
    ui->Card_hatch_style->setEnabled(kind == QLatin1String("H"));
    ui->Card_hatch_bk_clr->setEnabled(kind == QLatin1String("H"));
    for (QWidget* picture : {static_cast<QWidget*>(ui->Card_Image_path), static_cast<QWidget*>(ui->Card_Image_Browse_Btn),
                             static_cast<QWidget*>(ui->Card_Image_Library_Btn)})
        picture->setEnabled(kind == QLatin1String("I"));
}

void Card_Wizard::Card_Image_Browse_Btn()
{
    FilePanelRequest request;
    request.parent = this;
    request.caption = tr("Choose a Background Picture");
    request.filter = pictureFileFilter(m_window.Allowd_Image_fileTypes());
    choosePicture(dialogPresenter().openFile(request));
}

void Card_Wizard::Card_Image_Library_Btn()
{
    if (m_window.Open_Image_Library_Window(QStringLiteral("B")) == 1)
        choosePicture(m_window.lib_window_sel_file());
}

void Card_Wizard::choosePicture(const QString& path)
{
    if (path.isEmpty())
        return;
    // The card reads the picture the same way when it is built; a file it cannot show is refused now.
    if (Read_Card_Background_Picture(path).isNull()) {
        Show_MessageBox(unreadablePictureMessage(path));
        return;
    }
    ui->Card_Image_path->setText(path);
}
