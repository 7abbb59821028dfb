#pragma once
// The ranges, steps and units of the text pages' number fields, from the model's bounds
// (NumberBounds), so that whatever a field takes is kept when the design is saved and opened.
namespace Ui {
class TextEditingPage;
class TextStylePage;
}  // namespace Ui

void boundTextNumberFields(Ui::TextEditingPage& editing, Ui::TextStylePage& style);
