// Geometry of the palette strip and the gradient between two slots. Pure
// arithmetic over app.layout and plain colour arrays, so the Windows painter
// and the hit test share one definition of where each swatch lies.
#pragma once

#include "core/state.h"

// Unfilled columns right of every swatch, a tenth of the swatch width.
int swatchGap();
// Distance from a swatch's left edge to its letter, centring it roughly.
int labelOffset();
// First column of swatch k (0..15).
int swatchLeft(int k);
// Column just past the fill of swatch k; the gap starts here.
int swatchRight(int k);
// 'A' counted up by the slot number, except that the last slot is 'Z'.
char slotLetter(int k);

// Writes into out the palette as it is after a gradient from slot a to slot
// b (either order): the slots strictly between them run evenly from one end
// colour to the other, every other slot is copied unchanged. Neighbouring or
// equal slots, or a slot outside 0..15, leave the palette as it is.
void gradientColors(const COLORREF palette[PaletteSlots], int a, int b, COLORREF out[PaletteSlots]);
