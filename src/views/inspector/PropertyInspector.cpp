#include "views/inspector/PropertyInspector.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <algorithm>

#include "model/SKTGraphic.h"
#include "platform/AppContext.h"
#include "platform/Units.h"
#include "views/inspector/InspectorTabs.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/InspectorWindow.h"
#include "views/wizards/WizardFields.h"

PropertyInspector::PropertyInspector(InspectorView& view, InspectorWindow& window, QObject* parent)
    : QObject(parent),
      m_view(view),
      m_window(window),
      m_card(view, window, this),
      m_size(view, window, m_card, this),
      m_positions(view, window, this),
      m_dataSource(view, window, this),
      m_panels{view, window, m_positions, m_dataSource},
      m_text(m_panels, this),
      m_image(m_panels, this),
      m_line(m_panels, this),
      m_signature(m_panels, this),
      m_shape(m_panels, this),
      m_barcode(m_panels, this)
{
    m_card.setCardPagesReload([this] { Show_RHS_Properties(nullptr); });
    m_dataSource.setTextBound([this](SKTGraphic& graphic) { m_text.showBoundText(graphic); });
    m_dataSource.setPictureBound([this](const QString& path) { m_image.showBoundPicture(path); });
    m_dataSource.setOnePictureCheck(
        [this] { return !m_image.Check_Multiple_Image_Selection(QStringLiteral("Select"), true); });
    m_image.setCroppedPictureBinding(&m_dataSource);
}

void PropertyInspector::setUpControls(const QStringList& hatchNames)
{
    m_card.setUpControls(hatchNames);
    m_shape.setUpControls(hatchNames);
    m_card.imageBrowser().Load_and_fill_backgrounds();
    const NotDrawOnlyPropChangeGuard filling;
    m_size._setLabels();
    const QSizeF card = m_window.frontCanvasBounds().size();
    m_size.Show_Card_Size(card);
    m_text.setUpControls();
}

void PropertyInspector::Apply_Card_Wizard_Choices(const Card_Wizard_Fields& wizard)
{
    {
        const NotDrawOnlyPropChangeGuard filling;
        m_card.showCardWizardChoices(wizard);
        m_size.showSizeChoice(wizard.Preset_ComboBox, wizard.Category_ComboBox, wizard.ColList);
        m_size.Set_Card_Size_In_Control(QSizeF(wizard.width_Stepper, wizard.height_Stepper));
    }
    m_card.writeCardSide(1);
    m_card.writeCardSide(0);
    if (Card_Fill_Kind(wizard) == QLatin1String("I")) {
        m_card.set_Front_BG_Image(wizard.Card_Image_path);
        m_card.set_Back_BG_Image(wizard.Card_Image_path);
    }
}

void PropertyInspector::Remove_All_Tab_Items()
{
    QTabWidget& tabs = m_view.sett_tab();
    while (tabs.count() > 0)
        tabs.removeTab(0);
}

void PropertyInspector::showTabSet(const InspectorTabSet& set)
{
    m_view.properties_title().setText(set.title);
    Remove_All_Tab_Items();
    QTabWidget& tabs = m_view.sett_tab();
    for (const InspectorTab& tab : set.tabs) {
        QWidget* page = m_view.page(tab.page);
        tabs.addTab(page, tab.label.isEmpty() ? page->windowTitle() : tab.label);
    }
}

void PropertyInspector::Fill_Card_Prop_Tab()
{
    showTabSet(cardTabSet());
}

namespace {

bool allLocked(const GraphicList& graphics)
{
    return std::all_of(graphics.cbegin(), graphics.cend(), [](const GraphicPtr& graphic) { return graphic->ctrl_is_locked; });
}

}  // namespace

int PropertyInspector::selectedImageCount() const
{
    int images = 0;
    for (const GraphicPtr& graphic : m_window.selectedGraphics())
        images += graphic->kind() == GraphicKind::Image ? 1 : 0;
    return images;
}

