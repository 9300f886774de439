// Dots for the fast painter. For each dot radius the pixels that GDI's
// Ellipse covers (null pen, box x - r .. x + r) are learnt once, by drawing
// one such ellipse with GDI into a small bitmap and reading it back; every
// dot is then written in its colour straight into the back buffer's bits, in
// the same order as the literal painter draws them, so overlaps come out the
// same. GDI covers the same pattern wherever the box stands, so the result
// is the picture the literal painter leaves, pixel for pixel.
#pragma once

#include "app/shell_win.h"

// Every dot of the level hexagon at app.layout.dotRadius, in painting order.
// Each of these three returns false, having drawn nothing, when the dot's
// shape could not be learnt (no bitmap to learn it in): the caller then
// draws with GDI.
bool stampHexagon();

// Every dot of the hue triangle at app.layout.dotRadius, in painting order.
bool stampTriangle();

// One dot of radius app.layout.dotRadius centred at (x, y).
bool stampDot(int x, int y, COLORREF c);

// The outline GDI's Ellipse draws for the box x - radius .. x + radius with
// the DC's selected pen (solid, any width) and a null brush, put into the
// back buffer in the pen's colour: the pick overlay's rings. False, and
// nothing drawn, when the DC is not in that state or the fast painter is
// not in use; the caller then draws with GDI.
bool stampRing(int x, int y, int radius);
