#include "views/inspector/ArrangePanel.h"

#include "platform/MessageBoxes.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTGrid.h"
#include "views/inspector/InspectorWindow.h"
#include "ui_ArrangePage.h"

ArrangePanel::ArrangePanel(Ui::ArrangePage& page, InspectorWindow& window, QObject* parent)
    : QObject(parent), m_page(page), m_window(window)
{
    const QList<std::pair<QPushButton*, void (ArrangePanel::*)()>> commands{
        {page.Align_Center_btn, &ArrangePanel::Align_Center_Clicked},
        {page.Align_Left_btn, &ArrangePanel::Align_Left_Clicked},
        {page.Align_Right_btn, &ArrangePanel::Align_Right_Clicked},
        {page.Align_Top_btn, &ArrangePanel::Align_Top_Clicked},
        {page.Align_Bottom_btn, &ArrangePanel::Align_Bottom_Clicked},
        {page.Align_Horz_btn, &ArrangePanel::Align_Horz_Clicked},
        {page.Align_Vert_btn, &ArrangePanel::Align_Vert_Clicked},
        {page.Make_Same_Width_btn, &ArrangePanel::Make_Same_Width_Clicked},
        {page.Make_Same_Height_btn, &ArrangePanel::Make_Same_Height_Clicked},
        {page.fit_to_label_btn, &ArrangePanel::Make_Fit_To_Label_Clicked},
        {page.Make_natural_size_btn, &ArrangePanel::Make_Natural_Clicked},
        {page.Align_To_Grid_btn, &ArrangePanel::Align_To_Grid_Clicked},
    };
    for (const auto& [button, command] : commands)
        connect(button, &QPushButton::clicked, this, command);
}

void ArrangePanel::setSizeCommandsEnabled(bool enabled)
{
    m_page.Make_natural_size_btn->setEnabled(enabled);
    m_page.fit_to_label_btn->setEnabled(enabled);
}

void ArrangePanel::arrange(void (SKTGraphicView::*operation)())
{
    (m_window.editedCanvas().*operation)();
    m_window.Refresh_Canvas();
    m_window.Insert_In_Undo_Redo();
}

void ArrangePanel::sameSize(void (SKTGraphicView::*operation)())
{
    if (m_window.editedCanvas().selectedGraphics().size() < 2) {
        Show_MessageBox(QStringLiteral("Please select more than one control."));
        return;
    }
    arrange(operation);
}

void ArrangePanel::Align_Center_Clicked()
{
    arrange(&SKTGraphicView::alignformCenter);
}

void ArrangePanel::Align_Left_Clicked()
{
    arrange(&SKTGraphicView::alignLeftEdges);
}

void ArrangePanel::Align_Right_Clicked()
{
    arrange(&SKTGraphicView::alignRightEdges);
}

void ArrangePanel::Align_Top_Clicked()
{
    arrange(&SKTGraphicView::alignTopEdges);
}

void ArrangePanel::Align_Bottom_Clicked()
{
    arrange(&SKTGraphicView::alignBottomEdges);
}

void ArrangePanel::Align_Horz_Clicked()
{
    arrange(&SKTGraphicView::alignHorizontalCenters);
}

void ArrangePanel::Align_Vert_Clicked()
{
    arrange(&SKTGraphicView::alignVerticalCenters);
}

void ArrangePanel::Make_Same_Width_Clicked()
{
    sameSize(&SKTGraphicView::makeSameWidth);
}

void ArrangePanel::Make_Same_Height_Clicked()
{
    sameSize(&SKTGraphicView::makeSameHeight);
}

void ArrangePanel::Make_Fit_To_Label_Clicked()
{
    arrange(&SKTGraphicView::makeSameAsLabelSize);
}

void ArrangePanel::Make_Natural_Clicked()
{
    arrange(&SKTGraphicView::makeNaturalSize);
}

void ArrangePanel::Align_To_Grid_Clicked()
{
    if (!m_window.grid().isAlwaysShown()) {
        Show_MessageBox(QStringLiteral("Please use grid option first."));
        return;
    }
    arrange(&SKTGraphicView::alignWithGrid);
}
