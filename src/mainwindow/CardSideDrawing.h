#pragma once
// The main window's two drawing operations on the side being edited: the side chosen by
// Card_Front_Or_Back, the card rectangle of the front canvas and the outline chosen by
// Card_Shape. Failures are logged.
class QPainter;

void Card_Base_Drawing(QPainter& painter);
void Card_Border_Drawing(QPainter& painter);
