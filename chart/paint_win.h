// Painting of the two charts and their markers onto the kept window DC.
#pragma once

#include "app/shell_win.h"

// One filled dot of radius app.layout.dotRadius centred at (x, y).
void drawDot(int x, int y, COLORREF c);

// Paints every dot of the level hexagon over what is there.
void paintHexagon();

// Paints every dot of the hue triangle over what is there.
void paintTriangle();

// Ink 0 erases a marker to the background, ink 1 draws it black with a white
// outline. The ink's pen and brush stay selected afterwards.
void drawLevelMarker(int ink);
void drawSliceMarker(int ink);

// Fills left..right-1 by top..bottom-1 with a solid colour, using a brush
// made for this one fill.
void fillColorRect(int left, int top, int right, int bottom, COLORREF c);

// The sunken look of a swatch or panel: white along the bottom and right
// edges (rows and columns bottom and right), black along the top and left
// (row top, column left - 1), each line drawn as LineTo draws it.
void drawSunkenFrame(int left, int top, int right, int bottom);
