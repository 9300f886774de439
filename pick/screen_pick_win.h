// Reading the pointer and a screen pixel in the same coordinates on scaled
// displays.
#pragma once

#include "core/shell_win.h"

// Where the pointer is, twice: in the program's own (possibly scaled)
// coordinates, which its window and hit testing use, and in the physical
// pixels of the screen, which GetPixel of the screen's DC reads. The two are
// equal at 96 DPI and wherever the system scales nothing. False when the
// position cannot be had (a locked or secure desktop): then there is nothing
// to pick.
bool readPointer(POINT& logical, POINT& physical);

// The screen pixel at a physical screen point, CLR_INVALID off every screen.
COLORREF screenPixel(POINT physical);
