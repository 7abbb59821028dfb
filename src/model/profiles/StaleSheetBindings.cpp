#include "model/profiles/StaleSheetBindings.h"

namespace {

// Exactly these kinds: a signature is a picture of another kind and keeps its binding.
bool takesSheetValues(const SKTGraphic& element)
{
    const GraphicKind kind = element.kind();
    return kind == GraphicKind::Text || kind == GraphicKind::Image || kind == GraphicKind::Barcode;
}

void unbind(SKTGraphic& element)
{
    element.Set_Data_source_type(0);
    element.Set_Excel_binding(false);
    element.Set_Excel_binding_Index(-1);
    element.Set_Batch_List_Index(-1);
    element.Set_Batch_List_Name(QString());
}

void unbindColumns(const GraphicList& side, bool keepProfileElements)
{
    for (const GraphicPtr& element : side) {
        if (!element || !takesSheetValues(*element) || element->data_source_type_val() != 2)
            continue;
        if (keepProfileElements && element->control_ID.contains(QLatin1String("Fup_")))
            continue;
        unbind(*element);
    }
}

}  // namespace

void Unbind_Stale_Sheet_Columns_Of_Filled_Side(const GraphicList& side)
{
    unbindColumns(side, true);
}

void Unbind_Stale_Sheet_Columns_Of_Other_Side(const GraphicList& side)
{
    unbindColumns(side, false);
}
