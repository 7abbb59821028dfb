#pragma once
// The position and size fields every element shows (ctrl_width_height_box): x and y in points,
// width and height in the user's unit; typing into one moves or resizes the selection.
#include <QObject>

class InspectorView;
class InspectorWindow;
class SKTGraphic;

class PositionFields : public QObject {
    Q_OBJECT
public:
    PositionFields(InspectorView& view, InspectorWindow& window, QObject* parent = nullptr);

    // The element's place and size into the fields; width and height off for a barcode.
    void Set_Control_Pos_And_Size(SKTGraphic& graphic);

private:
    InspectorView& m_view;
    InspectorWindow& m_window;
};
