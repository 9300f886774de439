// Reading the pointer and a screen pixel in the same coordinates on scaled
// displays.
#pragma once

#include "app/shell_win.h"

// Where the pointer is, twice: in the program's own (possibly scaled)
// coordinates, which its window and hit testing use, and in the physical
// pixels of the screen, which GetPixel of the screen's DC reads. The two are
// equal at 96 DPI and wherever the system offers no per-monitor DPI awareness.
void readPointer(POINT& logical, POINT& physical);

// The screen pixel at a physical screen point, CLR_INVALID off every screen.
COLORREF screenPixel(POINT physical);
