#include "output/DesignSnapshot.h"

#include "model/SKTDocument.h"

GraphicList DesignSnapshot::copiesOf(const GraphicList& elements)
{
    GraphicList copies;
    copies.reserve(elements.size());
    for (const GraphicPtr& element : elements) {
        if (element)
            copies.append(element->cloneForRendering());
    }
    return copies;
}

DesignSnapshot DesignSnapshot::take(const SKTDocument& design)
{
    DesignSnapshot snapshot;
    snapshot.m_front = copiesOf(design.graphics());
    snapshot.m_back = copiesOf(design.graphics_back());
    snapshot.m_taken = true;
    return snapshot;
}

bool DesignSnapshot::restore(SKTDocument& design) const
{
    if (!m_taken)
        return false;
    // Putting the design back is no edit the user could undo.
    const bool recording = design.undoManager().isUndoRegistrationEnabled();
    design.Enable_Disable_Undo_Registraion(false);
    design.replaceGraphicsOnSide(SKTDocument::FrontSide, copiesOf(m_front));
    design.replaceGraphicsOnSide(SKTDocument::BackSide, copiesOf(m_back));
    design.Enable_Disable_Undo_Registraion(recording);
    return true;
}
