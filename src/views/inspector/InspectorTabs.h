#pragma once
// Which pages the inspector shows for what is selected, in which order and under which labels.
#include <QList>
#include <QString>

class SKTGraphic;

struct InspectorTab {
    QString page;   // the page's object name
    QString label;  // empty: the page's own label
};

struct InspectorTabSet {
    QString title;  // properties_title
    QList<InspectorTab> tabs;
    QString dataSourceTitle;  // data_source_title when the data-source page shows
    QString shapeTitle;       // Shape_prop_title of an unlocked shape
};

// The card's four pages.
InspectorTabSet cardTabSet();
// The pages of an element: by exact kind, lock state, the work mode (Start_Card_Option) and how
// many pictures are selected on the side. The align page comes last, for unlocked elements only.
InspectorTabSet elementTabSet(const SKTGraphic& graphic, const QString& mode, int selectedImages);
// The settings title of a shape code ("R" "Rectangle Settings" ... "P" "Polygon Settings");
// empty for any other code.
QString shapeSettingsTitle(const QString& shapeCode);
