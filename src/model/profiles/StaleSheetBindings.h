#pragma once
// After a spreadsheet is loaded again, column bindings made for the old sheet point into the new
// one. These unbind them before the profile fill gives its own elements their new columns.
#include "model/SKTGraphic.h"

// The side the profile is filled into: every text, picture or barcode bound to a column, except
// the profile's own elements.
void Unbind_Stale_Sheet_Columns_Of_Filled_Side(const GraphicList& side);
// The other side, when it uses the sheet: every text, picture or barcode bound to a column.
void Unbind_Stale_Sheet_Columns_Of_Other_Side(const GraphicList& side);
