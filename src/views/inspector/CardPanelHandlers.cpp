// The card pages' controls: what each does before the writer runs, the background picture and
// the font panel.
#include <QButtonGroup>
#include <cmath>
#include <QTabWidget>

#include "model/CardBackgroundPicture.h"
#include "model/Card_Property.h"
#include "platform/AppContext.h"
#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureReading.h"
#include "views/browser/ImageBrowser.h"
#include "views/inspector/CardPanel.h"
#include "views/inspector/ComboSelection.h"
#include "views/inspector/FontChoice.h"
#include "views/inspector/InspectorGlobals.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/InspectorWindow.h"
#include "views/inspector/PanelValues.h"
#include "views/inspector/PictureFileChoice.h"
#include "views/wizards/WizardFields.h"
#include "ui_CardBackgroundPage.h"
#include "ui_CardBorderPage.h"
#include "ui_CardInfoPage.h"
#include "ui_CardSizePage.h"

CardPanel::CardPanel(InspectorView& view, InspectorWindow& window, QObject* parent)
    : QObject(parent), m_view(view), m_window(window)
{
    auto* browser = new ImageBrowser(&m_backgrounds, m_view.cardBackground().background_browser_box);
    browser->setObjectName(QStringLiteral("imageBrowser"));
    browser->setMinimumHeight(200);
    m_view.cardBackground().background_browser_box->layout()->addWidget(browser);
    // The stock backgrounds always go to the front, whichever side is being edited.
    connect(&m_backgrounds, &ImageBrowserModel::imageChosen, this, [this](const QString& path) {
        set_Front_BG_Image(path);
        m_window.Refresh_Canvas();
    });
    // The opacity row comes and goes with the fill kind; the rows below it stay where they are.
    for (QWidget* opacityRow : {static_cast<QWidget*>(m_view.cardBackground().Card_alpha_label),
                                static_cast<QWidget*>(m_view.cardBackground().Card_alpha_Stepper)}) {
        QSizePolicy policy = opacityRow->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        opacityRow->setSizePolicy(policy);
    }
    connectControls();
    resetForNewProject();
}

void CardPanel::setHatchStyles(const QStringList& names)
{
    QComboBox& hatch = *m_view.cardBackground().Card_hatch_style;
    const QSignalBlocker quiet(hatch);
    hatch.clear();
    // The design stores the name, the list shows its caption.
    for (const QString& name : names)
        hatch.addItem(patternCaption(name), name);
}

void CardPanel::setUpControls(const QStringList& hatchNames)
{
    const NotDrawOnlyPropChangeGuard filling;
    selectComboIndex(*m_view.cardBackground().Card_image_layout, 1);
    selectComboIndex(*m_view.cardInfo().Sides_ComboBox, 0);
    selectComboIndex(*m_view.cardSize().Preset_ComboBox, 0);
    selectComboIndex(*m_view.cardSize().Category_ComboBox, 0);
    const QSignalBlocker quiet(m_view.cardBorder().Card_bor_Stepper);
    m_view.cardBorder().Card_bor_Stepper->setValue(3);
    selectComboIndex(*m_view.cardBorder().Card_border_style, 0);
    card_prop_set(QStringLiteral("S"));
    setHatchStyles(hatchNames);
    if (!hatchNames.isEmpty())
        selectComboIndex(*m_view.cardBackground().Card_hatch_style, 0);
}

void CardPanel::resetForNewProject()
{
    All_Text_font = CardFont{Text_Ctrl_Font, Text_Ctrl_Font_Size};
    m_view.cardInfo().All_Text_font_value->setText(fontCaption(All_Text_font));
    m_view.cardInfo().All_Text_clr->setColor(Qt::black);
    All_Text_font_COPY = CardFont{};
    All_Text_clr_COPY = m_view.cardInfo().All_Text_clr->color();
    card_prop_set(QStringLiteral("S"));
}

