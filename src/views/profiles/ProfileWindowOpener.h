#pragma once
// How a window opens the card-holder profile windows, which the main window owns: reload asks the
// side window to load its form from the side's elements; the side is "F" or "B" for one side's
// window and empty for the whole card's; the number of sides ("1" or "2") tells the whole-card
// window whether the card has a back. Answers 1 after OK.
#include <QString>
#include <functional>

using ProfileWindowOpener = std::function<int(bool reload, const QString& load_side, const QString& total_side)>;
