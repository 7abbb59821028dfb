#pragma once
// The ranges and units of the card pages' number fields, from the model's bounds (NumberBounds).
// The size fields' range follows the user's unit; the size page sets it (CardSizePanel).
namespace Ui {
class CardBackgroundPage;
class CardBorderPage;
}  // namespace Ui

void boundCardNumberFields(Ui::CardBackgroundPage& background, Ui::CardBorderPage& border);