QColor CardPanel::All_Text_clr() const
{
    return m_view.cardInfo().All_Text_clr->color();
}

void CardPanel::connectControls()
{
    Ui::CardBorderPage& border = m_view.cardBorder();
    Ui::CardBackgroundPage& background = m_view.cardBackground();
    Ui::CardInfoPage& info = m_view.cardInfo();
    Ui::CardSizePage& size = m_view.cardSize();
    const auto write = [this] { Update_Card_Graphics(); };
    const auto writeAndTitle = [this] {
        Update_Card_Graphics();
        if (!Not_Draw_Only_Prop_Change)
            m_window.Set_Log_Name_In_Title();
    };

    connect(border.Card_border_chk, &QCheckBox::clicked, this, &CardPanel::Card_Border_ChkBox);
    connect(border.Card_bordr_clr, &ColorWell::colorChosen, this, write);
    connect(border.Card_bor_Stepper, &QSpinBox::valueChanged, this, write);
    connect(border.Card_border_style, &QComboBox::activated, this, write);
    connect(border.enable_watermark_chk, &QCheckBox::clicked, this, &CardPanel::Enable_Watermark_Clicked);
    connect(border.watermark_text, &QLineEdit::textEdited, this, writeAndTitle);
    connect(border.watermark_color, &ColorWell::colorChosen, this, write);
    connect(border.wm_font_btn, &QPushButton::clicked, this, &CardPanel::WM_Text_Font_Changed);
    connect(border.wm_alignment_combo, &QComboBox::activated, this, write);
    connect(border.wm_transp_slider, &QSlider::valueChanged, this, &CardPanel::WM_transp_slider_changed);

    connect(background.Card_fill_chk, &QCheckBox::clicked, this, &CardPanel::Card_Fill_Chk_Box);
    connect(background.Card_solid_fill_rd, &QRadioButton::clicked, this, &CardPanel::Card_Solid_RD_Sel);
    connect(background.Card_gradient_fill_rd, &QRadioButton::clicked, this, &CardPanel::Card_Gradient_RD_Sel);
    connect(background.Card_Style_fill_rd, &QRadioButton::clicked, this, &CardPanel::Card_Hatch_RD_Sel);
    connect(background.Card_Image_fill_rd, &QRadioButton::clicked, this, &CardPanel::Card_Image_RD_Sel);
    for (ColorWell* well : {background.Card_fill_clr, background.Card_fill_Grd_1_clr, background.Card_fill_Grd_2_clr,
                            background.Card_hatch_bk_clr})
        connect(well, &ColorWell::colorChosen, this, write);
    connect(background.Card_grad_Stepper, &QSpinBox::valueChanged, this, write);
    connect(background.Card_alpha_Stepper, &QSpinBox::valueChanged, this, write);
    connect(background.Card_hatch_style, &QComboBox::activated, this, write);
    connect(background.Card_image_layout, &QComboBox::activated, this, [this, write] {
        Show_Hide_Card_Transp_Ctrl(m_view.cardBackground().Card_image_layout->currentText() == QLatin1String("Tile"));
        write();
    });
    connect(background.Card_Image_Browse_Btn, &QPushButton::clicked, this, &CardPanel::Card_Image_Browse_Btn);
    connect(background.Card_Image_Library_Btn, &QPushButton::clicked, this, &CardPanel::Card_Image_Library_Btn);

    connect(info.card_name, &QLineEdit::textEdited, this, writeAndTitle);
    connect(info.All_Text_clr, &ColorWell::colorChosen, this, &CardPanel::Restyle_All_Texts);
    connect(info.all_content_font_btn, &QPushButton::clicked, this, &CardPanel::Content_Font_Clicked);
    connect(info.Sides_ComboBox, &QComboBox::activated, this, [this](int index) {
        applySides(index);
        Update_Card_Graphics();
    });

    for (QAbstractButton* shape : {size.shapeRectangle, size.shapeRoundedRectangle, size.shapeEllipse})
        connect(shape, &QAbstractButton::clicked, this, &CardPanel::card_shape_CellClick);
}

