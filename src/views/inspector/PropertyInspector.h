#pragma once
// The inspector's dispatch: which pages show for the selection (or for the card side when
// nothing is selected), filled from the element or the side's record, and the toolbar's button
// states that go with it.
#include <QObject>

#include "views/inspector/BarcodePanel.h"
#include "views/inspector/CardPanel.h"
#include "views/inspector/CardSizePanel.h"
#include "views/inspector/DataSourcePanel.h"
#include "views/inspector/ImagePanel.h"
#include "views/inspector/LinePanel.h"
#include "views/inspector/PositionFields.h"
#include "views/inspector/ShapePanel.h"
#include "views/inspector/SignaturePanel.h"
#include "views/inspector/TextPanel.h"

class InspectorView;
struct Card_Wizard_Fields;
class InspectorWindow;
class SKTGraphic;
struct InspectorTabSet;

class PropertyInspector : public QObject {
    Q_OBJECT
public:
    PropertyInspector(InspectorView& view, InspectorWindow& window, QObject* parent = nullptr);

    // The pages for the element, or for the card side being edited when it is null.
    void Show_RHS_Properties(SKTGraphic* graphic);
    // The toolbar's edit, order, lock and align buttons for what is selected on the side being
    // edited: the card's with nothing selected, a locked element's when every selected element
    // is locked, else an unlocked one's, so that the unlocked part of a selection can be edited.
    void Set_Standard_Buttons_For_Selection();
    // The window's set-up of the pages: first choices, the hatch names, the stock backgrounds,
    // the unit captions and the size fields.
    void setUpControls(const QStringList& hatchNames);
    // The new-card wizard's choices into the pages, then written into both sides' records; a
    // picture fill becomes both sides' background. The caller applies the size afterwards.
    void Apply_Card_Wizard_Choices(const Card_Wizard_Fields& wizard);
    // "Card Properties" with the card's four pages.
    void Fill_Card_Prop_Tab();
    // Takes every page out of the tab view; the pages stay alive.
    void Remove_All_Tab_Items();

    // The element whose pages are loaded; null while the card side is shown. Not owned.
    SKTGraphic* Last_Selected_Graphic() const { return m_lastSelected; }
    CardPanel& cardPanel() { return m_card; }
    CardSizePanel& sizePanel() { return m_size; }
    PositionFields& positionFields() { return m_positions; }
    InspectorView& view() const { return m_view; }
    TextPanel& textPanel() { return m_text; }
    DataSourcePanel& dataSourcePanel() { return m_dataSource; }
    BarcodePanel& barcodePanel() { return m_barcode; }
    ImagePanel& imagePanel() { return m_image; }
    SignaturePanel& signaturePanel() { return m_signature; }

private:
    void showTabSet(const InspectorTabSet& set);
    void showCardSide();
    void showElement(SKTGraphic& graphic);
    int selectedImageCount() const;
    void setElementButtons(bool locked);
    // The panel of the element's kind from the element, then, for texts, pictures and signatures,
    // where their value comes from; a barcode shows its place and size only.
    void loadPanel(SKTGraphic& graphic);

    InspectorView& m_view;
    InspectorWindow& m_window;
    CardPanel m_card;
    CardSizePanel m_size;
    PositionFields m_positions;
    DataSourcePanel m_dataSource;
    PanelContext m_panels;
    TextPanel m_text;
    ImagePanel m_image;
    LinePanel m_line;
    SignaturePanel m_signature;
    ShapePanel m_shape;
    BarcodePanel m_barcode;
    SKTGraphic* m_lastSelected = nullptr;
};
