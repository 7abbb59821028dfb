#pragma once
// The two sides of a card, numbered as Card_Front_Or_Back and the design file number them.
enum class CardSide : int { Front = 0, Back = 1 };

// Side 0 is the front; any other number the back, as the card settings read it.
inline CardSide cardSideOf(int index)
{
    return index == 0 ? CardSide::Front : CardSide::Back;
}

inline int sideIndex(CardSide side)
{
    return static_cast<int>(side);
}