void CardPanel::applySides(int index)
{
    if (index == 0) {
        CARD_SIDE_STR = QStringLiteral("2");
        m_window.setBackSideCommandsEnabled(true);
        return;
    }
    if (m_window.sideInForce() == 1)
        m_window.Select_front_side();
    CARD_SIDE_STR = QStringLiteral("1");
    m_window.setBackSideCommandsEnabled(false);
}

void CardPanel::showSides(int index)
{
    selectComboIndex(*m_view.cardInfo().Sides_ComboBox, index, [this, index] { applySides(index); });
}

void CardPanel::showCardWizardChoices(const Card_Wizard_Fields& wizard)
{
    Ui::CardInfoPage& info = m_view.cardInfo();
    Ui::CardBorderPage& border = m_view.cardBorder();
    Ui::CardBackgroundPage& background = m_view.cardBackground();
    Ui::CardSizePage& size = m_view.cardSize();
    const QList<QAbstractButton*> shapes{size.shapeRectangle, size.shapeRoundedRectangle, size.shapeEllipse};
    if (QAbstractButton* shape = shapes.value(Card_Shape))
        shape->setChecked(true);
    showSides(wizard.Sides_ComboBox);
    info.card_name->setText(wizard.card_name);
    border.Card_border_chk->setChecked(wizard.Card_border_chk);
    border.Card_bordr_clr->setColor(wizard.Card_bordr_clr);
    border.Card_bor_Stepper->setValue(wizard.Card_bor_Stepper);
    selectComboIndex(*border.Card_border_style, wizard.Card_border_style);
    background.Card_fill_chk->setChecked(true);
    background.Card_fill_clr->setColor(wizard.Card_fill_clr);
    const QString kind = Card_Fill_Kind(wizard);
    background.Card_fill_Grd_1_clr->setColor(wizard.Card_fill_Grd_1_clr);
    background.Card_fill_Grd_2_clr->setColor(wizard.Card_fill_Grd_2_clr);
    background.Card_grad_Stepper->setValue(int(std::trunc(std::isfinite(wizard.Card_grad_Stepper) ? wizard.Card_grad_Stepper : 0)));
    background.Card_hatch_bk_clr->setColor(wizard.Card_hatch_bk_clr);
    if (kind == QLatin1String("H"))
        selectComboIndex(*background.Card_hatch_style, wizard.Card_hatch_style);
    background.Card_alpha_Stepper->setValue(Card_Wizard_Opacity_Percent(wizard.Card_alpha_Stepper));
    background.Card_Image_path->setText(wizard.Card_Image_path);
    background.Card_Image_path_BACK->setText(wizard.Card_Image_path);
    card_prop_set(kind);
}

void CardPanel::Card_Border_ChkBox()
{
    m_view.cardBorder().Card_Border_Box->setEnabled(m_view.cardBorder().Card_border_chk->isChecked());
    Update_Card_Graphics();
}

void CardPanel::Card_Fill_Chk_Box()
{
    Ui::CardBackgroundPage& background = m_view.cardBackground();
    card_prop_set(m_window.cardRecord(m_window.sideInForce()).Card_fill_style());
    Update_Card_Graphics();
    const bool filled = background.Card_fill_chk->isChecked();
    background.Card_Fill_Box->setEnabled(filled);
    background.Card_image_box->setEnabled(filled && background.Card_Image_fill_rd->isChecked());
}

void CardPanel::Card_Solid_RD_Sel()
{
    card_prop_set(QStringLiteral("S"));
    Update_Card_Graphics();
}

void CardPanel::Card_Gradient_RD_Sel()
{
    card_prop_set(QStringLiteral("G"));
    Update_Card_Graphics();
}

void CardPanel::Card_Hatch_RD_Sel()
{
    card_prop_set(QStringLiteral("H"));
    Update_Card_Graphics();
}

