#pragma once
// The arrange page (aligmnt_tab) in what every element panel shares of it: the position and size
// fields of ctrl_width_height_box, x and y in points, width and height in the user's unit, typed
// values moving or resizing the selection; and the print switch the writers store. Its
// alignment and size commands are the ArrangePanel's.
#include <QObject>
#include <memory>

#include "views/canvas/CanvasHost.h"

class ArrangePanel;
class InspectorView;
class InspectorWindow;
class SKTGraphic;

namespace Ui {
class ArrangePage;
}

class PositionFields : public QObject {
    Q_OBJECT
public:
    PositionFields(InspectorView& view, InspectorWindow& window, QObject* parent = nullptr);
    ~PositionFields() override;

    // The element's place and size into the fields; width and height off for a barcode. Every
    // panel's load calls it, and so does every change of an element's bounds.
    void Set_Control_Pos_And_Size(SKTGraphic& graphic);
    // What the dispatch shows for an element before its panel loads: the print switch, the
    // position box, and the natural-size and fit-to-card commands, which a barcode does not take.
    void loadArrangeState(const SKTGraphic& graphic);
    // The position box; a picture's pages hide it.
    void setPositionBoxShown(bool shown);
    // The print switch as an element's print_object stores it: 1 leaves it out of output.
    int printObjectState() const;
    // The number in a position or size field, as the canvas reads it.
    float Frame_Field_Value(CanvasInspector::FrameField field) const;

    // Control handlers: a typed value into the selection, then a redraw and a snapshot.
    void Frame_main_Pic_X_Pos_Changed();
    void Frame_main_Pic_Y_Pos_Changed();
    void Frame_main_Pic_Wdith_Changed();
    void Frame_main_Pic_Height_Changed();
    // The switch into every unlocked selected element, then a snapshot.
    void Print_object_chk_changed();

    ArrangePanel& arrange() const { return *m_arrange; }
    Ui::ArrangePage& page() const { return *ui; }

private:
    void connectControls();

    InspectorView& m_view;
    InspectorWindow& m_window;
    std::unique_ptr<Ui::ArrangePage> ui;
    std::unique_ptr<ArrangePanel> m_arrange;
};
