// The main window's picture as one layered whole: the order its pieces are
// painted in, which piece is painted again where another covers it, and
// which rectangle a change invalidates. Every piece draws only itself; what
// it means for the others is decided here.
#pragma once

#include <cstdint>

#include "core/shell_win.h"

// WM_PAINT, between BeginPaint and EndPaint: every piece, bottom to top.
void paintScene();

// The whole client area waits for the next WM_PAINT (a new size, grid size
// or background). The window is named: the first WM_SIZE comes while
// CreateWindowEx runs, before its handle is stored.
void invalidateScene(HWND window);

// level 0..2N: the level marker moves and the hexagon is painted over
// itself. With updateOverlay the pick overlay learns that the hexagon no
// longer shows the picked level.
void setLevel(int level, bool updateOverlay);

// sector 0..5, slice 0..N (N only from a jump to a pick): the slice marker
// moves and the triangle is painted over itself.
void setSlice(std::int8_t sector, int slice, bool updateOverlay);

// mark is a pickMark value (negative: overlay hidden, nothing drawn) or one
// of the requests OverlayHide and OverlayEraseLine, which invalidate what
// the overlay covers instead of drawing. Drawn, the overlay has the slice
// marker, and the readout panel and the palette strip where the line
// reaches them, painted again on top of it.
void drawPickOverlay(std::int8_t mark);
