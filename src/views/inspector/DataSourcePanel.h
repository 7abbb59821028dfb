#pragma once
// The data-source page of texts and pictures: a typed value, a series or a spreadsheet column,
// and the binding it writes into the selected elements.
#include "views/inspector/ElementPanel.h"

class DataSourcePanel : public QObject {
    Q_OBJECT
public:
    DataSourcePanel(InspectorView& view, InspectorWindow& window, QObject* parent = nullptr);

    // The data-source block of a text's or picture's load: the source and the chosen value.
    void loadDataSourceBlock(SKTGraphic& graphic);

private:
    InspectorView& m_view;
    InspectorWindow& m_window;
};
