#pragma once
// A side's canvas as the profile fills see it, keeping its elements in a list and noting the
// tools, the undo snapshots and what the picture tool would show.
#include <QStringList>

#include "model/profiles/ProfileCanvas.h"
#include "model/profiles/ProfileFillScope.h"
#include "platform/AppContext.h"

class FakeProfileCanvas : public ProfileCanvas {
public:
    GraphicPtr Selcect_Ctrl_With_ID(const QString& ctrlId) const override
    {
        for (const GraphicPtr& element : elements) {
            const bool textOrPicture = element->kind() == GraphicKind::Text || element->kind() == GraphicKind::Image;
            if (textOrPicture && element->control_ID == ctrlId)
                return element;
        }
        return nullptr;
    }
    void ReplaceGraphicText(GraphicKind kind, bool use_rect, const QRectF& bound_rect, const QString& ctrl_value,
                            const QString& ctrl_ID) override
    {
        editsOutsideAFill += Profile_Fill_Running ? 0 : 1;
        const GraphicPtr found = Selcect_Ctrl_With_ID(ctrl_ID);
        if (!found) {
            createGraphicOfClass(kind, use_rect ? bound_rect : QRectF(), ctrl_value, ctrl_ID);
            return;
        }
        found->Set_Ctrl_Is_Visible(true);
        if (found->kind() == GraphicKind::Image)
            picturesShown.append(Library_Selected_Image);
        if (!ctrl_value.isEmpty())
            found->Set_text_value(ctrl_value);
        selected = found;
    }
    void createGraphicOfClass(GraphicKind kind, const QRectF& bound_rect, const QString& ctrl_value,
                              const QString& ctrl_ID) override
    {
        if (Selcect_Ctrl_With_ID(ctrl_ID))
            return;
        GraphicPtr element = SKTGraphic::create(kind);
        element->control_ID = ctrl_ID;
        element->Set_text_value(ctrl_value);
        element->Set_Ctrl_Is_Visible(true);
        // A profile element, placed by its identifier, takes the whole rect.
        element->setBounds(bound_rect);
        if (kind == GraphicKind::Image)
            picturesShown.append(Library_Selected_Image);
        elements.append(element);
        selected = element;
    }
    void Set_Selection_Index_According_ID(const QString& ctrlId) override
    {
        selected = nullptr;
        for (const GraphicPtr& element : elements) {
            if (element->control_ID == ctrlId) {
                selected = element;
                return;
            }
        }
    }
    GraphicPtr selectedGraphic() const override { return selected; }
    void Hide_all_Text_control_FUP_Control() override
    {
        for (const GraphicPtr& element : elements) {
            if (element->control_ID.startsWith(QLatin1String("Fup_")) && element->control_ID != QLatin1String("Fup_Photo"))
                element->Set_Ctrl_Is_Visible(false);
        }
    }
    void Set_Selected_Control_Tool(int tool) override { tools.append(tool); }
    void Insert_In_Undo_Redo() override { ++snapshots; }

    // The element with the identifier, of any kind, or null.
    GraphicPtr element(const QString& ctrlId) const
    {
        for (const GraphicPtr& e : elements) {
            if (e->control_ID == ctrlId)
                return e;
        }
        return nullptr;
    }
    QStringList ids() const
    {
        QStringList list;
        for (const GraphicPtr& e : elements)
            list.append(e->control_ID);
        return list;
    }

    GraphicList elements;
    GraphicPtr selected;
    QList<int> tools;
    QStringList picturesShown;  // Library_Selected_Image whenever a picture was shown or made
    int snapshots = 0;
    int editsOutsideAFill = 0;
};
