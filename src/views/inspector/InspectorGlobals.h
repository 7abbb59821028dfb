#pragma once

// Card outline for drawing, one value for both sides: 0 rectangle, 1 rounded rectangle,
// 2 ellipse; any other value draws a rectangle.
extern int Card_Shape;
