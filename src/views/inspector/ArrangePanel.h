#pragma once
// The arrange page's commands: seven alignments, same width and height, fit to the card, natural
// size and snap to the grid, each done by the canvas of the side being edited on its selection,
// then one redraw and one undo snapshot. Two are refused with a message and leave everything as
// it was: a same size for fewer than two elements, and snapping while the grid is hidden.
#include <QObject>

class InspectorWindow;
class SKTGraphicView;

namespace Ui {
class ArrangePage;
}

class ArrangePanel : public QObject {
    Q_OBJECT
public:
    ArrangePanel(Ui::ArrangePage& page, InspectorWindow& window, QObject* parent = nullptr);

    // Make_natural_size_btn and fit_to_label_btn.
    void setSizeCommandsEnabled(bool enabled);
    // The canvas operation on the side being edited, then a redraw and a snapshot.
    void arrange(void (SKTGraphicView::*operation)());

    void Align_Center_Clicked();
    void Align_Left_Clicked();
    void Align_Right_Clicked();
    void Align_Top_Clicked();
    void Align_Bottom_Clicked();
    void Align_Horz_Clicked();
    void Align_Vert_Clicked();
    void Make_Same_Width_Clicked();
    void Make_Same_Height_Clicked();
    void Make_Fit_To_Label_Clicked();
    void Make_Natural_Clicked();
    void Align_To_Grid_Clicked();

private:
    // The same-size commands ask for at least two selected elements.
    void sameSize(void (SKTGraphicView::*operation)());

    Ui::ArrangePage& m_page;
    InspectorWindow& m_window;
};