void PropertyInspector::Show_RHS_Properties(SKTGraphic* graphic)
{
    if (Not_Draw_Only_Prop_Change) {
        if (graphic == nullptr) {
            Fill_Card_Prop_Tab();
            return;
        }
        if (Start_Card_Option != QLatin1String("V") || graphic->kind() != GraphicKind::Image)
            return;
    }
    m_window.selectArrowTool();
    if (graphic == nullptr) {
        showCardSide();
        return;
    }
    setElementButtons(graphic->ctrl_is_locked && allLocked(m_window.selectedGraphics()));
    const bool reloadForImages = graphic->kind() == GraphicKind::Image && selectedImageCount() >= 2;
    if (graphic == m_lastSelected && !reloadForImages) {
        Not_Draw_Only_Prop_Change = false;
        return;
    }
    m_lastSelected = graphic;
    showElement(*graphic);
}

void PropertyInspector::Set_Standard_Buttons_For_Selection()
{
    const GraphicList selection = m_window.selectedGraphics();
    if (selection.isEmpty())
        m_window.Disable_Standard_Button_For_Card();
    else
        setElementButtons(allLocked(selection));
}

void PropertyInspector::setElementButtons(bool locked)
{
    m_window.Enable_Standard_Button_For_Control();
    if (locked)
        m_window.Disable_Standard_Button_For_Lock();
    else
        m_window.Enable_Standard_Button_For_Unlock();
}

void PropertyInspector::showCardSide()
{
    Not_Draw_Only_Prop_Change = true;
    m_window.Clear_Control_Selection();
    m_window.Disable_Standard_Button_For_Card();
    m_lastSelected = nullptr;
    Fill_Card_Prop_Tab();
    m_view.sett_tab().setCurrentIndex(0);
    m_card.loadCardPages(m_window.sideInForce());
    m_size.loadSizePage(m_window.cardRecord(m_window.sideInForce()));
    Not_Draw_Only_Prop_Change = false;
}

void PropertyInspector::showElement(SKTGraphic& graphic)
{
    m_window.Set_Natural_And_Fit_Buttons_Enabled(graphic.kind() != GraphicKind::Barcode);
    Remove_All_Tab_Items();
    m_view.sel_control_name().clear();
    Not_Draw_Only_Prop_Change = true;
    const InspectorTabSet set = elementTabSet(graphic, Start_Card_Option, selectedImageCount());
    showTabSet(set);
    if (!set.dataSourceTitle.isEmpty()) {
        if (auto* title = m_view.page(QStringLiteral("datasource_tab"))->findChild<QLabel*>(QStringLiteral("data_source_title")))
            title->setText(set.dataSourceTitle);
    }
    if (!set.shapeTitle.isEmpty()) {
        if (auto* title = m_view.page(QStringLiteral("shape_tab"))->findChild<QLabel*>(QStringLiteral("Shape_prop_title")))
            title->setText(set.shapeTitle);
    }
    m_view.sett_tab().setCurrentIndex(0);
    m_positions.loadArrangeState(graphic);
    loadPanel(graphic);
    Not_Draw_Only_Prop_Change = false;
}

void PropertyInspector::loadPanel(SKTGraphic& graphic)
{
    switch (graphic.kind()) {
    case GraphicKind::Text:
        // The text page has the last word on its editor: in the live modes a text filled from the
        // side panels is not typed into, whatever its source.
        m_dataSource.loadDataSourceBlock(graphic);
        m_text.load(graphic);
        return;
    case GraphicKind::Image:
        m_image.load(graphic);
        m_dataSource.loadDataSourceBlock(graphic);
        return;
    case GraphicKind::Line: m_line.load(graphic); return;
    case GraphicKind::Signature:
        m_signature.load(graphic);
        m_dataSource.loadSignatureSource(graphic);
        return;
    case GraphicKind::Barcode: m_barcode.load(graphic); return;
    case GraphicKind::Shape: break;
    }
    m_shape.load(graphic);
}
