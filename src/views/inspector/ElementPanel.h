#pragma once
// What every element kind's panel shares: the view and the window it works with, the position
// and size fields and the data-source page its load fills, and the writers' common rule.
#include <QObject>
#include <functional>

#include "model/SKTGraphic.h"

class DataSourcePanel;
class InspectorView;
class InspectorWindow;
class PositionFields;

struct PanelContext {
    InspectorView& view;
    InspectorWindow& window;
    PositionFields& positions;
    DataSourcePanel& dataSource;
};

class ElementPanel : public QObject {
    Q_OBJECT
public:
    ElementPanel(const PanelContext& context, QObject* parent = nullptr);

    // Fills the panel from the element; the dispatch holds the change guard meanwhile.
    virtual void load(SKTGraphic& graphic) = 0;

protected:
    // The common writer rule: nothing while controls are being filled, and nothing without a
    // selection; otherwise each selected element of exactly the kind that is not locked gets
    // write(), and then the side is redrawn once and one undo snapshot taken, also when every
    // selected element was skipped.
    void writeSelected(GraphicKind kind, const std::function<void(SKTGraphic&)>& write);
    // The same up to the redraw, for a writer that takes its snapshot once what it changed is
    // finished (a picture made off the GUI thread); false when nothing was written at all.
    bool writeSelectedElements(GraphicKind kind, const std::function<void(SKTGraphic&)>& write);
    // Whether two or more elements of the kind are selected, locked ones included; when so, the
    // refusal is shown unless it is empty.
    bool moreThanOneSelected(GraphicKind kind, const QString& refusal) const;

    PanelContext m_context;
};
