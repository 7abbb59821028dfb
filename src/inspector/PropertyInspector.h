#pragma once
// The inspector's dispatch: which pages show for the selection (or for the card side when
// nothing is selected), filled from the element or the side's record, and the toolbar's button
// states that go with it.
#include <QObject>

#include "inspector/CardPanel.h"

class InspectorView;
class InspectorWindow;
class SKTGraphic;
struct InspectorTabSet;

class PropertyInspector : public QObject {
    Q_OBJECT
public:
    PropertyInspector(InspectorView& view, InspectorWindow& window, QObject* parent = nullptr);

    // The pages for the element, or for the card side being edited when it is null.
    void Show_RHS_Properties(SKTGraphic* graphic);
    // "Card Properties" with the card's four pages.
    void Fill_Card_Prop_Tab();
    // Takes every page out of the tab view; the pages stay alive.
    void Remove_All_Tab_Items();

    // The element whose pages are loaded; null while the card side is shown. Not owned.
    SKTGraphic* Last_Selected_Graphic() const { return m_lastSelected; }
    CardPanel& cardPanel() { return m_card; }
    InspectorView& view() const { return m_view; }

private:
    void showTabSet(const InspectorTabSet& set);
    void showCardSide();
    void showElement(SKTGraphic& graphic);
    int selectedImageCount() const;

    InspectorView& m_view;
    InspectorWindow& m_window;
    CardPanel m_card;
    SKTGraphic* m_lastSelected = nullptr;
};