void CardPanel::Card_Image_RD_Sel()
{
    card_prop_set(QStringLiteral("I"));
    Update_Card_Graphics();
}

void CardPanel::Enable_Watermark_Clicked()
{
    m_view.cardBorder().watermark_box->setEnabled(m_view.cardBorder().enable_watermark_chk->isChecked());
    Update_Card_Graphics();
}

void CardPanel::WM_transp_slider_changed()
{
    m_view.cardBorder().wm_transp_val->setNum(m_view.cardBorder().wm_transp_slider->value());
    Update_Card_Graphics();
}

void CardPanel::Content_Font_Clicked()
{
    if (const std::optional<CardFont> chosen = chooseFont(&m_view, All_Text_font)) {
        All_Text_font = *chosen;
        m_view.cardInfo().All_Text_font_value->setText(fontCaption(All_Text_font));
        Restyle_All_Texts();
    }
}

void CardPanel::Restyle_All_Texts()
{
    Update_All_Card_Content();
    m_window.Insert_In_Undo_Redo();
}

void CardPanel::WM_Text_Font_Changed()
{
    if (const std::optional<CardFont> chosen = chooseFont(&m_view, WM_Text_font)) {
        WM_Text_font = *chosen;
        m_view.cardBorder().wm_font_value->setText(fontCaption(WM_Text_font));
        Update_Card_Graphics();
    }
}

void CardPanel::card_shape_CellClick()
{
    Ui::CardSizePage& size = m_view.cardSize();
    const QList<QAbstractButton*> rows{size.shapeRectangle, size.shapeRoundedRectangle, size.shapeEllipse};
    for (int row = 0; row < int(rows.size()); ++row) {
        if (rows[row]->isChecked())
            Card_Shape = row;
    }
    if (m_applySize)
        m_applySize();
    else
        Update_All_Card_Content();
    m_window.Refresh_Canvas();
}

// ---- Background picture -----------------------------------------------------------------------

bool CardPanel::set_Front_BG_Image(const QString& path)
{
    return setBackgroundPicture(0, path);
}

bool CardPanel::set_Back_BG_Image(const QString& path)
{
    return setBackgroundPicture(1, path);
}

bool CardPanel::setBackgroundPicture(int side, const QString& path)
{
    Ui::CardBackgroundPage& background = m_view.cardBackground();
    QLineEdit& pathField = *(side == 0 ? background.Card_Image_path : background.Card_Image_path_BACK);
    if (path.isEmpty()) {
        pathField.clear();
        return false;
    }
    const QImage picture = Read_Card_Background_Picture(path);
    if (picture.isNull()) {
        Show_MessageBox(unreadablePictureMessage(path));
        return false;
    }
    pathField.setText(path);
    Set_Card_Background_Picture(m_window.cardRecord(side), path, picture);
    reloadCardPages();
    return true;
}

void CardPanel::Card_Image_Browse_Btn()
{
    FilePanelRequest request;
    request.parent = &m_view;
    request.caption = tr("Choose a Background Picture");
    request.filter = pictureFileFilter(m_window.Allowd_Image_fileTypes());
    const QString path = dialogPresenter().openFile(request);
    if (path.isEmpty() || !setBackgroundPicture(m_window.sideInForce(), path))
        return;
    Update_Card_Graphics();
    selectBackgroundPage();
}

void CardPanel::Card_Image_Library_Btn()
{
    if (m_window.Open_Image_Library_Window(QStringLiteral("B")) == 1)
        setBackgroundPicture(m_window.sideInForce(), m_window.lib_window_sel_file());
    Update_Card_Graphics();
    selectBackgroundPage();
}

void CardPanel::selectBackgroundPage()
{
    QTabWidget& tabs = m_view.sett_tab();
    if (QWidget* page = m_view.page(QStringLiteral("card_bkgd_tab")); tabs.indexOf(page) >= 0)
        tabs.setCurrentWidget(page);
}
